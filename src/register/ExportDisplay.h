#pragma once
// "Export this display..." in the register's print menu: the rows the
// register shows (normal, reconcile or search view), saved as QIF or CSV
// into a file the user picks. The file is written under a scratch name and
// renamed over the chosen one only when complete, so a failure leaves what
// was there before.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tallyo {

class RegisterRows;
class frmAccount;

// The menu item's text.
inline constexpr char ExportDisplayItem[] = "Export this display...";

// Adds the item after the print items and their separator, with a
// separator of its own above the menu's last item ("Exit this menu").
void AddExportDisplayItem(frmAccount& window);

// The item's action: picks the file, then writes it. A file error is shown
// in the message dialog.
void ExportThisDisplay(frmAccount& window);

struct ExportTarget {
    QString path;
    bool qif = true;  // else CSV
};

// The file and format from what the dialog gave back: a name ending in
// ".qif" or ".csv" (in any letter case) decides the format; otherwise the
// chosen file type does, and a name without any ending gets its ending.
ExportTarget ExportTargetOf(const QString& path, bool csvChosen);

// Asks for the file, suggesting `suggestedPath`; nothing when cancelled.
// The desktop's save dialog in the program; tests put their own answer in.
using ExportFilePicker = std::function<std::optional<ExportTarget>(QWidget* parent, const QString& suggestedPath)>;
ExportFilePicker& exportFilePicker();

// Writes the rows to `path` in one step (QSaveFile): a new file is readable
// by the user alone; an existing one keeps its permissions. Throws FileError
// naming the file when it cannot be written.
void SaveRows(const RegisterRows& rows, const ExportTarget& target, const QString& accountName);

}
