#pragma once
// Helpers for tests that touch files: a temporary data folder that is the
// working folder while it lives, whole-file reads and writes, and a way to
// run a piece of a test in a child process that may die on purpose.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>

namespace tallyo::test {

// A fresh empty folder made the working folder; the previous working folder
// comes back when it goes away. The data files' state is reset on the way
// in and out, so no handle or count leaks from one test to the next.
class TempDataFolder {
public:
    TempDataFolder();
    ~TempDataFolder();
    TempDataFolder(const TempDataFolder&) = delete;
    TempDataFolder& operator=(const TempDataFolder&) = delete;

    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// The whole content of a file; a null QByteArray when it cannot be read.
QByteArray readWholeFile(const QString& path);
// Replaces a file's content; false when it cannot be written.
bool writeWholeFile(const QString& path, const QByteArray& bytes);
bool fileExists(const QString& path);

// Limits the size of the files this process writes (as a full disk would)
// while it lives; the signal such a write raises is ignored, so the write
// fails with an error instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    quint64 previousSoftLimit_ = 0;
    void (*previousHandler_)(int) = nullptr;
};

// Runs `body` in a forked child that ends with _exit(0) when the body
// returns (or 99 when it throws). Gives back the child's exit code, or 128 +
// signal number when a signal ended it. The child shares nothing with the
// test afterwards, so it may stop anywhere, as a crash would.
int runInChildProcess(const std::function<void()>& body);

}
