// The register window on real files, driven by keys and mouse, with every
// question answered by the scripted prompts and the later pieces replaced
// by hooks that record their calls.
#include "recordingshell.h"
#include "registerwindow.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/RegisterModel.h"
#include "controls/MonthsCalendar.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registercontrols.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "store/datafiles.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::RecordingShell;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

double day(int d)
{
    return StoredFromDate(QDate(2026, 3, d)) + 0.5;
}

// The beginning balance and `count` - 1 uncleared checks, on days 2, 3 ...
QList<handmade::Transaction> checks(int count)
{
    QList<handmade::Transaction> list{beginningBalance(1000)};
    for (int i = 1; i < count; ++i)
        list.append(transaction(day(1 + i), QByteArray::number(1000 + i), -10.0 * i));
    return list;
}

}

class RegisterWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    ScriptedPrompts* prompts_ = nullptr;
    RecordingShell* shell_ = nullptr;
    FixedClock* clock_ = nullptr;
    int indexShown_ = 0;
    QStringList called_;  // the hooks called, by name

    frmAccount* open(const QList<handmade::Transaction>& transactions)
    {
        return registerdata::openRegister(transactions);
    }

    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void installHooks()
    {
        RegisterActions& a = registerActions();
        auto record = [this](const char* name) { return [this, name](frmAccount&) { called_.append(name); }; };
        a.addTransaction = record("add");
        a.modifyTransaction = record("modify");
        a.clearTransaction = record("clear");
        a.deleteTransaction = record("delete");
        a.search = record("search");
        a.showGraph = [this](frmAccount&, int item) { called_.append(QStringLiteral("graph %1").arg(item)); };
        a.printList = [this](frmAccount&, double first, double last) {
            called_.append(QStringLiteral("print %1 %2")
                               .arg(DateFromStored(first).toString(Qt::ISODate), DateFromStored(last).toString(Qt::ISODate)));
        };
    }

private slots:
    void init()
    {
        // Account keys are made from the clock: this one gives registerdata's key.
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        prompts_ = &seams_->prompts;
        shell_ = &seams_->shell;
        clock_ = &seams_->clock;
        navigation() = Navigation();
        indexShown_ = 0;
        navigation().showAccountIndex = [this] { ++indexShown_; };
        called_.clear();
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        ResetDisplayValues();
        LoadDisplayValues();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        settle();
        navigation() = Navigation();
        ResetRegisterActions();
        seams_.reset();
    }

    void newAccountAsksForABeginningBalance_data()
    {
        QTest::addColumn<int>("readyAnswer");
        QTest::addColumn<QStringList>("balances");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<qint64>("amount");
        QTest::newRow("not right now") << 2 << QStringList{} << false << qint64(0);
        QTest::newRow("no balance given") << 1 << QStringList{""} << false << qint64(0);
        QTest::newRow("refused until within the limits")
            << 1 << QStringList{"1000000", "a lot", "999999"} << true << money(999999);
        QTest::newRow("the lowest") << 1 << QStringList{"-9999"} << true << money(-9999);
    }

    void newAccountAsksForABeginningBalance()
    {
        QFETCH(int, readyAnswer);
        QFETCH(QStringList, balances);
        QFETCH(bool, stored);
        QFETCH(qint64, amount);
        prompts_->expectMessage(QStringLiteral("New Account"),
                                QStringLiteral("This is a new account--\r\n\r\nAre you ready to enter to establish\r\n"
                                               "a beginning balance for this account?"),
                                {QStringLiteral("&Yes, continue"), QStringLiteral("&No, not right now")}, readyAnswer)
            .expectMessageKind(IconQuestion);
        for (const QString& balance : balances)
            prompts_->expectInput(QStringLiteral("Please enter"), balance);

        frmAccount* window = open({});
        QVERIFY(prompts_->verifyDone());
        for (const QStringList& input : prompts_->inputs())
            QCOMPARE(input, (QStringList{"Please enter", "What is the beginning balance for this account?", "0.00"}));
        settle();
        if (!stored) {
            QVERIFY(!RegisterWindow());
            QCOMPARE(indexShown_, 1);
            QVERIFY(test::readWholeFile(seams_->folder.filePath(QStringLiteral("Account.dat"))).isEmpty());
            return;
        }
        QVERIFY(window && RegisterWindow() == window);
        handmade::Transaction expected = beginningBalance(0);
        expected.amount = amount;
        QCOMPARE(test::readWholeFile(seams_->folder.filePath(QStringLiteral("Account.dat"))), handmade::transaction(expected));
        QCOMPARE(window->model->rowCount(), 1);
        QCOMPARE(window->model->index(0, DateColumn).data().toString(), QStringLiteral(" - "));
        QCOMPARE(window->lblCurrentBalance->text(), FormatAmount(amount));
    }

    void listWideButtonsFollowTheCountAndTheHooks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("hooks");
        QTest::addColumn<bool>("reconcile");
        QTest::addColumn<bool>("find");
        QTest::addColumn<bool>("graph");
        QTest::newRow("three") << 3 << true << true << true << false;
        QTest::newRow("four") << 4 << true << true << true << true;
        QTest::newRow("two") << 2 << true << false << false << false;
        QTest::newRow("four, nothing to call") << 4 << false << true << false << false;
    }

    void listWideButtonsFollowTheCountAndTheHooks()
    {
        QFETCH(int, count);
        QFETCH(bool, hooks);
        if (hooks)
            installHooks();
        frmAccount* window = open(checks(count));
        QVERIFY(window);
        QCOMPARE(window->model->rowCount(), count);
        QFETCH(bool, reconcile);
        QFETCH(bool, find);
        QFETCH(bool, graph);
        QCOMPARE(window->cmdReconcileAccount->isEnabled(), reconcile);
        QCOMPARE(window->cmdFind->isEnabled(), find);
        QCOMPARE(window->cmdGraph->isEnabled(), graph);
        // Pieces that are not there yet are never offered.
        QVERIFY(!window->cmdVoidTransaction->isEnabled());
        QVERIFY(!window->cmdPrintCheck->isEnabled());
        QCOMPARE(window->cmdAddTransaction->isEnabled(), hooks);
    }

    void escapeClosesOnlyTheNormalView_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("normal") << int(NormalView);
        QTest::newRow("reconcile") << int(ReconcileView);
        QTest::newRow("search") << int(SearchView);
    }

    void escapeClosesOnlyTheNormalView()
    {
        QFETCH(int, view);
        frmAccount* window = open(checks(4));
        QVERIFY(window);
        if (view == ReconcileView) {
            QTest::keyClick(window->grid, Qt::Key_F2);
            QCOMPARE(window->lblAccountName->text(), QStringLiteral("Reconciliation List"));
            QCOMPARE(window->model->rowCount(), 3);  // the beginning balance is cleared
        } else if (view == SearchView) {
            RegisterState& state = registerState();
            state.DisplayedList = {2, 4};
            state.DisplayedCount = 2;
            state.RegisterView = SearchView;
            state.SearchText = QStringLiteral("100");
            window->ShowList();
            QCOMPARE(window->lblAccountName->text(), QStringLiteral("Matches for: '100'"));
        }
        QCOMPARE(window->cmdFinished->isVisibleTo(window), view != NormalView);

        QTest::keyClick(window->grid, Qt::Key_Escape);
        settle();
        if (view == NormalView) {
            QVERIFY(!RegisterWindow());
            QCOMPARE(indexShown_, 1);
            QVERIFY(SavedRegisterHeight(SettingText(SettingKey::FormHeight)).has_value());
            return;
        }
        QCOMPARE(RegisterWindow(), window);
        QCOMPARE(registerState().RegisterView, int(NormalView));
        QCOMPARE(window->model->rowCount(), 4);
        QCOMPARE(window->lblAccountName->text(), QStringLiteral("Account of Household"));
        QVERIFY(!window->cmdFinished->isVisibleTo(window));
        QCOMPARE(indexShown_, 0);
    }

    void aNewWindowHighlightsItsOwnLastRow()
    {
        frmAccount* window = open(checks(4));
        QVERIFY(window);
        // Rows the last window's operations asked for.
        registerState().NormalRow = 2;
        registerState().ListRow = 2;
        window->close();
        settle();
        window = open(checks(4));
        QVERIFY(window);
        QCOMPARE(window->currentRow(), 4);
        QTest::keyClick(window->grid, Qt::Key_F2);
        QCOMPARE(window->currentRow(), 1);
    }

    void doubleClickActsByColumn_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("hook");
        QTest::newRow("payee") << int(PayeeColumn) << "modify";
        QTest::newRow("debit") << int(DebitColumn) << "modify";
        QTest::newRow("date") << int(DateColumn) << "clear";
        QTest::newRow("cleared mark") << int(ClearedColumn) << "clear";
    }

    void doubleClickActsByColumn()
    {
        QFETCH(int, column);
        QFETCH(QString, hook);
        installHooks();
        frmAccount* window = open(checks(3));
        QVERIFY(window);
        const QRect cell = window->grid->visualRect(window->model->index(1, column));
        QTest::mouseClick(window->grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(window->grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(window->currentRow(), 2);
        QCOMPARE(window->cmdClearTransaction->toolTip(), QStringLiteral(" Clear this transaction "));
        QCOMPARE(called_, QStringList{hook});
    }

    void dateLineFollowsDateDisplay_data()
    {
        QTest::addColumn<QString>("dateDisplay");
        QTest::addColumn<QString>("line");
        QTest::newRow("not set") << QString() << "Monday - December 7, 2026";
        QTest::newRow("2") << "2" << "Monday - 7 December 2026";
        QTest::newRow("4") << "4" << "Monday - 2026 December 7";
        QTest::newRow("unknown") << "9" << "Monday - ";
    }

    void dateLineFollowsDateDisplay()
    {
        QFETCH(QString, dateDisplay);
        QFETCH(QString, line);
        if (!dateDisplay.isEmpty())
            SetSettingText(SettingKey::DateDisplay, dateDisplay);
        frmAccount* window = open(checks(1));
        QVERIFY(window);
        // Shown afresh whenever the register is loaded, as at each tick.
        clock_->set(QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0)));
        window->LoadRegister();
        QCOMPARE(window->lblDateTime->text(), line);
        QVERIFY(window->timerShowDate->isActive());
        QCOMPARE(window->timerShowDate->interval(), 30000);
    }

    void calendarDropsDownSixMonthsFromToday()
    {
        clock_->set(QDateTime(QDate(2025, 5, 20), QTime(9, 0, 0)));
        frmAccount* window = open(checks(1));
        QVERIFY(window);
        window->cmdCalendar->click();
        MonthsCalendar* calendar = window->BrowsingCalendar;
        QVERIFY(calendar->isPopupVisible());
        QCOMPARE(calendar->firstMonth(), QDate(2025, 5, 1));
        QCOMPARE(calendar->months().back()->monthShown(), 10);  // May to October
        calendar->hidePopup();
        QVERIFY(!calendar->isVisible());
    }

    void printRangeLooksForListedDates_data()
    {
        QTest::addColumn<QStringList>("script");  // "input:answer" or "message:title:answer"
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("no such starting date")
            << QStringList{"input:Print List - Starting Date:03/20/26", "message:No such date:2"} << QStringList{};
        QTest::newRow("not a date, then a range")
            << QStringList{"input:Print List - Starting Date:soon", "message:Date Entry Error:1",
                           "input:Print List - Starting Date:3/3/26", "input:Print List - Ending Date:03/04/26"}
            << QStringList{"print 2026-03-03 2026-03-04"};
        QTest::newRow("ending before starting")
            << QStringList{"input:Print List - Starting Date:03/04/26", "input:Print List - Ending Date:03/03/26",
                           "message:Sequence Error:2"}
            << QStringList{};
        QTest::newRow("no such ending date, given up")
            << QStringList{"input:Print List - Starting Date:03/03/26", "input:Print List - Ending Date:03/10/26",
                           "message:No such date:1", "input:Print List - Ending Date:"}
            << QStringList{};
    }

    void printRangeLooksForListedDates()
    {
        QFETCH(QStringList, script);
        QFETCH(QStringList, printed);
        installHooks();
        frmAccount* window = open(checks(4));
        QVERIFY(window);
        for (const QString& step : script) {
            const QStringList parts = step.split(u':');
            if (parts[0] == u"input")
                prompts_->expectInput(parts[1], parts[2]);
            else
                prompts_->expectMessage(parts[1], parts[2].toInt());
        }
        window->menuPrint_Click(2);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(called_, printed);
    }

    void menusFollowTheViewAndTheCount()
    {
        installHooks();
        frmAccount* window = open(checks(4));
        QVERIFY(window);
        window->prepareGraphMenu();
        QVERIFY(frmAccount::menuItem(window->menuGraph, 5)->isVisible());
        window->menuGraph_Click(5);
        QCOMPARE(called_, QStringList{"graph 5"});
        window->prepareOtherOptionsMenu();
        for (int item : {1, 2, 4, 5})
            QVERIFY(!frmAccount::menuItem(window->menuOtherOptions, item)->isEnabled());
        QVERIFY(!window->cmdOtherOptions->isEnabled());

        QTest::keyClick(window->grid, Qt::Key_F2);
        window->prepareGraphMenu();
        QVERIFY(!frmAccount::menuItem(window->menuGraph, 5)->isVisible());
        QCOMPARE(frmAccount::menuItem(window->menuGraph, 7)->text(), QStringLiteral("Exit this menu"));
    }

    void widthIsFixedAndHeightLimited()
    {
        SetSettingText(SettingKey::FormHeight, QStringLiteral("99999"));
        frmAccount* window = open(checks(1));
        QVERIFY(window);
        const TwipScale twips = ScreenTwips();
        const int screen = twips.toTwips(window->screen()->geometry().height());
        auto heightTwips = [&] { return twips.toTwips(window->height()); };
        QCOMPARE(window->width(), twips.toPixels(RegisterWidthTwips));
        QVERIFY(qAbs(heightTwips() - RegisterMaximumHeightTwips(screen)) <= 15);
        window->resize(window->width() + 200, 10);
        QCOMPARE(window->width(), twips.toPixels(RegisterWidthTwips));
        QVERIFY(qAbs(heightTwips() - RegisterMinimumHeightTwips) <= 15);
    }

    void aFileErrorIsShownAndTheWindowGoesOn()
    {
        frmAccount* window = open(checks(4));
        QVERIFY(window);
        // The file loses its last record behind the window's back.
        const QString path = seams_->folder.filePath(QStringLiteral("Account.dat"));
        QVERIFY(test::writeWholeFile(path, test::readWholeFile(path).left(3 * TransactionRecord::Length)));
        prompts_->expectMessage(QStringLiteral("File error"), 1).expectMessageKind(IconStop);
        QTest::keyClick(window->grid, Qt::Key_Up);
        QTest::keyClick(window->grid, Qt::Key_Down);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(RegisterWindow(), window);
        QVERIFY(window->isEnabled());
        QVERIFY(window->grid->isVisible());
    }
    // The window's keys act only unmodified, as its key table lists them.
    void windowKeysActOnlyUnmodified_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("effect"); // empty: nothing happens
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                  alt = Qt::AltModifier;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << "add";
        QTest::newRow("Insert on the number pad") << int(Qt::Key_Insert) << int(Qt::KeypadModifier) << "add";
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << "";
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << "";
        QTest::newRow("F2") << int(Qt::Key_F2) << none << "reconcile";
        QTest::newRow("Ctrl+F2") << int(Qt::Key_F2) << ctrl << "";
        QTest::newRow("F3") << int(Qt::Key_F3) << none << "summary";
        QTest::newRow("Shift+F3") << int(Qt::Key_F3) << shift << "";
        QTest::newRow("F1") << int(Qt::Key_F1) << none << "manual";
        QTest::newRow("Ctrl+F1") << int(Qt::Key_F1) << ctrl << "";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << none << "index";
        QTest::newRow("Shift+Esc") << int(Qt::Key_Escape) << shift << "";
        QTest::newRow("Alt+Esc") << int(Qt::Key_Escape) << alt << "";
        // The grid's row by keyboard, as by its double-click and buttons.
        QTest::newRow("Enter") << int(Qt::Key_Return) << none << "modify";
        QTest::newRow("Enter on the number pad") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "modify";
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << ctrl << "";
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << "delete";
        QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << "";
    }

    void windowKeysActOnlyUnmodified()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, effect);
        installHooks();
        registerActions().textSummary = [this](frmAccount&, const ListSummary&) { called_.append("summary"); };
        frmAccount* window = open(checks(4));
        QVERIFY(window);
        // The manual cannot be opened here: F1 shows a message.
        shell_->openResult = false;
        if (effect == QStringLiteral("manual"))
            prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(window->grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        settle();
        QVERIFY(prompts_->verifyDone());
        QStringList seen = called_;
        if (registerState().RegisterView == ReconcileView)
            seen.append(QStringLiteral("reconcile"));
        if (indexShown_ > 0)
            seen.append(QStringLiteral("index"));
        // The manual's message was checked above.
        const bool listed = !effect.isEmpty() && effect != QStringLiteral("manual");
        QCOMPARE(seen, listed ? QStringList{effect} : QStringList());
    }
};

TALLYO_TEST(RegisterWindowTest)
#include "frmaccount_test.moc"
