// A backup or restore killed at every step of its copy (each file copied,
// the second names made, the journal written, each rename, the journal
// removed): whoever opens the folder next finds one whole set of files, the
// old or the new, and running the command again finishes the job and
// leaves nothing behind.
#include "fileset.h"
#include "testrunner.h"

#include <QTemporaryDir>
#include <csignal>
#include <QTest>

using namespace tallyo::test;

namespace {

Run runStoppedAt(const QStringList& arguments, const QString& stop)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!stop.isEmpty())
        environment.insert("TALLYO_TEST_STOP_AT", stop);
    return runTallyo(arguments, environment);
}

// The folders a restore kept beside the data folder.
QStringList keptFolders(const QString& data)
{
    QDir parent = QFileInfo(data).dir();
    QStringList folders;
    for (const QString& name : parent.entryList({QFileInfo(data).fileName() + "-before-restore-*"}, QDir::Dirs))
        folders.append(parent.filePath(name));
    return folders;
}

}

class SwitchKillTest : public QObject {
    Q_OBJECT

private slots:
    void stopAtEveryStep_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<bool>("targetHeldData");  // the folder written held an earlier set
        QTest::addColumn<int>("steps");
        // 3 files copied, second names made, journal written, 3 renames,
        // journal removed; a restore copies the current files aside first.
        QTest::newRow("backup over an earlier backup") << false << true << 9;
        QTest::newRow("backup into an empty folder") << false << false << 9;
        QTest::newRow("restore over current data") << true << true << 18;
        QTest::newRow("restore into a new data folder") << true << false << 9;
    }
    void stopAtEveryStep()
    {
        QFETCH(bool, restore);
        QFETCH(bool, targetHeldData);
        QFETCH(int, steps);
        int reached = 0, oldSets = 0, newSets = 0;
        for (int step = 1; step <= 40; ++step) {
            QTemporaryDir work;
            const QString data = work.filePath("data");
            const QString other = work.filePath("other");
            const QString target = restore ? data : other;
            const QString source = restore ? other : data;
            fillSet(source, "new");
            if (targetHeldData)
                fillSet(target, "old");
            else if (!restore)
                QDir().mkpath(target);
            const QStringList arguments = restore ? QStringList{"restore", other, "--yes", "--data-dir", data}
                                                  : QStringList{"backup", other, "--data-dir", data};
            const Run stopped = runStoppedAt(arguments, QString::number(step));
            if (stopped.exitCode == 0)
                break;
            reached = step;
            QVERIFY2(stopped.exitCode == -1, stopped.err.constData());

            // Opened as a data folder: the switch is finished or undone first.
            const Run opened = runTallyo({"export", "accounts", "--data-dir", target});
            QVERIFY2(opened.exitCode == 0, opened.err.constData());
            const QString found = whichSet(target, {"old", "new"});
            const QString before = targetHeldData ? QStringLiteral("old") : QStringLiteral("none");
            QVERIFY2(found == before || found == u"new", qPrintable(QStringLiteral("step %1: %2").arg(step).arg(found)));
            (found == u"new" ? newSets : oldSets) += 1;

            // Run again: done, and only the data files remain.
            const Run again = runStoppedAt(arguments, QString());
            QVERIFY2(again.exitCode == 0, again.err.constData());
            QCOMPARE(whichSet(target, {"new"}), QStringLiteral("new"));
            QCOMPARE(listing(target), DataNames);
            QCOMPARE(whichSet(source, {"new"}), QStringLiteral("new"));
            // Every folder kept beside the data folder holds a whole set.
            for (const QString& kept : keptFolders(data)) {
                QCOMPARE(listing(kept), DataNames);
                QVERIFY(whichSet(kept, {"old", "new"}) != u"mix");
            }
        }
        qInfo("%s: stopped at each of %d steps, %d runs; the folder then held the old set %d times, the new set "
              "%d times, a mix 0 times",
              QTest::currentDataTag(), reached, 3 * reached + 1, oldSets, newSets);
        QCOMPARE(reached, steps);
    }

    // SIGTERM at a step: while a file is copied the scratch files and the
    // lock go; during the switch the signal waits until the switch is over.
    void terminatedCopyLeavesNothing_data()
    {
        QTest::addColumn<bool>("restore");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("expected");
        QTest::newRow("backup, a file copied") << false << 2 << "old";
        QTest::newRow("backup, journal written") << false << 5 << "new";
        QTest::newRow("restore, keeping the current files") << true << 2 << "old";
        QTest::newRow("restore, a file copied") << true << 11 << "old";
        QTest::newRow("restore, first rename") << true << 15 << "new";
    }
    void terminatedCopyLeavesNothing()
    {
        QFETCH(bool, restore);
        QFETCH(int, step);
        QFETCH(QString, expected);
        QTemporaryDir work;
        const QString data = work.filePath("data");
        const QString other = work.filePath("other");
        const QString target = restore ? data : other;
        fillSet(restore ? other : data, "new");
        fillSet(target, "old");
        const QStringList arguments = restore ? QStringList{"restore", other, "--yes", "--data-dir", data}
                                              : QStringList{"backup", other, "--data-dir", data};
        const Run stopped = runStoppedAt(arguments, QString::number(step) + ":term");
        QCOMPARE(stopped.exitCode, -1);
        QCOMPARE(whichSet(target, {"old", "new"}), expected);
        QCOMPARE(listing(target), DataNames);
        QCOMPARE(listing(restore ? other : data), DataNames);
        if (restore) {
            // No kept folder of scratch files, and the program's lock is gone.
            for (const QString& kept : keptFolders(data))
                QCOMPARE(listing(kept), DataNames);
            const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
            QVERIFY(!QFile::exists(runtime + "/tallyo.lock"));
        }
    }

    // The program finishes at start-up a switch that a killed restore left
    // in its data folder and clears a kept folder of scratch files; SIGTERM
    // leaves neither its lock nor the folder's lock behind.
    void programFinishesSwitchAndLeavesNoLock()
    {
        QTemporaryDir work;
        const QString data = work.filePath("data"), other = work.filePath("other");
        fillSet(data, "old");
        fillSet(other, "new");
        // Step 15: the first file of the restore has taken its name.
        const Run stopped = runStoppedAt({"restore", other, "--yes", "--data-dir", data}, "15");
        QCOMPARE(stopped.exitCode, -1);
        QCOMPARE(whichSet(data, {"old", "new"}), QStringLiteral("mix"));
        // And a kept folder that an earlier restore was stopped filling.
        const QString interrupted = data + "-before-restore-20000101000000";
        QDir().mkpath(interrupted);
        writeFile(interrupted + "/Account.dex.$$$", "part");

        const QString lock = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/tallyo.lock";
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(environment);
        program.start(qEnvironmentVariable("TALLYO_BINARY"), {"--data-dir", data});
        QVERIFY(program.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lock) && whichSet(data, {"new"}) == u"new", 20000);
        QTRY_COMPARE_WITH_TIMEOUT(listing(data), DataNames, 20000);
        QVERIFY(!QFileInfo::exists(interrupted));
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
        QVERIFY(!QFile::exists(lock));
        QCOMPARE(listing(data), DataNames);
    }
};

TALLYO_TEST(SwitchKillTest)
#include "switchkill.moc"
