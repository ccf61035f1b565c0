// `tallyo backup` and `tallyo restore` run as real processes: the answers
// the window would ask for come from --force and --yes, and the exit status
// tells whether every file was copied.
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo::test;

namespace {

const QStringList Names{"Account.dex", "Account.dat", "PayCom.lst"};

QByteArray content(const QString& name, const char* side)
{
    return (name + u':' + QLatin1String(side)).toLatin1().repeated(100);
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
};

TALLYO_TEST(BackupCommandTest)
#include "backupcommand.moc"
