// Assembling the register from real files: which transactions are listed,
// their order, the running balance and totals, the reconcile list and its
// adjusted balance, and the row highlighted afterwards.
#include "registerdata.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/registergrid.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "util/dates.h"

#include <QTest>
#include <limits>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

QStringList column(int c)
{
    const RegisterRows& rows = registerState().Rows;
    QStringList texts;
    for (qint32 i = 0; i < rows.size(); ++i)
        texts.append(CellText(rows, i, c, SharedDisplayValues().DateFormat));
    return texts;
}

std::vector<qint32> listed()
{
    const RegisterState& state = registerState();
    return {state.DisplayedList.begin(), state.DisplayedList.begin() + state.DisplayedCount};
}

void setCleared(qint32 record, bool cleared)
{
    OpenTransactions();
    TransactionRecord r = ReadTransactionRecord(record);
    r.Cleared = cleared;
    WriteTransactionRecord(record, r);
    CloseTransactions();
}

}

class AssemblyTest : public QObject {
    Q_OBJECT

    EventPace pace_{0};
    ScriptedPrompts* prompts_ = nullptr;
    AssemblyHooks hooks_;

private slots:
    void init()
    {
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().pace = &pace_;
        ResetRegisterState();
        ResetCurrentAccount();
        ResetDisplayValues();
        currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
        hooks_ = AssemblyHooks();
    }

    void cleanup()
    {
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
        platform().pace = nullptr;
    }

    void ordersByDayThenTypeThenRecord_data()
    {
        QTest::addColumn<QList<double>>("dates");
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<std::vector<qint32>>("order");
        const double day = 45000;
        QTest::newRow("checks as text, before the type words")
            << QList<double>{day, day, day, day} << QStringList{"Deposit", "999", "1001", "ATM Cash"}
            << std::vector<qint32>{3, 2, 4, 1};
        QTest::newRow("type words alphabetically")
            << QList<double>(9, day)
            << QStringList{"VOID", "Start", "Service Fee", "Other Debit", "Other Credit", "Deposit",
                           "AutoPayment", "AutoDeposit", "ATM Cash"}
            << std::vector<qint32>{9, 8, 7, 6, 5, 4, 3, 2, 1};
        QTest::newRow("letter case ignored, equal keys by record")
            << QList<double>{day, day, day, day} << QStringList{"deposit", "ATM Cash", "DEPOSIT", "Deposit"}
            << std::vector<qint32>{2, 1, 3, 4};
        QTest::newRow("day before type, time of day ignored")
            << QList<double>{day + 1.1, day + 0.9, day + 1.0} << QStringList{"ATM Cash", "VOID", "Deposit"}
            << std::vector<qint32>{2, 1, 3};
        QTest::newRow("a time that rounds to midnight is the next day")
            << QList<double>{day + 0.9999999, day + 1.0, day + 0.5} << QStringList{"Deposit", "ATM Cash", "VOID"}
            << std::vector<qint32>{3, 2, 1};
        QTest::newRow("no date at all sorts first")
            << QList<double>{day, std::nan(""), 1.0} << QStringList{"Deposit", "Deposit", "Start"}
            << std::vector<qint32>{2, 3, 1};
    }

    void ordersByDayThenTypeThenRecord()
    {
        QFETCH(QList<double>, dates);
        QFETCH(QStringList, types);
        QFETCH(std::vector<qint32>, order);
        TempDataFolder folder;
        QList<handmade::Transaction> transactions;
        for (qsizetype i = 0; i < dates.size(); ++i)
            transactions.append(transaction(dates[i], types[i].toLatin1(), 1.0));
        QVERIFY(writeTransactions(transactions));

        QVERIFY(LoadRegister(hooks_).has_value());
        QCOMPARE(listed(), order);
        QCOMPARE(registerState().Rows.recordNumbers(), order);
    }

    void listsOnlyTheAccountWithTheBeginningBalanceFirst()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({
            transaction(45000, "Deposit", 100),
            transaction(45000, "Deposit", 7, false, "Elsewhere", OtherKey),
            beginningBalance(500),
            transaction(44999, "1001", -45),
        }));
        SharedDisplayValues().DateFormat = QStringLiteral("dd/mm/yy");
        const auto shown = LoadRegister(hooks_);
        QVERIFY(shown.has_value());
        QCOMPARE(listed(), (std::vector<qint32>{3, 4, 1}));
        QCOMPARE(column(DateColumn), (QStringList{" - ", "14/03/23", "15/03/23"}));
        QCOMPARE(column(RecordColumn), (QStringList{"3", "4", "1"}));
        QCOMPARE(registerState().RegisterView, int(NormalView));

        // In a search list the beginning balance keeps its stored date.
        registerState().RegisterView = SearchView;
        AssembleList(hooks_);
        QCOMPARE(column(DateColumn).first(), QStringLiteral("31/12/99"));
        QCOMPARE(column(BalanceColumn), (QStringList{"", "", ""}));
    }

    void runningBalanceAndTotalsLeaveVoidsOut()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({
            beginningBalance(1000),
            transaction(45000, "1001", -45),
            transaction(45001, "Deposit", 100),
            transaction(45002, "VOID", 0, true),
            transaction(45003, "Other Debit", 0),
            transaction(45004, "AutoPayment", -2000),
        }));
        QVERIFY(LoadRegister(hooks_).has_value());
        const RegisterState& state = registerState();
        QCOMPARE(column(DebitColumn), (QStringList{"", "-45.00", "", "", "", "-2,000.00"}));
        QCOMPARE(column(CreditColumn), (QStringList{"1,000.00", "", "100.00", "", "", ""}));
        QCOMPARE(column(BalanceColumn),
                 (QStringList{"1,000.00", "955.00", "1,055.00", "1,055.00", "1,055.00", "-945.00"}));
        QCOMPARE(state.TotalCredit, money(1100));
        QCOMPARE(state.TotalDebit, money(-2045));
        QCOMPARE(state.CurrentBalance, money(-945));
        QCOMPARE(CellTextColour(state.Rows, 4, BalanceColumn), 0x000080u);
        QCOMPARE(CellTextColour(state.Rows, 5, BalanceColumn), 0x800000u);

        const RegisterCaptions captions = CaptionsOf(state);
        QCOMPARE(captions.totalCredit, QStringLiteral("1,100.00"));
        QCOMPARE(captions.totalDebit, QStringLiteral("-2,045.00"));
        QCOMPARE(captions.balanceCaption, QStringLiteral("Current  balance"));
        QCOMPARE(captions.balanceText, QStringLiteral("-945.00"));
        QCOMPARE(captions.balanceColour, 0xC00000u);
        QCOMPARE(captions.headerColour, 0x0000C0u);
    }

    void reconcileListsTheUnclearedWithTheClearedBalance()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({
            beginningBalance(1000),
            transaction(45000, "1001", -45),
            transaction(45001, "Deposit", 100, true),
            transaction(45002, "1002", -10),
            transaction(45003, "VOID", 0, true),
            transaction(45000, "Deposit", 999, false, "Elsewhere", OtherKey),
        }));
        QVERIFY(LoadRegister(hooks_).has_value());
        const auto shown = ReconcileList(3, hooks_);
        QVERIFY(shown.has_value());
        RegisterState& state = registerState();
        QCOMPARE(state.RegisterView, int(ReconcileView));
        QCOMPARE(state.NormalRow, 3);
        QCOMPARE(listed(), (std::vector<qint32>{2, 4}));
        QCOMPARE(state.TotalDebit, money(-55));
        QCOMPARE(state.AdjustedBalance, money(1100));  // the cleared ones: 1000 + 100
        QCOMPARE(column(BalanceColumn), (QStringList{"", ""}));
        const RegisterCaptions captions = CaptionsOf(state);
        QCOMPARE(captions.balanceCaption, QStringLiteral("Adjusted Balance"));
        QCOMPARE(captions.balanceText, QStringLiteral("1,100.00"));
        QCOMPARE(captions.headerColour, 0x008000u);

        // A listed check cleared in place (the adjusted balance follows it)
        // and then the other one changed: a new assembly of the same list
        // keeps counting the check as cleared.
        setCleared(2, true);
        state.AdjustedBalance += money(-45);
        OpenTransactions();
        TransactionRecord changed = ReadTransactionRecord(4);
        changed.Amount = money(-20);
        WriteTransactionRecord(4, changed);
        CloseTransactions();
        AssembleList(hooks_);
        QCOMPARE(listed(), (std::vector<qint32>{2, 4}));
        QCOMPARE(state.AdjustedBalance, money(1055));
        QCOMPARE(state.TotalDebit, money(-65));

        // Made again in the reconcile view (as after a void there): the row
        // to return to in the normal view stays the one it was.
        QVERIFY(ReconcileList(1, hooks_).has_value());
        QCOMPARE(listed(), (std::vector<qint32>{4}));
        QCOMPARE(state.NormalRow, 3);
    }

    void nothingToReconcileLeavesTheListAlone()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({beginningBalance(10), transaction(45000, "1001", -4, true)}));
        QVERIFY(LoadRegister(hooks_).has_value());
        prompts_->expectMessage("Nothing to reconcile", "All of the transactions\r\nare marked as cleared.",
                                {"&Okay"}, 1)
            .expectMessageKind(IconInformation);
        QVERIFY(!ReconcileList(2, hooks_).has_value());
        QCOMPARE(registerState().RegisterView, int(NormalView));
        QCOMPARE(listed(), (std::vector<qint32>{1, 2}));
        QCOMPARE(registerState().Rows.size(), 2);
    }

    void highlightsTheSavedTransactionOrTheLastRow_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("normalRow");
        QTest::addColumn<int>("listRow");
        QTest::addColumn<QStringList>("markers");
        QTest::addColumn<int>("highlighted");
        const QString second = FormatStamp(45000 + 10.0 / 24);  // record 3, row 3
        const QString first = FormatStamp(45000 + 9.0 / 24);    // record 2, row 2
        QTest::newRow("normal, nothing asked: last row") << int(NormalView) << 0 << 0 << QStringList{} << 4;
        QTest::newRow("normal, row asked") << int(NormalView) << 2 << 0 << QStringList{} << 2;
        QTest::newRow("normal, row past the end") << int(NormalView) << 9 << 0 << QStringList{} << 4;
        QTest::newRow("add marker wins") << int(NormalView) << 2 << 0 << QStringList{second, QString()} << 3;
        QTest::newRow("modify marker") << int(NormalView) << 4 << 0 << QStringList{QString(), first} << 2;
        QTest::newRow("marker of another time") << int(NormalView) << 0 << 0
                                                << QStringList{FormatStamp(45000 + 11.0 / 24)} << 4;
        QTest::newRow("search, nothing asked: first row") << int(SearchView) << 3 << 0 << QStringList{} << 1;
        QTest::newRow("search, marker") << int(SearchView) << 0 << 1 << QStringList{second} << 3;
    }

    void highlightsTheSavedTransactionOrTheLastRow()
    {
        QFETCH(int, view);
        QFETCH(int, normalRow);
        QFETCH(int, listRow);
        QFETCH(QStringList, markers);
        QFETCH(int, highlighted);
        TempDataFolder folder;
        QVERIFY(writeTransactions({
            beginningBalance(10),
            transaction(45000 + 9.0 / 24, "Deposit", 1, false, "Nine"),
            transaction(45000 + 10.0 / 24, "Other Credit", 2, false, "Ten"),
            transaction(45001, "1001", -3, false, "Next day"),
        }));
        RegisterState& state = registerState();
        state.DisplayedList = {4, 3, 2, 1};
        state.DisplayedCount = 4;
        state.RegisterView = view;
        state.NormalRow = normalRow;
        state.ListRow = listRow;
        hooks_.saveMarkers = markers;
        const ShownList shown = ShowList(hooks_);
        QCOMPARE(shown.row, highlighted);
        QCOMPARE(state.HighlightedRow, highlighted);
        QCOMPARE(shown.highlighted.Payee.trimmed(), registerState().Rows.payee(highlighted - 1));
    }

    void statusPhasesAndRowReplacement()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({beginningBalance(10), transaction(45000, "1001", -4)}));
        QStringList seen;
        hooks_.showStatus = [&](const QString& text) { seen.append(text.isEmpty() ? "(hidden)" : text); };
        hooks_.rowsAboutToChange = [&] { seen.append("rows about to change"); };
        hooks_.rowsChanged = [&] {
            seen.append(QStringLiteral("rows changed: %1").arg(registerState().Rows.size()));
        };
        QVERIFY(LoadRegister(hooks_).has_value());
        QCOMPARE(seen, (QStringList{"Assembling...", "(hidden)", "Loading...", "Sorting...",
                                    "rows about to change", "rows changed: 2", "(hidden)"}));
    }

    void anAccountWithoutTransactionsGivesNothing()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({transaction(45000, "Deposit", 7, false, "Elsewhere", OtherKey)}));
        registerState().DisplayedCount = 5;
        QVERIFY(!LoadRegister(hooks_).has_value());
        QCOMPARE(registerState().DisplayedCount, 0);
        QCOMPARE(registerState().Rows.size(), 0);
    }

    void recordsNoLongerInTheFileAreDropped()
    {
        TempDataFolder folder;
        QVERIFY(writeTransactions({beginningBalance(10), transaction(45000, "1001", -4)}));
        RegisterState& state = registerState();
        state.RegisterView = SearchView;
        state.DisplayedList = {2, 7, 0, 1};
        state.DisplayedCount = 3;  // the last entry is not in use
        AssembleList(hooks_);
        QCOMPARE(listed(), (std::vector<qint32>{2}));
    }

    // A large account: ordered, added up, compact, and highlighted past the
    // rows a 16-bit number could reach.
    void sixtyThousandRows()
    {
        TempDataFolder folder;
        const int count = 60000;
        QByteArray file = handmade::transaction(beginningBalance(100));
        qint64 sum = money(100);
        for (int k = 1; k <= count - 1; ++k) {
            const int day = (k * 7919) % (count - 1);  // every day once, out of order
            file += handmade::transaction(transaction(40000 + day, "Deposit", 0.01 * (k % 7)));
            sum += money(0.01 * (k % 7));
            if (k % 3 == 0)
                file += handmade::transaction(transaction(40000 + day, "Deposit", 5, false, "Other", OtherKey));
        }
        QVERIFY(tallyo::test::writeWholeFile("Account.dat", file));

        RegisterState& state = registerState();
        state.NormalRow = 50000;
        QVERIFY(LoadRegister(hooks_).has_value());
        QCOMPARE(state.DisplayedCount, count);
        QCOMPARE(state.HighlightedRow, 50000);
        QCOMPARE(state.CurrentBalance, sum);
        const RegisterRows& rows = state.Rows;
        for (qint32 i = 2; i < rows.size(); ++i)
            QVERIFY(rows[i - 1].date < rows[i].date);
        QVERIFY2(rows.memoryUsed() / rows.size() < 300, qPrintable(QString::number(rows.memoryUsed() / rows.size())));

        // Day 40000 follows the beginning balance, so the transaction of day
        // 80000 is on row 40,002.
        hooks_.saveMarkers = {FormatStamp(40000 + 40000)};
        state.NormalRow = 0;
        QVERIFY(LoadRegister(hooks_).has_value());
        QCOMPARE(state.NormalRow, 40002);
        QCOMPARE(state.HighlightedRow, 40002);
    }
};

TALLYO_TEST(AssemblyTest)
#include "assembly_test.moc"
