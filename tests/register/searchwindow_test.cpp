// The register's search and find and replace as the user meets them: the
// search menu, its prompts with their defaults and their asking again, the
// question whether to keep to one year, "No matches", the search view and
// the way back, and find and replace in the normal and search views, all
// answered through the scripted prompts on real files.
#include "registerdata.h"
#include "registerwindow.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/RegisterModel.h"
#include "register/SearchMenu.h"
#include "register/TransactionActions.h"
#include "register/findreplace.h"
#include "store/fileseam.h"
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
#include <QTableView>
#include <QTest>
#include <memory>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::ScriptedPrompts;

namespace {

const QString Search = QStringLiteral("Search");
const QString MonthPrompt = QStringLiteral("Search for which month?\r\n\r\n(Enter `01' thru `12')");
const QString YearPrompt = QStringLiteral("Search for which year?\r\n\r\n(Enter a year from `1900' to `2051')");
const QString PayeeTitle = QStringLiteral("Find and replace `Payee/Creditor' text");

double on(int year, int month, int day)
{
    return StoredFromDate(QDate(year, month, day)) + 0.5;
}

// Records 1 to 6, in register order 1, 2, 3, 4, 5 (record 6 is another
// account's).
QList<handmade::Transaction> twoYears()
{
    handmade::Transaction gift = transaction(on(2025, 12, 20), "1001", -45, false, "Smith");
    gift.comment = "Gift";
    return {beginningBalance(1000), gift, transaction(on(2026, 1, 5), "Deposit", 100, true, "Employer"),
            transaction(on(2026, 3, 3), "1002", -20, false, "Smith"),
            transaction(on(2026, 3, 10), "1003", -30, false, "Jones"),
            transaction(on(2026, 3, 3), "1002", -20, false, "Smith", OtherKey)};
}

QByteArray fileOf(const QList<handmade::Transaction>& list)
{
    QByteArray bytes;
    for (const handmade::Transaction& t : list)
        bytes += handmade::transaction(t);
    return bytes;
}

}

class SearchWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    ScriptedPrompts* prompts_ = nullptr;

    frmAccount* open(const QList<handmade::Transaction>& transactions)
    {
        frmAccount* window = openRegister(transactions);
        // Searches default to the current month and year: March 2026.
        seams_->clock.set(QDateTime(QDate(2026, 3, 15), QTime(9, 0)));
        return window;
    }

    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    static void highlight(frmAccount* window, int row)
    {
        window->grid->setCurrentIndex(window->model->index(row - 1, DateColumn));
        settle();
    }

    static QStringList column(frmAccount* window, int column)
    {
        QStringList cells;
        for (int r = 0; r < window->model->rowCount(); ++r)
            cells.append(window->model->index(r, column).data().toString().trimmed());
        return cells;
    }

    QByteArray dataFile() const
    {
        return test::readWholeFile(seams_->folder.filePath(QStringLiteral("Account.dat")));
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
        SetFileStepHook({});
        InstallTransactionActions();
        InstallSearchActions();
        ResetDisplayValues();
        LoadDisplayValues();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetFileStepHook({});
        ResetRegisterActions();
        seams_.reset();
    }

    void theSearchButtonPopsUpTheMenu()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        QVERIFY(window->cmdFind->isEnabled());
        window->cmdFind->click();
        QTRY_VERIFY(window->menuSearch->isVisible());
        const QList<QAction*> items = window->menuSearch->actions();
        QCOMPARE(items.size(), 21);
        for (int i = 0; i < 21; ++i)
            QCOMPARE(items[i]->isSeparator(), i + 1 == 4 || i + 1 == 14 || i + 1 == 20);
        QCOMPARE(items[14]->text(), QStringLiteral("Payee/Creditor"));
        // Choosing an item asks its question once the menu has closed.
        prompts_->expectInput(Search, QStringLiteral("3"));
        items[0]->trigger();
        window->menuSearch->hide();
        QTRY_COMPARE(registerState().RegisterView, int(SearchView));
        QCOMPARE(column(window, PayeeColumn), (QStringList{"Smith", "Jones"}));
    }

    void aMonthSearchAndBack()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        highlight(window, 3);
        prompts_->expectInput(Search, QStringLiteral("3"));
        menuSearch_Click(*window, SearchMonth);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(prompts_->inputs()[0], (QStringList{Search, MonthPrompt, "03"}));
        QCOMPARE(registerState().RegisterView, int(SearchView));
        QCOMPARE(column(window, TypeColumn), (QStringList{"1002", "1003"}));
        QCOMPARE(window->lblAccountName->text(), QStringLiteral("Matches for: '03'"));
        QVERIFY(!window->lblBalance->isVisible());
        QVERIFY(!window->lblCurrentBalance->isVisible());
        QVERIFY(window->cmdFinished->isVisible());
        QCOMPARE(window->cmdFinished->caption(), QStringLiteral("&Finished searching\r\n<Esc>"));
        QCOMPARE(window->currentRow(), 1);

        // Finished goes back to the row highlighted before.
        QTest::keyClick(window->grid, Qt::Key_Escape);
        QCOMPARE(registerState().RegisterView, int(NormalView));
        QCOMPARE(window->currentRow(), 3);
        QVERIFY(window->lblBalance->isVisible());

        // The next month prompt offers the month last entered.
        searchMemory().LastSearchMonth = QStringLiteral("12");
        prompts_->expectInput(Search, QString());
        menuSearch_Click(*window, SearchMonth);
        QCOMPARE(prompts_->inputs()[1][2], QStringLiteral("12"));
        QCOMPARE(searchMemory().LastSearchMonth, QStringLiteral("12"));
        QCOMPARE(registerState().RegisterView, int(NormalView));
    }

    void promptsAskAgain_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("defaults");  // offered by each prompt in turn
        QTest::addColumn<QString>("month");         // remembered afterwards
        QTest::addColumn<QString>("year");
        QTest::addColumn<QStringList>("found");     // payees of the search view; empty: none shown
        QTest::newRow("month asked again, then given up")
            << 1 << QStringList{"13", "abc", ""} << QStringList{"03", "13", "abc"} << "03" << "" << QStringList{};
        QTest::newRow("month asked again, then accepted")
            << 1 << QStringList{"0", "12"} << QStringList{"03", "0"} << "12" << ""
            << QStringList{"Beginning Balance", "Smith"};
        QTest::newRow("year asked again, then given up")
            << 3 << QStringList{"1850", ""} << QStringList{"2026", "1850"} << "" << "2026" << QStringList{};
        QTest::newRow("year 2025")
            << 3 << QStringList{"3000", "2025"} << QStringList{"2026", "3000"} << "" << "2025" << QStringList{"Smith"};
        QTest::newRow("month/year, the year given up")
            << 2 << QStringList{"3", ""} << QStringList{"03", "2026"} << "03" << "2026" << QStringList{};
        QTest::newRow("month/year 03/2026")
            << 2 << QStringList{"3", "2026"} << QStringList{"03", "2026"} << "03" << "2026"
            << QStringList{"Smith", "Jones"};
        QTest::newRow("check asked again") << 5 << QStringList{"0", "abc", "01002"} << QStringList{"", "", ""} << ""
                                           << "" << QStringList{"Smith"};
        QTest::newRow("debit offers the highlighted debit")
            << 17 << QStringList{"abc", "45.00"} << QStringList{"-45.00", "-45.00"} << "" << "" << QStringList{"Smith"};
        QTest::newRow("credit offers nothing for a debit")
            << 16 << QStringList{""} << QStringList{""} << "" << "" << QStringList{};
        QTest::newRow("payee offers the highlighted payee")
            << 15 << QStringList{"  jON  "} << QStringList{"Smith"} << "" << "" << QStringList{"Jones"};
        QTest::newRow("comment offers the highlighted comment")
            << 18 << QStringList{""} << QStringList{"Gift"} << "" << "" << QStringList{};
        QTest::newRow("notes offer nothing") << 19 << QStringList{"BEGINNING"} << QStringList{""} << "" << ""
                                             << QStringList{"Beginning Balance"};
    }

    void promptsAskAgain()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, defaults);
        QFETCH(QString, month);
        QFETCH(QString, year);
        QFETCH(QStringList, found);
        // One year only, so that no scope question comes between.
        QList<handmade::Transaction> list = twoYears();
        list[1].date = on(2026, 12, 20);
        if (kind == SearchYear || kind == SearchCheck)
            list[1].date = on(2025, 12, 20);
        frmAccount* window = open(list);
        QVERIFY(window);
        highlight(window, kind == SearchYear || kind == SearchCheck ? 2 : 5);
        if (kind != SearchYear && kind != SearchCheck)
            QCOMPARE(column(window, PayeeColumn)[4], QStringLiteral("Smith"));
        for (const QString& answer : answers)
            prompts_->expectInput(Search, answer);
        menuSearch_Click(*window, kind);
        QVERIFY(prompts_->verifyDone());
        QStringList offered;
        for (const QStringList& input : prompts_->inputs())
            offered.append(input[2]);
        QCOMPARE(offered, defaults);
        QCOMPARE(searchMemory().LastSearchMonth, month);
        QCOMPARE(searchMemory().LastSearchYear, year);
        if (found.isEmpty()) {
            QCOMPARE(registerState().RegisterView, int(NormalView));
            QCOMPARE(window->model->rowCount(), 5);
        } else {
            QCOMPARE(registerState().RegisterView, int(SearchView));
            QCOMPARE(column(window, PayeeColumn), found);
        }
    }

    void theScopeQuestion_data()
    {
        QTest::addColumn<bool>("twoYears");
        QTest::addColumn<int>("answer");     // to "Search Scope"; -1: not asked
        QTest::addColumn<QString>("year");   // typed at the year prompt; empty: not asked
        QTest::addColumn<QStringList>("found");
        QTest::newRow("one year: not asked") << false << -1 << "" << QStringList{"Smith", "Smith"};
        QTest::newRow("two years, all of them") << true << 2 << "" << QStringList{"Smith", "Smith"};
        QTest::newRow("two years, 2025") << true << 1 << "2025" << QStringList{"Smith"};
        QTest::newRow("two years, the year given up") << true << 1 << "" << QStringList{};
        QTest::newRow("two years, cancelled") << true << 3 << "" << QStringList{};
        QTest::newRow("two years, closed") << true << 0 << "" << QStringList{};
    }

    void theScopeQuestion()
    {
        QFETCH(bool, twoYears);
        QFETCH(int, answer);
        QFETCH(QString, year);
        QFETCH(QStringList, found);
        QList<handmade::Transaction> list = ::twoYears();
        if (!twoYears)
            list[1].date = on(2026, 1, 1);
        frmAccount* window = open(list);
        QVERIFY(window);
        highlight(window, 2);
        prompts_->expectInput(Search, QStringLiteral("smi"));
        if (answer >= 0) {
            prompts_->expectMessage(QStringLiteral("Search Scope"),
                                    QStringLiteral("Is there a particular year you wish to search?"),
                                    {QStringLiteral("&Yes, there is..."), QStringLiteral("&No, search all years"),
                                     QStringLiteral("&Cancel this search")},
                                    answer)
                .expectMessageKind(IconQuestion);
        }
        if (answer == 1)
            prompts_->expectInput(Search, year);
        menuSearch_Click(*window, SearchPayee);
        QVERIFY(prompts_->verifyDone());
        if (answer >= 0)
            QCOMPARE(prompts_->messages()[0].defaultButton, 2);
        if (found.isEmpty()) {
            QCOMPARE(registerState().RegisterView, int(NormalView));
            return;
        }
        QCOMPARE(column(window, PayeeColumn), found);
        QCOMPARE(window->lblAccountName->text(), QStringLiteral("Matches for: 'smi'"));
    }

    void noMatchesLeavesEverythingAsItWas()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        highlight(window, 3);
        const QStringList before = column(window, PayeeColumn);
        prompts_->expectInput(Search, QStringLiteral("nobody"))
            .expectMessage(QStringLiteral("Search Scope"), 2)
            .expectMessage(QStringLiteral("No matches"),
                           QStringLiteral("None of the transactions in this list\r\nmatch what you are looking for."),
                           {QStringLiteral("&Okay")}, 1)
            .expectMessageKind(IconInformation);
        menuSearch_Click(*window, SearchPayee);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(registerState().RegisterView, int(NormalView));
        QCOMPARE(column(window, PayeeColumn), before);
        QCOMPARE(window->currentRow(), 3);
        QCOMPARE(window->lblAccountName->text(), QStringLiteral("Account of Household"));
        QVERIFY(window->lblCurrentBalance->isVisible());
        QVERIFY(window->isEnabled());
    }

    void aVoidInTheSearchViewSearchesAgain()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        prompts_->expectInput(Search, QStringLiteral("smith")).expectMessage(QStringLiteral("Search Scope"), 2);
        menuSearch_Click(*window, SearchPayee);
        QCOMPARE(column(window, TypeColumn), (QStringList{"1001", "1002"}));
        highlight(window, 2);
        prompts_->expectMessage(QStringLiteral("Void Transaction"), 1);
        window->cmdVoidTransaction->click();
        // The list shows the void at once, and the menu comes back.
        QTRY_VERIFY(window->menuSearch->isVisible());
        window->menuSearch->hide();
        QCOMPARE(registerState().RegisterView, int(SearchView));
        QCOMPARE(column(window, TypeColumn), (QStringList{"1001", "VOID"}));
        // A search now runs over the matches.
        prompts_->expectMessage(QStringLiteral("Search Scope"), 2);
        menuSearch_Click(*window, SearchVoided);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(column(window, PayeeColumn), (QStringList{"Smith"}));
        QCOMPARE(column(window, TypeColumn), (QStringList{"VOID"}));
        QCOMPARE(window->lblAccountName->text(), QStringLiteral("Matches for: 'VOID        '"));
    }

    void replaceInASearchViewLeavesTheRestAlone()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        prompts_->expectInput(Search, QStringLiteral("2026"));
        menuSearch_Click(*window, SearchYear);
        QCOMPARE(column(window, PayeeColumn), (QStringList{"Employer", "Smith", "Jones"}));
        highlight(window, 2);
        prompts_->expectInput(PayeeTitle, QStringLiteral("Smith"))
            .expectInput(PayeeTitle, QStringLiteral("Smythe"))
            .expectMessage(PayeeTitle, 1)
            .expectMessage(QStringLiteral("Find/Replace Results"),
                           QStringLiteral("1 instance of\r\n\r\n'Smith'\r\n\r\nwas found and replaced with\r\n\r\n'Smythe'"),
                           {QStringLiteral("&Okay")}, 1);
        window->menuOtherOptions_Click(4);
        QVERIFY(prompts_->verifyDone());
        // The find prompt offered the highlighted payee.
        QCOMPARE(prompts_->inputs()[1][2], QStringLiteral("Smith"));
        QList<handmade::Transaction> expected = twoYears();
        expected[3].payee = "Smythe";
        QCOMPARE(dataFile(), fileOf(expected));
        // Still the search view, showing the new payee.
        QCOMPARE(registerState().RegisterView, int(SearchView));
        QCOMPARE(column(window, PayeeColumn), (QStringList{"Employer", "Smythe", "Jones"}));
        QCOMPARE(window->currentRow(), 2);
        QCOMPARE(window->cmdOtherOptions->tag(), QString());
    }

    void replaceInTheNormalView()
    {
        QList<handmade::Transaction> list = twoYears();
        list[0].payee = "Smith";  // the beginning balance, never changed here
        frmAccount* window = open(list);
        QVERIFY(window);
        highlight(window, 4);
        prompts_->expectInput(PayeeTitle, QStringLiteral("Smith"))
            .expectInput(PayeeTitle, QStringLiteral("Smythe"))
            .expectMessage(PayeeTitle, 1)
            .expectMessage(QStringLiteral("Find/Replace Results"),
                           QStringLiteral("2 instances of\r\n\r\n'Smith'\r\n\r\nwere found and replaced with\r\n\r\n'Smythe'"),
                           {QStringLiteral("&Okay")}, 1);
        window->menuOtherOptions_Click(4);
        QVERIFY(prompts_->verifyDone());
        QList<handmade::Transaction> expected = list;
        expected[1].payee = "Smythe";
        expected[3].payee = "Smythe";
        QCOMPARE(dataFile(), fileOf(expected));
        QCOMPARE(column(window, PayeeColumn), (QStringList{"Smith", "Smythe", "Employer", "Smythe", "Jones"}));
        QCOMPARE(window->currentRow(), 4);
    }

    void aDeclinedReplaceChangesNothing()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        const QByteArray before = dataFile();
        highlight(window, 2);
        const QString commentTitle = QStringLiteral("Find and replace `Comment' text");
        prompts_->expectInput(commentTitle, QStringLiteral("Gift"))
            .expectInput(commentTitle, QStringLiteral("Present"))
            .expectMessage(commentTitle, 2);
        window->menuOtherOptions_Click(5);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(prompts_->inputs()[0][2], QStringLiteral("Gift"));
        QCOMPARE(dataFile(), before);
    }

    void aFailingWriteStopsAndShowsWhatIsOnDisk()
    {
        frmAccount* window = open(twoYears());
        QVERIFY(window);
        const QByteArray before = dataFile();
        SetFileStepHook([](FileStep step, const QString& name) {
            if (step == FileStep::Sync && name.endsWith(QStringLiteral("Account.dat")))
                throw FileError(name, QStringLiteral("write"), QStringLiteral("No space left on device"));
        });
        prompts_->expectInput(PayeeTitle, QStringLiteral("Smith"))
            .expectInput(PayeeTitle, QStringLiteral("Smythe"))
            .expectMessage(PayeeTitle, 1)
            .expectMessage(QStringLiteral("Find/Replace Results"), 1)
            .expectMessageKind(IconStop);
        window->menuOtherOptions_Click(4);
        QVERIFY(prompts_->verifyDone());
        QVERIFY(prompts_->messages().last().text.contains(QStringLiteral("No space left on device")));
        QVERIFY(prompts_->messages().last().text.contains(QStringLiteral("Nothing had been replaced.")));
        QCOMPARE(dataFile(), before);
        QCOMPARE(column(window, PayeeColumn), (QStringList{"Beginning Balance", "Smith", "Employer", "Smith", "Jones"}));
        QVERIFY(window->isEnabled());
    }
};

TALLYO_TEST(SearchWindowTest)
#include "searchwindow_test.moc"
