#pragma once
// The one way the program ends on the user's request, and the state that
// tells windows the program is ending, so that their own close turns into a
// quiet close instead of asking again.
namespace tallyo {

// Asks first when ConfirmQuit is 1 ("Confirm"); only the first answer goes
// on. Then closes the data files, deletes an Account.dex that holds nothing,
// lets pending events run, closes every window and ends the event loop.
// Returns false, with nothing changed, when the user chose to go back.
bool QuitProgram();

// True once the program is ending: after QuitProgram went on, or when the
// desktop session ends. Windows that turn a close from the title bar into
// QuitProgram close without asking while this holds.
bool ProgramEnding();
// The desktop session is ending (logout, shutdown): windows now close
// without asking.
void EndWithoutAsking();
// Back to a running program (for tests).
void ResetProgramEnding();

// Closes every data file that is still open and deletes an empty
// Account.dex; nothing here is reported, since nothing is written.
void TidyDataFolder();

}
