#include "ImportActions.h"

#include "frmCsvColumns.h"
#include "frmImportStatement.h"
#include "importpreview.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "platform/settings.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");
const QString FolderSetting = QStringLiteral("ImportFolder");

QString& HandedStatement()
{
    static QString path;
    return path;
}

QString OrderCaption(DateOrder order)
{
    switch (order) {
    case DateOrder::MonthDayYear: return QStringLiteral("&Month/Day/Year");
    case DateOrder::DayMonthYear: return QStringLiteral("&Day/Month/Year");
    case DateOrder::YearMonthDay: return QStringLiteral("&Year/Month/Day");
    case DateOrder::Detect: break;
    }
    return {};
}

// Asks in which order the file writes its dates; nothing for Cancel.
std::optional<DateOrder> AskDateOrder(const std::vector<DateOrder>& possible)
{
    QStringList captions;
    for (DateOrder order : possible)
        captions.append(OrderCaption(order));
    captions.append(QStringLiteral("&Cancel"));
    const int answer = prompts().ask(QStringLiteral("Dates of the statement"), IconQuestion,
                                     QStringLiteral("The dates of this statement can be read") + crlf
                                         + QStringLiteral("in more than one way.") + crlf + crlf
                                         + QStringLiteral("In which order are they written?"),
                                     1, captions);
    if (answer < 1 || answer > int(possible.size()))
        return std::nullopt;
    return possible[size_t(answer - 1)];
}

void TellRefused(const QString& path, const StatementFile& file)
{
    prompts().ask(QStringLiteral("Import Error"), IconStop,
                  QStringLiteral("This statement cannot be imported:") + crlf + path + crlf + crlf + file.problem()
                      + crlf + crlf + QStringLiteral("Nothing was imported."),
                  1, {QStringLiteral("&Okay")});
}

// Reads the file, asking what it leaves open; nothing when the user gave
// up or the file was refused (the user has been told).
std::optional<StatementFile> ReadAsking(frmAccount& window, const QString& path, const QString& accountKey)
{
    Settings& stored = settings();
    const QString columnsKey = CsvColumnsSettingKey(accountKey);
    StatementReadOptions options;
    bool triedStored = false;  // the account's remembered CSV columns
    bool chosenHere = false;   // columns the user mapped just now
    for (;;) {
        const StatementFile file = ReadStatementFile(path, options);
        switch (file.outcome) {
        case StatementFile::Outcome::Read:
            if (chosenHere && options.csvColumns)
                stored.setValue(columnsKey, options.csvColumns->toText());
            return file;
        case StatementFile::Outcome::NeedsDateOrder: {
            const std::optional<DateOrder> order = AskDateOrder(file.possibleOrders);
            if (!order)
                return std::nullopt;
            options.dateOrder = *order;
            continue;
        }
        case StatementFile::Outcome::NeedsColumns:
        case StatementFile::Outcome::Refused:
            break;
        }
        const std::optional<CsvColumns> remembered = CsvColumns::fromText(stored.value(columnsKey, QString()));
        const bool columnsMayHelp = file.outcome == StatementFile::Outcome::NeedsColumns
            || (triedStored && !chosenHere && file.format == StatementFormat::Csv);
        if (!columnsMayHelp) {
            TellRefused(path, file);
            return std::nullopt;
        }
        if (remembered && !triedStored) {
            triedStored = true;
            options.csvColumns = remembered;
            continue;
        }
        const std::optional<CsvColumns> chosen =
            AskCsvColumns(&window, file.csvHeader, remembered.value_or(file.csvColumns));
        if (!chosen)
            return std::nullopt;
        options.csvColumns = chosen;
        chosenHere = true;
        triedStored = true;
    }
}

}

void SetHandedStatement(const QString& path)
{
    HandedStatement() = path;
}

void InstallStatementImport()
{
    registerActions().importStatement = ImportBankStatement;
}

void ImportBankStatement(frmAccount& window)
{
    Settings& stored = settings();
    // A file handed over by the desktop is picked once; later imports start
    // in the folder of the last one.
    const QString startFolder = !HandedStatement().isEmpty()
        ? std::exchange(HandedStatement(), QString())
        : stored.value(FolderSetting, QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    const QString path = prompts().pickFile(
        QStringLiteral("Import a bank statement"), startFolder,
        QStringLiteral("Bank statements (*.ofx *.qfx *.qif *.csv *.OFX *.QFX *.QIF *.CSV);;All files (*)"));
    if (path.isEmpty())
        return;
    stored.setValue(FolderSetting, QFileInfo(path).absolutePath());

    const QString accountKey = currentAccount().CurrentAccountKey;
    const std::optional<StatementFile> file = ReadAsking(window, path, accountKey);
    if (!file)
        return;
    size_t lines = 0;
    for (const Statement& statement : file->statements)
        lines += statement.lines.size();
    if (lines == 0) {
        prompts().ask(QStringLiteral("Import Error"), IconExclamation,
                      QStringLiteral("This statement holds no transactions:") + crlf + path, 1,
                      {QStringLiteral("&Okay")});
        return;
    }

    std::vector<RegisterEntry> entries;
    if (!window.runDataAction([&] { entries = ReadRegisterEntries(accountKey); }))
        return;
    frmImportStatement preview(path, file->statements, accountKey, std::move(entries), &window);
    preview.exec();
    if (!preview.imported())
        return;
    window.LoadRegister();
    prompts().ask(QStringLiteral("Statement imported"), IconInformation,
                  ImportCountsText(*preview.imported()) + u'.', 1, {QStringLiteral("&Okay")});
}

}
