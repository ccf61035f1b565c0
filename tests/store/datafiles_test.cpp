#include "handmade.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "testenv.h"
#include "testrunner.h"

#include <QDir>
#include <QTest>

using namespace tallyo;
using namespace tallyo::test;

class DataFilesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder;

private slots:
    void init()
    {
        folder = std::make_unique<TempDataFolder>();
        QVERIFY(folder->isValid());
    }
    void cleanup() { folder.reset(); }

    void openingMissingFilesCreatesThemEmpty()
    {
        OpenAccountIndex();
        OpenTransactions();
        OpenLists();
        QCOMPARE(AccountIndexCount(), 0);
        QCOMPARE(TransactionCount(), 0);
        QCOMPARE(ListCount(), 0);
        CloseAccountIndex();
        CloseTransactions();
        CloseLists();
        for (const char* name : {"Account.dex", "Account.dat", "PayCom.lst"})
            QCOMPARE(readWholeFile(name), QByteArray(""));
    }

    void appendsAreCountedAndStoredInOrder()
    {
        OpenTransactions();
        TransactionRecord first;
        first.AccountKey = "20240101120000";
        first.TransactionDate = 45000.0;
        first.TransactionType = TypeDeposit;
        first.Payee = "Payee 1";
        first.Amount = 1;
        WriteTransactionRecord(1, first);
        TransactionRecord second = first;
        second.Payee = "Payee 2";
        second.Amount = 2;
        WriteTransactionRecord(2, second);
        QCOMPARE(TransactionCount(), 2);
        QCOMPARE(ReadTransactionRecord(2).Payee.trimmed(), QString("Payee 2"));
        CloseTransactions();

        QCOMPARE(TransactionCount(), 2);
        QCOMPARE(readWholeFile("Account.dat"), handmade::numberedTransactions(1, 2));
    }

    void updateInPlaceKeepsTheOtherRecords()
    {
        QVERIFY(writeWholeFile("Account.dat", handmade::numberedTransactions(1, 3)));
        OpenTransactions();
        TransactionRecord r = ReadTransactionRecord(2);
        r.Amount = 20;
        WriteTransactionRecord(2, r);
        CloseTransactions();

        QByteArray expected = handmade::numberedTransactions(1, 3);
        expected.replace(1086, 8, QByteArray("\x14\0\0\0\0\0\0\0", 8));
        QCOMPARE(readWholeFile("Account.dat"), expected);
    }

    void recordsOutsideTheFileAreRefused_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("n");
        QTest::newRow("read 0") << false << 0;
        QTest::newRow("read past the end") << false << 3;
        QTest::newRow("read negative") << false << -1;
        QTest::newRow("write 0") << true << 0;
        QTest::newRow("write beyond the append") << true << 4;
        QTest::newRow("write far away") << true << 2147483647;
    }

    void recordsOutsideTheFileAreRefused()
    {
        QFETCH(bool, write);
        QFETCH(int, n);
        const QByteArray before = handmade::numberedTransactions(1, 2);
        QVERIFY(writeWholeFile("Account.dat", before));
        OpenTransactions();
        try {
            if (write)
                WriteTransactionRecord(n, TransactionRecord());
            else
                ReadTransactionRecord(n);
            QFAIL("record accepted");
        } catch (const FileError& error) {
            QCOMPARE(error.file(), QString("Account.dat"));
            QCOMPARE(error.operation(), QString(write ? "write" : "read"));
        }
        CloseTransactions();
        QCOMPARE(TransactionCount(), 2);
        QCOMPARE(readWholeFile("Account.dat"), before);
    }

    void readingAClosedFileIsRefused()
    {
        QVERIFY_THROWS_EXCEPTION(FileError, ReadAccountRecord(1));
    }

    void countRoundsToNearestTiesToEven_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("under half") << 499 << 0;
        QTest::newRow("half rounds to even 0") << 500 << 0;
        QTest::newRow("over half") << 501 << 1;
        QTest::newRow("one and a half rounds to 2") << 1500 << 2;
        QTest::newRow("two and a half rounds to 2") << 2500 << 2;
        QTest::newRow("three and a half rounds to 4") << 3500 << 4;
        QTest::newRow("whole") << 3000 << 3;
        QTest::newRow("just under whole") << 2999 << 3;
    }

    void countRoundsToNearestTiesToEven()
    {
        QFETCH(int, bytes);
        QFETCH(int, count);
        QVERIFY(writeWholeFile("Account.dat", QByteArray(bytes, 'x')));
        OpenTransactions();
        QCOMPARE(TransactionCount(), count);
        CloseTransactions();
        QCOMPARE(TransactionCount(), count);
    }

    void shortLastRecordReadsPadded()
    {
        // 1.6 records: the second is cut short and comes back zero-padded.
        QByteArray damaged = handmade::numberedTransactions(1, 2).left(1600);
        QVERIFY(writeWholeFile("Account.dat", damaged));
        OpenTransactions();
        QCOMPARE(TransactionCount(), 2);
        const TransactionRecord second = ReadTransactionRecord(2);
        QCOMPARE(second.Payee.trimmed(), QString("Payee 2"));
        QCOMPARE(second.Notes.size(), 856);
        QCOMPARE(second.Notes.right(1), QString(QChar(0)));
        CloseTransactions();
        QCOMPARE(readWholeFile("Account.dat"), damaged);
    }

    void appendThatFailsLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<int>("room");
        QTest::newRow("no room at all") << 0;
        QTest::newRow("room for part of the record") << 500;
    }

    void appendThatFailsLeavesTheFileAsItWas()
    {
        QFETCH(int, room);
        const QByteArray before = handmade::numberedTransactions(1, 2);
        QVERIFY(writeWholeFile("Account.dat", before));
        OpenTransactions();
        bool refused = false;
        QString reason;
        {
            FileSizeLimit limit(before.size() + room);
            try {
                WriteTransactionRecord(3, TransactionRecord());
            } catch (const FileError& error) {
                refused = true;
                reason = error.reason();
            }
        }
        QVERIFY(refused);
        QVERIFY2(!reason.isEmpty(), qPrintable(reason));
        QCOMPARE(TransactionCount(), 2);
        CloseTransactions();
        QCOMPARE(TransactionCount(), 2);
        QCOMPARE(readWholeFile("Account.dat"), before);
    }

    void fileThatCannotBeOpenedReportsWhy()
    {
        QVERIFY(QDir().mkdir("PayCom.lst"));
        try {
            OpenLists();
            QFAIL("opened a folder");
        } catch (const FileError& error) {
            QCOMPARE(error.file(), QString("PayCom.lst"));
            QCOMPARE(error.operation(), QString("open"));
            QVERIFY(!error.reason().isEmpty());
        }
    }

    void workWithAFileOpenClosesItWhateverHappens()
    {
        QVERIFY(writeWholeFile("Account.dat", handmade::numberedTransactions(1, 2)));
        // A result comes back; appends are counted after the close.
        const qint64 amount = WhileTransactionsOpen([] {
            WriteTransactionRecord(3, ReadTransactionRecord(2));
            return ReadTransactionRecord(1).Amount;
        });
        QCOMPARE(amount, qint64(1));
        QVERIFY(!dataFiles().TransactionFile.isOpen());
        QCOMPARE(TransactionCount(), 3);

        // A failure closes the file and reaches the caller; nothing was
        // written, so the count stands.
        try {
            WhileTransactionsOpen([] { ReadTransactionRecord(9); });
            QFAIL("read a record that is not there");
        } catch (const FileError& error) {
            QCOMPARE(error.file(), QString("Account.dat"));
        }
        QVERIFY(!dataFiles().TransactionFile.isOpen());
        QCOMPARE(TransactionCount(), 3);

        WhileListsOpen([] { WriteListRecord(1, ListRecord{}); });
        QVERIFY(!dataFiles().ListFile.isOpen());
        QCOMPARE(WhileAccountIndexOpen([] { return AccountIndexCount(); }), 0);
        QCOMPARE(ListCount(), 1);
    }
};

TALLYO_TEST(DataFilesTest)
#include "datafiles_test.moc"
