#include "commandline.h"

#include "register/searchspec.h"
#include "statements/statement.h"
#include "util/numbers.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>

namespace tallyo {

namespace {

CommandLine Invalid(const QString& reason)
{
    CommandLine invalid;
    invalid.action = CommandLine::Action::Invalid;
    invalid.error = reason;
    return invalid;
}

// `backup DIR [--force]` or `restore DIR [--yes]`.
CommandLine BackupCommand(CommandLine command, const QStringList& words)
{
    const bool backup = words.first() == u"backup";
    if (words.size() != 2 || words[1].isEmpty())
        return Invalid(QStringLiteral("%1 needs one folder").arg(words.first()));
    if (!command.account.isEmpty())
        return Invalid(QStringLiteral("--account belongs to export register"));
    if (backup && command.yes)
        return Invalid(QStringLiteral("--yes belongs to restore"));
    if (!backup && command.force)
        return Invalid(QStringLiteral("--force belongs to backup"));
    command.action = backup ? CommandLine::Action::Backup : CommandLine::Action::Restore;
    command.folder = words[1];
    return command;
}

// `print check --account A --record N ...` or `print list --account A ...`.
CommandLine PrintCommand(CommandLine command, const QStringList& words, bool checkOptions, bool listOptions)
{
    if (words.size() != 2 || (words[1] != u"check" && words[1] != u"list"))
        return Invalid(QStringLiteral("print needs: check or list"));
    if (command.account.isEmpty())
        return Invalid(QStringLiteral("print %1 needs --account NAME|KEY").arg(words[1]));
    if (words[1] == u"check") {
        if (listOptions)
            return Invalid(QStringLiteral("--from, --to and --comments belong to print list"));
        if (command.record.isEmpty())
            return Invalid(QStringLiteral("print check needs --account NAME|KEY and --record N"));
        bool number = false;
        if (command.record.trimmed().toInt(&number) < 1 || !number)
            return Invalid(QStringLiteral("--record needs a record number (1, 2, ...)"));
        command.action = CommandLine::Action::PrintCheck;
        return command;
    }
    if (checkOptions)
        return Invalid(QStringLiteral("--record, --number and --comment belong to print check"));
    if (command.from.isValid() != command.to.isValid())
        return Invalid(QStringLiteral("--from and --to go together"));
    if (command.from.isValid() && command.to < command.from)
        return Invalid(QStringLiteral("--to cannot be earlier than --from"));
    command.action = CommandLine::Action::PrintList;
    return command;
}

// `import FILE --account A [--format F] [--date-order O] [--statement ID] [--dry-run]`.
CommandLine ImportCommand(CommandLine command, const QStringList& words, bool otherOptions)
{
    if (words.size() != 2 || words[1].isEmpty())
        return Invalid(QStringLiteral("import needs one statement file"));
    if (command.account.isEmpty())
        return Invalid(QStringLiteral("import needs --account NAME|KEY"));
    if (otherOptions || command.force || command.yes)
        return Invalid(QStringLiteral("import takes --account, --format, --date-order, --statement, --dry-run and --data-dir"));
    command.action = CommandLine::Action::Import;
    command.statementFile = words[1];
    return command;
}

}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine command;
    QStringList words;
    std::optional<QString> searchSpec, searchYear, format;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        // After "--" every argument is a word, even one starting with "-".
        if (optionsEnded) {
            words.append(argument);
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        auto valueOf = [&](const QString& option, QString& into) {
            if (argument.startsWith(option + u'=')) {
                into = argument.mid(option.size() + 1);
                return true;
            }
            if (argument != option)
                return false;
            if (i + 1 >= arguments.size())
                into = QString();
            else
                into = arguments[++i];
            return true;
        };
        QString value;
        if (argument == u"-h" || argument == u"--help") {
            command.action = CommandLine::Action::Help;
            return command;
        }
        if (valueOf(QStringLiteral("--data-dir"), value)) {
            if (value.isEmpty())
                return Invalid(QStringLiteral("--data-dir needs a folder"));
            command.dataDir = value;
        } else if (valueOf(QStringLiteral("--account"), value)) {
            if (value.isEmpty())
                return Invalid(QStringLiteral("--account needs an account name or key"));
            command.account = value;
        } else if (valueOf(QStringLiteral("--search"), value)) {
            searchSpec = value;
        } else if (valueOf(QStringLiteral("--year"), value)) {
            searchYear = value;
        } else if (valueOf(QStringLiteral("--format"), value)) {
            // Which formats are known depends on the command: checked below,
            // once every word is known.
            const std::optional<StatementFormat> known = FormatFromName(value.toLower());
            if (!known || *known == StatementFormat::Detect)
                return Invalid(!words.isEmpty() && words.first() == u"import"
                                   ? QStringLiteral("--format needs ofx, qif or csv")
                                   : QStringLiteral("--format needs csv or qif"));
            format = value.toLower();
        } else if (argument == u"--force") {
            command.force = true;
        } else if (argument == u"--yes") {
            command.yes = true;
        } else if (valueOf(QStringLiteral("--currency"), value)) {
            if (value != u"dollar" && value != u"pound")
                return Invalid(QStringLiteral("--currency needs dollar or pound"));
            command.currency = value;
        } else if (valueOf(QStringLiteral("--record"), value)) {
            if (value.isEmpty())
                return Invalid(QStringLiteral("--record needs a record number"));
            command.record = value;
        } else if (valueOf(QStringLiteral("--pdf"), value)) {
            if (value.isEmpty())
                return Invalid(QStringLiteral("--pdf needs a file name"));
            command.pdfFile = value;
        } else if (valueOf(QStringLiteral("--from"), value) || valueOf(QStringLiteral("--to"), value)) {
            const bool isFrom = argument.startsWith(QStringLiteral("--from"));
            const QDate day = QDate::fromString(value, Qt::ISODate);
            if (!day.isValid() || value.size() != 10)
                return Invalid(QStringLiteral("%1 needs a date YYYY-MM-DD").arg(isFrom ? u"--from" : u"--to"));
            (isFrom ? command.from : command.to) = day;
        } else if (valueOf(QStringLiteral("--date-order"), value)) {
            if (!DateOrderFromName(value))
                return Invalid(QStringLiteral("--date-order needs mdy, dmy or ymd"));
            command.dateOrder = value;
        } else if (valueOf(QStringLiteral("--statement"), value)) {
            if (value.isEmpty())
                return Invalid(QStringLiteral("--statement needs the account id of a statement"));
            command.statementId = value;
        } else if (argument == u"--dry-run") {
            command.dryRun = true;
        } else if (argument == u"--comments") {
            command.comments = true;
        } else if (argument == u"--number") {
            command.printNumber = true;
        } else if (argument == u"--comment") {
            command.printComment = true;
        } else if (argument.startsWith(u'-') && !ReadsAsNumber(argument)) {
            return Invalid(QStringLiteral("unknown option %1").arg(argument));
        } else {
            words.append(argument);
        }
    }

    if (format) {
        command.format = *format;
        const bool exportRegister = words == QStringList{QStringLiteral("export"), QStringLiteral("register")};
        const bool import = !words.isEmpty() && words.first() == u"import";
        if (!exportRegister && !import)
            return Invalid(QStringLiteral("--format belongs to export register and import"));
        if (exportRegister && command.format != u"csv" && command.format != u"qif")
            return Invalid(QStringLiteral("--format needs csv or qif"));
        if (import && !FormatFromName(command.format))
            return Invalid(QStringLiteral("--format needs ofx, qif or csv"));
    }
    if (searchYear && !searchSpec)
        return Invalid(QStringLiteral("--year belongs to --search"));
    if (searchYear && searchYear->isEmpty())
        return Invalid(QStringLiteral("--year needs a year"));
    if (searchSpec) {
        const bool searchable = words.size() == 2
            && ((words[0] == u"export" && (words[1] == u"register" || words[1] == u"summary"))
                || (words[0] == u"print" && words[1] == u"list"));
        if (!searchable)
            return Invalid(QStringLiteral("--search belongs to export register, export summary and print list"));
        QString problem;
        command.search = ParseSearchSpec(*searchSpec, searchYear.value_or(QString()), problem);
        if (!command.search)
            return Invalid(problem);
    }
    const bool checkOptions = !command.record.isEmpty() || command.printNumber || command.printComment;
    const bool listOptions = command.from.isValid() || command.to.isValid() || command.comments;
    if (!words.isEmpty() && words.first() == u"words") {
        if (words.size() != 2)
            return Invalid(QStringLiteral("words needs one amount"));
        if (!command.account.isEmpty() || checkOptions || listOptions || !command.pdfFile.isEmpty())
            return Invalid(QStringLiteral("words takes only --currency"));
        command.action = CommandLine::Action::Words;
        command.amount = words[1];
        return command;
    }
    if (!command.currency.isEmpty())
        return Invalid(QStringLiteral("--currency belongs to words"));
    if (!words.isEmpty() && words.first() == u"import")
        return ImportCommand(command, words, checkOptions || listOptions || !command.pdfFile.isEmpty());
    if (command.dryRun || !command.dateOrder.isEmpty() || !command.statementId.isEmpty())
        return Invalid(QStringLiteral("--date-order, --statement and --dry-run belong to import"));
    if (!words.isEmpty() && words.first() == u"print")
        return PrintCommand(command, words, checkOptions, listOptions);
    if (checkOptions || listOptions || !command.pdfFile.isEmpty())
        return Invalid(QStringLiteral("--record, --number, --comment, --from, --to, --comments and --pdf belong to print"));

    // The menu entry opens a downloaded statement with "tallyo FILE": the
    // program starts as usual and keeps the file (made absolute before the
    // data folder becomes the working folder).
    static const QRegularExpression statement(QStringLiteral("\\.(ofx|qfx|qif)$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (words.size() == 1 && statement.match(words.first()).hasMatch()) {
        command.statementFile = QDir::current().absoluteFilePath(words.first());
        words.clear();
    }
    if (words.isEmpty()) {
        if (!command.account.isEmpty())
            return Invalid(QStringLiteral("--account belongs to export register"));
        if (command.force || command.yes)
            return Invalid(QStringLiteral("--force belongs to backup, --yes to restore"));
        return command;
    }
    if (words.first() == u"backup" || words.first() == u"restore")
        return BackupCommand(command, words);
    if (command.force || command.yes)
        return Invalid(QStringLiteral("--force belongs to backup, --yes to restore"));
    if (words.first() != u"export")
        return Invalid(QStringLiteral("unknown command %1").arg(words.first()));
    if (words.size() != 2)
        return Invalid(QStringLiteral("export needs one of: accounts, register, summary, layout"));
    if (words[1] == u"accounts") {
        if (!command.account.isEmpty())
            return Invalid(QStringLiteral("--account belongs to export register, summary and layout"));
        command.action = CommandLine::Action::ExportAccounts;
    } else if (words[1] == u"register" || words[1] == u"summary" || words[1] == u"layout") {
        if (command.account.isEmpty())
            return Invalid(QStringLiteral("export %1 needs --account NAME|KEY").arg(words[1]));
        command.action = words[1] == u"register" ? CommandLine::Action::ExportRegister
            : words[1] == u"summary"             ? CommandLine::Action::ExportSummary
                                                 : CommandLine::Action::ExportLayout;
    } else {
        return Invalid(QStringLiteral("unknown export %1").arg(words[1]));
    }
    return command;
}

CommandLine ParseCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray given(argv[i]);
        arguments.append(QFile::decodeName(given));
        // A name that is not valid in the system's encoding would come back
        // as other bytes, naming another file: refused, not changed.
        if (QFile::encodeName(arguments.last()) != given)
            return Invalid(QStringLiteral("the argument %1 is not valid UTF-8; rename the file or folder")
                               .arg(arguments.last()));
    }
    return ParseCommandLine(arguments);
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  tallyo [--data-dir DIR]                      start the program\n"
        "  tallyo export accounts [--data-dir DIR]      the account index as CSV\n"
        "  tallyo export register --account NAME|KEY [--data-dir DIR]\n"
        "                                               an account's register as CSV\n"
        "         [--format csv|qif]                    as CSV (the default) or as QIF\n"
        "         [--search KIND=TEXT [--year YYYY]]    only the transactions a search finds;\n"
        "                                               KIND: month, month-year, year, check,\n"
        "                                               type, payee, credit, debit, comment, notes\n"
        "  tallyo backup FOLDER [--force] [--data-dir DIR]\n"
        "                                               copy the data files into FOLDER\n"
        "  tallyo restore FOLDER [--yes] [--data-dir DIR]\n"
        "                                               copy them back from FOLDER\n"
        "  tallyo export layout --account NAME|KEY [--data-dir DIR]\n"
        "                                               an account's check layout as CSV\n"
        "  tallyo words AMOUNT [--currency dollar|pound]\n"
        "                                               an amount in words, as on a check\n"
        "  tallyo print check --account NAME|KEY --record N [--number] [--comment]\n"
        "                     [--pdf FILE] [--data-dir DIR]\n"
        "                                               prints the check of transaction\n"
        "                                               record N (see export register)\n"
        "  tallyo export summary --account NAME|KEY [--data-dir DIR]\n"
        "                                               an account's text summary\n"
        "  tallyo print list --account NAME|KEY [--from YYYY-MM-DD --to YYYY-MM-DD]\n"
        "                    [--comments] [--pdf FILE] [--data-dir DIR]\n"
        "                                               an account's printed list, on the\n"
        "                                               default printer or into FILE\n"
        "         [--search KIND=TEXT [--year YYYY]]    both also of a search's matches only\n"
        "  tallyo import FILE --account NAME|KEY [--format ofx|qif|csv]\n"
        "                [--date-order mdy|dmy|ymd] [--statement ACCTID] [--dry-run] [--data-dir DIR]\n"
        "                                               a bank statement into the account: new\n"
        "                                               lines added, matching ones cleared\n"
        "\n"
        "DIR defaults to $XDG_DATA_HOME/Tallyo (~/.local/share/Tallyo).\n");
}

QString DataFolder(const QString& given)
{
    // Not cleaned as text: "link/.." is left for the system to resolve.
    if (!given.isEmpty())
        return QDir::current().absoluteFilePath(given);
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/Tallyo"));
}

}
