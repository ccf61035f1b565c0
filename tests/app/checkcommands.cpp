// `tallyo words`, `tallyo print check` and `tallyo export layout` run as a
// real process: words against hand-written expectations, a check printed
// into a PDF and read back, and every refusal with its exit status.
#include "../store/handmade.h"
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo::test;

namespace {

constexpr char CheckingKey[] = "20240101120000";
constexpr char SavingsKey[] = "20240101120001";
const QByteArray Layout("\x02\x3C\x04\x32\x06\x0A\x06\x3E\x08\x05\x0A\x08", 12);

QByteArray account(const QByteArray& key, const QByteArray& name, const QByteArray& layout)
{
    handmade::Account a;
    a.key = key;
    a.name = name;
    a.checkLayout = layout;
    return handmade::account(a);
}

QByteArray transaction(const QByteArray& key, const QByteArray& type, qint64 amount, const QByteArray& comment = "")
{
    handmade::Transaction t;
    t.key = key;
    t.date = 44260; // 2021-03-05
    t.type = type;
    t.amount = amount;
    t.payee = "City Water Works";
    t.comment = comment;
    return handmade::transaction(t);
}

// Checking (with a layout): 1 beginning balance, 2 check 1042 with a
// comment, 3 deposit. Savings (no layout): 4 check 7.
void writeData(const QTemporaryDir& folder)
{
    writeFile(folder.filePath("Account.dex"),
              account(CheckingKey, "Checking", Layout) + account(SavingsKey, "Savings", QByteArray(12, '\0')));
    writeFile(folder.filePath("Account.dat"),
              transaction(CheckingKey, "Start", 10000000) + transaction(CheckingKey, "1042", -12345600, "Quarterly bill")
                  + transaction(CheckingKey, "Deposit", 500000) + transaction(SavingsKey, "7", -10000));
}

QByteArray pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return process.readAllStandardOutput();
}

}

class CheckCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareProgramRuns(); }

    void words_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << QStringList{"1234.56"}
                               << QByteArray("One Thousand Two Hundred Thirty Four Dollars & 56 Cents\n");
        QTest::newRow("grouped") << QStringList{"1,234.56"}
                                 << QByteArray("One Thousand Two Hundred Thirty Four Dollars & 56 Cents\n");
        QTest::newRow("negative") << QStringList{"-15"} << QByteArray("Fifteen Dollars & 00 Cents\n");
        QTest::newRow("after --") << QStringList{"--", "-0.5"} << QByteArray("Dollars & 50 Cents\n");
        QTest::newRow("one cent") << QStringList{"1.01"} << QByteArray("One Dollar & 01 Cent\n");
        QTest::newRow("dollar") << QStringList{"10.5", "--currency", "dollar"} << QByteArray("Ten Dollars & 50 Cents\n");
        QTest::newRow("pound") << QStringList{"1.01", "--currency", "pound"} << QByteArray("One Pound & 01 Pence\n");
        QTest::newRow("pound first") << QStringList{"--currency=pound", "100500"}
                                     << QByteArray("One Hundred Thousand Five Hundred Pounds & 00 Pence\n");
        QTest::newRow("millions") << QStringList{"999999999.99"}
                                  << QByteArray("Nine Hundred Ninety Nine Million Nine Hundred Ninety Nine Thousand "
                                                "Nine Hundred Ninety Nine Dollars & 99 Cents\n");
    }

    void words()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        const Run run = runTallyo(QStringList{"words"} + arguments);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expected);
    }

    void wordsRefuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("letters") << QStringList{"words", "abc"};
        QTest::newRow("empty") << QStringList{"words", ""};
        QTest::newRow("sign") << QStringList{"words", "$5"};
        QTest::newRow("too large") << QStringList{"words", "99999999999999999999"};
        QTest::newRow("no amount") << QStringList{"words"};
        QTest::newRow("two amounts") << QStringList{"words", "1", "2"};
        QTest::newRow("other currency") << QStringList{"words", "1", "--currency", "euro"};
        QTest::newRow("print options") << QStringList{"words", "1", "--number"};
    }

    void wordsRefuses()
    {
        QFETCH(QStringList, arguments);
        const Run run = runTallyo(arguments);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.isEmpty());
    }

    void printsIntoAPdf_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("comment");
        QTest::newRow("both") << QStringList{"--number", "--comment"} << true << true;
        QTest::newRow("neither") << QStringList{} << false << false;
        QTest::newRow("comment") << QStringList{"--comment"} << false << true;
    }

    void printsIntoAPdf()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, number);
        QFETCH(bool, comment);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir folder, out;
        writeData(folder);
        const QString pdf = out.filePath("check.pdf");
        const Run run = runTallyo(QStringList{"print", "check", "--account", "Checking", "--record", "2", "--pdf",
                                              pdf, "--data-dir", folder.path()}
                                  + options);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, "The check was saved as " + pdf.toUtf8() + "\n");
        const QByteArray text = pdfText(pdf);
        QVERIFY2(text.contains("One Thousand Two Hundred Thirty Four Dollars & 56 Cents"), text.constData());
        QVERIFY(text.contains("March 5, 2021"));
        QVERIFY(text.contains("City Water Works"));
        QVERIFY(text.contains("1,234.56"));
        QCOMPARE(text.contains("1042"), number);
        QCOMPARE(text.contains("Quarterly bill"), comment);
        QCOMPARE(listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void printRefuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("no layout") << QStringList{"--account", "Savings", "--record", "4"} << 1
                                   << QByteArray("Setup Print Checking");
        QTest::newRow("another account's record") << QStringList{"--account", "Checking", "--record", "4"} << 1
                                                  << QByteArray("another account");
        QTest::newRow("not a check") << QStringList{"--account", "Checking", "--record", "3"} << 1
                                     << QByteArray("not a check");
        QTest::newRow("no such record") << QStringList{"--account", "Checking", "--record", "9"} << 1
                                        << QByteArray("no record 9");
        QTest::newRow("record not a number") << QStringList{"--account", "Checking", "--record", "two"} << 2
                                             << QByteArray("--record needs a record number");
        QTest::newRow("no such account") << QStringList{"--account", "Travel", "--record", "2"} << 1
                                         << QByteArray("No account");
        QTest::newRow("no record given") << QStringList{"--account", "Checking"} << 2 << QByteArray("--record");
        QTest::newRow("no account given") << QStringList{"--record", "2"} << 2 << QByteArray("--account");
    }

    void printRefuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, reason);
        QTemporaryDir folder, out;
        writeData(folder);
        const QString pdf = out.filePath("check.pdf");
        const Run run = runTallyo(QStringList{"print", "check", "--pdf", pdf, "--data-dir", folder.path()} + arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(reason), run.err.constData());
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void exportsTheLayout()
    {
        QTemporaryDir folder;
        writeData(folder);
        Run run = runTallyo({"export", "layout", "--account", "Checking", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("Field,Row,Column\r\n"
                                     "Check number,2,60\r\n"
                                     "Date,4,50\r\n"
                                     "Payee,6,10\r\n"
                                     "Amount in figures,6,62\r\n"
                                     "Amount in words,8,5\r\n"
                                     "Comment,10,8\r\n"));
        run = runTallyo({"export", "layout", "--account", "savings", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.endsWith("Comment,0,0\r\n"));
        run = runTallyo({"export", "layout", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 2);
    }
};

TALLYO_TEST(CheckCommandsTest)
#include "checkcommands.moc"
