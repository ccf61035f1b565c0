// The register's grid worked with the mouse: the hints under a fixed
// clock, the context menu's enabling in every view and for short lists,
// its QuickFind, the caption of its clear item, no menu on the beginning
// balance of the normal view, and the Add button's right-click template.
#include "registerdata.h"
#include "registerwindow.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "entry/entrystate.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/GridMenu.h"
#include "register/RegisterModel.h"
#include "register/SearchMenu.h"
#include "register/TransactionActions.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "register/search.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "util/dates.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::ScriptedPrompts;

namespace {

// Today is Thursday 12 March 2026.
const QDate Today(2026, 3, 12);

double on(int month, int day)
{
    return StoredFromDate(QDate(2026, month, day)) + 0.5;
}

// The beginning balance, then a check of Monday with a comment and notes,
// a deposit of today, a void of tomorrow; `count` of these in all.
QList<handmade::Transaction> sample(int count = 4)
{
    handmade::Transaction check = transaction(on(3, 9), "1001", -45, false, "Grocer");
    check.comment = "Weekly shop";
    check.notes = "Paid by check";
    const QList<handmade::Transaction> all{beginningBalance(100), check,
                                           transaction(on(3, 12), "Deposit", 10, true, "Employer"),
                                           transaction(on(3, 13), "VOID", 0, true, "Garage")};
    return all.mid(0, count);
}

}

class GridMenuTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    ScriptedPrompts* prompts_ = nullptr;
    QList<bool> templateRequests_;

    frmAccount* open(const QList<handmade::Transaction>& transactions)
    {
        frmAccount* window = openRegister(transactions);
        seams_->clock.set(QDateTime(Today, QTime(23, 30)));
        return window;
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    static QPoint cell(frmAccount* window, int row, int column)
    {
        return window->grid->visualRect(window->model->index(row - 1, column)).center();
    }

    // Releases the right button over a cell; true when the menu showed.
    static bool rightClick(frmAccount* window, int row, int column = PayeeColumn)
    {
        window->menuGrid->hide();
        QTest::mouseClick(window->grid->viewport(), Qt::RightButton, {}, cell(window, row, column));
        settle();
        const bool shown = window->menuGrid->isVisible();
        window->menuGrid->hide();
        return shown;
    }

    static QString enabledItems(frmAccount* window)
    {
        QString items;
        const QList<QAction*> actions = window->menuGrid->actions();
        for (int i = 0; i < actions.size(); ++i) {
            if (!actions[i]->isSeparator() && actions[i]->isEnabled())
                items += QString::number(i + 1) + u' ';
        }
        const QList<QAction*> quick = window->menuQuickFind->actions();
        items += QStringLiteral("| ");
        for (int i = 0; i < quick.size(); ++i) {
            if (quick[i]->isEnabled())
                items += QString::number(i + 1) + u' ';
        }
        return items.trimmed();
    }

private slots:
    void init()
    {
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        prompts_ = &seams_->prompts;
        navigation() = Navigation();
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        ResetSearchMemory();
        ResetEntryFlags();
        InstallTransactionActions();
        InstallSearchActions();
        templateRequests_.clear();
        registerActions().addTransaction = [this](frmAccount&) {
            templateRequests_.append(entryFlags().PrefillFromSelection);
        };
        ResetDisplayValues();
        LoadDisplayValues();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetRegisterActions();
        ResetEntryFlags();
        seams_.reset();
    }

    void hintsFollowTheMouse_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("hint");
        const QString modify =
            QStringLiteral(" Double-click to modify this transaction, or right-click for transaction options ");
        QTest::newRow("date three days ago") << 2 << int(DateColumn) << " Monday (3 days ago) ";
        QTest::newRow("date today") << 3 << int(DateColumn) << " Thursday (today) ";
        QTest::newRow("date tomorrow") << 4 << int(DateColumn) << " Friday (tomorrow) ";
        QTest::newRow("mark to clear") << 2 << int(ClearedColumn) << " Double-click to clear this transaction ";
        QTest::newRow("mark to unclear") << 3 << int(ClearedColumn) << " Double-click to unclear this transaction ";
        QTest::newRow("mark of a void") << 4 << int(ClearedColumn) << "";
        QTest::newRow("payee with a comment") << 2 << int(PayeeColumn) << " Weekly shop ";
        QTest::newRow("payee without") << 3 << int(PayeeColumn) << modify;
        QTest::newRow("type") << 3 << int(TypeColumn) << modify;
        QTest::newRow("the beginning balance") << 1 << int(DateColumn) << "";
    }

    void hintsFollowTheMouse()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, hint);
        frmAccount* window = open(sample());
        QVERIFY(window);
        const QPoint at = cell(window, row, column);
        QMouseEvent move(QEvent::MouseMove, at, window->grid->viewport()->mapToGlobal(at), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window->grid->viewport(), &move);
        QCOMPARE(window->grid->viewport()->toolTip(), hint);
    }

    void theBeginningBalanceHasHintAndMenuOnlyInASearch()
    {
        frmAccount* window = open(sample());
        QVERIFY(window);
        QVERIFY(!rightClick(window, 1));
        QCOMPARE(window->currentRow(), 4);
        prompts_->expectInput(QStringLiteral("Search"), QStringLiteral("balance"));
        menuSearch_Click(*window, SearchNotes);
        QCOMPARE(window->model->rowCount(), 1);
        QCOMPARE(GridHintAt(*window, cell(window, 1, DateColumn)), QStringLiteral(" Sunday (46092 days ago) "));
        QVERIFY(rightClick(window, 1));
        // Its own operations are off; the template add is offered (and the add
        // itself starts from nothing on row 1).
        QCOMPARE(enabledItems(window), QStringLiteral("1 3 4 8 14 | 1"));
    }

    void menuItemsFollowTheButtons_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("clearCaption");
        const int normal = NormalView, reconcile = ReconcileView, search = SearchView;
        QTest::newRow("2 listed: no QuickFind") << 2 << normal << 2 << "1 3 4 6 7 8 9 10 14 | 1 2"
                                                << "Clear this transaction";
        QTest::newRow("3 listed: QuickFind") << 3 << normal << 2 << "1 3 4 6 7 8 9 10 12 14 | 1 2"
                                             << "Clear this transaction";
        QTest::newRow("3 listed, a cleared deposit") << 3 << normal << 3 << "3 4 6 8 9 10 12 14 | 1"
                                                     << "Unclear this transaction";
        QTest::newRow("4 listed, a void") << 4 << normal << 4 << "3 8 10 12 14 | 1"
                                          << "Clear/Unclear this transaction";
        QTest::newRow("reconcile view") << 4 << reconcile << 1 << "1 3 4 6 7 8 9 10 14 | 1 2"
                                        << "Clear this transaction";
        QTest::newRow("search view") << 4 << search << 2 << "3 4 6 8 9 10 14 | 1" << "Unclear this transaction";
    }

    void menuItemsFollowTheButtons()
    {
        QFETCH(int, count);
        QFETCH(int, view);
        QFETCH(int, row);
        QFETCH(QString, enabled);
        QFETCH(QString, clearCaption);
        registerActions().printCheck = [](frmAccount&) {};
        frmAccount* window = open(sample(count));
        QVERIFY(window);
        if (view == ReconcileView) {
            window->ReconcileList();
        } else if (view == SearchView) {
            prompts_->expectInput(QStringLiteral("Search"), QStringLiteral("2026"));
            menuSearch_Click(*window, SearchYear);
        }
        QCOMPARE(registerState().RegisterView, view);
        QVERIFY(rightClick(window, row));
        QCOMPARE(window->currentRow(), row);
        QCOMPARE(enabledItems(window), enabled);
        QCOMPARE(frmAccount::menuItem(window->menuGrid, 6)->text(), clearCaption);
    }

    void quickFindSearchesThePayeeOrComment_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("title");
        QTest::newRow("payee") << 1 << "Matches for: 'Grocer'";
        QTest::newRow("comment") << 2 << "Matches for: 'Weekly shop'";
    }

    void quickFindSearchesThePayeeOrComment()
    {
        QFETCH(int, item);
        QFETCH(QString, title);
        frmAccount* window = open(sample());
        QVERIFY(window);
        QVERIFY(rightClick(window, 2));
        // No scope question: QuickFind searches every year.
        frmAccount::menuItem(window->menuQuickFind, item)->trigger();
        QTRY_COMPARE(registerState().RegisterView, int(SearchView));
        QCOMPARE(window->model->rowCount(), 1);
        QCOMPARE(window->lblAccountName->text(), title);
        QCOMPARE(registerState().NormalRow, 2);
    }

    void menuItemsRunTheOperations()
    {
        frmAccount* window = open(sample());
        QVERIFY(window);
        QVERIFY(rightClick(window, 2));
        // Item 6 clears the row's transaction, as its button does.
        frmAccount::menuItem(window->menuGrid, 6)->trigger();
        QTRY_COMPARE(window->model->index(1, ClearedColumn).data().toString(), QStringLiteral("*"));
        QVERIFY(rightClick(window, 2));
        frmAccount::menuItem(window->menuGrid, 3)->trigger();
        QTRY_COMPARE(templateRequests_.size(), 1);
        QVERIFY(rightClick(window, 2));
        frmAccount::menuItem(window->menuGrid, 4)->trigger();
        QTRY_COMPARE(templateRequests_, (QList<bool>{false, true}));
        QVERIFY(!entryFlags().PrefillFromSelection);
    }

    void rightClickOnAddUsesTheHighlightedTransaction()
    {
        frmAccount* window = open(sample());
        QVERIFY(window);
        window->grid->setCurrentIndex(window->model->index(1, DateColumn));
        settle();
        QTest::mouseClick(window->cmdAddTransaction, Qt::RightButton);
        QCOMPARE(templateRequests_, (QList<bool>{true}));
        QVERIFY(!entryFlags().PrefillFromSelection);
        // A left click adds from nothing.
        QTest::mouseClick(window->cmdAddTransaction, Qt::LeftButton);
        QCOMPARE(templateRequests_, (QList<bool>{true, false}));
    }
};

TALLYO_TEST(GridMenuTest)
#include "gridmenu_test.moc"
