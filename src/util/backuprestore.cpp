#include "backuprestore.h"

#include "dates.h"
#include "productinfo.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "backuprestorefolders.h"
#include "store/foldercopy.h"
#include "store/signalcleanup.h"
#include "store/switchjournal.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <initializer_list>
#include <sys/stat.h>

namespace tallyo {

namespace {

const QString CancelBackup = QStringLiteral("Cancel backup procedure");
const QString CancelRestore = QStringLiteral("Cancel restore procedure");

QString lines(std::initializer_list<QString> parts)
{
    return QStringList(parts).join(QStringLiteral("\r\n"));
}

QString quoted(const QString& folder)
{
    return u'\'' + folder + u'\'';
}

const QStringList& dataFileList()
{
    return SharedDisplayValues().DataFileList;
}

// The first data file marks a folder that holds this program's data.
QString markerFile()
{
    return dataFileList().value(0);
}


// "Drive or Folder Access Problem", with the system's reason when known.
void ShowAccessProblem(const QStringList& where, const QString& reason, const QString& cancel)
{
    QString text = QStringLiteral("There is some kind of problem trying to\r\n") + where.join(QStringLiteral("\r\n"));
    if (!reason.isEmpty())
        text += QStringLiteral("\r\n\r\n") + reason;
    prompts().ask(QStringLiteral("Drive or Folder Access Problem"), IconExclamation, text, 1, {u'&' + cancel});
}

// The owner window busy, with its caption put back, for one copy.
class BusyOwner {
public:
    explicit BusyOwner(ProcedureOwner& owner) : owner_(owner), caption_(owner.caption())
    {
        owner_.setBusy(true);
    }
    ~BusyOwner()
    {
        owner_.setBusy(false);
        owner_.setCaption(caption_);
    }
    BusyOwner(const BusyOwner&) = delete;
    BusyOwner& operator=(const BusyOwner&) = delete;

private:
    ProcedureOwner& owner_;
    QString caption_;
};

enum class Direction { Backup, Restore };

struct CopyFailure {
    QString name;    // the data file being copied
    QString reason;  // the system's words
    bool targetAsItWas = true;
};

// Copies every data file that exists in `from` into `to`, all or none.
std::optional<CopyFailure> CopyDataFiles(ProcedureOwner& owner, const QString& from, const QString& to,
                                         Direction direction)
{
    QString current;
    FolderCopy copy(from, to);
    try {
        for (const QString& name : dataFileList()) {
            if (!FileExists(from + name))
                continue;
            current = name;
            if (direction == Direction::Backup) {
                owner.setCaption(QStringLiteral("Copying ") + name + QStringLiteral("..."));
                pace().pause(1000);
            } else {
                owner.setCaption(QStringLiteral("Restoring ") + name);
                pace().letEventsRun();
            }
            // A backup may run beside the program, which may be appending.
            copy.copy(name, direction == Direction::Backup ? RecordLengthOf(name) : 0);
        }
        copy.commit();
    } catch (const FileError& error) {
        QString name = QFileInfo(error.file()).fileName();
        if (!dataFileList().contains(name))
            name = current;
        return CopyFailure{name, error.reason(), copy.targetAsItWas()};
    }
    return std::nullopt;
}

// Copies the data files of the data folder into a new dated folder beside
// it. Gives the folder, or the empty text when there was nothing to keep.
// Throws FileError; a failed copy leaves no folder behind.
QString KeepCurrentData(const QString& dataFolder)
{
    bool any = false;
    for (const QString& name : dataFileList())
        any = any || FileExists(dataFolder + name);
    if (!any)
        return {};
    const QString kept = KeptDataFolder(dataFolder, clock().now());
    const QString keptPath = QDir::cleanPath(kept);
    if (::mkdir(QFile::encodeName(keptPath).constData(), 0700) != 0)
        throw FileError(keptPath, QStringLiteral("create"), SystemReason(errno));
    // A stop while it is filled leaves no empty folder behind.
    RemoveOnSignal removal(keptPath, RemoveOnSignal::Kind::EmptyFolder);
    try {
        FolderCopy copy(dataFolder, kept);
        for (const QString& name : dataFileList()) {
            if (FileExists(dataFolder + name))
                copy.copy(name);
        }
        copy.commit();
    } catch (const FileError&) {
        QDir().rmdir(keptPath);
        throw;
    }
    removal.release();
    return kept;
}

}

QString DataFolderPath()
{
    return WithTrailingSlash(QDir::currentPath());
}

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}


std::optional<QStringList> FolderFiles(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!IsCopyLeftover(name))
            files.append(name);
    }
    return files;
}

QString KeptDataFolder(const QString& dataFolder, const QDateTime& now)
{
    const QFileInfo data(QDir::cleanPath(dataFolder));
    const QString base = data.absolutePath() + u'/' + data.fileName() + QStringLiteral("-before-restore-")
        + FormatStamp(now);
    QString folder = base;
    for (int number = 2; QFileInfo::exists(folder); ++number)
        folder = base + u'-' + QString::number(number);
    return folder + u'/';
}

namespace {

// Why a procedure cannot use its folders, in the window's words; nothing
// when the locks are taken and the folders are recovered.
std::optional<QString> TakeFolders(FolderLocks& locks, const QString& written, const QString& read,
                                   const QString& cancel)
{
    if (LockFolders(locks, written, read)) {
        try {
            // An interrupted switch is finished before anything is read.
            SwitchJournal::recover(written);
            ClearCopyLeftovers(written, dataFileList());
            SwitchJournal::recover(read);
            return std::nullopt;
        } catch (const FileError& error) {
            locks.failure = error.reason();
        }
    }
    if (!locks.busyFolder.isEmpty()) {
        prompts().ask(QStringLiteral("Folder in Use"), IconExclamation,
                      lines({QStringLiteral("Another backup or restore is using"), quoted(locks.busyFolder), QString(),
                             QStringLiteral("Try again when it has finished.")}),
                      1, {u'&' + cancel});
        return QString();
    }
    return locks.failure;
}

}

bool BackupData(ProcedureOwner& owner)
{
    const QString& title = ApplicationTitle;
    QString folder = prompts().pickFolder(
        QStringLiteral("Select a disk/drive/folder to copy (backup)\r\nyour ") + title
            + QStringLiteral(" data files to..."),
        QDir::homePath());
    if (folder.isEmpty())
        return false;
    const QString dataFolder = DataFolderPath();
    if (IsSameFolder(folder, dataFolder)) {
        prompts().ask(QStringLiteral("Invalid Procedure"), IconStop,
                      lines({QStringLiteral("You can not backup ") + title,
                             QStringLiteral("data to itself in the same folder!")}),
                      1, {u'&' + CancelBackup});
        return false;
    }
    folder = WithTrailingSlash(folder);
    auto accessProblem = [](const QString& reason) {
        ShowAccessProblem({QStringLiteral("access the selected backup location"),
                           QStringLiteral("that you specified...")},
                          reason, CancelBackup);
    };
    if (!FolderFiles(folder)) {
        accessProblem(QString());
        return false;
    }
    // Held to the end: no other backup or restore writes into the folder,
    // or changes the data files, while these are copied.
    FolderLocks locks;
    if (const std::optional<QString> problem = TakeFolders(locks, folder, dataFolder, CancelBackup)) {
        if (!problem->isEmpty())
            accessProblem(*problem);
        return false;
    }
    const std::optional<QStringList> files = FolderFiles(folder);
    if (!files) {
        accessProblem(QString());
        return false;
    }
    int answer = 0;
    if (!files->isEmpty() && !files->contains(markerFile())) {
        answer = prompts().ask(
            QStringLiteral("Caution"), IconQuestion,
            lines({QStringLiteral("The data backup location you selected:"), QString(), quoted(folder), QString(),
                   QStringLiteral("contains files that are not related to this software!"), QString(),
                   QStringLiteral("Are you sure you still wish to continue with this backup?")}),
            2, {QStringLiteral("&Yes, Continue"), QStringLiteral("&No, ") + CancelBackup});
    } else {
        answer = prompts().ask(QStringLiteral("Ready to Backup..."), IconInformation,
                               lines({QStringLiteral("You have selected:"), QString(), quoted(folder), QString(),
                                      QStringLiteral("as your data backup location."), QString(),
                                      QStringLiteral("Are you ready to proceed?")}),
                               2, {QStringLiteral("&Yes, Backup the files now"), QStringLiteral("&No, ") + CancelBackup});
    }
    if (answer != 1)
        return false;

    std::optional<CopyFailure> failure;
    {
        BusyOwner busy(owner);
        failure = CopyDataFiles(owner, dataFolder, folder, Direction::Backup);
    }
    // The folders are as they will stay: no lock is held while a message waits.
    locks.written.unlock();
    locks.read.unlock();
    if (failure) {
        prompts().ask(QStringLiteral("File Backup Error"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem"),
                             QStringLiteral("trying to copy ") + failure->name, QString(), failure->reason, QString(),
                             failure->targetAsItWas
                                 ? QStringLiteral("The files at the backup location are as they were.")
                                 : QStringLiteral("Some files at the backup location were replaced: back up again.")}),
                      1, {u'&' + CancelBackup});
        return false;
    }
    prompts().ask(QStringLiteral("Backup Successful"), IconInformation,
                  lines({QStringLiteral("Your current ") + title + QStringLiteral(" data files"),
                         QStringLiteral("have been successfully backed up!")}),
                  1, {QStringLiteral("Thank you, &continue")});
    return true;
}

RestoreOutcome RestoreData(ProcedureOwner& owner, const QString& dataFolderGiven)
{
    const QString& title = ApplicationTitle;
    QString folder = prompts().pickFolder(QStringLiteral("Select the disk/drive/folder that contains your\r\n")
                                              + QStringLiteral("previously backed up ") + title
                                              + QStringLiteral(" data files\r\nthat you wish to restore..."),
                                          QDir::homePath());
    if (folder.isEmpty())
        return {};
    QString dataFolder = dataFolderGiven.isEmpty() ? DataFolderPath() : WithTrailingSlash(dataFolderGiven);
    if (IsSameFolder(folder, dataFolder)) {
        prompts().ask(QStringLiteral("Invalid Procedure"), IconStop,
                      lines({QStringLiteral("You can not restore ") + title,
                             QStringLiteral("data to itself in the same folder!")}),
                      1, {u'&' + CancelRestore});
        return {};
    }
    folder = WithTrailingSlash(folder);
    auto accessProblem = [](const QString& reason) {
        ShowAccessProblem({QStringLiteral("access the backed up data file at"),
                           QStringLiteral("the location that you specified...")},
                          reason, CancelRestore);
    };
    if (!FolderFiles(folder)) {
        accessProblem(QString());
        return {};
    }
    auto requiredMissing = [&] {
        prompts().ask(QStringLiteral("Required file(s) missing"), IconExclamation,
                      lines({quoted(folder), QString(), QStringLiteral("doesn't appear to contain previously saved"),
                             QStringLiteral("backup data file(s) that you need to restore"),
                             QStringLiteral("your ") + title + QStringLiteral(" data.")}),
                      1, {u'&' + CancelRestore});
    };
    // A backup whose last switch was stopped still has its marker.
    if (!FileExists(folder + markerFile()) && !SwitchJournal::exists(folder)) {
        requiredMissing();
        return {};
    }
    // Only now, with something to restore, is a missing data folder made.
    try {
        MakePrivateFolder(dataFolder);
    } catch (const FileError& error) {
        prompts().ask(QStringLiteral("File Restore Error"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem"),
                             QStringLiteral("trying to use the data folder ") + quoted(dataFolder), QString(),
                             error.reason(), QString(), QStringLiteral("Nothing has been restored.")}),
                      1, {u'&' + CancelRestore});
        return {};
    }
    dataFolder = ResolvedFolder(dataFolder);
    FolderLocks locks;
    if (const std::optional<QString> problem = TakeFolders(locks, dataFolder, folder, CancelRestore)) {
        if (!problem->isEmpty())
            accessProblem(*problem);
        return {};
    }
    try {
        ClearInterruptedKeptFolders(dataFolder);
    } catch (const FileError&) {
        // Only tidying: the restore does not need it.
    }
    if (!FileExists(folder + markerFile())) {
        requiredMissing();
        return {};
    }
    if (FileExists(dataFolder + markerFile())) {
        const int answer = prompts().ask(
            QStringLiteral("Important! Please read carefully..."), IconInformation,
            lines({QStringLiteral("You are about to replace your current data files"),
                   QStringLiteral("with previously made backup data files."), QString(),
                   QStringLiteral("Once completed, this action can not be undone."), QString(),
                   QStringLiteral("Are you sure you're ready to continue?")}),
            2, {QStringLiteral("&Yes, Restore the files now"), QStringLiteral("&No, ") + CancelRestore});
        if (answer != 1)
            return {};
    }

    RestoreOutcome outcome;
    std::optional<CopyFailure> failure;
    QString keepFailure;
    {
        BusyOwner busy(owner);
        // No data file may stay open across the exchange.
        dataFiles().reset();
        try {
            outcome.keptFolder = KeepCurrentData(dataFolder);
        } catch (const FileError& error) {
            keepFailure = error.reason();
        }
        if (keepFailure.isEmpty())
            failure = CopyDataFiles(owner, folder, dataFolder, Direction::Restore);
    }
    locks.written.unlock();
    locks.read.unlock();
    if (!keepFailure.isEmpty()) {
        prompts().ask(QStringLiteral("File Restore Error"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem"),
                             QStringLiteral("trying to keep a copy of your current data"),
                             QStringLiteral("beside ") + quoted(dataFolder), QString(), keepFailure, QString(),
                             QStringLiteral("Nothing has been restored.")}),
                      1, {u'&' + CancelRestore});
        return {};
    }
    if (failure) {
        // The current files are as they were: their copy is not needed.
        if (!outcome.keptFolder.isEmpty() && failure->targetAsItWas)
            QDir(outcome.keptFolder).removeRecursively();
        prompts().ask(QStringLiteral("File Restore Error"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem"),
                             QStringLiteral("trying to restore ") + failure->name, QString(), failure->reason,
                             QString(),
                             failure->targetAsItWas
                                 ? QStringLiteral("Your current data files are as they were.")
                                 : QStringLiteral("Some data files were replaced; the earlier ones are kept in ")
                                     + quoted(outcome.keptFolder)}),
                      1, {u'&' + CancelRestore});
        return {};
    }
    QString text = lines({QStringLiteral("Your previously backed up "), title + QStringLiteral(" data files"),
                          QStringLiteral("have been successfully restored!")});
    if (!outcome.keptFolder.isEmpty())
        text += QStringLiteral("\r\n\r\n")
            + lines({QStringLiteral("Your data files as they were before"), QStringLiteral("are kept in:"),
                     quoted(outcome.keptFolder)});
    prompts().ask(QStringLiteral("Restore Successful"), IconInformation, text, 1,
                  {QStringLiteral("Thank you, &continue")});
    outcome.restored = true;
    return outcome;
}

}
