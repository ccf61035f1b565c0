#pragma once
// The journal that makes a switch of several files in one folder a single
// step. Before the first new file takes its real name, the journal (which
// files are switched, and whether each was there before) is written and
// flushed; it is removed after the last rename. A process stopped in
// between leaves the journal behind, and whoever next opens the folder
// finishes the switch from it, or undoes it when the journal says so,
// before reading anything.
//
// Names used in the folder while files are switched:
//   NAME.$$$     the new file, complete and flushed, waiting for its name
//   NAME.old$$$  a second name of the file it replaces, to undo a failure
#include <QList>
#include <QString>
#include <QStringList>

namespace tallyo {

QString ScratchNameOf(const QString& name);
QString KeptNameOf(const QString& name);

class SwitchJournal {
public:
    static QString fileName();

    enum class Direction { Forward, Back };
    struct Entry {
        QString name;
        bool existed = false;  // the folder held a file of this name before
    };

    // Writes the journal of `folder` in one step, flushed with the folder.
    // Throws FileError.
    static void write(const QString& folder, Direction direction, const QList<Entry>& entries);
    // Removes the journal, flushed with the folder. Throws FileError.
    static void remove(const QString& folder);
    static bool exists(const QString& folder);

    // Finishes (or undoes) the switch that the journal of `folder`
    // describes and removes the journal; false when there was none. The
    // caller holds the folder's lock. Throws FileError.
    static bool recover(const QString& folder);
};

// Clears what an interrupted copy of the given files left in `folder`
// without a journal: their scratch and kept names. The caller holds the
// folder's lock and has recovered it first.
void ClearCopyLeftovers(const QString& folder, const QStringList& names);

// Before a command or the program reads `folder`: an unfinished switch in it
// is finished under the folder's lock. A folder that does not exist is left
// alone. Throws FileError, also when another process keeps the folder locked.
void FinishUnfinishedSwitch(const QString& folder);

}
