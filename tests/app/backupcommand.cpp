// `tallyo backup` and `tallyo restore` run as real processes: the answers
// the window would ask for come from --force and --yes, and the exit status
// tells whether every file was copied.
#include "fileset.h"
#include "tallyoprocess.h"
#include "testrunner.h"

#include "platform/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace tallyo::test;

namespace {

const QStringList Names{"Account.dex", "Account.dat", "PayCom.lst"};

// Runs a shell script in `folder` with $T the program, for arguments that are
// bytes no text holds and for files a test cannot make through Qt.
Run runScript(const QString& folder, const QString& script)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("T", qEnvironmentVariable("TALLYO_BINARY"));
    process.setProcessEnvironment(environment);
    process.start("/bin/sh", {"-c", script});
    Run run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// Whole records, as a backup copies whole records only.
QByteArray content(const QString& name, const char* side)
{
    return setContent(name, QLatin1String(side));
}

void fill(const QString& folder, const char* side, const QStringList& names = Names)
{
    for (const QString& name : names)
        writeFile(folder + u'/' + name, content(name, side));
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Removes the copies a restore kept beside a data folder.
void removeKeptCopies(const QString& dataFolder)
{
    const QFileInfo data(dataFolder);
    QDir parent(data.absolutePath());
    for (const QString& kept : parent.entryList({data.fileName() + QStringLiteral("-before-restore-*")}, QDir::Dirs))
        QDir(parent.filePath(kept)).removeRecursively();
}

}

class BackupCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set");
    }

    void backupIntoEmptyFolder()
    {
        QTemporaryDir data, target;
        fill(data.path(), "current");
        const Run run = runTallyo({"backup", target.path(), "--data-dir", data.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("Backup Successful"));
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(listing(target.path()), QStringList({"Account.dat", "Account.dex", "PayCom.lst"}));
        for (const QString& name : Names)
            QCOMPARE(read(target.filePath(name)), content(name, "current"));
    }

    // A folder of other files needs --force; the refusal names the question.
    void foreignFolderNeedsForce()
    {
        QTemporaryDir data, target;
        fill(data.path(), "current");
        writeFile(target.filePath("letter.txt"), "Dear...");
        const Run refused = runTallyo({"backup", target.path(), "--data-dir", data.path()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains("Caution"));
        QVERIFY(refused.err.contains("contains files that are not related to this software!"));
        QVERIFY(refused.err.contains("--force"));
        QCOMPARE(listing(target.path()), QStringList({"letter.txt"}));

        const Run forced = runTallyo({"backup", target.path(), "--force", "--data-dir", data.path()});
        QCOMPARE(forced.exitCode, 0);
        QCOMPARE(listing(target.path()), QStringList({"Account.dat", "Account.dex", "PayCom.lst", "letter.txt"}));
    }

    // A restore over current data needs --yes and keeps the current files.
    void restoreOverCurrentDataNeedsYes()
    {
        QTemporaryDir data, source;
        fill(data.path(), "current");
        fill(source.path(), "old", {"Account.dex", "Account.dat"});
        const Run refused = runTallyo({"restore", source.path(), "--data-dir", data.path()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(refused.err.contains("Once completed, this action can not be undone."));
        QVERIFY(refused.err.contains("--yes"));
        QCOMPARE(read(data.filePath("Account.dex")), content("Account.dex", "current"));

        const Run done = runTallyo({"restore", source.path(), "--yes", "--data-dir", data.path()});
        QCOMPARE(done.exitCode, 0);
        QVERIFY(done.out.contains("Restore Successful"));
        QVERIFY(done.out.contains("are kept in:"));
        QCOMPARE(read(data.filePath("Account.dex")), content("Account.dex", "old"));
        QCOMPARE(read(data.filePath("Account.dat")), content("Account.dat", "old"));
        // Missing from the backup: left as it was.
        QCOMPARE(read(data.filePath("PayCom.lst")), content("PayCom.lst", "current"));
        removeKeptCopies(data.path());
    }

    // A relative folder is taken from where the command runs, not from the
    // data folder; a new data folder is made for a restore.
    void restoreIntoNewDataFolderFromRelativePath()
    {
        QTemporaryDir work;
        QDir(work.path()).mkpath("usb/backup");
        fill(work.filePath("usb/backup"), "old");
        const QString data = work.filePath("fresh/Tallyo");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(work.path());
        const Run run = runTallyo({"restore", "usb/backup", "--data-dir", data});
        QDir::setCurrent(previous);
        QCOMPARE(run.exitCode, 0);
        for (const QString& name : Names)
            QCOMPARE(read(data + u'/' + name), content(name, "old"));
        // The folders made for it are the user's alone.
        const auto ownerOnly = [](const QString& path) {
            return (QFile::permissions(path)
                    & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                       | QFile::WriteOther | QFile::ExeOther))
                == 0;
        };
        QVERIFY(ownerOnly(data));
        QVERIFY(ownerOnly(work.filePath("fresh")));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("backup without folder") << QStringList{"backup"} << 2 << QByteArray("Usage");
        QTest::newRow("two folders") << QStringList{"restore", "a", "b"} << 2 << QByteArray("Usage");
        QTest::newRow("--yes on backup") << QStringList{"backup", "x", "--yes"} << 2 << QByteArray("--yes");
        QTest::newRow("--force on restore") << QStringList{"restore", "x", "--force"} << 2 << QByteArray("--force");
        QTest::newRow("--force alone") << QStringList{"--force"} << 2 << QByteArray("--force");
        QTest::newRow("backup to the data folder") << QStringList{"backup", "<data>"} << 1
                                                   << QByteArray("Invalid Procedure");
        QTest::newRow("restore without Account.dex") << QStringList{"restore", "<empty>"} << 1
                                                     << QByteArray("Required file(s) missing");
        QTest::newRow("restore from nowhere") << QStringList{"restore", "<empty>/none"} << 1
                                              << QByteArray("Drive or Folder Access Problem");
        QTest::newRow("nothing to back up") << QStringList{"backup", "<empty>", "--data-dir", "<empty>"} << 1
                                            << QByteArray("nothing to back up");
    }
    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, says);
        QTemporaryDir data, empty;
        fill(data.path(), "current");
        for (QString& argument : arguments)
            argument.replace("<data>", data.path()).replace("<empty>", empty.path());
        if (!arguments.contains("--data-dir"))
            arguments << "--data-dir" << data.path();
        const Run run = runTallyo(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(says), run.err.constData());
        QVERIFY(listing(empty.path()).isEmpty());
        for (const QString& name : Names)
            QCOMPARE(read(data.filePath(name)), content(name, "current"));
    }

    // Two procedures on one folder at once: the second waits for the first
    // or refuses; the folder holds one whole set, never a mix, and no run
    // says the files are as they were unless they are.
    void concurrentProceduresKeepWholeSets_data()
    {
        QTest::addColumn<bool>("withRestore");
        QTest::newRow("two backups into one folder") << false;
        QTest::newRow("a backup into the folder a restore reads") << true;
    }
    void concurrentProceduresKeepWholeSets()
    {
        QFETCH(bool, withRestore);
        const int records = 1000;
        for (int round = 0; round < 6; ++round) {
            QTemporaryDir work;
            const QString a = work.filePath("a"), b = work.filePath("b"), shared = work.filePath("shared");
            fillSet(a, "a", records);
            fillSet(b, "b", records);
            fillSet(shared, "old", records);
            QProcess first, second;
            const QString binary = qEnvironmentVariable("TALLYO_BINARY");
            first.start(binary, {"backup", shared, "--data-dir", a});
            second.start(binary, withRestore ? QStringList{"restore", shared, "--yes", "--data-dir", b}
                                             : QStringList{"backup", shared, "--data-dir", b});
            QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
            QStringList done;
            for (QProcess* run : {&first, &second}) {
                const QByteArray err = run->readAllStandardError();
                QVERIFY2(!err.contains("as they were"), err.constData());
                if (run->exitCode() == 0)
                    done.append(run == &first ? "a" : "b");
                else
                    QVERIFY2(err.contains("Folder in Use"), err.constData());
            }
            QVERIFY(done.contains("a") || done.contains("b"));
            const QString inShared = whichSet(shared, {"old", "a", "b"}, records);
            QVERIFY2(inShared == u"old" || inShared == u"a" || inShared == u"b", qPrintable(inShared));
            QCOMPARE(listing(shared), DataNames);
            if (withRestore) {
                QCOMPARE(inShared, done.contains("a") ? QStringLiteral("a") : QStringLiteral("old"));
                // Restored from the folder as it was before or after the backup.
                const QString inB = whichSet(b, {"old", "a", "b"}, records);
                if (done.contains("b"))
                    QVERIFY2(inB == u"old" || inB == u"a", qPrintable(inB));
                else
                    QCOMPARE(inB, QStringLiteral("b"));
                removeKeptCopies(b);
            } else {
                QVERIFY(done.contains(inShared));
            }
        }
    }

    // A restore refuses while the program runs; a backup may run beside it.
    void restoreWaitsForTheRunningProgram()
    {
        tallyo::SingleInstance running;
        QVERIFY(running.tryLock());
        QTemporaryDir data, other;
        fillSet(data.path(), "current");
        fillSet(other.path(), "old");
        const Run refused = runTallyo({"restore", other.path(), "--yes", "--data-dir", data.path()});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains("Close it before restoring"), refused.err.constData());
        QCOMPARE(whichSet(data.path(), {"current"}), QStringLiteral("current"));
        QCOMPARE(listing(data.path()), DataNames);
        QCOMPARE(QDir(QFileInfo(data.path()).path()).entryList({QFileInfo(data.path()).fileName() + "-before-*"}),
                 QStringList());

        const Run backup = runTallyo({"backup", other.path(), "--data-dir", data.path()});
        QCOMPARE(backup.exitCode, 0);
        QCOMPARE(whichSet(other.path(), {"current"}), QStringLiteral("current"));
    }

    // Backups taken while the program appends to Account.dat (each record
    // written in two parts) hold whole records only, as the file was.
    void backupWhileAppendingCopiesWholeRecords()
    {
        QTemporaryDir data, target;
        fillSet(data.path(), "base");
        const QString dat = data.filePath("Account.dat");
        std::atomic<bool> stop{false};
        std::thread writer([&] {
            QFile file(dat);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
                return;
            const QByteArray record = setContent("Account.dat", "appended", 1);
            while (!stop) {
                file.write(record.left(300));
                ::usleep(500);
                file.write(record.mid(300));
            }
        });
        int cut = 0;
        for (int round = 0; round < 10; ++round) {
            const Run run = runTallyo({"backup", target.path(), "--data-dir", data.path()});
            if (run.exitCode != 0) {
                qWarning("%s", run.err.constData());
                ++cut;
                continue;
            }
            const QByteArray copied = readAll(target.filePath("Account.dat"));
            if (copied.size() % 1000 != 0 || !readAll(dat).startsWith(copied))
                ++cut;
        }
        stop = true;
        writer.join();
        QCOMPARE(cut, 0);
    }

    // Odd paths and files: names are the bytes given and resolved by the
    // system, a pipe in place of a data file is refused at once, and the
    // messages name the real problem.
    void oddPathsAndFiles_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("says");
        QTest::addColumn<QString>("absent");   // must not exist afterwards
        QTest::addColumn<QString>("holdsSet"); // must hold the data set afterwards
        QTest::newRow("folder name that is not UTF-8")
            << "" << "\"$T\" restore source --yes --data-dir \"$(printf 'data\\351')\"" << 2
            << QByteArray("not valid UTF-8") << "data\uFFFD" << "";
        QTest::newRow("pipe as Account.dat, backup")
            << "fifo" << "\"$T\" backup bk --data-dir data" << 1 << QByteArray("not a regular file")
            << "bk/Account.dex" << "";
        QTest::newRow("pipe as Account.dat, export")
            << "fifo" << "\"$T\" export accounts --data-dir data" << 1 << QByteArray("not a regular file") << ""
            << "";
        QTest::newRow("link/.. resolved by the system")
            << "link" << "\"$T\" backup L/../bk --data-dir data" << 0 << QByteArray() << "bk/Account.dex"
            << "deep/bk";
        QTest::newRow("a folder beside data named DATA")
            << "" << "mkdir DATA && \"$T\" backup DATA --data-dir data" << 0 << QByteArray() << "" << "DATA";
        QTest::newRow("backup --data-dir names a file")
            << "" << "\"$T\" backup bk --data-dir data/Account.dex" << 1 << QByteArray("is not a folder") << ""
            << "";
        QTest::newRow("restore from a file")
            << "" << "\"$T\" restore data/Account.dex --yes --data-dir fresh" << 1
            << QByteArray("Drive or Folder Access Problem") << "fresh" << "";
        QTest::newRow("record that is no number")
            << "" << "\"$T\" print check --account x --record abc --data-dir data" << 2 << QByteArray("--record")
            << "" << "";
        QTest::newRow("kept folder cannot be made")
            << "" << "mv data " + QString(240, u'd') + " && \"$T\" restore source --yes --data-dir " + QString(240, u'd')
            << 1 << QByteArray("File name too long") << "" << "";
    }
    void oddPathsAndFiles()
    {
        QFETCH(QString, setup);
        QFETCH(QString, script);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, says);
        QFETCH(QString, absent);
        QFETCH(QString, holdsSet);
        QTemporaryDir work;
        fillSet(work.filePath("data"), "data");
        fillSet(work.filePath("source"), "source");
        QDir(work.path()).mkpath("bk");
        if (setup == u"fifo") {
            QFile::remove(work.filePath("data/Account.dat"));
            QCOMPARE(::mkfifo(QFile::encodeName(work.filePath("data/Account.dat")).constData(), 0600), 0);
        } else if (setup == u"link") {
            QDir(work.path()).mkpath("deep/inner");
            QDir(work.path()).mkpath("deep/bk");
            QVERIFY(QFile::link("deep/inner", work.filePath("L")));
        }
        const Run run = runScript(work.path(), script);
        QVERIFY2(run.exitCode == exitCode, run.err.constData());
        QVERIFY2(run.err.contains(says), run.err.constData());
        if (!absent.isEmpty())
            QVERIFY2(!QFileInfo::exists(work.filePath(absent)), qPrintable(absent));
        if (!holdsSet.isEmpty())
            QCOMPARE(whichSet(work.filePath(holdsSet), {"data"}), QStringLiteral("data"));
        QCOMPARE(QDir(work.path()).entryList({"*-before-restore-*"}, QDir::Dirs), QStringList());
    }
};

TALLYO_TEST(BackupCommandTest)
#include "backupcommand.moc"
