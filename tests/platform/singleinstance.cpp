// One running copy per user: the lock, its release, and its takeover after a
// crash.
#include "testrunner.h"

#include "platform/singleinstance.h"
#include "testenv.h"

#include <QDir>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>
#include <unistd.h>

using namespace tallyo;

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyIsRefused();
    void releasedLockCanBeTaken();
    void lockOfCrashedCopyIsTakenOver();
    void oldLockOfRunningCopyStillHolds();
    void defaultLockLivesInRuntimeFolder();
    void failureToLockIsNotAnotherCopy_data();
    void failureToLockIsNotAnotherCopy();
};

void SingleInstanceTest::secondCopyIsRefused()
{
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("tallyo.lock"));
    SingleInstance first(path);
    QVERIFY(first.tryLock());
    QVERIFY(first.tryLock()); // asking again changes nothing
    SingleInstance second(path);
    QVERIFY(!second.tryLock());
    QVERIFY(!second.isLocked());
    QVERIFY(second.heldByAnotherCopy());
}

void SingleInstanceTest::releasedLockCanBeTaken()
{
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("tallyo.lock"));
    {
        SingleInstance first(path);
        QVERIFY(first.tryLock());
    }
    SingleInstance next(path);
    QVERIFY(next.tryLock());
}

void SingleInstanceTest::lockOfCrashedCopyIsTakenOver()
{
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("tallyo.lock"));
    // A child takes the lock and dies without releasing it.
    const int code = test::runInChildProcess([path] {
        SingleInstance crashed(path);
        if (!crashed.tryLock())
            _exit(3);
        _exit(0);
    });
    QCOMPARE(code, 0);
    QVERIFY(QFile::exists(path));
    SingleInstance next(path);
    QVERIFY(next.tryLock());
}

void SingleInstanceTest::oldLockOfRunningCopyStillHolds()
{
    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("tallyo.lock"));
    SingleInstance running(path);
    QVERIFY(running.tryLock());
    // A lock made long ago by a copy that still runs is not stale.
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    lock.close();
    SingleInstance second(path);
    QVERIFY(!second.tryLock());
    QVERIFY(second.heldByAnotherCopy());
}

void SingleInstanceTest::defaultLockLivesInRuntimeFolder()
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    const QString path = SingleInstance::defaultLockPath();
    qputenv("XDG_RUNTIME_DIR", previous);
    QCOMPARE(path, runtime.filePath(QStringLiteral("tallyo.lock")));
}

void SingleInstanceTest::failureToLockIsNotAnotherCopy_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder missing") << "missing" << "No such file or directory";
    QTest::newRow("folder is a file") << "file" << "Not a directory";
    QTest::newRow("folder at the lock's name") << "folder"
                                               << "The file is in the way, but it is no lock of a "
                                                  "running copy and cannot be replaced.";
    QTest::newRow("folder read-only") << "read-only" << "Permission denied";
    QTest::newRow("stale lock that cannot be removed")
        << "stale" << "The file is in the way, but it is no lock of a running copy and cannot be replaced.";
}

void SingleInstanceTest::failureToLockIsNotAnotherCopy()
{
    QFETCH(QString, setup);
    QFETCH(QString, reason);
    QTemporaryDir temp;
    QString path = temp.filePath(QStringLiteral("runtime/tallyo.lock"));
    const QString folder = temp.filePath(QStringLiteral("runtime"));
    const bool needsPermissions = setup == "read-only" || setup == "stale";
    if (needsPermissions && geteuid() == 0)
        QSKIP("permissions do not hold for the superuser");
    const auto readOnly = [&] { QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)); };
    if (setup == "file") {
        QVERIFY(test::writeWholeFile(folder, "not a folder"));
    } else if (setup == "folder") {
        QVERIFY(QDir().mkpath(path));
    } else if (setup == "read-only") {
        QVERIFY(QDir().mkpath(folder));
        readOnly();
    } else if (setup == "stale") {
        QVERIFY(QDir().mkpath(folder));
        const int code = test::runInChildProcess([path] {
            SingleInstance crashed(path);
            _exit(crashed.tryLock() ? 0 : 3);
        });
        QCOMPARE(code, 0);
        readOnly();
    }

    SingleInstance instance(path);
    QVERIFY(!instance.tryLock());
    QVERIFY(!instance.heldByAnotherCopy());
    QCOMPARE(instance.failureReason(), reason);
    QCOMPARE(instance.lockPath(), path);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TALLYO_TEST(SingleInstanceTest)
#include "singleinstance.moc"
