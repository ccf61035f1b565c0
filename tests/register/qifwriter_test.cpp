// The QIF writer: each kind of transaction as its record, the opening
// balance's day, the header and the filter, and a failing output.
#include "registerdata.h"
#include "testrunner.h"

#include "register/qifwriter.h"
#include "store/fileerror.h"

#include <QFile>
#include <QTest>
#include <QTextStream>

Q_DECLARE_METATYPE(handmade::Transaction)

using namespace tallyo;
using namespace registerdata;

namespace {

RegisterRows rowsOf(const QList<handmade::Transaction>& transactions)
{
    RegisterRows rows;
    qint32 number = 0;
    for (const handmade::Transaction& t : transactions)
        rows.append(handmade::transaction(t).constData(), ++number);
    return rows;
}

handmade::Transaction withComment(handmade::Transaction t, const QByteArray& comment)
{
    t.comment = comment;
    return t;
}

constexpr double March14 = 45365;  // 2024-03-14

}

class QifWriterTest : public QObject {
    Q_OBJECT

private slots:
    void eachTransactionAsItsRecord_data()
    {
        QTest::addColumn<handmade::Transaction>("transaction");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("check, cleared, with memo")
            << withComment(transaction(March14, "1042", -45, true, "City Water"), "March bill")
            << QByteArray("D03/14/2024\r\nT-45.00\r\nC*\r\nN1042\r\nPCity Water\r\nMMarch bill\r\n^\r\n");
        QTest::newRow("deposit, uncleared")
            << transaction(March14 + 0.75, "Deposit", 1234.5, false, "Employer, Inc.")
            << QByteArray("D03/14/2024\r\nT1234.50\r\nNDEP\r\nPEmployer, Inc.\r\n^\r\n");
        QTest::newRow("automatic payment") << transaction(March14, "AutoPayment", -80, false, "Insurer")
                                           << QByteArray("D03/14/2024\r\nT-80.00\r\nNEFT\r\nPInsurer\r\n^\r\n");
        QTest::newRow("automatic deposit") << transaction(March14, "AutoDeposit", 5, false, "Pension")
                                           << QByteArray("D03/14/2024\r\nT5.00\r\nNEFT\r\nPPension\r\n^\r\n");
        QTest::newRow("cash machine") << transaction(March14, "ATM Cash", -60, false, "Bank")
                                      << QByteArray("D03/14/2024\r\nT-60.00\r\nNATM\r\nPBank\r\n^\r\n");
        QTest::newRow("service fee") << transaction(March14, "Service Fee", -2.5, false, "Bank")
                                     << QByteArray("D03/14/2024\r\nT-2.50\r\nNFEE\r\nPBank\r\n^\r\n");
        QTest::newRow("other credit, no number") << transaction(March14, "Other Credit", 1, false, "Refund")
                                                 << QByteArray("D03/14/2024\r\nT1.00\r\nPRefund\r\n^\r\n");
        QTest::newRow("other debit, no payee") << transaction(March14, "Other Debit", -1, false, "")
                                               << QByteArray("D03/14/2024\r\nT-1.00\r\n^\r\n");
        QTest::newRow("void keeps its payee behind the mark")
            << transaction(March14, "VOID", 0, true, "Spoiled check")
            << QByteArray("D03/14/2024\r\nT0.00\r\nC*\r\nP**VOID**Spoiled check\r\n^\r\n");
        QTest::newRow("a type no code names is its own number")
            << transaction(March14, "Transfer", -3, false, "Savings")
            << QByteArray("D03/14/2024\r\nT-3.00\r\nNTransfer\r\nPSavings\r\n^\r\n");
        QTest::newRow("code-page text in UTF-8, line breaks as spaces")
            << withComment(transaction(March14, "Deposit", 3, false, "Caf\xE9 Lumi\xE8re"), "two\r\nlines")
            << QByteArray("D03/14/2024\r\nT3.00\r\nNDEP\r\nPCaf\xC3\xA9 Lumi\xC3\xA8re\r\nMtwo  lines\r\n^\r\n");
        QTest::newRow("a damaged date has no D line") << transaction(1e300, "Deposit", 3, false, "X")
                                                     << QByteArray("T3.00\r\nNDEP\r\nPX\r\n^\r\n");
        QTest::newRow("fractions of a cent round as shown")
            << transaction(March14, "Deposit", 0.0051, false, "X")
            << QByteArray("D03/14/2024\r\nT0.01\r\nNDEP\r\nPX\r\n^\r\n");
    }
    void eachTransactionAsItsRecord()
    {
        QFETCH(handmade::Transaction, transaction);
        QFETCH(QByteArray, record);
        const RegisterRows rows = rowsOf({transaction});
        QCOMPARE(QifRecordText(QifTransactionOf(rows, 0, QStringLiteral("Household"), QDate(2024, 1, 2))), record);
    }

    void openingBalanceIsDatedOnTheFirstTransaction_data()
    {
        QTest::addColumn<QList<handmade::Transaction>>("transactions");
        QTest::addColumn<QDate>("day");
        QTest::newRow("first after the start") << QList{beginningBalance(100), transaction(March14, "1", -1)}
                                               << QDate(2024, 3, 14);
        QTest::newRow("start alone keeps its own day") << QList{beginningBalance(100)} << QDate(1899, 12, 31);
        QTest::newRow("no start") << QList{transaction(March14 + 1, "1", -1)} << QDate(2024, 3, 15);
        QTest::newRow("nothing") << QList<handmade::Transaction>() << QDate();
    }
    void openingBalanceIsDatedOnTheFirstTransaction()
    {
        QFETCH(QList<handmade::Transaction>, transactions);
        QFETCH(QDate, day);
        QCOMPARE(QifOpeningDay(rowsOf(transactions)), day);
    }

    void wholeListWithHeaderOpeningBalanceAndFilter()
    {
        const RegisterRows rows = rowsOf({beginningBalance(-100), transaction(March14, "1001", -25.5, false, "Shop"),
                                          transaction(March14 + 1, "Deposit", 10, true, "Employer")});
        QString text;
        QTextStream out(&text);
        WriteRowsQif(out, rows, QStringLiteral("  My [Checking]  "), [](qint32 i) { return i != 1; });
        QCOMPARE(text, QStringLiteral("!Type:Bank\r\n"
                                      "D03/14/2024\r\nT-100.00\r\nC*\r\nPOpening Balance\r\nL[My [Checking]]\r\n^\r\n"
                                      "D03/15/2024\r\nT10.00\r\nC*\r\nNDEP\r\nPEmployer\r\n^\r\n"));
    }

    void anOutputThatFailsIsNamed()
    {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("this system has no /dev/full to fail a write");
        QFile full(QStringLiteral("/dev/full"));
        QVERIFY(full.open(QIODevice::WriteOnly));
        QTextStream out(&full);
        const RegisterRows rows = rowsOf({transaction(March14, "1", -1)});
        try {
            WriteRowsQif(out, rows, QStringLiteral("Household"));
            QFAIL("the failed write went unnoticed");
        } catch (const FileError& error) {
            QCOMPARE(error.file(), QStringLiteral("/dev/full"));
            QCOMPARE(error.operation(), QStringLiteral("write"));
            QVERIFY(!error.reason().isEmpty());
        }
    }
};

TALLYO_TEST(QifWriterTest)
#include "qifwriter_test.moc"
