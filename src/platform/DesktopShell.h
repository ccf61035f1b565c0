#pragma once
// The desktop side of the Shell seam: the desktop's handlers for documents,
// web addresses and mail, detached programs, and short web fetches with a
// hard time limit.
#include "shell.h"

namespace tallyo {

class DesktopShell : public Shell {
public:
    bool openDocument(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool startProgram(const QString& program, const QStringList& arguments = {}) override;
    // Waits at most timeoutMs in all (not only while idle), running window
    // events meanwhile. Gives nothing at once when the system knows it is
    // offline, and nothing for an HTTP error or a reply above 64 KiB.
    std::optional<QString> fetchText(const QString& url, int timeoutMs) override;
};

}
