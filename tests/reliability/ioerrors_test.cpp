// I/O errors for every write path: an error thrown at each change the
// action makes through the store's file seam, as a failing device would,
// and a real file-size limit. The error reaches the window (as FileError),
// the files stay as they were, and the same action done again afterwards,
// in the same process, succeeds: nothing was left half open or miscounted.
#include "testenv.h"
#include "testrunner.h"
#include "writepaths.h"

#include "store/fileseam.h"

#include <QTest>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallyo;
using namespace tallyo::test;
using namespace reliability;

namespace {

// How a child that tried the action twice ended.
enum Outcome {
    FailedThenDone = 20,  // the first try threw FileError, the second succeeded
    DoneAtOnce = 21,      // the first try succeeded
    StillFailing = 22,    // the second try threw too
    NotAFileError = 23,
};

// In a child: the action once after `failOn` (which makes it fail), then,
// after `failOff`, once more when the first try failed, and the folder read
// as the program reads it.
int TryTwice(const WritePath& path, const std::function<void()>& failOn, const std::function<void()>& failOff)
{
    const pid_t child = ::fork();
    if (child == 0) {
        int outcome = DoneAtOnce;
        try {
            failOn();
            try {
                path.act();
            } catch (const FileError&) {
                outcome = FailedThenDone;
            }
            failOff();
            if (outcome == FailedThenDone) {
                try {
                    path.act();
                    ReadLikeTheProgram();
                } catch (const FileError&) {
                    ::_exit(StillFailing);
                }
            }
        } catch (...) {
            ::_exit(NotAFileError);
        }
        ::_exit(outcome);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// How many changes the action makes through the store's file seam.
int CountSteps(const WritePath& path)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        SetFileStepHook([&](FileStep, const QString&) { (void)!::write(pipeEnds[1], "s", 1); });
        try {
            path.act();
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    int steps = 0;
    char byte;
    while (::read(pipeEnds[0], &byte, 1) == 1)
        ++steps;
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? steps : -1;
}

}

class IoErrorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        UseTestClockAndPace();
    }
    void cleanup() { folder_.reset(); }

    void anErrorAtEveryChangeLeavesTheFilesAsTheyWere_data()
    {
        QTest::addColumn<const WritePath*>("path");
        for (const WritePath& path : WritePaths())
            QTest::newRow(path.name) << &path;
    }

    void anErrorAtEveryChangeLeavesTheFilesAsTheyWere()
    {
        QFETCH(const WritePath*, path);
        path->prepare();
        const FolderContent before = ReadFolder();
        const int steps = CountSteps(*path);
        QVERIFY(steps > 0);
        const FolderContent after = ReadFolder();
        int reported = 0, afterAChange = 0;
        for (int failAt = 1; failAt <= steps; ++failAt) {
            WriteFolder(before);
            // The child tells, between its two tries, what the failed one
            // left: whether a data file had already been written or renamed
            // over when the error came ('c'), whether the folder is as it was
            // ('o'), all as made ('a') or else ('n'), and whether a file is torn ('t').
            bool changedBefore = false;
            int pipeEnds[2];
            QVERIFY(::pipe(pipeEnds) == 0);
            const int outcome = TryTwice(
                *path,
                [&] {
                    ::close(pipeEnds[0]);
                    SetFileStepHook([&changedBefore, failAt, reached = 0, watched = QDir::currentPath()](FileStep step, const QString& name) mutable {
                        if (++reached == failAt)
                            throw FileError(name, QString::fromLatin1(FileStepName(step)),
                                            QStringLiteral("Input/output error"));
                        if ((step == FileStep::Write || step == FileStep::Rename) && DataFileNames.contains(QFileInfo(name).fileName())
                            && QDir::cleanPath(QFileInfo(name).absolutePath()) == watched)
                            changedBefore = true;
                    });
                },
                [&] {
                    SetFileStepHook({});
                    const QByteArray state = QByteArray(changedBefore ? "c" : "-")
                        + (ReadFolder() == before ? "o" : ReadFolder() == after ? "a" : "n") + (TornFiles(before, after).isEmpty() ? "-" : "t");
                    (void)!::write(pipeEnds[1], state.constData(), 3);
                    ::close(pipeEnds[1]);
                });
            ::close(pipeEnds[1]);
            char state[4] = "???";
            (void)!::read(pipeEnds[0], state, 3);
            ::close(pipeEnds[0]);
            const QString where = QStringLiteral("an error at change %1 of %2 (%3)").arg(failAt).arg(steps).arg(state);
            QVERIFY2(outcome == FailedThenDone || outcome == DoneAtOnce, qPrintable(where + " ended with " + QString::number(outcome)));
            if (outcome != FailedThenDone) {
                // An error the action may pass over (a leftover it could not
                // clear): the change must be done in full all the same.
                QVERIFY2(ReadFolder() == after, qPrintable(where + ": passed over, but the change is not done"));
                continue;
            }
            ++reported;
            QVERIFY2(state[2] == '-', qPrintable(where + ": a file is torn"));
            // Before the first write to a data file, the folder is as it was;
            // after it, each file is old or new and the error still shown.
            // Files that switch as one are back as they were unless the
            // error came after the switch (reopening them).
            if (path->together)
                QVERIFY2(state[1] != 'n', qPrintable(where + ": the files are not together old or new"));
            if (state[0] == '-')
                QVERIFY2(state[1] == 'o', qPrintable(where + ": a file changed"));
            else
                ++afterAChange;
        }
        qInfo("%s: an error at each of %d changes: %d shown, %d of them after a data file had been written "
              "(each file old or new); every failed try left the data as they were before that; the action "
              "done again afterwards succeeded and the folder read",
              path->name, steps, reported, afterAChange);
    }

    // A real file-size limit at the size of the largest data file: an action
    // that grows a file fails with the system's reason and changes nothing;
    // the others are done in full.
    void aFileSizeLimitFailsWholeOrNotAtAll_data() { anErrorAtEveryChangeLeavesTheFilesAsTheyWere_data(); }

    void aFileSizeLimitFailsWholeOrNotAtAll()
    {
        QFETCH(const WritePath*, path);
        path->prepare();
        const FolderContent before = ReadFolder();
        qint64 largest = 0;
        for (const auto& [name, bytes] : before)
            largest = qMax(largest, bytes ? bytes->size() : 0);
        std::unique_ptr<FileSizeLimit> limit;
        int pipeEnds[2];
        QVERIFY(::pipe(pipeEnds) == 0);
        const int outcome = TryTwice(
            *path, [&] { ::close(pipeEnds[0]); limit = std::make_unique<FileSizeLimit>(largest); },
            [&] {
                limit.reset();
                (void)!::write(pipeEnds[1], ReadFolder() == before ? "o" : "n", 1);
            });
        ::close(pipeEnds[1]);
        char left = '?';
        (void)!::read(pipeEnds[0], &left, 1);
        ::close(pipeEnds[0]);
        QVERIFY2(outcome == FailedThenDone || outcome == DoneAtOnce, qPrintable(QString::number(outcome)));
        if (outcome == FailedThenDone)
            QCOMPARE(left, 'o');
        qInfo("%s under a file-size limit of %lld bytes: %s", path->name, largest,
              outcome == FailedThenDone ? "refused, files as they were, done once the limit was lifted"
                                        : "done within the limit");
    }
};

TALLYO_TEST(IoErrorsTest)
#include "ioerrors_test.moc"
