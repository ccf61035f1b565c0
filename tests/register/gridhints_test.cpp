// The grid's hint texts: the weekday and distance of a date, the cleared
// mark's double-click, the comment behind a payee, and the rows that have
// no hint.
#include "registerdata.h"
#include "testrunner.h"

#include "register/gridhints.h"
#include "register/registergrid.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;
using namespace registerdata;

namespace {

// Thursday 10 December 2026.
const QDate Today(2026, 12, 10);

RegisterRows rowsOf(const QList<handmade::Transaction>& list, int view)
{
    RegisterRows rows;
    rows.reserve(qint32(list.size()));
    for (int i = 0; i < list.size(); ++i)
        rows.append(handmade::transaction(list[i]).constData(), i + 1);
    rows.setView(view);
    return rows;
}

// The beginning balance, a cleared check dated three days ago with a
// comment, an uncleared deposit of today, a void of tomorrow.
QList<handmade::Transaction> sample()
{
    handmade::Transaction check = transaction(StoredFromDate(Today.addDays(-3)) + 0.9, "1001", -45, true, "Grocer");
    check.comment = "Weekly shop";
    return {beginningBalance(100), check,
            transaction(StoredFromDate(Today), "Deposit", 10, false, "Employer"),
            transaction(StoredFromDate(Today.addDays(1)), "VOID", 0, true, "Garage")};
}

}

class GridHintsTest : public QObject {
    Q_OBJECT

private slots:
    void dateHints_data()
    {
        QTest::addColumn<int>("days");  // from today
        QTest::addColumn<QString>("hint");
        QTest::newRow("three days ago, a Monday") << -3 << " Monday (3 days ago) ";
        QTest::newRow("two days ago") << -2 << " Tuesday (2 days ago) ";
        QTest::newRow("yesterday") << -1 << " Wednesday (yesterday) ";
        QTest::newRow("today") << 0 << " Thursday (today) ";
        QTest::newRow("tomorrow") << 1 << " Friday (tomorrow) ";
        QTest::newRow("in two days") << 2 << " Saturday (2 days from now) ";
        QTest::newRow("a year ago") << -365 << " Wednesday (365 days ago) ";
        QTest::newRow("far ahead") << 1000 << " Wednesday (1000 days from now) ";
    }

    void dateHints()
    {
        QFETCH(int, days);
        QFETCH(QString, hint);
        QCOMPARE(DateHint(Today.addDays(days), Today), hint);
    }

    void noDateNoHint()
    {
        QCOMPARE(DateHint(QDate(), Today), QString());
    }

    void cellHints_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("hint");
        const int normal = NormalView, search = SearchView, reconcile = ReconcileView;
        const QString modify = DefaultGridHint();
        QTest::newRow("header") << normal << 0 << int(DateColumn) << "";
        QTest::newRow("beginning balance, normal view") << normal << 1 << int(PayeeColumn) << "";
        QTest::newRow("beginning balance date, search view") << search << 1 << int(DateColumn)
                                                              << " Sunday (46365 days ago) ";
        QTest::newRow("beginning balance mark, search view") << search << 1 << int(ClearedColumn) << "";
        QTest::newRow("beginning balance type, search view") << search << 1 << int(TypeColumn) << modify;
        QTest::newRow("date, the time of day left out") << normal << 2 << int(DateColumn) << " Monday (3 days ago) ";
        QTest::newRow("a cleared mark") << normal << 2 << int(ClearedColumn)
                                        << " Double-click to unclear this transaction ";
        QTest::newRow("no cleared mark") << reconcile << 3 << int(ClearedColumn)
                                         << " Double-click to clear this transaction ";
        QTest::newRow("the mark of a void") << normal << 4 << int(ClearedColumn) << "";
        QTest::newRow("payee with a comment") << normal << 2 << int(PayeeColumn) << " Weekly shop ";
        QTest::newRow("payee without a comment") << normal << 3 << int(PayeeColumn) << modify;
        QTest::newRow("amount") << normal << 3 << int(CreditColumn) << modify;
        QTest::newRow("balance") << normal << 4 << int(BalanceColumn) << modify;
        QTest::newRow("date of tomorrow") << normal << 4 << int(DateColumn) << " Friday (tomorrow) ";
        QTest::newRow("below the list") << normal << 5 << int(DateColumn) << "";
    }

    void cellHints()
    {
        QFETCH(int, view);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, hint);
        const RegisterRows rows = rowsOf(sample(), view);
        QCOMPARE(GridHint(rows, row, column, Today), hint);
    }
};

TALLYO_TEST(GridHintsTest)
#include "gridhints_test.moc"
