#pragma once
// What the account index window's files share: the balance column's width
// and the notes box's looks. Private to the window.
#include <QString>

class QPlainTextEdit;

namespace tallyo::indexwindow {

// The balance column's width, twips: the list widens it for long balances.
inline constexpr int BalanceColumnWidth = 1080;

inline const QString StopEditingTip = QStringLiteral(" Stop editing these notes <Esc> or <F8>");

// The notes box read-only (its resting look) or being edited.
void setNotesLook(QPlainTextEdit& box, bool editing);

}
