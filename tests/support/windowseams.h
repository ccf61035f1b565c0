#pragma once
// The seams a window test installs for one test function: a fresh data
// folder as the working folder, settings kept in it, scripted prompts, a
// recording shell, no pauses, and a clock at a set time. Going away, it
// checks that every scripted answer was used and takes the seams out again.
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "testenv.h"

#include "platform/platform.h"

#include <QDateTime>

namespace tallyo::test {

class WindowSeams {
public:
    explicit WindowSeams(const QDateTime& now)
        : settings(folder.filePath(QStringLiteral("settings.ini"))), clock(now)
    {
        Platform& seams = platform();
        seams.prompts = &prompts;
        seams.settings = &settings;
        seams.shell = &shell;
        seams.pace = &pace;
        seams.clock = &clock;
    }
    ~WindowSeams()
    {
        prompts.verifyDone();
        platform().prompts = nullptr;
        platform().settings = nullptr;
    }
    WindowSeams(const WindowSeams&) = delete;
    WindowSeams& operator=(const WindowSeams&) = delete;

    TempDataFolder folder;  // first: the settings live in it
    StoredSettings settings;
    ScriptedPrompts prompts;
    RecordingShell shell;
    EventPace pace{0};
    FixedClock clock;
};

}
