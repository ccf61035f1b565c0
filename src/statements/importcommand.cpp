#include "importcommand.h"

#include "matching.h"
#include "statementimport.h"
#include "platform/singleinstance.h"
#include "register/registerexport.h"
#include "shell/exports.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QDir>

namespace tallyo {

namespace {

QString Described(const std::vector<DateOrder>& orders)
{
    QStringList names;
    for (DateOrder order : orders)
        names.append(DateOrderName(order));
    return names.join(QStringLiteral(", "));
}

// What was done with a line, or with --dry-run what would be.
QString DoneText(const LineMatch& match, bool dryRun)
{
    const QString day = FormatDate(match.date, u"yyyy-mm-dd");
    switch (match.outcome) {
    case LineMatch::Outcome::New:
        return dryRun ? QStringLiteral("would be added") : QStringLiteral("added");
    case LineMatch::Outcome::Matching:
        return (dryRun ? QStringLiteral("would clear the transaction of %1 %2")
                       : QStringLiteral("cleared the transaction of %1 %2"))
            .arg(day, match.payee);
    case LineMatch::Outcome::AlreadyThere:
        break;
    }
    return QStringLiteral("already in the register");
}

// The statement the command asked for: the only one, or the one of --statement.
const Statement* ChosenStatement(const StatementFile& file, const QString& wanted, QTextStream& err)
{
    QStringList ids;
    for (const Statement& statement : file.statements) {
        if (!wanted.isEmpty() && statement.accountId == wanted)
            return &statement;
        ids.append(statement.accountId.isEmpty() ? QStringLiteral("(no account id)") : statement.accountId);
    }
    if (wanted.isEmpty() && file.statements.size() == 1)
        return &file.statements.front();
    if (wanted.isEmpty())
        err << "The file holds statements of several accounts; choose one with --statement: " << ids.join(u", ") << "\n";
    else
        err << "The file holds no statement of account " << wanted << "; it holds: " << ids.join(u", ") << "\n";
    return nullptr;
}

}

int RunImportCommand(const CommandLine& command, QTextStream& out, QTextStream& err)
{
    // The file as named from where the command runs, before the data
    // folder becomes the working folder.
    const QString path = QDir::current().absoluteFilePath(command.statementFile);
    SingleInstance instance;
    if (!instance.tryLock()) {
        if (instance.heldByAnotherCopy())
            err << "Tallyo is running; close it before importing a statement. Nothing was imported.\n";
        else
            err << "Cannot make the lock file " << instance.lockPath() << ": " << instance.failureReason() << "\n";
        return 1;
    }

    return RunInDataFolder(command, out, err, [&] {
        QString problem;
        const std::optional<QString> key = FindAccountKey(command.account, problem);
        if (!key) {
            err << problem << "\n";
            return 1;
        }
        StatementReadOptions options;
        options.format = FormatFromName(command.format).value_or(StatementFormat::Detect);
        options.dateOrder = DateOrderFromName(command.dateOrder).value_or(DateOrder::Detect);
        const StatementFile file = ReadStatementFile(path, options);
        switch (file.outcome) {
        case StatementFile::Outcome::Refused:
            err << command.statementFile << ": " << file.problem() << "\nNothing was imported.\n";
            return 1;
        case StatementFile::Outcome::NeedsDateOrder:
            err << command.statementFile << ": the dates read in more than one order (" << Described(file.possibleOrders)
                << "); give one with --date-order.\n";
            return 2;
        case StatementFile::Outcome::NeedsColumns:
            err << command.statementFile << ": the columns of the date, payee and amount cannot be told from the header \""
                << file.csvHeader.join(u',') << "\". Nothing was imported.\n";
            return 1;
        case StatementFile::Outcome::Read:
            break;
        }
        const Statement* statement = ChosenStatement(file, command.statementId, err);
        if (!statement)
            return 2;

        const std::vector<LineMatch> matches = MatchStatement(*statement, ReadRegisterEntries(*key, statement));
        const ImportCounts counts =
            command.dryRun ? CountImport(matches) : ImportStatement(*key, *statement, matches);
        for (size_t i = 0; i < matches.size(); ++i) {
            const StatementLine& line = statement->lines[i];
            out << line.date.toString(Qt::ISODate) << "  " << TypeForLine(line).trimmed() << "  "
                << PayeeForLine(line) << "  " << FormatAmountPlain(line.amount) << ": "
                << DoneText(matches[i], command.dryRun) << "\n";
        }
        out << ImportCountsText(counts) << "\n";
        out.flush();
        if (out.status() != QTextStream::Ok) {
            err << "The report could not be written";
            err << (command.dryRun ? ".\n" : ", but the statement was imported.\n");
            return 1;
        }
        return 0;
    });
}

}
