// `tallyo export accounts` run as a real process on data folders whose files
// are written byte by byte here, independently of the program's encoder.
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

using namespace tallyo::test;

namespace {

// Windows-1252 bytes of a text, padded with spaces to the field width.
QByteArray field(const QByteArray& cp1252, int width)
{
    QByteArray bytes = cp1252.left(width);
    bytes.append(width - bytes.size(), ' ');
    return bytes;
}

QByteArray accountRecord(const char* key, const QByteArray& name, const QByteArray& query = {})
{
    QByteArray record;
    record += field(key, 14);
    record += field(name, 40);
    record += field(query, 40);
    record += field(query.isEmpty() ? QByteArray() : "answer", 15);
    record += field("notes", 2879);
    record += QByteArray(12, '\0');
    Q_ASSERT(record.size() == 3000);
    return record;
}

QByteArray transactionRecord(const char* key, qint64 amountTenThousandths, double date = 45000.0)
{
    QByteArray record(1000, ' ');
    std::memcpy(record.data(), key, 14);
    std::memcpy(record.data() + 14, &date, 8);            // little-endian on this machine
    std::memcpy(record.data() + 22, "Deposit     ", 12);
    const qint16 cleared = 0;
    std::memcpy(record.data() + 34, &cleared, 2);
    std::memcpy(record.data() + 86, &amountTenThousandths, 8);
    return record;
}

}

class ExportAccountsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set");
    }

    void listsSortedAccountsWithBalances()
    {
        QTemporaryDir folder;
        QByteArray index;
        index += accountRecord("20240101120000", "  gamma  ");
        index += accountRecord("20240101120001", "Fish & Chips", "Mother's maiden name?");
        index += accountRecord("20240101120002", "Alpha, \"Main\"");
        index += accountRecord("20240101120003", "beta \xA3 caf\xE9");
        index += accountRecord("20240101120004", "alpha, \"main\"");  // ties keep file order
        writeFile(folder.filePath("Account.dex"), index);

        QByteArray transactions;
        transactions += transactionRecord("20240101120002", 1000000);   // 100.00
        transactions += transactionRecord("20240101120003", -123450000); // -12,345.00
        transactions += transactionRecord("20240101120002", -255000);    // -25.50
        transactions += transactionRecord("20240101120002", 0);          // a void
        transactions += transactionRecord("20240101120001", 5);          // 0.0005 rounds to 0.00
        transactions += transactionRecord("20240101120003", -5000);      // -0.50
        transactions += transactionRecord("20249999999999", 990000);     // no such account
        writeFile(folder.filePath("Account.dat"), transactions);
        const QStringList before = listing(folder.path());

        const Run run = runTallyo({"export", "accounts", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QByteArray expected =
            "Name,Key,Balance,Protected\r\n"
            "\"Alpha, \"\"Main\"\"\",20240101120002,74.50,no\r\n"
            "\"alpha, \"\"main\"\"\",20240101120004,0.00,no\r\n"
            "beta \xC2\xA3 caf\xC3\xA9,20240101120003,-12345.50,no\r\n"
            "Fish & Chips,20240101120001,0.00,yes\r\n"
            "gamma,20240101120000,0.00,no\r\n";
        QCOMPARE(run.out, expected);
        QCOMPARE(listing(folder.path()), before);
    }

    void emptyFolderCreatesNothing()
    {
        QTemporaryDir folder;
        const Run run = runTallyo({"export", "accounts", "--data-dir=" + folder.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Name,Key,Balance,Protected\r\n"));
        QVERIFY(listing(folder.path()).isEmpty());
    }

    void refusesBadArgumentsAndMissingFolders_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("unknown export") << QStringList{"export", "nothing"} << 2;
        QTest::newRow("export alone") << QStringList{"export"} << 2;
        QTest::newRow("unknown option") << QStringList{"export", "accounts", "--colour"} << 2;
        QTest::newRow("data dir without folder") << QStringList{"export", "accounts", "--data-dir"} << 2;
        QTest::newRow("account on accounts") << QStringList{"export", "accounts", "--account", "x"} << 2;
        QTest::newRow("missing folder")
            << QStringList{"export", "accounts", "--data-dir", "/nonexistent/tallyo-data"} << 1;
    }

    void refusesBadArgumentsAndMissingFolders()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        const Run run = runTallyo(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.isEmpty());
        if (exitCode == 1)
            QCOMPARE(run.err.count('\n'), 1);  // one line of reason
        else
            QVERIFY(run.err.contains("Usage"));
    }

    void reportsOverflowInsteadOfWrapping()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), accountRecord("20240101120000", "Huge"));
        QByteArray transactions;
        transactions += transactionRecord("20240101120000", std::numeric_limits<qint64>::max());
        transactions += transactionRecord("20240101120000", 10000);
        writeFile(folder.filePath("Account.dat"), transactions);
        const Run run = runTallyo({"export", "accounts", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.out, QByteArray("Name,Key,Balance,Protected\r\nHuge,20240101120000,,no\r\n"));
        QVERIFY(run.err.contains("Huge"));
    }

    void largestBalancesAreShownInFull()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), accountRecord("20240101120000", "Most")
                                                      + accountRecord("20240101120001", "Least"));
        QByteArray transactions;
        transactions += transactionRecord("20240101120000", std::numeric_limits<qint64>::max());
        transactions += transactionRecord("20240101120001", std::numeric_limits<qint64>::min());
        writeFile(folder.filePath("Account.dat"), transactions);
        const Run run = runTallyo({"export", "accounts", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Name,Key,Balance,Protected\r\n"
                                     "Least,20240101120001,-922337203685477.58,no\r\n"
                                     "Most,20240101120000,922337203685477.58,no\r\n"));
    }

    void damagedFilesAreReadWithoutACrash()
    {
        QTemporaryDir folder;
        // An index cut short and a transaction file with a half record and an
        // impossible date: read as far as they go.
        QByteArray index = accountRecord("20240101120000", "Short");
        index += accountRecord("20240101120001", "Cut").left(1700);
        writeFile(folder.filePath("Account.dex"), index);
        QByteArray transactions = transactionRecord("20240101120000", 10000, std::nan(""));
        transactions += transactionRecord("20240101120000", 10000, 1e308).left(300);
        writeFile(folder.filePath("Account.dat"), transactions);
        const Run run = runTallyo({"export", "accounts", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Name,Key,Balance,Protected\r\n"));
        QVERIFY(run.out.contains("Short,20240101120000,1.00,no\r\n"));
    }
};

TALLYO_TEST(ExportAccountsTest)
#include "exportaccounts.moc"
