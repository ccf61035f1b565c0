#include "backupcommand.h"

#include "appsettings.h"

#include "platform/platform.h"
#include "platform/singleinstance.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "store/recordjournal.h"
#include "store/signalcleanup.h"
#include "store/switchjournal.h"
#include "util/productinfo.h"
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
    InstallSignalCleanup();
    const bool backup = command.action == CommandLine::Action::Backup;
    // The folder named on the command line, taken from where the command
    // runs and left for the system to resolve ("link/.." is not cleaned).
    const QString picked = QDir::current().absoluteFilePath(command.folder);
    const QString folder = DataFolder(command.dataDir);
    const QFileInfo dataInfo(folder);

    // A restore replaces the files the running program has open: it waits
    // until no copy runs, and keeps others from starting meanwhile.
    SingleInstance instance;
    if (!backup) {
        if (!instance.tryLock()) {
            if (instance.heldByAnotherCopy())
                err << "Another copy of " << ApplicationTitle << " is running. Close it before restoring the data files.\n";
            else
                err << "The lock file " << instance.lockPath() << " cannot be made: " << instance.failureReason()
                    << "\n";
            return 1;
        }
    } else {
        if (!dataInfo.exists()) {
            err << "The data folder " << folder << " does not exist.\n";
            return 1;
        }
        if (!dataInfo.isDir()) {
            err << "The data folder " << folder << " is not a folder.\n";
            return 1;
        }
        if (!QDir::setCurrent(folder)) {
            err << "The data folder " << folder << " cannot be used.\n";
            return 1;
        }
        if (!FileExists(QString::fromLatin1(AccountIndexFileName)) && !SwitchJournal::exists(folder)) {
            err << "There is nothing to back up: " << folder << " holds no " << AccountIndexFileName << ".\n";
            return 1;
        }
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
    const bool done = backup ? BackupData(owner) : RestoreData(owner, folder).restored;
    platform() = before;
    out.flush();
    return done ? 0 : 1;
}

bool FinishUnfinishedSwitchBefore(const CommandLine& command, QTextStream& err)
{
    switch (command.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Invalid:
    case CommandLine::Action::Words:
    case CommandLine::Action::Desktop:
        return true;
    default:
        break;
    }
    const QString folder = DataFolder(command.dataDir);
    try {
        FinishUnfinishedSwitch(folder);
        UndoUnfinishedRecordChanges(folder);
    } catch (const FileError& error) {
        err << "tallyo: " << error.message().replace(QStringLiteral("\r\n"), QStringLiteral(" ")) << "\n";
        return false;
    }
    return true;
}

}
