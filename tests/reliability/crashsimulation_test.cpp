// Crash simulation over every write path: a child process does the action
// and is stopped by SIGKILL at each change it makes through the store's
// file seam, then at random moments. After every run each data file must be
// exactly its old or its new content, and the program must read the folder.
//
// Seeds are printed; TALLYO_CRASH_SEED=N repeats a run's random moments,
// TALLYO_CRASH_RUNS=N asks for more runs per path (at least 200).
#include "testenv.h"
#include "testrunner.h"
#include "writepaths.h"

#include "store/fileseam.h"

#include <QElapsedTimer>
#include <QTest>
#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallyo;
using namespace tallyo::test;
using namespace reliability;

namespace {

// Runs `work` in a forked child; the parent may stop it after `killAfterUs`
// microseconds (negative: never). Gives back how the child ended: its exit
// code, or 128 + the signal.
int InChild(const std::function<void()>& work, qint64 killAfterUs = -1)
{
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            work();
        } catch (const FileError&) {
            ::_exit(10);
        } catch (...) {
            ::_exit(11);
        }
        ::_exit(0);
    }
    if (killAfterUs >= 0) {
        ::usleep(useconds_t(killAfterUs));
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The action in a child that is stopped just before its `stopAt`-th change
// (0: never); gives back how many changes it reached.
int StepsOf(const WritePath& path, int stopAt)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    const int code = InChild([&] {
        ::close(pipeEnds[0]);
        int reached = 0;
        SetFileStepHook([&](FileStep, const QString&) {
            if (++reached == stopAt)
                ::raise(SIGKILL);
            (void)!::write(pipeEnds[1], "s", 1);
        });
        path.act();
    });
    ::close(pipeEnds[1]);
    int steps = 0;
    char byte;
    while (::read(pipeEnds[0], &byte, 1) == 1)
        ++steps;
    ::close(pipeEnds[0]);
    return code == 0 || code == 128 + SIGKILL ? steps : -1;
}

}

class CrashSimulationTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;

private slots:
    void initTestCase()
    {
        // A stopped process leaves what it wrote in the page cache, so the
        // folders can live in memory: no flush waits for a disk.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        UseTestClockAndPace();
    }
    void cleanup()
    {
        SetFileStepHook({});
        folder_.reset();
    }

    void everyFileIsOldOrNewAfterAStop_data()
    {
        QTest::addColumn<const WritePath*>("path");
        for (const WritePath& path : WritePaths())
            QTest::newRow(path.name) << &path;
    }

    void everyFileIsOldOrNewAfterAStop()
    {
        QFETCH(const WritePath*, path);
        const int runs = qMax(200, qEnvironmentVariableIntValue("TALLYO_CRASH_RUNS"));
        const quint32 seed = qEnvironmentVariableIsSet("TALLYO_CRASH_SEED")
            ? quint32(qEnvironmentVariableIntValue("TALLYO_CRASH_SEED"))
            : quint32(QDateTime::currentMSecsSinceEpoch());

        path->prepare();
        const FolderContent before = ReadFolder();
        QElapsedTimer timer;
        timer.start();
        const int steps = StepsOf(*path, 0);
        const qint64 wholeRunUs = qMax<qint64>(timer.nsecsElapsed() / 1000, 1);
        QVERIFY2(steps > 0, "the action made no change through the store's file seam");
        const FolderContent after = ReadFolder();
        QVERIFY2(after != before, "the action changed no data file");

        std::mt19937 random(seed);
        int stoppedRuns = 0, completeRuns = 0;
        for (int run = 0; run < runs; ++run) {
            WriteFolder(before);
            // First a stop at every change in turn, then random moments
            // within the time a whole run takes.
            const bool atStep = run < steps;
            const qint64 killAfter = atStep ? -1 : qint64(random() % quint64(wholeRunUs * 3 / 2));
            const int code = atStep ? (StepsOf(*path, run + 1) >= 0 ? 128 + SIGKILL : -1)
                                    : InChild(path->act, killAfter);
            QVERIFY2(code == 0 || code == 128 + SIGKILL,
                     qPrintable(QStringLiteral("run %1 ended with %2 (seed %3)").arg(run).arg(code).arg(seed)));
            (code == 0 ? completeRuns : stoppedRuns) += 1;
            QString unread;
            try {
                RecoverLikeTheProgram();
            } catch (const FileError& error) {
                unread = error.message();
            }
            QStringList torn = TornFiles(before, after);
            if (path->together && torn.isEmpty() && !FolderOldOrNew(before, after))
                torn << QStringLiteral("the files together (some old, some new)");
            QVERIFY2(torn.isEmpty(), qPrintable(QStringLiteral("%1 torn after %2 (seed %3)")
                                                    .arg(torn.join(u", "),
                                                         atStep ? QStringLiteral("a stop at change %1").arg(run + 1)
                                                                : QStringLiteral("a kill at %1 us").arg(killAfter))
                                                    .arg(seed)));
            try {
                if (unread.isEmpty())
                    ReadLikeTheProgram();
            } catch (const FileError& error) {
                unread = error.message();
            }
            ResetProgramState();
            QVERIFY2(unread.isEmpty(), qPrintable(QStringLiteral("the folder could not be read after run %1 (%2, seed %3)")
                                                      .arg(run).arg(unread).arg(seed)));
        }
        qInfo("%s: %d changes, %d runs (%d stopped at each change, %d at random moments, seed %u): "
              "%d stopped part way, %d complete; every file old or new, the folder read every time",
              path->name, steps, runs, steps, runs - steps, seed, stoppedRuns, completeRuns);
    }
};

TALLYO_TEST(CrashSimulationTest)
#include "crashsimulation_test.moc"
