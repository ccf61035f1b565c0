#pragma once
// The desktop side of the Shell seam: the desktop's handlers for documents,
// web addresses and mail, detached programs, and short web fetches with a
// hard time limit.
#include "shell.h"

class QUrl;

namespace tallyo {

class DesktopShell : public Shell {
public:
    // How long a hand-over is watched for a failure, in milliseconds.
    static constexpr int DefaultWatchMs = 2000;

    // `launcher` hands a file or an address to the desktop's handler
    // (xdg-open); tests give a stand-in of their own.
    explicit DesktopShell(QString launcher = QStringLiteral("xdg-open"), int watchMs = DefaultWatchMs);

    // Both run the launcher and watch it for a while: it fails at once, with
    // a non-zero status, when the desktop has no program for the target (a
    // launcher started and left alone fails where nobody sees it). A
    // launcher still at work when the watch ends has found its program (a
    // plain desktop's launcher stays until the program closes) and runs on
    // by itself. Without a launcher the request goes to Qt's own fallbacks.
    bool openDocument(const QString& path) override;
    bool openUrl(const QString& url) override;
    bool startProgram(const QString& program, const QStringList& arguments = {}) override;
    // Waits at most timeoutMs in all (not only while idle), running window
    // events meanwhile. Gives nothing at once when the system knows it is
    // offline, and nothing for an HTTP error or a reply above 64 KiB.
    std::optional<QString> fetchText(const QString& url, int timeoutMs) override;

private:
    bool handOver(const QString& argument, const QUrl& url);

    QString launcher_;
    int watchMs_;
};

}
