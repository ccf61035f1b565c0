// The register window's rules without a window: button enabling by view,
// count and highlighted transaction; the beginning balance answers; the
// search of a date in the list; the height limits.
#include "registerdata.h"
#include "testrunner.h"

#include "register/registercontrols.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;
using namespace registerdata;

namespace {

// The names of the flags that are on.
QStringList enabledOf(const RegisterControlStates& s)
{
    QStringList on;
    const std::pair<const char*, bool> flags[] = {
        {"reconcile", s.reconcile},       {"graph", s.graph},     {"summary", s.textSummary},
        {"print", s.printAccount},        {"notes", s.seeNotes},  {"delete", s.deleteTransaction},
        {"clear", s.clearTransaction},    {"check", s.printCheck}, {"esc", s.returnAnswersEsc},
        {"finished", s.finishedVisible}};
    for (const auto& [name, value] : flags) {
        if (value)
            on.append(QString::fromLatin1(name));
    }
    return on;
}

}

class RegisterControlsTest : public QObject {
    Q_OBJECT

private slots:
    void enablingFollowsViewCountAndTransaction_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("three listed, a check") << int(NormalView) << 3 << "1001        " << "  "
            << QStringList{"reconcile", "summary", "print", "delete", "clear", "check", "esc"};
        QTest::newRow("four listed, a deposit with notes") << int(NormalView) << 4 << "Deposit     " << "paid in"
            << QStringList{"reconcile", "graph", "summary", "print", "notes", "delete", "clear", "esc"};
        QTest::newRow("the beginning balance alone") << int(NormalView) << 1 << "Start       " << "the start"
            << QStringList{"summary", "notes", "esc"};
        QTest::newRow("a void among two") << int(NormalView) << 2 << "VOID        " << ""
            << QStringList{"summary", "print", "delete", "esc"};
        QTest::newRow("reconcile, one check") << int(ReconcileView) << 1 << "999         " << ""
            << QStringList{"summary", "print", "delete", "clear", "check", "finished"};
        QTest::newRow("search, five, a zero check number") << int(SearchView) << 5 << "0           " << ""
            << QStringList{"graph", "summary", "print", "delete", "clear", "finished"};
    }

    void enablingFollowsViewCountAndTransaction()
    {
        QFETCH(int, view);
        QFETCH(int, count);
        QFETCH(QString, type);
        QFETCH(QString, notes);
        QFETCH(QStringList, enabled);
        TransactionRecord highlighted;
        highlighted.TransactionType = type;
        highlighted.Notes = notes;
        QCOMPARE(enabledOf(ControlStatesFor(view, count, highlighted, QString(), QString())), enabled);
    }

    void captionsAndHintsByView()
    {
        TransactionRecord check;
        check.TransactionType = QStringLiteral("1001        ");
        const RegisterControlStates normal = ControlStatesFor(NormalView, 5, check, QStringLiteral("House  "), {});
        QCOMPARE(normal.title, QStringLiteral("Account of House"));
        QCOMPARE(normal.titleColour, 0x0000C0u);
        QCOMPARE(normal.addHint, QStringLiteral(" Add a transaction <Insert> (right-click to use 'Template' feature) "));
        QVERIFY(normal.finishedCaption.isEmpty());

        TransactionRecord start;
        start.TransactionType = QString(TypeStart);
        const RegisterControlStates reconcile = ControlStatesFor(ReconcileView, 5, start, {}, {});
        QCOMPARE(reconcile.title, QStringLiteral("Reconciliation List"));
        QCOMPARE(reconcile.finishedCaption, QStringLiteral("&Finished reconciling\r\n<Esc>"));
        QCOMPARE(reconcile.addHint, QStringLiteral(" Add a transaction <Insert> "));

        const RegisterControlStates search = ControlStatesFor(SearchView, 5, check, {}, QStringLiteral("gas"));
        QCOMPARE(search.title, QStringLiteral("Matches for: 'gas'"));
        QCOMPARE(search.titleColour, 0x800080u);
        QCOMPARE(search.finishedCaption, QStringLiteral("&Finished searching\r\n<Esc>"));

        QCOMPARE(ClearHint(true), QStringLiteral(" Unclear this transaction "));
        QCOMPARE(ClearHint(false), QStringLiteral(" Clear this transaction "));
    }

    void beginningBalanceAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<qint64>("amount");
        QTest::newRow("the offered default") << "0.00" << true << qint64(0);
        QTest::newRow("lowest") << "-9999" << true << money(-9999);
        QTest::newRow("highest") << "999999" << true << money(999999);
        QTest::newRow("grouped") << " 1,234.56 " << true << money(1234.56);
        QTest::newRow("a million") << "1000000" << false << qint64(0);
        QTest::newRow("just below the lowest") << "-9999.01" << false << qint64(0);
        QTest::newRow("words") << "lots" << false << qint64(0);
        QTest::newRow("currency sign") << "$50" << false << qint64(0);
    }

    void beginningBalanceAnswers()
    {
        QFETCH(QString, answer);
        QFETCH(bool, accepted);
        QFETCH(qint64, amount);
        const std::optional<qint64> read = BeginningBalanceAnswer(answer);
        QCOMPARE(read.has_value(), accepted);
        if (accepted)
            QCOMPARE(*read, amount);
    }

    void datesAreFoundFromAGivenRow()
    {
        RegisterRows rows;
        qint32 number = 0;
        for (const QDate& day : {QDate(2026, 3, 1), QDate(2026, 3, 4), QDate(2026, 3, 4), QDate(2026, 3, 9)})
            rows.append(handmade::transaction(transaction(StoredFromDate(day) + 0.75, "Deposit", 1)).constData(),
                        ++number);
        QCOMPARE(FindListedDate(rows, 0, QDate(2026, 3, 4)), std::optional<qint32>(1));
        QCOMPARE(FindListedDate(rows, 2, QDate(2026, 3, 4)), std::optional<qint32>(2));
        QCOMPARE(FindListedDate(rows, 3, QDate(2026, 3, 4)), std::nullopt);
        // The same day and month a century earlier is another date.
        QCOMPARE(FindListedDate(rows, 0, QDate(1926, 3, 9)), std::nullopt);
    }

    void heightStaysWithinItsLimits()
    {
        QCOMPARE(RegisterHeightTwips(100, 15000), RegisterMinimumHeightTwips);
        QCOMPARE(RegisterHeightTwips(20000, 15000), 13500);
        QCOMPARE(RegisterHeightTwips(9000, 15000), 9000);
        // A screen too small for both limits keeps the minimum.
        QCOMPARE(RegisterHeightTwips(9000, 6000), RegisterMinimumHeightTwips);
        QCOMPARE(SavedRegisterHeight(u"9120"), std::optional<int>(9120));
        QCOMPARE(SavedRegisterHeight(u"tall"), std::nullopt);
        QCOMPARE(SavedRegisterHeight(u"-5"), std::nullopt);
    }
};

TALLYO_TEST(RegisterControlsTest)
#include "registercontrols_test.moc"
