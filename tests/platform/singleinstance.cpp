// One running copy per user: the lock, its release, and its takeover after a
// crash.
#include "testrunner.h"

#include "platform/singleinstance.h"
#include "testenv.h"

#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo;

class SingleInstanceTest : public QObject {
    Q_OBJECT

private slots:
    void secondCopyIsRefused();
    void releasedLockCanBeTaken();
    void lockOfCrashedCopyIsTakenOver();
    void oldLockOfRunningCopyStillHolds();
    void defaultLockLivesInRuntimeFolder();
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

TALLYO_TEST(SingleInstanceTest)
#include "singleinstance.moc"
