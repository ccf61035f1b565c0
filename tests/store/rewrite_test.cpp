#include "handmade.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/rewrite.h"
#include "testenv.h"
#include "testrunner.h"

#include <QTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallyo;
using namespace tallyo::test;

Q_DECLARE_METATYPE(RewriteStep)

namespace {

// Records 1..count, those listed in `removed` carrying date 0.
QByteArray transactionsFile(int count, const QList<int>& removed = {})
{
    QByteArray all;
    for (int i = 1; i <= count; ++i)
        all += handmade::numberedTransaction(i, removed.contains(i) ? 0.0 : 45000.0);
    return all;
}

QByteArray recordsOf(const QByteArray& file, const QList<int>& numbers)
{
    QByteArray kept;
    for (int n : numbers)
        kept += file.mid((n - 1) * 1000, 1000);
    return kept;
}

}

class RewriteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder;

private slots:
    void init()
    {
        folder = std::make_unique<TempDataFolder>();
        QVERIFY(folder->isValid());
    }
    void cleanup()
    {
        SetRewriteStepHook({});
        folder.reset();
    }

    void removeTransaction_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<int>>("markedBefore");
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<int>>("kept");

        QTest::newRow("last") << 4 << QList<int>{} << 4 << QList<int>{1, 2, 3};
        QTest::newRow("first") << 4 << QList<int>{} << 1 << QList<int>{2, 3, 4};
        QTest::newRow("middle") << 4 << QList<int>{} << 2 << QList<int>{1, 3, 4};
        QTest::newRow("only") << 1 << QList<int>{} << 1 << QList<int>{};
        QTest::newRow("an earlier mark goes too") << 5 << QList<int>{2} << 4 << QList<int>{1, 3, 5};
        QTest::newRow("record itself marked") << 3 << QList<int>{3} << 3 << QList<int>{1, 2};
    }

    void removeTransaction()
    {
        QFETCH(int, records);
        QFETCH(QList<int>, markedBefore);
        QFETCH(int, n);
        QFETCH(QList<int>, kept);
        const QByteArray before = transactionsFile(records, markedBefore);
        QVERIFY(writeWholeFile("Account.dat", before));

        RemoveTransaction(n);

        QCOMPARE(readWholeFile("Account.dat"), recordsOf(before, kept));
        QCOMPARE(TransactionCount(), kept.size());
        QVERIFY(!fileExists("TempFile.$$$"));
        QVERIFY(!dataFiles().TransactionFile.isOpen());
    }

    void removingARecordThatDoesNotExistChangesNothing_data()
    {
        QTest::addColumn<int>("n");
        QTest::newRow("zero") << 0;
        QTest::newRow("past the end") << 4;
    }

    void removingARecordThatDoesNotExistChangesNothing()
    {
        QFETCH(int, n);
        const QByteArray before = transactionsFile(3);
        QVERIFY(writeWholeFile("Account.dat", before));
        QVERIFY_THROWS_EXCEPTION(FileError, RemoveTransaction(n));
        QCOMPARE(readWholeFile("Account.dat"), before);
        QVERIFY(!fileExists("TempFile.$$$"));
    }

    void busyIsShownAroundTheRewrite()
    {
        QVERIFY(writeWholeFile("Account.dat", transactionsFile(2)));
        QList<bool> busy;
        RemoveTransaction(1, [&](bool on) { busy << on; });
        QCOMPARE(busy, (QList<bool>{true, false}));
    }

    void keepFilterByKey()
    {
        // Removing an account's lists: every record without its key stays.
        const QByteArray a = handmade::lists("20200101000000", "A", "");
        const QByteArray b = handmade::lists("20210101000000", "B", "");
        const QByteArray c = handmade::lists("20220101000000", "C", "");
        QVERIFY(writeWholeFile("PayCom.lst", a + b + c + b));
        const QByteArray key = AccountKeyBytes(u"20210101000000");
        const qint32 kept = RewriteKeeping(dataFiles().ListFile, [&](const char* record, qint32) {
            return QByteArrayView(record, 14) != key;
        });
        QCOMPARE(kept, 2);
        QCOMPARE(readWholeFile("PayCom.lst"), a + c);
        QCOMPARE(ListCount(), 2);
    }

    void failureLeavesTheDataFileAndNoScratch_data()
    {
        QTest::addColumn<RewriteStep>("step");
        QTest::newRow("while writing the scratch file") << RewriteStep::ChunkWritten;
        QTest::newRow("before the rename") << RewriteStep::ScratchComplete;
    }

    void failureLeavesTheDataFileAndNoScratch()
    {
        QFETCH(RewriteStep, step);
        const QByteArray before = transactionsFile(3);
        QVERIFY(writeWholeFile("Account.dat", before));
        SetRewriteStepHook([step](RewriteStep reached) {
            if (reached == step)
                throw FileError("TempFile.$$$", "write", "Input/output error");
        });
        QList<bool> busy;
        QVERIFY_THROWS_EXCEPTION(FileError, RemoveTransaction(2, [&](bool on) { busy << on; }));
        QCOMPARE(readWholeFile("Account.dat"), before);
        QVERIFY(!fileExists("TempFile.$$$"));
        QCOMPARE(TransactionCount(), 3);
        QCOMPARE(busy, (QList<bool>{true, false}));
    }

    void fullDiskDuringTheCopyLeavesTheDataFile()
    {
        const QByteArray before = transactionsFile(4);
        QVERIFY(writeWholeFile("Account.dat", before));
        bool refused = false;
        {
            FileSizeLimit limit(2500);  // the copy needs 3000 bytes
            try {
                RemoveTransaction(4);
            } catch (const FileError& error) {
                refused = true;
                QCOMPARE(error.file(), QString("TempFile.$$$"));
            }
        }
        QVERIFY(refused);
        QCOMPARE(readWholeFile("Account.dat"), before);
        QVERIFY(!fileExists("TempFile.$$$"));
    }

    void processStoppedAtAStepLeavesAWholeFile_data()
    {
        QTest::addColumn<RewriteStep>("step");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("after the first chunk") << RewriteStep::ChunkWritten << false;
        QTest::newRow("scratch complete") << RewriteStep::ScratchComplete << false;
        QTest::newRow("just renamed") << RewriteStep::Replaced << true;
    }

    void processStoppedAtAStepLeavesAWholeFile()
    {
        QFETCH(RewriteStep, step);
        QFETCH(bool, rewritten);
        // Big enough for the copy to take several chunks.
        const QByteArray before = transactionsFile(2500);
        QVERIFY(writeWholeFile("Account.dat", before));

        const int exitCode = runInChildProcess([step] {
            SetRewriteStepHook([step](RewriteStep reached) {
                if (reached == step)
                    ::raise(SIGKILL);
            });
            RemoveTransaction(1);
        });
        QCOMPARE(exitCode, 128 + SIGKILL);
        QCOMPARE(readWholeFile("Account.dat"), rewritten ? before.mid(1000) : before);
    }

    void processKilledAtRandomLeavesAWholeFile_data()
    {
        QTest::addColumn<int>("afterMs");
        QTest::newRow("early") << 5;
        QTest::newRow("later") << 40;
        QTest::newRow("much later") << 120;
    }

    void processKilledAtRandomLeavesAWholeFile()
    {
        // A child removes the first record again and again until killed;
        // the file must then hold some tail of the records, whole.
        QFETCH(int, afterMs);
        const int records = 400;
        const QByteArray before = transactionsFile(records);
        QVERIFY(writeWholeFile("Account.dat", before));

        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            try {
                for (int left = records; left > 0; --left)
                    RemoveTransaction(1);
            } catch (...) {
            }
            ::_exit(0);
        }
        ::usleep(useconds_t(afterMs) * 1000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        // A missing or unreadable file reads as null, which would compare
        // equal to an empty tail: it is a failure of its own.
        const QByteArray after = readWholeFile("Account.dat");
        QVERIFY2(!after.isNull(), "Account.dat is missing or cannot be read");
        QCOMPARE(after.size() % 1000, 0);
        QCOMPARE(after, before.right(after.size()));
    }
};

TALLYO_TEST(RewriteTest)
#include "rewrite_test.moc"
