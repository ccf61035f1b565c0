#pragma once
// The product's own names and addresses, kept in one place: the title shown
// in captions and messages, the manual's file name, the web page and the
// support mailbox that the web and mail helpers open when given no target.
#include <QString>

namespace tallyo {

inline const QString ApplicationTitle = QStringLiteral("Tallyo");
// Named in the message shown when a dialog cannot fit on the screen.
inline const QString CompanyName = QStringLiteral("Zev Software");
inline const QString ProductWebAddress = QStringLiteral("www.tallyo.example.org");
inline const QString SupportMailAddress = QStringLiteral("support@tallyo.example.org");

// The manual's file name: the title with ".PDF" (a lower-case ".pdf" is
// accepted too).
inline QString ManualFileName() { return ApplicationTitle + QStringLiteral(".PDF"); }

}
