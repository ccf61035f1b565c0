// `tallyo export register` run as a real process on data folders whose
// files are written byte by byte here.
#include "../store/handmade.h"
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

using namespace tallyo::test;

namespace {

using handmade::Transaction;

constexpr char CheckingKey[] = "20240101120000";
constexpr char SavingsKey[] = "20240101120001";

QByteArray account(const QByteArray& key, const QByteArray& name)
{
    handmade::Account a;
    a.key = key;
    a.name = name;
    return handmade::account(a);
}

Transaction transaction(const QByteArray& key, double date, const QByteArray& type, qint64 amount,
                        const QByteArray& payee = "Payee", bool cleared = false, const QByteArray& comment = "")
{
    Transaction t;
    t.key = key;
    t.date = date;
    t.type = type;
    t.amount = amount;
    t.payee = payee;
    t.cleared = cleared ? -1 : 0;
    t.comment = comment;
    return t;
}

Run exportRegister(const QTemporaryDir& folder, const QString& account)
{
    return runTallyo({"export", "register", "--account", account, "--data-dir", folder.path()});
}

const QByteArray header = "Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record\r\n";

}

class ExportRegisterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set");
    }

    void writesTheRegisterInOrderWithItsBalance()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"),
                  account(CheckingKey, "  Checking  ") + account(SavingsKey, "Savings"));
        QByteArray transactions;
        for (const Transaction& t : {
                 transaction(SavingsKey, 1.0, "Start", 5000000, "Beginning Balance", true),
                 transaction(CheckingKey, 45001, "Deposit", 1000000, "Employer, \"Inc.\"", false, " salary "),
                 transaction(CheckingKey, 1.0, "Start", 10000000, "Beginning Balance", true),
                 transaction(CheckingKey, 45000.5, "1001", -450000, "Caf\xE9 Lumi\xE8re", true),
                 transaction(CheckingKey, 45000, "VOID", 0, "Voided", true),
                 transaction(SavingsKey, 45000, "Deposit", 10000),
                 transaction(CheckingKey, 45002, "Other Debit", 0, "Nothing"),
             })
            transactions += handmade::transaction(t);
        writeFile(folder.filePath("Account.dat"), transactions);
        const QStringList before = listing(folder.path());

        const Run run = exportRegister(folder, "Checking");
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        const QByteArray expected = header
            + ",*,Start,Beginning Balance,,1000.00,1000.00,,3\r\n"
              "2023-03-15,*,1001,Caf\xC3\xA9 Lumi\xC3\xA8re,-45.00,,955.00,,4\r\n"
              "2023-03-15,*,VOID,Voided,,,955.00,,5\r\n"
              "2023-03-16,,Deposit,\"Employer, \"\"Inc.\"\"\",,100.00,1055.00,salary,2\r\n"
              "2023-03-17,,Other Debit,Nothing,,,1055.00,,7\r\n";
        QCOMPARE(run.out, expected);
        QCOMPARE(listing(folder.path()), before);
    }

    void writesEveryKindOfFieldAsItIsStored_data()
    {
        QTest::addColumn<double>("date");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QByteArray>("payee");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QByteArray>("comment");
        QTest::addColumn<QByteArray>("record");  // as written, without the record number
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("quotes and commas in every text")
            << 45000.0 << QByteArray("Chk,\"1\"") << false << QByteArray("A \"B\", C") << qint64(-100)
            << QByteArray("x,y") << QByteArray("2023-03-15,,\"Chk,\"\"1\"\"\",\"A \"\"B\"\", C\",-0.01,,-0.01,\"x,y\"");
        QTest::newRow("line breaks")
            << 45000.0 << QByteArray("Deposit") << true << QByteArray("one\r\ntwo") << qint64(10000)
            << QByteArray("three\nfour") << QByteArray("2023-03-15,*,Deposit,\"one\r\ntwo\",,1.00,1.00,\"three\nfour\"");
        QTest::newRow("code page characters")
            << 45000.0 << QByteArray("D\xE9p\xF4t") << false << QByteArray("\x80 \x9C\xFC\x85")
            << qint64(10000) << QByteArray(" \xA0\xA3 ")
            << QByteArray("2023-03-15,,D\xC3\xA9p\xC3\xB4t,\xE2\x82\xAC \xC5\x93\xC3\xBC\xE2\x80\xA6,,1.00,1.00,"
                          "\xC2\xA0\xC2\xA3");
        QTest::newRow("largest credit")
            << 45000.0 << QByteArray("Deposit") << false << QByteArray("Bank") << max << QByteArray()
            << QByteArray("2023-03-15,,Deposit,Bank,,922337203685477.58,922337203685477.58,");
        QTest::newRow("smallest debit")
            << 45000.0 << QByteArray("1001") << false << QByteArray("Bank") << min << QByteArray()
            << QByteArray("2023-03-15,,1001,Bank,-922337203685477.58,,-922337203685477.58,");
        QTest::newRow("debit below half a cent")
            << 45000.0 << QByteArray("1001") << false << QByteArray("Bank") << qint64(-49) << QByteArray()
            << QByteArray("2023-03-15,,1001,Bank,0.00,,0.00,");
        QTest::newRow("negative balance of millions")
            << 45000.0 << QByteArray("ATM") << false << QByteArray("Bank") << qint64(-123456789012345)
            << QByteArray() << QByteArray("2023-03-15,,ATM,Bank,-12345678901.23,,-12345678901.23,");
        QTest::newRow("late evening rounds to the next day")
            << 45000.999999 << QByteArray("ATM") << false << QByteArray("Bank") << qint64(0) << QByteArray()
            << QByteArray("2023-03-16,,ATM,Bank,,,0.00,");
        QTest::newRow("first day shown")
            << -657434.0 << QByteArray("ATM") << false << QByteArray("Bank") << qint64(0) << QByteArray()
            << QByteArray("0100-01-01,,ATM,Bank,,,0.00,");
        QTest::newRow("no date")
            << std::nan("") << QByteArray("ATM") << false << QByteArray("Bank") << qint64(0) << QByteArray()
            << QByteArray(",,ATM,Bank,,,0.00,");
    }

    void writesEveryKindOfFieldAsItIsStored()
    {
        QFETCH(double, date);
        QFETCH(QByteArray, type);
        QFETCH(bool, cleared);
        QFETCH(QByteArray, payee);
        QFETCH(qint64, amount);
        QFETCH(QByteArray, comment);
        QFETCH(QByteArray, record);
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), account(CheckingKey, "Checking"));
        writeFile(folder.filePath("Account.dat"),
                  handmade::transaction(transaction(CheckingKey, date, type, amount, payee, cleared, comment)));
        const Run run = exportRegister(folder, "Checking");
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, header + record + ",1\r\n");
    }

    // A register whose days include the day summer time starts at midnight:
    // every date is shown, whatever the zone the export runs in.
    void datesAreCalendarDaysInEveryZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<double>("day");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("Santiago") << "America/Santiago" << 46271.0 << QByteArray("2026-09-06");
        QTest::newRow("Sao Paulo") << "America/Sao_Paulo" << 43408.0 << QByteArray("2018-11-04");
    }
    void datesAreCalendarDaysInEveryZone()
    {
        QFETCH(QString, zone);
        QFETCH(double, day);
        QFETCH(QByteArray, shown);
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), account(CheckingKey, "Checking"));
        QByteArray transactions;
        for (const Transaction& t : {
                 transaction(CheckingKey, 1.0, "Start", 1000000, "Beginning Balance", true),
                 transaction(CheckingKey, day - 1 + 23.5 / 24, "101", -10000, "Evening before"),
                 transaction(CheckingKey, day, "102", -10000, "Midnight"),
                 transaction(CheckingKey, day + 0.5 / 24, "103", -10000, "Half past"),
                 transaction(CheckingKey, day + 1, "104", -10000, "Next day"),
             })
            transactions += handmade::transaction(t);
        writeFile(folder.filePath("Account.dat"), transactions);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TZ", zone);
        const Run run = runTallyo({"export", "register", "--account", "Checking", "--data-dir", folder.path()},
                                  environment);
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 7);  // header, five rows, the empty end
        const QDate shownDay = QDate::fromString(QString::fromLatin1(shown), Qt::ISODate);
        QVERIFY(lines[2].startsWith(shownDay.addDays(-1).toString(Qt::ISODate).toLatin1() + ",,101,"));
        QVERIFY(lines[3].startsWith(shown + ",,102,Midnight,"));
        QVERIFY(lines[4].startsWith(shown + ",,103,Half past,"));
        QVERIFY(lines[5].startsWith(shownDay.addDays(1).toString(Qt::ISODate).toLatin1() + ",,104,"));
    }

    void aFailedWriteIsReported()
    {
        if (!QFile::exists("/dev/full"))
            QSKIP("/dev/full is not available");
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), account(CheckingKey, "Checking"));
        writeFile(folder.filePath("Account.dat"),
                  handmade::transaction(transaction(CheckingKey, 45000, "Deposit", 10000)));
        QProcess process;
        process.setStandardOutputFile("/dev/full");
        process.start(qEnvironmentVariable("TALLYO_BINARY"),
                      {"export", "register", "--account", "Checking", "--data-dir", folder.path()});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        const QByteArray err = process.readAllStandardError();
        QVERIFY2(err.contains("could not write"), err.constData());
        QCOMPARE(err.count('\n'), 1);
    }

    void findsTheAccountByNameOrKey_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("firstRecord");  // the record number of the first row
        QTest::newRow("exact name") << "Travel" << 0 << QByteArray("1");
        QTest::newRow("exact name before letter case") << "travel" << 0 << QByteArray("2");
        QTest::newRow("letter case ignored") << "savings" << 0 << QByteArray("3");
        QTest::newRow("spaces around ignored") << "  Savings " << 0 << QByteArray("3");
        QTest::newRow("key") << "20240101120002" << 0 << QByteArray("3");
        QTest::newRow("two accounts of one name") << "Joint" << 1 << QByteArray();
        QTest::newRow("two accounts ignoring case") << "TRAVEL" << 1 << QByteArray();
        QTest::newRow("no such name") << "Holiday" << 1 << QByteArray();
        QTest::newRow("no such key") << "20991231235959" << 1 << QByteArray();
    }

    void findsTheAccountByNameOrKey()
    {
        QFETCH(QString, given);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, firstRecord);
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"),
                  account("20240101120000", "Travel") + account("20240101120001", "travel")
                      + account("20240101120002", "Savings") + account("20240101120003", "Joint")
                      + account("20240101120004", "Joint"));
        QByteArray transactions;
        for (const char* key : {"20240101120000", "20240101120001", "20240101120002"})
            transactions += handmade::transaction(transaction(key, 1.0, "Start", 10000, "Beginning Balance", true));
        writeFile(folder.filePath("Account.dat"), transactions);

        const Run run = exportRegister(folder, given);
        QCOMPARE(run.exitCode, exitCode);
        if (exitCode == 0) {
            QVERIFY(run.out.startsWith(header));
            QVERIFY(run.out.endsWith("," + firstRecord + "\r\n"));
            QVERIFY(run.err.isEmpty());
        } else {
            QVERIFY(run.out.isEmpty());
            QCOMPARE(run.err.count('\n'), 1);
        }
    }

    void anAccountWithoutTransactionsGivesTheHeaderAlone()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), account(CheckingKey, "Checking"));
        const Run run = exportRegister(folder, "Checking");
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, header);
        QCOMPARE(listing(folder.path()), QStringList{"Account.dex"});
    }

    void aBalanceTooLargeIsLeftEmpty()
    {
        QTemporaryDir folder;
        writeFile(folder.filePath("Account.dex"), account(CheckingKey, "Huge"));
        QByteArray transactions;
        transactions += handmade::transaction(transaction(CheckingKey, 45000, "Deposit", 10000));
        transactions += handmade::transaction(
            transaction(CheckingKey, 45001, "Deposit", std::numeric_limits<qint64>::max()));
        transactions += handmade::transaction(transaction(CheckingKey, 45002, "1001", -10000));
        writeFile(folder.filePath("Account.dat"), transactions);
        const Run run = exportRegister(folder, "Huge");
        QCOMPARE(run.exitCode, 1);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[1].contains(",1.00,1.00,,1\r"));
        QVERIFY(lines[2].contains(",,,2\r"));  // no balance, no comment
        QVERIFY(lines[3].contains("-1.00,,,,3\r"));
        QCOMPARE(run.err.count('\n'), 1);
    }
};

TALLYO_TEST(ExportRegisterTest)
#include "exportregister.moc"
