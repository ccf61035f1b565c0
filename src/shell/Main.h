#pragma once
// The desktop program: the application object, the desktop seams, the
// start-up steps and the event loop.
#include <QString>

namespace tallyo {

class SingleInstance;

// The start-up steps, in the current (data) folder, with the seams already
// installed: a second running copy is refused ("Terminating") before any
// file is touched, and so is a lock that cannot be made (with its reason); otherwise the printer is prepared, a leftover scratch
// file deleted, the display values loaded, the windows' ways to one another
// filled in and the title window shown. False when this copy must end.
bool Main(SingleInstance& instance);

// The "Terminating" text for a lock that could not be made at all (not one
// another copy holds): the lock file, the system's reason and what to do.
QString LockFailureMessage(const SingleInstance& instance);

// Runs the desktop program in the current folder until it ends; gives the
// process's exit code.
int RunDesktop(int argc, char** argv);

}
