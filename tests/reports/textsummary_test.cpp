// The text summary, byte for byte, and its mail request as the desktop's
// mail handler receives it.
#include "reportrows.h"
#include "testrunner.h"

#include "platform/DesktopShell.h"
#include "platform/platform.h"
#include "reports/reportexports.h"
#include "reports/textsummary.h"
#include "util/WindowHelpers.h"
#include "util/desktoptargets.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace tallyo;
using namespace reportrows;

namespace {

const QDateTime Now(QDate(2026, 12, 8), QTime(9, 30));

ListSummary captions(int view, const QString& credit, const QString& debit, const QString& balance,
                     const QString& title = QStringLiteral("Account of Household"))
{
    return {title, view, credit, debit, view == SearchView ? QString() : balance};
}

// Three checks, a deposit and a void after the beginning balance.
QList<Transaction> checksAndVoid()
{
    return {
        beginningBalance(100),
        transaction(on(2026, 3, 2), "1001", -10),
        transaction(on(2026, 3, 3), "1002", -20),
        transaction(on(2026, 3, 4), "1003", -30.5),
        transaction(on(2026, 3, 5), "Deposit", 200),
        transaction(on(2026, 3, 6), "VOID", 0),
    };
}

const QString Categories = QStringLiteral(
    "3 Regular or Electronic checks (60.50)\r\n"
    "1 Regular Deposits (200.00)\r\n"
    "0 Automatic Payments (0.00)\r\n"
    "0 Automatic Deposits (0.00)\r\n"
    "0 Cash from ATM (0.00)\r\n"
    "0 Service Fees (0.00)\r\n"
    "0 Other Credits (0.00)\r\n"
    "0 Other Debits (0.00)\r\n"
    "1 Voids ");

// Stands in for the desktop's mail handler.
class MailCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

}

class TextSummaryTest : public QObject {
    Q_OBJECT

private slots:
    void wholeTextByView_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("balanceLine");
        QTest::newRow("normal") << int(NormalView)
                                << "Current account balance as of this summary 239.50\r\n";
        QTest::newRow("reconcile") << int(ReconcileView)
                                   << "Adjusted account balance as of this summary 239.50\r\n";
        QTest::newRow("search") << int(SearchView) << "";
    }
    void wholeTextByView()
    {
        QFETCH(int, view);
        QFETCH(QString, balanceLine);
        const RegisterRows rows = rowsOf(checksAndVoid(), view);
        const QString text =
            SummaryText(rows, captions(view, "300.00", "-60.50", "239.50"), Now, u"mm/dd/yy");
        const QString expected = QStringLiteral("Date - 12/08/26\r\n\r\n"
                                                "Summary-\r\nAccount of Household\r\n\r\n"
                                                "Total number of transactions in this summary 6\r\n")
            + balanceLine
            + QStringLiteral("\r\n"
                             "1 Total credit transactions (300.00 / average 50.00)\r\n"
                             "0 Total debit transactions (-60.50 / average -10.08)\r\n"
                             "\r\n\r\n")
            + Categories;
        QCOMPARE(text, expected);
    }

    void countsByKind()
    {
        const RegisterRows rows = rowsOf({
            beginningBalance(50),
            transaction(on(2026, 1, 2), "AutoPayment", -1.25),
            transaction(on(2026, 1, 3), "AutoDeposit", 3),
            transaction(on(2026, 1, 4), "ATM Cash", -40),
            transaction(on(2026, 1, 5), "Service Fee", -2.5),
            transaction(on(2026, 1, 6), "Other Credit", 7),
            transaction(on(2026, 1, 7), "Other Debit", -8),
            transaction(on(2026, 1, 8), "0", -9),       // not a check number
            transaction(on(2026, 1, 9), "Mystery", -11), // no kind at all
            transaction(on(2026, 1, 10), "VOID", 0),
            transaction(on(2026, 1, 11), "VOID", 0),
        });
        const SummaryCounts c = CountSummaryRows(rows);
        QCOMPARE(c.checks, 0);
        QCOMPARE(c.autoPayments, 1);
        QCOMPARE(c.autoPaymentsSum, 12500);
        QCOMPARE(c.autoDeposits, 1);
        QCOMPARE(c.atmCashSum, 400000);
        QCOMPARE(c.serviceFeesSum, 25000);
        QCOMPARE(c.otherCreditsSum, 70000);
        QCOMPARE(c.otherDebitsSum, 80000);
        QCOMPARE(c.voids, 2);
        QCOMPARE(c.creditTransactions, 2);
        QCOMPARE(c.debitTransactions, 4);
    }

    void emptyListAveragesZero()
    {
        const QString text = SummaryText(RegisterRows(), captions(SearchView, "0.00", "0.00", ""), Now, u"dd/mm/yy");
        QVERIFY(text.startsWith(QStringLiteral("Date - 08/12/26\r\n")));
        QVERIFY(text.contains(QStringLiteral("0 Total credit transactions (0.00 / average 0.00)\r\n")));
        QVERIFY(text.contains(QStringLiteral("in this summary 0\r\n\r\n0 Total credit")));
    }

    void mailReachesTheHandlerWhole_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "Account of Household";
        QTest::newRow("ampersand, hash, percent") << "Account of Bills & Co #2 100%";
        QTest::newRow("plus, question mark, equals") << "Matches for: 'a+b?c=d'";
    }
    void mailReachesTheHandlerWhole()
    {
        QFETCH(QString, title);
        // A long list: many lines, none of them may arrive raw.
        const RegisterRows rows = rowsOf(longList(300));
        const QString text = SummaryText(rows, captions(NormalView, "1.00", "-2.00", "3.00", title), Now, u"mm/dd/yy");

        MailCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        // No launcher: the request goes to Qt's handlers, where the test
        // catches it.
        DesktopShell shell(QStringLiteral("no-such-launcher-tallyo"));
        platform().shell = &shell;
        const bool opened = OpenWebOrMail(OpenMail, SummaryMailRequest(text));
        platform().shell = nullptr;
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));

        QVERIFY(opened);
        QCOMPARE(catcher.urls.size(), 1);
        const QUrl url = catcher.urls.first();
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QVERIFY(url.path().isEmpty());
        const QByteArray encoded = url.toEncoded();
        QVERIFY(!encoded.contains('\r') && !encoded.contains('\n'));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Tallyo summary report"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 text.mid(text.indexOf(QStringLiteral("Summary-"))));
        QCOMPARE(query.queryItems().size(), 2);
    }

    void terminalTextHasLineFeeds()
    {
        QCOMPARE(WithLineFeeds(QStringLiteral("a\r\nb\r\n\r\n1 Voids ")), QStringLiteral("a\nb\n\n1 Voids \n"));
        QCOMPARE(WithLineFeeds(QStringLiteral("a\r\n")), QStringLiteral("a\n"));
    }
};

TALLYO_TEST(TextSummaryTest)
#include "textsummary_test.moc"
