#pragma once
// Backup and restore of the data files: whole files copied between the
// data folder (the working folder) and a folder the user picks, guarded by a
// few checks and questions, with the progress in the owner window's caption.
// Every question and notice goes through the Prompts seam, every pause
// through the Pace seam, so the same procedures serve the options window and
// the command line.
//
// Copies go through FolderCopy: a failure part-way leaves every file of the
// target as it was. Before a restore replaces current data, those files are
// kept in a dated folder beside the data folder. A procedure locks the
// folder it writes and the one it reads for its whole length, and finishes
// a switch that a stopped copy left in either before it reads them.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

// The window that started a procedure, as the procedure sees it.
class ProcedureOwner {
public:
    virtual ~ProcedureOwner() = default;
    virtual QString caption() const = 0;
    // Shows the caption at once.
    virtual void setCaption(const QString& caption) = 0;
    // Busy: hourglass and the window disabled; not busy: back to normal.
    virtual void setBusy(bool busy) = 0;
};

// Copies the data files of the working folder into a folder the user picks.
// True when every file there was copied.
bool BackupData(ProcedureOwner& owner);

// What a restore did.
struct RestoreOutcome {
    bool restored = false;
    // Where the data files it replaced were kept; empty when there were none.
    QString keptFolder;
};
// Copies the data files of a folder the user picks over those of the data
// folder (the working folder unless one is given, which is made when
// missing once the picked folder is found fit), keeping the current ones
// first.
RestoreOutcome RestoreData(ProcedureOwner& owner, const QString& dataFolder = QString());

// The working folder as the procedures name it: an absolute path ending in "/".
QString DataFolderPath();
// A folder path ending in "/".
QString WithTrailingSlash(const QString& folder);

// True when a picked folder is the data folder: the same device and inode,
// whatever the path (letter case, symbolic links, bind mounts).
bool IsSameFolder(const QString& picked, const QString& dataFolder);

// At start-up, under the data folder's lock: finishes a switch of files that
// a stopped copy left, clears its scratch files and the kept folders of a
// stopped restore that hold only scratch files. False (nothing done) when
// another process holds the lock. Throws FileError.
bool TidyDataFolderAtStart(const QString& dataFolder);

// The files of a folder (not its subfolders), leaving out the scratch names
// of an interrupted copy; nothing when the folder cannot be listed.
std::optional<QStringList> FolderFiles(const QString& folder);

// The folder a restore keeps the current data files in: beside the data
// folder, named after it with "-before-restore-" and the date and time
// ("Tallyo-before-restore-20261208184500/"); a number is added when that
// folder exists already.
QString KeptDataFolder(const QString& dataFolder, const QDateTime& now);

}
