#pragma once
// What the register tells the entry window before it opens it, and what the
// window leaves behind: the mode, whether to start from the highlighted
// transaction, which record that is, and the save marker of a saved entry.
#include <QString>

namespace tallyo {

struct EntryFlags {
    bool AddingEntry = false;
    bool ModifyingEntry = false;
    // Start from the highlighted transaction: set for a modify and for an
    // add that uses the highlighted transaction as a pattern. The window
    // clears it when it closes.
    bool PrefillFromSelection = false;
    // Record number in Account.dat of the register's highlighted row.
    qint32 SelectedRecord = 0;
    // Open on the notes (the register's notes dialog asked for it); the
    // window consumes the request.
    bool NotesRequested = false;
    // The saved transaction's date and time, "yyyymmddhhnnss"; empty while
    // nothing was saved.
    QString SaveMarker;
};

// The one instance.
EntryFlags& entryFlags();
// Back to the state of a program that has opened no entry window; for tests.
void ResetEntryFlags();

}
