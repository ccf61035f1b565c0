#include "backuprestorefolders.h"

#include "backuprestore.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "store/foldercopy.h"
#include "store/records.h"
#include "store/switchjournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace tallyo {

namespace {

// The data files, also before start-up has listed them.
const QStringList& dataFileList()
{
    static const QStringList all{QString::fromLatin1(AccountIndexFileName), QString::fromLatin1(TransactionFileName),
                                 QString::fromLatin1(ListFileName)};
    const QStringList& listed = SharedDisplayValues().DataFileList;
    return listed.isEmpty() ? all : listed;
}

// How long a procedure waits for another one that is using its folders.
constexpr int lockWaitMs = 5000;

// Is every entry of a folder something an interrupted copy left?
bool holdsOnlyLeftovers(const QString& folder)
{
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (!IsCopyLeftover(entry))
            return false;
    }
    return true;
}

}

bool IsCopyLeftover(const QString& fileName)
{
    for (const QString& name : dataFileList()) {
        if (fileName == FolderCopy::scratchName(name) || fileName == FolderCopy::keptName(name))
            return true;
    }
    return fileName == FolderLock::fileName() || fileName == SwitchJournal::fileName()
        || fileName == ScratchNameOf(SwitchJournal::fileName());
}

QString ResolvedFolder(const QString& folder)
{
    char real[PATH_MAX];
    if (::realpath(QFile::encodeName(folder).constData(), real) == nullptr)
        return folder;
    return WithTrailingSlash(QFile::decodeName(real));
}

bool LockFolders(FolderLocks& locks, const QString& written, const QString& read)
{
    auto identity = [](const QString& folder) {
        struct stat info {};
        ::stat(QFile::encodeName(folder).constData(), &info);
        return std::pair(info.st_dev, info.st_ino);
    };
    const bool writtenFirst = identity(written) <= identity(read);
    try {
        for (int turn = 0; turn < 2; ++turn) {
            const bool takeWritten = (turn == 0) == writtenFirst;
            const QString& folder = takeWritten ? written : read;
            FolderLock& lock = takeWritten ? locks.written : locks.read;
            if (!lock.lock(folder, takeWritten ? FolderLock::Need::Required : FolderLock::Need::IfWritable,
                           lockWaitMs)) {
                locks.busyFolder = folder;
                return false;
            }
        }
    } catch (const FileError& error) {
        locks.failure = error.reason();
        return false;
    }
    return true;
}

int RecordLengthOf(const QString& name)
{
    if (name == QLatin1String(AccountIndexFileName))
        return AccountRecord::Length;
    if (name == QLatin1String(TransactionFileName))
        return TransactionRecord::Length;
    if (name == QLatin1String(ListFileName))
        return ListRecord::Length;
    return 0;
}

void ClearInterruptedKeptFolders(const QString& dataFolder)
{
    const QFileInfo data(QDir::cleanPath(dataFolder));
    const QDir parent(data.absolutePath());
    const QStringList kept = parent.entryList({data.fileName() + QStringLiteral("-before-restore-*")},
                                              QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : kept) {
        const QString folder = parent.filePath(name) + u'/';
        SwitchJournal::recover(folder);
        ClearCopyLeftovers(folder, dataFileList());
        if (!holdsOnlyLeftovers(folder))
            continue;
        DeleteFile(folder + FolderLock::fileName());
        if (::rmdir(QFile::encodeName(folder).constData()) != 0 && errno != ENOENT)
            throw FileError(folder, QStringLiteral("delete"), SystemReason(errno));
    }
}

bool IsSameFolder(const QString& picked, const QString& dataFolder)
{
    struct stat one, other;
    return ::stat(QFile::encodeName(picked).constData(), &one) == 0
        && ::stat(QFile::encodeName(dataFolder).constData(), &other) == 0 && one.st_dev == other.st_dev
        && one.st_ino == other.st_ino;
}

bool TidyDataFolderAtStart(const QString& dataFolder)
{
    FolderLock lock;
    try {
        if (!lock.lock(dataFolder, FolderLock::Need::Required, lockWaitMs))
            return false;
    } catch (const FileError&) {
        // A folder the user may only read is fine, unless a copy is to be
        // finished in it.
        if (!SwitchJournal::exists(dataFolder))
            return false;
        throw;
    }
    SwitchJournal::recover(dataFolder);
    ClearCopyLeftovers(dataFolder, dataFileList());
    ClearInterruptedKeptFolders(dataFolder);
    return true;
}

}
