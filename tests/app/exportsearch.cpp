// `tallyo export register --search KIND=TEXT [--year YYYY]` run as a real
// process on a data folder written byte by byte here, its expected lines
// written out by hand.
#include "../store/handmade.h"
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QTemporaryDir>
#include <QTest>
#include <map>

using namespace tallyo::test;

namespace {

using handmade::Transaction;

constexpr char CheckingKey[] = "20240101120000";
constexpr char SavingsKey[] = "20240101120001";

Transaction transaction(const QByteArray& key, double date, const QByteArray& type, qint64 amount,
                        const QByteArray& payee, bool cleared = false, const QByteArray& comment = "",
                        const QByteArray& notes = "")
{
    Transaction t;
    t.key = key;
    t.date = date;
    t.type = type;
    t.amount = amount;
    t.payee = payee;
    t.cleared = cleared ? -1 : 0;
    t.comment = comment;
    t.notes = notes;
    return t;
}

// Days since 1899-12-30: 7740 is 1921-03-10, 44189 2020-12-24, 44260
// 2021-03-05, 44275 2021-03-20, 44378 2021-07-01, 44563 2022-01-02.
QByteArray transactionsFile()
{
    QByteArray bytes;
    for (const Transaction& t : {
             transaction(CheckingKey, 1.0, "Start", 10000000, "Beginning Balance", true, "",
                         "This is the beginning balance for this account. "),
             transaction(CheckingKey, 44260.5, "123", -450000, "John Smith", true, "Rent March"),
             transaction(CheckingKey, 7740, "Deposit", 450000, "SMITHSON", false, "", "Warranty card inside"),
             transaction(CheckingKey, 44378, "AutoDeposit", 25000000, "Acme Payroll"),
             transaction(CheckingKey, 44189, "AutoPayment", -12345600, "Mortgage"),
             transaction(SavingsKey, 44260, "123", -450000, "John Smith"),
             transaction(CheckingKey, 44275, "Other Debit", -5000000, "smith & co"),
             transaction(CheckingKey, 44563, "VOID", 0, "Corner Garage", true, "Wrong amount"),
         })
        bytes += handmade::transaction(t);
    return bytes;
}

// The line of each Checking record as the whole register export writes it.
const std::map<int, QByteArray> lines{
    {1, ",*,Start,Beginning Balance,,1000.00,1000.00,,1\r\n"},
    {3, "1921-03-10,,Deposit,SMITHSON,,45.00,1045.00,,3\r\n"},
    {5, "2020-12-24,,AutoPayment,Mortgage,-1234.56,,-189.56,,5\r\n"},
    {2, "2021-03-05,*,123,John Smith,-45.00,,-234.56,Rent March,2\r\n"},
    {7, "2021-03-20,,Other Debit,smith & co,-500.00,,-734.56,,7\r\n"},
    {4, "2021-07-01,,AutoDeposit,Acme Payroll,,2500.00,1765.44,,4\r\n"},
    {8, "2022-01-02,*,VOID,Corner Garage,,,1765.44,Wrong amount,8\r\n"},
};

const QByteArray header = "Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record\r\n";

}

class ExportSearchTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set");
        handmade::Account checking, savings;
        checking.key = CheckingKey;
        checking.name = "Checking";
        savings.key = SavingsKey;
        savings.name = "Savings";
        writeFile(folder_.filePath("Account.dex"), handmade::account(checking) + handmade::account(savings));
        writeFile(folder_.filePath("Account.dat"), transactionsFile());
    }

    void printsTheMatchesInRegisterOrder_data()
    {
        QTest::addColumn<QStringList>("search");
        QTest::addColumn<QList<int>>("records");
        using L = QList<int>;
        QTest::newRow("payee, any case, part of the name") << QStringList{"payee=smith"} << L{3, 2, 7};
        QTest::newRow("payee in 2021, 1921 too") << QStringList{"payee=SMITH", "--year", "2021"} << L{3, 2, 7};
        QTest::newRow("payee in 2020: none") << QStringList{"payee=smith", "--year", "2020"} << L{};
        QTest::newRow("month 3") << QStringList{"month=3"} << L{3, 2, 7};
        QTest::newRow("month 12: the beginning balance") << QStringList{"month=12"} << L{1, 5};
        QTest::newRow("month-year 03/2021") << QStringList{"month-year=03/2021"} << L{3, 2, 7};
        QTest::newRow("year 1999: the beginning balance") << QStringList{"year=1999"} << L{1};
        QTest::newRow("year 2021") << QStringList{"year=2021"} << L{3, 2, 7, 4};
        QTest::newRow("check 0123") << QStringList{"check=0123"} << L{2};
        QTest::newRow("type Deposit, not AutoDeposit") << QStringList{"type=Deposit"} << L{3};
        QTest::newRow("type auto-deposit") << QStringList{"type=auto-deposit"} << L{4};
        QTest::newRow("type Voided entries") << QStringList{"type=Voided entries"} << L{8};
        QTest::newRow("credit -45: the deposit") << QStringList{"credit=-45"} << L{3};
        QTest::newRow("debit 45: the check") << QStringList{"debit=45"} << L{2};
        QTest::newRow("debit 1,234.56") << QStringList{"debit=1,234.56"} << L{5};
        QTest::newRow("comment") << QStringList{"comment=MARCH"} << L{2};
        QTest::newRow("notes") << QStringList{"notes=warranty"} << L{3};
        QTest::newRow("nothing found") << QStringList{"payee=nobody"} << L{};
    }

    void printsTheMatchesInRegisterOrder()
    {
        QFETCH(QStringList, search);
        QFETCH(QList<int>, records);
        const QStringList before = listing(folder_.path());
        QStringList arguments{"export", "register", "--account", "Checking", "--data-dir", folder_.path(), "--search"};
        const Run run = runTallyo(arguments + search);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QByteArray expected = header;
        for (int record : records)
            expected += lines.at(record);
        QCOMPARE(run.out, expected);
        QCOMPARE(listing(folder_.path()), before);
    }

    void refusesWhatThePromptWouldAskAgain_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("month 13") << QStringList{"--search", "month=13"} << QByteArray("month from 1 to 12");
        QTest::newRow("year 1850") << QStringList{"--search", "year=1850"} << QByteArray("1900 to 2999");
        QTest::newRow("check 0") << QStringList{"--search", "check=0"} << QByteArray("check number above 0");
        QTest::newRow("amount abc") << QStringList{"--search=debit=abc"} << QByteArray("\"abc\"");
        QTest::newRow("unknown type") << QStringList{"--search", "type=Cheque"} << QByteArray("Voided entries");
        QTest::newRow("unknown kind") << QStringList{"--search", "amount=5"} << QByteArray("month-year");
        QTest::newRow("no text") << QStringList{"--search", "payee"} << QByteArray("KIND=TEXT");
        QTest::newRow("a year on a month search") << QStringList{"--search", "month=3", "--year", "2021"}
                                                  << QByteArray("--year");
        QTest::newRow("a year outside 1900-2999") << QStringList{"--search", "payee=x", "--year", "21"}
                                                  << QByteArray("1900 to 2999");
        QTest::newRow("a year without a search") << QStringList{"--year", "2021"} << QByteArray("--search");
    }

    void refusesWhatThePromptWouldAskAgain()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, reason);
        const Run run = runTallyo(QStringList{"export", "register", "--account", "Checking", "--data-dir",
                                              folder_.path()}
                                  + arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(reason), run.err.constData());
    }

    void theSearchBelongsToTheRegisterExport()
    {
        const Run run = runTallyo({"export", "accounts", "--data-dir", folder_.path(), "--search", "payee=x"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.err.contains("export register"));
    }
};

TALLYO_TEST(ExportSearchTest)
#include "exportsearch.moc"
