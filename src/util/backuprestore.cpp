#include "backuprestore.h"

#include "dates.h"
#include "productinfo.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "store/foldercopy.h"

#include <QDir>
#include <QFileInfo>
#include <initializer_list>

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

bool isCopyLeftover(const QString& fileName)
{
    for (const QString& name : dataFileList()) {
        if (fileName == FolderCopy::scratchName(name) || fileName == FolderCopy::keptName(name))
            return true;
    }
    return false;
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
};

// Copies every data file that exists in `from` into `to`, all or none.
std::optional<CopyFailure> CopyDataFiles(ProcedureOwner& owner, const QString& from, const QString& to,
                                         Direction direction)
{
    QString current;
    try {
        FolderCopy copy(from, to);
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
            copy.copy(name);
        }
        copy.commit();
    } catch (const FileError& error) {
        QString name = QFileInfo(error.file()).fileName();
        if (!dataFileList().contains(name))
            name = current;
        return CopyFailure{name, error.reason()};
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
    if (!QDir().mkdir(keptPath))
        throw FileError(keptPath, QStringLiteral("create"), QStringLiteral("The folder could not be made."));
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

bool IsSameFolder(const QString& picked, const QString& dataFolder)
{
    auto bare = [](const QString& folder) {
        QString text = folder;
        while (text.size() > 1 && text.endsWith(u'/'))
            text.chop(1);
        return text;
    };
    if (bare(picked).compare(bare(dataFolder), Qt::CaseInsensitive) == 0)
        return true;
    const QString pickedReal = QFileInfo(picked).canonicalFilePath();
    return !pickedReal.isEmpty() && pickedReal == QFileInfo(dataFolder).canonicalFilePath();
}

std::optional<QStringList> FolderFiles(const QString& folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable())
        return std::nullopt;
    QStringList files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!isCopyLeftover(name))
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
    const std::optional<QStringList> files = FolderFiles(folder);
    if (!files) {
        prompts().ask(QStringLiteral("Drive or Folder Access Problem"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem trying to"),
                             QStringLiteral("access the selected backup location"),
                             QStringLiteral("that you specified...")}),
                      1, {u'&' + CancelBackup});
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
    if (failure) {
        prompts().ask(QStringLiteral("File Backup Error"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem"),
                             QStringLiteral("trying to copy ") + failure->name, QString(), failure->reason, QString(),
                             QStringLiteral("The files at the backup location are as they were.")}),
                      1, {u'&' + CancelBackup});
        return false;
    }
    prompts().ask(QStringLiteral("Backup Successful"), IconInformation,
                  lines({QStringLiteral("Your current ") + title + QStringLiteral(" data files"),
                         QStringLiteral("have been successfully backed up!")}),
                  1, {QStringLiteral("Thank you, &continue")});
    return true;
}

RestoreOutcome RestoreData(ProcedureOwner& owner)
{
    const QString& title = ApplicationTitle;
    QString folder = prompts().pickFolder(QStringLiteral("Select the disk/drive/folder that contains your\r\n")
                                              + QStringLiteral("previously backed up ") + title
                                              + QStringLiteral(" data files\r\nthat you wish to restore..."),
                                          QDir::homePath());
    if (folder.isEmpty())
        return {};
    const QString dataFolder = DataFolderPath();
    if (IsSameFolder(folder, dataFolder)) {
        prompts().ask(QStringLiteral("Invalid Procedure"), IconStop,
                      lines({QStringLiteral("You can not restore ") + title,
                             QStringLiteral("data to itself in the same folder!")}),
                      1, {u'&' + CancelRestore});
        return {};
    }
    folder = WithTrailingSlash(folder);
    if (!FolderFiles(folder)) {
        prompts().ask(QStringLiteral("Drive or Folder Access Problem"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem trying to"),
                             QStringLiteral("access the backed up data file at"),
                             QStringLiteral("the location that you specified...")}),
                      1, {u'&' + CancelRestore});
        return {};
    }
    if (!FileExists(folder + markerFile())) {
        prompts().ask(QStringLiteral("Required file(s) missing"), IconExclamation,
                      lines({quoted(folder), QString(), QStringLiteral("doesn't appear to contain previously saved"),
                             QStringLiteral("backup data file(s) that you need to restore"),
                             QStringLiteral("your ") + title + QStringLiteral(" data.")}),
                      1, {u'&' + CancelRestore});
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
        if (!outcome.keptFolder.isEmpty())
            QDir(outcome.keptFolder).removeRecursively();
        prompts().ask(QStringLiteral("File Restore Error"), IconExclamation,
                      lines({QStringLiteral("There is some kind of problem"),
                             QStringLiteral("trying to restore ") + failure->name, QString(), failure->reason,
                             QString(), QStringLiteral("Your current data files are as they were.")}),
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
