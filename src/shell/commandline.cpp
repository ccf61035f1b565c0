#include "commandline.h"

#include <QDir>

namespace tallyo {

namespace {

CommandLine Invalid(const QString& reason)
{
    CommandLine invalid;
    invalid.action = CommandLine::Action::Invalid;
    invalid.error = reason;
    return invalid;
}

}

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine command;
    QStringList words;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
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
        } else if (valueOf(QStringLiteral("--from"), value) || valueOf(QStringLiteral("--to"), value)) {
            const bool isFrom = argument.startsWith(QStringLiteral("--from"));
            const QDate day = QDate::fromString(value, Qt::ISODate);
            if (!day.isValid() || value.size() != 10)
                return Invalid(QStringLiteral("%1 needs a date YYYY-MM-DD").arg(isFrom ? u"--from" : u"--to"));
            (isFrom ? command.from : command.to) = day;
        } else if (argument == u"--comments") {
            command.comments = true;
        } else if (valueOf(QStringLiteral("--pdf"), value)) {
            if (value.isEmpty())
                return Invalid(QStringLiteral("--pdf needs a file"));
            command.pdfFile = value;
        } else if (argument.startsWith(u'-')) {
            return Invalid(QStringLiteral("unknown option %1").arg(argument));
        } else {
            words.append(argument);
        }
    }

    const bool printOptions = command.from.isValid() || command.to.isValid() || command.comments
        || !command.pdfFile.isEmpty();
    if (words.isEmpty()) {
        if (!command.account.isEmpty())
            return Invalid(QStringLiteral("--account belongs to export register, export summary or print list"));
        if (printOptions)
            return Invalid(QStringLiteral("--from, --to, --comments and --pdf belong to print list"));
        return command;
    }
    if (words.first() == u"print") {
        if (words.size() != 2 || words[1] != u"list")
            return Invalid(QStringLiteral("print needs: list"));
        if (command.account.isEmpty())
            return Invalid(QStringLiteral("print list needs --account NAME|KEY"));
        if (command.from.isValid() != command.to.isValid())
            return Invalid(QStringLiteral("--from and --to go together"));
        if (command.from.isValid() && command.to < command.from)
            return Invalid(QStringLiteral("--to cannot be earlier than --from"));
        command.action = CommandLine::Action::PrintList;
        return command;
    }
    if (words.first() != u"export")
        return Invalid(QStringLiteral("unknown command %1").arg(words.first()));
    if (printOptions)
        return Invalid(QStringLiteral("--from, --to, --comments and --pdf belong to print list"));
    if (words.size() != 2)
        return Invalid(QStringLiteral("export needs one of: accounts, register, summary"));
    if (words[1] == u"accounts") {
        if (!command.account.isEmpty())
            return Invalid(QStringLiteral("--account belongs to export register, export summary or print list"));
        command.action = CommandLine::Action::ExportAccounts;
    } else if (words[1] == u"register" || words[1] == u"summary") {
        if (command.account.isEmpty())
            return Invalid(QStringLiteral("export %1 needs --account NAME|KEY").arg(words[1]));
        command.action =
            words[1] == u"register" ? CommandLine::Action::ExportRegister : CommandLine::Action::ExportSummary;
    } else {
        return Invalid(QStringLiteral("unknown export %1").arg(words[1]));
    }
    return command;
}

QString UsageText()
{
    return QStringLiteral(
        "Usage:\n"
        "  tallyo [--data-dir DIR]                      start the program\n"
        "  tallyo export accounts [--data-dir DIR]      the account index as CSV\n"
        "  tallyo export register --account NAME|KEY [--data-dir DIR]\n"
        "                                               an account's register as CSV\n"
        "  tallyo export summary --account NAME|KEY [--data-dir DIR]\n"
        "                                               an account's text summary\n"
        "  tallyo print list --account NAME|KEY [--from YYYY-MM-DD --to YYYY-MM-DD]\n"
        "                    [--comments] [--pdf FILE] [--data-dir DIR]\n"
        "                                               an account's printed list, on the\n"
        "                                               default printer or into FILE\n"
        "\n"
        "DIR defaults to $XDG_DATA_HOME/Tallyo (~/.local/share/Tallyo).\n");
}

QString DataFolder(const QString& given)
{
    if (!given.isEmpty())
        return QDir::cleanPath(QDir::current().absoluteFilePath(given));
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/Tallyo"));
}

}
