#include "ExportDisplay.h"

#include "frmAccount.h"
#include "qifwriter.h"
#include "registerexport.h"
#include "registerstate.h"

#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>
#include <limits>

namespace tallyo {

namespace {

const QString QifFilter = QStringLiteral("QIF files (*.qif)");
const QString CsvFilter = QStringLiteral("CSV files (*.csv)");

std::optional<ExportTarget> AskForFile(QWidget* parent, const QString& suggestedPath)
{
    QFileDialog dialog(parent, QStringLiteral("Export this display"), QFileInfo(suggestedPath).path(),
                       QifFilter + QStringLiteral(";;") + CsvFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QFileInfo(suggestedPath).fileName());
    // Choosing the other type changes the ending of the name in the box.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        const QFileInfo typed(dialog.selectedFiles().value(0));
        const QString ending = typed.suffix().toLower();
        if (ending == u"qif" || ending == u"csv")
            dialog.selectFile(typed.completeBaseName() + (filter == CsvFilter ? QStringLiteral(".csv") : QStringLiteral(".qif")));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return ExportTargetOf(dialog.selectedFiles().first(), dialog.selectedNameFilter() == CsvFilter);
}

// The first row whose running balance was held at the limits of money
// because it grew too large; -1 when none was.
qint32 BalanceHeldFrom(const RegisterRows& rows)
{
    for (qint32 i = 0; i < rows.size(); ++i) {
        const qint64 balance = rows[i].balance;
        if (balance == std::numeric_limits<qint64>::max() || balance == std::numeric_limits<qint64>::min())
            return i;
    }
    return -1;
}

// The account's name as a file name: no folder separators.
QString SuggestedPath(const QString& accountName)
{
    QString name = accountName.trimmed();
    name.replace(u'/', u'-');
    if (name.isEmpty() || name.startsWith(u'.'))
        name.prepend(QStringLiteral("register"));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(name + QStringLiteral(".qif"));
}

}

ExportFilePicker& exportFilePicker()
{
    static ExportFilePicker picker = AskForFile;
    return picker;
}

ExportTarget ExportTargetOf(const QString& path, bool csvChosen)
{
    const QString ending = QFileInfo(path).suffix().toLower();
    if (ending == u"qif" || ending == u"csv")
        return {path, ending == u"qif"};
    if (ending.isEmpty())
        return {path + (csvChosen ? QStringLiteral(".csv") : QStringLiteral(".qif")), !csvChosen};
    return {path, !csvChosen};
}

void SaveRows(const RegisterRows& rows, const ExportTarget& target, const QString& accountName)
{
    const bool existed = QFileInfo::exists(target.path);
    QSaveFile file(target.path);
    const auto fail = [&] { throw FileError(target.path, QStringLiteral("write"), file.errorString()); };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (!existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QTextStream out(&file);
    if (target.qif)
        WriteRowsQif(out, rows, accountName);
    else
        WriteRowsCsv(out, rows, BalanceHeldFrom(rows));
    if (!file.commit())
        fail();
}

void AddExportDisplayItem(frmAccount& window)
{
    QMenu* menu = window.menuPrint;
    const QList<QAction*> items = menu->actions();
    QAction* last = items.isEmpty() ? nullptr : items.last();
    auto* item = new QAction(QString::fromLatin1(ExportDisplayItem), menu);
    item->setObjectName(QStringLiteral("itemExportDisplay"));
    menu->insertAction(last, item);
    menu->insertSeparator(last);
    // Queued, so that the menu has closed before the dialog opens.
    QObject::connect(item, &QAction::triggered, &window, [&window] { ExportThisDisplay(window); },
                     Qt::QueuedConnection);
}

void ExportThisDisplay(frmAccount& window)
{
    QString accountName;
    if (!window.runDataAction(
            [&] { accountName = TrimSpaces(ReadAccountAt(currentAccount().CurrentAccountRecord).AccountName); }))
        return;
    const std::optional<ExportTarget> target = exportFilePicker()(&window, SuggestedPath(accountName));
    if (!target)
        return;
    SetBusy(window, true);
    try {
        SaveRows(registerState().Rows, *target, accountName);
        SetBusy(window, false);
    } catch (const FileError& error) {
        SetBusy(window, false);
        ShowFileError(error);
    }
}

}
