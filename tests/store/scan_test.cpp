#include "handmade.h"
#include "store/accountkeys.h"
#include "store/records.h"
#include "store/recordscan.h"
#include "testenv.h"
#include "testrunner.h"

#include <QTest>
#include <limits>

using namespace tallyo;
using namespace tallyo::test;

class ScanTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder;

private slots:
    void init()
    {
        folder = std::make_unique<TempDataFolder>();
        QVERIFY(folder->isValid());
    }
    void cleanup() { folder.reset(); }

    void everyRecordInOrder_data()
    {
        QTest::addColumn<int>("chunkRecords");
        QTest::addColumn<int>("records");
        QTest::newRow("one per chunk") << 1 << 5;
        QTest::newRow("chunks of two, odd count") << 2 << 5;
        QTest::newRow("chunk matches the file") << 5 << 5;
        QTest::newRow("default chunk, several chunks") << 0 << 2500;
    }

    void everyRecordInOrder()
    {
        QFETCH(int, chunkRecords);
        QFETCH(int, records);
        const QByteArray file = handmade::numberedTransactions(1, records);
        QVERIFY(writeWholeFile("Account.dat", file));

        RecordScanner scan("Account.dat", 1000, chunkRecords);
        QCOMPARE(scan.count(), records);
        int seen = 0;
        while (scan.next()) {
            ++seen;
            QCOMPARE(scan.number(), seen);
            if (QByteArrayView(scan.record(), 1000) != QByteArrayView(file).sliced(qsizetype(seen - 1) * 1000, 1000))
                QFAIL(qPrintable(QString("record %1 differs").arg(seen)));
        }
        QCOMPARE(seen, records);
        QVERIFY(!scan.next());
    }

    void shortLastRecordIsPadded()
    {
        QVERIFY(writeWholeFile("Account.dat", handmade::numberedTransactions(1, 3).left(2600)));
        QList<qint64> amounts;
        ScanRecords("Account.dat", 1000, [&](const char* record, qint32) {
            amounts << TransactionView(record).amount();
        });
        QCOMPARE(amounts, (QList<qint64>{1, 2, 3}));

        RecordScanner scan("Account.dat", 1000);
        while (scan.next()) {
        }
        // After the 600 bytes of data, the last record is zeros.
        QCOMPARE(QByteArrayView(scan.record() + 600, 400), QByteArray(400, '\0'));
    }

    void missingFileHasNoRecordsAndStaysMissing()
    {
        RecordScanner scan("Account.dat", 1000);
        QCOMPARE(scan.count(), 0);
        QVERIFY(!scan.next());
        QVERIFY(!fileExists("Account.dat"));
    }

    void transactionViewReadsFieldsInPlace()
    {
        const QByteArray bytes = handmade::transaction(
            {"20240305070809", 45356.5, "ATM Cash", -1, "Cash point", -600000, "weekend", "long notes"});
        const TransactionView view(bytes.constData());
        QVERIFY(view.hasKey(AccountKeyBytes(u"20240305070809")));
        QVERIFY(!view.hasKey(AccountKeyBytes(u"20240305070808")));
        QCOMPARE(view.date(), 45356.5);
        QCOMPARE(view.amount(), qint64(-600000));
        QVERIFY(view.cleared());
        QCOMPARE(view.typeBytes(), QByteArrayView("ATM Cash    "));
        QCOMPARE(view.type(), QString(TypeAtmCash));
        QCOMPARE(view.payee().trimmed(), QString("Cash point"));
        QCOMPARE(view.comment().trimmed(), QString("weekend"));
        QCOMPARE(view.decode().Notes.trimmed(), QString("long notes"));
    }

    void keyTableFindsEveryKeyAtItsPlace()
    {
        QStringList keys;
        for (int i = 0; i < 1000; ++i)
            keys << QString("2020%1").arg(i * 7919, 10, 10, QChar('0'));
        const AccountKeyTable table(keys);
        for (int i = 0; i < keys.size(); ++i)
            QCOMPARE(table.indexOf(AccountKeyBytes(keys[i]).constData()), i);
        QCOMPARE(table.indexOf("20240101120000"), -1);
        QCOMPARE(AccountKeyTable({}).indexOf("20240101120000"), -1);
    }

    void balancesSumEachAccount()
    {
        auto record = [](const QByteArray& key, qint64 amount) {
            handmade::Transaction t;
            t.key = key;
            t.amount = amount;
            return handmade::transaction(t);
        };
        const qint64 most = std::numeric_limits<qint64>::max();
        QVERIFY(writeWholeFile("Account.dat",
                               record("20200101000000", 150000) + record("20210101000000", -20000)
                                   + record("20200101000000", -50000) + record("20990101000000", 7)
                                   + record("20220101000000", most) + record("20220101000000", most)));
        // A key listed twice counts at its first place only; an unknown key
        // in the file counts nowhere; a sum past the limit stays at it.
        const QList<AccountBalance> balances = AccountBalances(
            {"20210101000000", "20200101000000", "20210101000000", "20220101000000", "20230101000000"});
        QCOMPARE(balances, (QList<AccountBalance>{{-20000, false}, {100000, false}, {0, false},
                                                  {most, true}, {0, false}}));
    }
};

TALLYO_TEST(ScanTest)
#include "scan_test.moc"
