#pragma once
// How the windows open one another. Each window's folder fills in its own
// entry when the program starts (see Main); a window whose entry is still
// empty is not part of this build, and the buttons that lead to it stay
// disabled.
#include <functional>

class QWidget;

namespace tallyo {

struct Navigation {
    std::function<void()> showTitleWindow;         // the first window
    std::function<void()> showAccountIndex;        // the home window
    std::function<void()> openRegister;            // the current account's register
    std::function<void(QWidget* owner)> openProgramOptions;
    // Asks (when so configured) and ends the program; false when the user
    // chose to go back.
    std::function<bool()> quitProgram;
};

// The one instance.
Navigation& navigation();

}
