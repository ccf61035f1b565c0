#include "backupcommand.h"

#include "appsettings.h"

#include "platform/platform.h"
#include "store/datafiles.h"
#include "store/fileio.h"
#include "util/backuprestore.h"

#include <QDir>
#include <QFileInfo>

namespace tallyo {

namespace {

QString plainText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return plain;
}

// The questions of the procedures answered as the command line asked.
class CommandPrompts : public Prompts {
public:
    CommandPrompts(const CommandLine& command, QString folder, QTextStream& out, QTextStream& err)
        : command_(command), folder_(std::move(folder)), out_(out), err_(err)
    {
    }

    MessageAnswer showMessage(const MessageRequest& request) override
    {
        if (request.captions.size() > 1) {
            // A question: the flag that answers it, if it needs one.
            QString flag;
            bool given = true;
            if (request.title == u"Caution") {
                flag = QStringLiteral("--force");
                given = command_.force;
            } else if (request.title.startsWith(u"Important!")) {
                flag = QStringLiteral("--yes");
                given = command_.yes;
            }
            if (given)
                return {1, false};
            err_ << request.title << "\n" << plainText(request.text) << "\n\n"
                 << "Run again with " << flag << " to go on.\n";
            return {2, false};
        }
        QTextStream& to = request.iconKind == IconInformation ? out_ : err_;
        to << request.title << "\n" << plainText(request.text) << "\n";
        return {1, false};
    }

    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString pickFolder(const QString&, const QString&) override { return folder_; }

private:
    const CommandLine& command_;
    QString folder_;
    QTextStream& out_;
    QTextStream& err_;
};

// No window: the progress is not shown.
class NoOwner : public ProcedureOwner {
public:
    QString caption() const override { return {}; }
    void setCaption(const QString&) override {}
    void setBusy(bool) override {}
};

}

int RunBackupCommand(const CommandLine& command, QTextStream& out, QTextStream& err)
{
    const bool backup = command.action == CommandLine::Action::Backup;
    // The folder named on the command line, before the data folder becomes
    // the working folder.
    const QString picked = QDir::cleanPath(QDir::current().absoluteFilePath(command.folder));
    const QString folder = DataFolder(command.dataDir);
    if (backup && !QFileInfo(folder).isDir()) {
        err << "The data folder " << folder << " does not exist.\n";
        return 1;
    }
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        err << "The data folder " << folder << " cannot be used.\n";
        return 1;
    }
    if (backup && !FileExists(QString::fromLatin1(AccountIndexFileName))) {
        err << "There is nothing to back up: " << folder << " holds no " << AccountIndexFileName << ".\n";
        return 1;
    }

    DisplayValues& values = SharedDisplayValues();
    if (values.DataFileList.isEmpty())
        values.DataFileList = {QString::fromLatin1(AccountIndexFileName), QString::fromLatin1(TransactionFileName),
                               QString::fromLatin1(ListFileName)};
    CommandPrompts answers(command, picked, out, err);
    EventPace noPauses(0);
    SystemClock systemClock;
    const Platform before = platform();
    platform().prompts = &answers;
    platform().pace = &noPauses;
    platform().clock = &systemClock;
    NoOwner owner;
    const bool done = backup ? BackupData(owner) : RestoreData(owner).restored;
    platform() = before;
    out.flush();
    return done ? 0 : 1;
}

}
