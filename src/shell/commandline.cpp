#include "commandline.h"

#include "register/searchspec.h"

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
    std::optional<QString> searchSpec, searchYear;
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
        } else if (valueOf(QStringLiteral("--search"), value)) {
            searchSpec = value;
        } else if (valueOf(QStringLiteral("--year"), value)) {
            searchYear = value;
        } else if (argument.startsWith(u'-')) {
            return Invalid(QStringLiteral("unknown option %1").arg(argument));
        } else {
            words.append(argument);
        }
    }

    if (searchYear && !searchSpec)
        return Invalid(QStringLiteral("--year belongs to --search"));
    if (searchYear && searchYear->isEmpty())
        return Invalid(QStringLiteral("--year needs a year"));
    if (searchSpec) {
        if (words.size() != 2 || words[0] != u"export" || words[1] != u"register")
            return Invalid(QStringLiteral("--search belongs to export register"));
        QString problem;
        command.search = ParseSearchSpec(*searchSpec, searchYear.value_or(QString()), problem);
        if (!command.search)
            return Invalid(problem);
    }

    if (words.isEmpty()) {
        if (!command.account.isEmpty())
            return Invalid(QStringLiteral("--account belongs to export register"));
        return command;
    }
    if (words.first() != u"export")
        return Invalid(QStringLiteral("unknown command %1").arg(words.first()));
    if (words.size() != 2)
        return Invalid(QStringLiteral("export needs one of: accounts, register"));
    if (words[1] == u"accounts") {
        if (!command.account.isEmpty())
            return Invalid(QStringLiteral("--account belongs to export register"));
        command.action = CommandLine::Action::ExportAccounts;
    } else if (words[1] == u"register") {
        if (command.account.isEmpty())
            return Invalid(QStringLiteral("export register needs --account NAME|KEY"));
        command.action = CommandLine::Action::ExportRegister;
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
        "         [--search KIND=TEXT [--year YYYY]]    only the transactions a search finds;\n"
        "                                               KIND: month, month-year, year, check,\n"
        "                                               type, payee, credit, debit, comment, notes\n"
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
