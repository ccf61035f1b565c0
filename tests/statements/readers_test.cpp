// The readers on real statements and on one file per quirk: every line as
// the register will see it, or the refusal with its line and reason.
#include "testrunner.h"

#include "statements/csvreader.h"
#include "statements/matching.h"
#include "statements/statement.h"

#include <QTemporaryFile>
#include <QTest>

using namespace tallyo;

namespace {

QString DataFile(const QString& name)
{
    return QStringLiteral(TALLYO_TEST_DATA "/") + name;
}

// Each statement as "ACCTID balance", then each line as
// "date type|payee|amount|comment" and the bank's own id after "#".
QStringList Summary(const StatementFile& file)
{
    QStringList summary;
    for (const Statement& statement : file.statements) {
        summary.append(statement.accountId + u' '
                       + (statement.closingBalance ? QString::number(*statement.closingBalance) : QStringLiteral("-")));
        for (const StatementLine& line : statement.lines) {
            QString text = QStringLiteral("%1 %2|%3|%4|%5")
                               .arg(line.date.toString(Qt::ISODate), TypeForLine(line).trimmed(), PayeeForLine(line))
                               .arg(line.amount)
                               .arg(CommentForLine(line));
            if (!line.bankId.startsWith(u"QIF-") && !line.bankId.startsWith(u"CSV-") && !line.bankId.startsWith(u"OFX-"))
                text += QStringLiteral("|#") + line.bankId;
            summary.append(text);
        }
    }
    return summary;
}

}

class StatementReadersTest : public QObject {
    Q_OBJECT

private slots:
    void readsEveryLine_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("ofx package, OFX 1.x") << "node-ofx-example1.ofx" << "" << "" << QStringList{
            "1234567-00 42257900",
            "2012-09-28 Other Credit|Credit Interest Paid|199000||#20120928.0",
            "2012-09-28 Other Debit|Withholding Tax|-10100||#20120928.1",
            "2012-09-07 Other Debit|06 0773 0214764 33|-1000000|Debit Transfer: Bike|#20120907.0",
            "2012-09-07 Other Debit|Transfer|-719900|Debit Transfer: Postage|#201209071",
            "2012-01-04 Other Debit|Transfer|-200100|Debit Transfer Party|#20120104.6"};
        QTest::newRow("ofx package, QFX on one line") << "node-ofx-example-xml.qfx" << "" << "" << QStringList{
            "XXXXXXXXXX 10252300", "2016-12-15 Other Credit|Interest Paid|8400||#21172131531687"};
        QTest::newRow("ofxparse, zones and CHECKNUM 0") << "ofxparse-bank_medium.ofx" << "" << "" << QStringList{
            "12300 000012345678 3823400",
            "2009-04-01 Other Debit|MCDONALD'S #112|-66000|POS MERCHANDISE;MCDONALD'S #112|#0000123456782009040100001",
            "2009-04-02 Other Debit|Joe's Bald Hairstyles|-3166700|MISCELLANEOUS PAYMENTS;Joe's Bald Hairstyles|#0000123456782009040200004",
            "2009-04-03 Other Debit|CONNIE'S HAIR D|-220000|POS MERCHANDISE;CONNIE'S HAIR D|#0000123456782009040300005"};
        QTest::newRow("ofxparse, two accounts") << "ofxparse-multiple_accounts.ofx" << "" << "" << QStringList{
            "78934567889 1234500000",
            "2011-08-09 Other Credit|qeairunesuiqre|2193300||#1015000017",
            "2011-08-09 Other Debit|qtgiuaretnaruise|-432000|tsriuenrauise|#1015000016",
            "2011-07-28 Other Credit|7893432948|1300000||#1014000010",
            "2011-07-28 Other Debit|Virement A 89273829182|-1230000||#1014000009",
            "89273829182 1234500000",
            "2011-07-28 Other Credit|Virement 78934567889|1230000||#1107000001"};
        QTest::newRow("OFX 1.x quirks, three accounts") << "quirks-sgml.ofx" << "" << "" << QStringList{
            "1111 14375000",
            "2024-01-05 1042|Smith & Sons <Plumbing>|-450000||#A1",
            "2024-01-05 Other Debit|COFFEE SHOP 42|-125000||#A2",
            "2024-01-06 AutoDeposit|ACME PAYROLL|15000000|Salary January|#A3",
            "2024-01-07 Service Fee|Monthly fee|-50000||#A4",
            "2222 1004200", "2024-01-31 Other Credit|Interest|4200||#B1",
            "4111222233334444 -3000000",
            "2024-01-08 Other Debit|GROCER|-601000||#C1",
            "2024-01-09 Other Credit|THANK YOU|2000000||#C2"};
        QTest::newRow("OFX 2.x XML") << "quirks-xml.ofx" << "" << "" << QStringList{
            "FR7630003 2100000",
            QString::fromUtf8("2024-01-02 ATM Cash|Café Über & Co|-400000|Withdrawal|#X1"),
            "2024-01-03 Deposit|Cash deposit|2500000||#X2"};
        QTest::newRow("QIF bank, order from a day above 12") << "bank-mdy.qif" << "" << "" << QStringList{
            " -",
            "1997-10-11 1042|Smith Plumbing|-12345600|Kitchen sink",
            "2003-07-12 Deposit|Payroll|2500000|",
            "2024-01-15 Other Debit|City Market|-1000000|",
            "2024-01-16 Other Debit|Split only|-40000|"};
        QTest::newRow("QIF credit card, day first, comma decimals") << "ccard-dmy.qif" << "" << "" << QStringList{
            " -", QString::fromUtf8("2023-12-25 Other Debit|Grand Hôtel|-12345600|"),
            "2024-01-03 Other Credit|Refund|451000|returned goods"};
        QTest::newRow("QIF cash, order given") << "cash-ambiguous.qif" << "dmy" << "" << QStringList{
            " -", "2003-02-01 Other Debit|Newsstand|-50000|", "2006-05-04 Other Debit|Bakery|-70000|"};
        QTest::newRow("QIF account block, ISO dates") << "account-iso.qif" << "" << "" << QStringList{
            "Everyday -", "2024-01-05 ATM Cash|Cash machine|-200000|"};
        QTest::newRow("CSV with commas") << "bank-comma.csv" << "" << "" << QStringList{
            " -", "2024-01-13 Other Debit|Smith, Jones & Co|-12345600|Rent",
            "2024-01-14 Other Credit|Payroll|20000000|", "2024-01-15 1043|CHECK 1043|-450000|"};
        QTest::newRow("CSV with semicolons") << "bank-semicolon.csv" << "" << "" << QStringList{
            " -", QString::fromUtf8("2023-12-25 Other Debit|Café du Nord|-125000|"),
            "2024-01-03 Other Credit|Salary|15000000|January"};
        QTest::newRow("CSV mapped by the user") << "unknown-columns.csv" << "" << "date=0;payee=1;amount=2" << QStringList{
            " -", "2024-01-05 Other Debit|Corner shop|-32000|", "2024-01-06 Other Credit|Refund|100000|"};
    }

    void readsEveryLine()
    {
        QFETCH(QString, file);
        QFETCH(QString, order);
        QFETCH(QString, columns);
        QFETCH(QStringList, expected);
        StatementReadOptions options;
        options.dateOrder = DateOrderFromName(order).value_or(DateOrder::Detect);
        if (!columns.isEmpty())
            options.csvColumns = CsvColumns::fromText(columns);
        const StatementFile read = ReadStatementFile(DataFile(file), options);
        QVERIFY2(read.outcome == StatementFile::Outcome::Read, qPrintable(read.problem()));
        QCOMPARE(Summary(read), expected);
    }

    void refusesWhatCannotBeReadWhole_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("problem");

        const int refused = int(StatementFile::Outcome::Refused);
        QTest::newRow("impossible OFX date") << "bad-date.ofx" << refused
                                             << "line 20: the date 20120231 is not a day of the calendar";
        QTest::newRow("OFX amount with a sign") << "bad-amount.ofx" << refused << "line 19: \"$120\" is not an amount";
        QTest::newRow("QIF splits") << "bad-splits.qif" << refused
                                    << "line 2: the splits add up to another amount than -100.00";
        QTest::newRow("QIF date") << "bad-date.qif" << refused
                                  << "line 6: the date 02/30/2024 is not a day of the calendar";
        QTest::newRow("CSV amount") << "bad-amount.csv" << refused << "line 2: \"$120\" is not an amount";
        QTest::newRow("dates of every order") << "cash-ambiguous.qif" << int(StatementFile::Outcome::NeedsDateOrder) << "";
        QTest::newRow("columns without known names") << "unknown-columns.csv" << int(StatementFile::Outcome::NeedsColumns) << "";
        QTest::newRow("no file") << "missing.ofx" << refused << "";
    }

    void refusesWhatCannotBeReadWhole()
    {
        QFETCH(QString, file);
        QFETCH(int, outcome);
        QFETCH(QString, problem);
        const StatementFile read = ReadStatementFile(DataFile(file));
        QCOMPARE(int(read.outcome), outcome);
        QVERIFY(read.statements.empty());
        if (!problem.isEmpty())
            QCOMPARE(read.problem(), problem);
        if (file == u"missing.ofx")
            QVERIFY(read.problem().contains(u"No such file"));
    }

    void unplacedColumnsComeBackWithTheHeader()
    {
        const StatementFile read = ReadStatementFile(DataFile(QStringLiteral("unknown-columns.csv")));
        QCOMPARE(read.csvHeader, (QStringList{"When", "Who", "How much"}));
        QCOMPARE(read.csvColumns, CsvColumns());
        const StatementFile ambiguous = ReadStatementFile(DataFile(QStringLiteral("cash-ambiguous.qif")));
        QCOMPARE(ambiguous.possibleOrders, (std::vector<DateOrder>{DateOrder::MonthDayYear, DateOrder::DayMonthYear,
                                                                   DateOrder::YearMonthDay}));
    }

    // Lines without a bank id get the same made-up id at every reading, and
    // two identical lines two different ones.
    void madeUpIdsAreStable()
    {
        const QByteArray qif = "!Type:Bank\nD01/15/2024\nT-3.00\nPCoffee\n^\nD01/15/2024\nT-3.00\nPCoffee\n^\n";
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(qif);
        file.close();
        const StatementFile once = ReadStatementFile(file.fileName());
        const StatementFile twice = ReadStatementFile(file.fileName());
        QCOMPARE(once.statements.at(0).lines.size(), size_t(2));
        const auto& a = once.statements[0].lines;
        const auto& b = twice.statements[0].lines;
        QCOMPARE(a[0].bankId, b[0].bankId);
        QCOMPARE(a[1].bankId, b[1].bankId);
        QVERIFY(a[0].bankId != a[1].bankId);
    }

    void recognisesColumnNames_data()
    {
        QTest::addColumn<QStringList>("header");
        QTest::addColumn<QString>("columns");
        QTest::newRow("this program's export")
            << QStringList{"Date", "Cleared", "Type", "Payee", "Debit", "Credit", "Balance", "Comment", "Record"}
            << "date=0;payee=3;debit=4;credit=5;memo=7;type=2";
        QTest::newRow("a bank's") << QStringList{"Posting Date", "Description", "Amount", "Check or Slip #"}
                                  << "date=0;payee=1;amount=2;number=3";
        QTest::newRow("payee before description")
            << QStringList{"Transaction Date", " Description ", "Payee", "Withdrawals", "Deposits", "Memo:"}
            << "date=0;payee=2;debit=3;credit=4;memo=5";
    }

    void recognisesColumnNames()
    {
        QFETCH(QStringList, header);
        QFETCH(QString, columns);
        QCOMPARE(RecognizeCsvColumns(header).toText(), columns);
        QCOMPARE(CsvColumns::fromText(columns)->toText(), columns);
    }
};

TALLYO_TEST(StatementReadersTest)
#include "readers_test.moc"
