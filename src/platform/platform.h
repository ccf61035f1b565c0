#pragma once
// The seams through which the program reaches the outside world. One
// instance, filled by main() with the desktop implementations and by tests
// with their own. Nothing else reaches the user, the desktop, the clock or the
// settings directly.
#include "clock.h"
#include "pace.h"
#include "pagesurface.h"
#include "prompts.h"
#include "settings.h"
#include "shell.h"

#include <functional>
#include <memory>

namespace tallyo {

struct Platform {
    Prompts* prompts = nullptr;
    Shell* shell = nullptr;
    Settings* settings = nullptr;
    Clock* clock = nullptr;
    Pace* pace = nullptr;
    // A fresh page surface for one printout: the system's printer (or a PDF
    // when there is none) in the program, a recording surface in tests.
    std::function<std::unique_ptr<PageSurface>()> newPageSurface;
};

Platform& platform();

// Short names for the seams of the one instance.
inline Prompts& prompts() { return *platform().prompts; }
inline Shell& shell() { return *platform().shell; }
inline Settings& settings() { return *platform().settings; }
inline Clock& clock() { return *platform().clock; }
inline Pace& pace() { return *platform().pace; }

}
