// Search on real files laid out byte by byte: every kind of the search menu
// against one account, the year that limits a search, the answers the
// prompts accept, the question whether to keep to one year, and the
// narrowing of the displayed list.
#include "registerdata.h"
#include "testenv.h"
#include "testrunner.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/registerstate.h"
#include "register/search.h"
#include "register/searchspec.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;
using namespace registerdata;
using tallyo::test::TempDataFolder;

namespace {

double on(int year, int month, int day)
{
    return StoredFromDate(QDate(year, month, day)) + 0.5;
}

handmade::Transaction with(handmade::Transaction t, const QByteArray& comment, const QByteArray& notes = "")
{
    t.comment = comment;
    t.notes = notes;
    return t;
}

// Record numbers 1 to 12 of Account.dat. Record 11 belongs to another
// account and is never listed.
QList<handmade::Transaction> sampleAccount()
{
    return {
        beginningBalance(1000),                                                              // 1 1899-12-31
        with(transaction(on(2021, 3, 5), "123", -45, true, "John Smith"), "Rent March"),     // 2
        with(transaction(on(1921, 3, 10), "Deposit", 45, false, "SMITHSON"), "",
             "Warranty card inside"),                                                         // 3
        transaction(on(2021, 7, 1), "AutoDeposit", 2500, false, "Acme Payroll"),             // 4
        transaction(on(2020, 12, 24), "AutoPayment", -1234.56, false, "Mortgage"),           // 5
        transaction(on(2021, 3, 15), "ATM Cash", -60, false, "Cash"),                        // 6
        transaction(on(2022, 1, 2), "Service Fee", -6.5, false, "First Bank"),               // 7
        transaction(on(2021, 11, 11), "Other Credit", 23.99, false, "Refund"),               // 8
        transaction(on(2021, 3, 20), "Other Debit", -500, false, "smith & co"),              // 9
        with(transaction(on(2021, 5, 5), "VOID", 0, true, "Corner Garage"), "Wrong amount"), // 10
        transaction(on(2021, 3, 5), "123", -45, false, "John Smith", OtherKey),              // 11
        transaction(on(2021, 4, 1), "1001", -45, false, "Grocer"),                           // 12
    };
}

// The listed record numbers, in list order.
QList<qint32> listed()
{
    const RegisterState& state = registerState();
    return QList<qint32>(state.DisplayedList.begin(), state.DisplayedList.begin() + state.DisplayedCount);
}

}

class SearchTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    EventPace pace_{0};

    void loadSample()
    {
        QVERIFY(writeTransactions(sampleAccount()));
        QVERIFY(LoadRegister({}));
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        platform().pace = &pace_;
        ResetRegisterState();
        ResetCurrentAccount();
        ResetSearchMemory();
        currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
    }

    void cleanup()
    {
        ResetRegisterState();
        folder_.reset();
        platform().pace = nullptr;
    }

    void menuHasTwentyOneItems()
    {
        const QStringList items = SearchMenuItems();
        QCOMPARE(items.size(), 21);
        QCOMPARE(items[0], QStringLiteral("Month"));
        QCOMPARE(items[4], QStringLiteral("Check #"));
        QCOMPARE(items[12], QStringLiteral("Voided entries"));
        QCOMPARE(items[20], QStringLiteral("Exit this menu"));
        for (int separator : {4, 14, 20}) {
            QCOMPARE(items[separator - 1], QStringLiteral("-"));
            QVERIFY(!IsSearchKind(separator));
        }
        QVERIFY(!IsSearchKind(21));
        QVERIFY(!IsSearchKind(0));
    }

    void eachKindFindsItsTransactions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QList<qint32>>("found");  // in register order
        const QString all = SearchAllYears.toString();
        using L = QList<qint32>;
        // Register order: 1 (start), 3 (1921), 5 (2020), 2, 6, 9, 12, 10, 4, 8, 7 (2022).
        QTest::newRow("month 03") << 1 << "03" << all << L{3, 2, 6, 9};
        QTest::newRow("month 12 finds the beginning balance") << 1 << "12" << all << L{1, 5};
        QTest::newRow("month/year 03/2021 also finds 1921") << 2 << "03/2021" << all << L{3, 2, 6, 9};
        QTest::newRow("month/year 12/1999: the beginning balance") << 2 << "12/1999" << all << L{1};
        QTest::newRow("year 2021 also finds 1921") << 3 << "2021" << all << L{3, 2, 6, 9, 12, 10, 4, 8};
        QTest::newRow("year 1999 finds the beginning balance") << 3 << "1999" << all << L{1};
        QTest::newRow("check 0123 finds check 123") << 5 << "0123" << all << L{2};
        QTest::newRow("check 1001") << 5 << "1001" << all << L{12};
        QTest::newRow("check 999 finds nothing") << 5 << "999" << all << L{};
        QTest::newRow("Deposit, not AutoDeposit") << 6 << "Deposit     " << all << L{3};
        QTest::newRow("Auto-payment") << 7 << "AutoPayment " << all << L{5};
        QTest::newRow("Auto-deposit") << 8 << "AutoDeposit " << all << L{4};
        QTest::newRow("ATM Cash") << 9 << "ATM Cash    " << all << L{6};
        QTest::newRow("Service fee") << 10 << "Service Fee " << all << L{7};
        QTest::newRow("Other credit") << 11 << "Other Credit" << all << L{8};
        QTest::newRow("Other debit") << 12 << "Other Debit " << all << L{9};
        QTest::newRow("Voided entries") << 13 << "VOID        " << all << L{10};
        QTest::newRow("payee smith: substring, any case") << 15 << "smith" << all << L{3, 2, 9};
        QTest::newRow("payee SMITH") << 15 << "SMITH" << all << L{3, 2, 9};
        QTest::newRow("payee john smith") << 15 << "john smith" << all << L{2};
        QTest::newRow("credit 45 finds the deposit") << 16 << "45" << all << L{3};
        QTest::newRow("credit -45 finds the deposit") << 16 << "-45" << all << L{3};
        QTest::newRow("debit 45 finds the checks, not the deposit") << 17 << "45" << all << L{2, 12};
        QTest::newRow("debit -45.00") << 17 << "-45.00" << all << L{2, 12};
        QTest::newRow("debit 1,234.56") << 17 << "1,234.56" << all << L{5};
        QTest::newRow("credit 1,234.56 finds nothing") << 16 << "1,234.56" << all << L{};
        QTest::newRow("debit 0 finds the void") << 17 << "0" << all << L{10};
        QTest::newRow("comment march") << 18 << "march" << all << L{2};
        QTest::newRow("comment AMOUNT") << 18 << "AMOUNT" << all << L{10};
        QTest::newRow("notes warranty") << 19 << "WARRANTY" << all << L{3};
        QTest::newRow("notes of the beginning balance") << 19 << "beginning balance" << all << L{1};
        QTest::newRow("payee smith in 2021 (and 1921)") << 15 << "smith" << "2021" << L{3, 2, 9};
        QTest::newRow("payee smith in 2020") << 15 << "smith" << "2020" << L{};
        QTest::newRow("debit 45 in 1921") << 17 << "45" << "1921" << L{2, 12};
        QTest::newRow("Deposit in 2022") << 6 << "Deposit     " << "2022" << L{};
        QTest::newRow("Service fee in 2022") << 10 << "Service Fee " << "2022" << L{7};
        QTest::newRow("notes in 1999") << 19 << "beginning" << "1999" << L{1};
    }

    void eachKindFindsItsTransactions()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, year);
        QFETCH(QList<qint32>, found);
        loadSample();
        const QList<qint32> before = listed();
        QCOMPARE(before, (QList<qint32>{1, 3, 5, 2, 6, 9, 12, 10, 4, 8, 7}));
        registerState().NormalRow = 0;

        const qint32 count = RunSearch({text, kind, year}, 4);
        QCOMPARE(count, qint32(found.size()));
        const RegisterState& state = registerState();
        if (found.isEmpty()) {
            // Nothing changes.
            QCOMPARE(listed(), before);
            QCOMPARE(state.RegisterView, int(NormalView));
            QCOMPARE(state.NormalRow, 0);
            QVERIFY(state.SearchText.isEmpty());
            return;
        }
        QCOMPARE(listed(), found);
        QCOMPARE(state.RegisterView, int(SearchView));
        QCOMPARE(state.SearchText, text);
        QCOMPARE(state.NormalRow, 4);
    }

    void searchingASearchNarrowsItFurther()
    {
        loadSample();
        QCOMPARE(RunSearch({QStringLiteral("2021"), SearchYear, SearchAllYears.toString()}, 3), 8);
        registerState().ListRow = 2;
        QCOMPARE(RunSearch({QStringLiteral("45"), SearchDebit, SearchAllYears.toString()}, 5), 2);
        QCOMPARE(listed(), (QList<qint32>{2, 12}));
        // The row to return to stays the normal view's.
        QCOMPARE(registerState().NormalRow, 3);
        QCOMPARE(registerState().ListRow, 2);
        QCOMPARE(registerState().SearchText, QStringLiteral("45"));
    }

    void searchFromTheReconcileViewRemembersItsRow()
    {
        loadSample();
        QVERIFY(ReconcileList(2, {}));
        QCOMPARE(RunSearch({QStringLiteral("smith"), SearchPayee, SearchAllYears.toString()}, 2), 2);
        QCOMPARE(listed(), (QList<qint32>{3, 9}));
        QCOMPARE(registerState().ListRow, 2);
    }

    void noMatchLeavesTheSearchViewAsItWas()
    {
        loadSample();
        QVERIFY(RunSearch({QStringLiteral("03"), SearchMonth, SearchAllYears.toString()}, 1) == 4);
        const RegisterState& state = registerState();
        QVERIFY(ShowList({}).row > 0);
        const QList<qint32> before = listed();
        QCOMPARE(RunSearch({QStringLiteral("nobody"), SearchPayee, SearchAllYears.toString()}, 2), 0);
        QCOMPARE(listed(), before);
        QCOMPARE(state.RegisterView, int(SearchView));
        QCOMPARE(state.SearchText, QStringLiteral("03"));
        QCOMPARE(state.Rows.size(), 4);
    }

    void aLongListIsScannedInOnePass()
    {
        // Far more records of the account than the file's other records, so
        // that the search reads the whole file in one pass.
        QList<handmade::Transaction> many{beginningBalance(0)};
        for (int i = 1; i <= 300; ++i)
            many.append(transaction(on(2020 + i % 3, 1 + i % 12, 1), QByteArray::number(i), -i,
                                    false, i % 7 == 0 ? "Seventh" : "Other"));
        QVERIFY(writeTransactions(many));
        QVERIFY(LoadRegister({}));
        QCOMPARE(RunSearch({QStringLiteral("seventh"), SearchPayee, QStringLiteral("2021")}, 1), 14);
        for (qint32 number : listed()) {
            const qint32 i = number - 1;
            QCOMPARE(i % 7, 0);
            QCOMPARE((2020 + i % 3) % 100, 21);
        }
    }

    void aShortListInABigFileIsReadRecordByRecord()
    {
        QList<handmade::Transaction> list{beginningBalance(0), transaction(on(2021, 2, 1), "7", -45, false, "Smith")};
        for (int i = 0; i < 40; ++i)
            list.append(transaction(on(2021, 2, 1), "7", -45, false, "Smith", OtherKey));
        list.append(transaction(on(2021, 2, 2), "8", -45, false, "Jones"));
        QVERIFY(writeTransactions(list));
        QVERIFY(LoadRegister({}));
        QCOMPARE(RunSearch({QStringLiteral("45"), SearchDebit, SearchAllYears.toString()}, 1), 2);
        QCOMPARE(listed(), (QList<qint32>{2, 43}));
        QCOMPARE(RunSearch({QStringLiteral("smith"), SearchPayee, SearchAllYears.toString()}, 1), 1);
        QCOMPARE(listed(), (QList<qint32>{2}));
    }

    void scopeQuestionWhenYearsDiffer_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QList<int>>("years");  // of the dated transactions, in order
        QTest::addColumn<bool>("differ");
        QTest::newRow("normal view, one year") << int(NormalView) << QList<int>{2021, 2021, 2021} << false;
        QTest::newRow("normal view, two years") << int(NormalView) << QList<int>{2020, 2021, 2021} << true;
        QTest::newRow("2021 and 1921 read as one year") << int(NormalView) << QList<int>{1921, 2021} << false;
        QTest::newRow("search view counts its first entry") << int(SearchView) << QList<int>{2021, 2021} << true;
    }

    void scopeQuestionWhenYearsDiffer()
    {
        QFETCH(int, view);
        QFETCH(QList<int>, years);
        QFETCH(bool, differ);
        QList<handmade::Transaction> list{beginningBalance(10)};
        for (int i = 0; i < years.size(); ++i)
            list.append(transaction(on(years[i], 1, 1 + i), QByteArray::number(100 + i), -1));
        QVERIFY(writeTransactions(list));
        QVERIFY(LoadRegister({}));
        // The beginning balance (1899) heads the normal list; in the search
        // view the list holds it too, as its first entry.
        registerState().RegisterView = view;
        QCOMPARE(ListedYearsDiffer(), differ);
    }

    void yearScopeIsOfferedForAllButTheDateAndCheckKinds()
    {
        for (int kind = 1; kind <= 21; ++kind) {
            const bool expected = IsSearchKind(kind) && kind != 1 && kind != 2 && kind != 3 && kind != 5;
            QCOMPARE(TakesYearScope(kind), expected);
        }
    }

    void promptAnswers_data()
    {
        QTest::addColumn<int>("prompt");  // 1 month, 3 year, 5 check, 16 amount
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("accepted");  // "!" when asked again
        QTest::newRow("month 3") << 1 << "3" << "03";
        QTest::newRow("month 12") << 1 << "12" << "12";
        QTest::newRow("month with spaces") << 1 << " 7 " << "07";
        QTest::newRow("month 13") << 1 << "13" << "!";
        QTest::newRow("month 0") << 1 << "0" << "!";
        QTest::newRow("month word") << 1 << "March" << "!";
        QTest::newRow("year 1900") << 3 << "1900" << "1900";
        QTest::newRow("year 2100, past the prompt's 2051") << 3 << "2100" << "2100";
        QTest::newRow("year 2999") << 3 << "2999" << "2999";
        QTest::newRow("year 3000") << 3 << "3000" << "!";
        QTest::newRow("year 1850") << 3 << "1850" << "!";
        QTest::newRow("year with a fraction") << 3 << "2021.5" << "!";
        QTest::newRow("year as typed, spaces aside") << 3 << " 2021 " << "2021";
        QTest::newRow("check 0123") << 5 << "0123" << "0123";
        QTest::newRow("check with a word after") << 5 << "12abc" << "12abc";
        QTest::newRow("check 0") << 5 << "0" << "!";
        QTest::newRow("check 0.5") << 5 << "0.5" << "!";
        QTest::newRow("check word") << 5 << "abc" << "!";
        QTest::newRow("amount 1,234.56") << 16 << "1,234.56" << "1,234.56";
        QTest::newRow("amount -45") << 16 << "-45" << "-45";
        QTest::newRow("amount word") << 16 << "abc" << "!";
        QTest::newRow("amount with a sign") << 16 << "$45" << "!";
    }

    void promptAnswers()
    {
        QFETCH(int, prompt);
        QFETCH(QString, typed);
        QFETCH(QString, accepted);
        std::optional<QString> answer;
        switch (prompt) {
        case 1: answer = MonthAnswer(typed); break;
        case 3: answer = YearAnswer(typed); break;
        case 5: answer = CheckNumberAccepted(typed) ? std::optional<QString>(typed) : std::nullopt; break;
        default: answer = AmountAccepted(typed) ? std::optional<QString>(typed) : std::nullopt; break;
        }
        QCOMPARE(answer.value_or(QStringLiteral("!")), accepted);
    }

    void commandLineSearches_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("kind");  // 0: refused
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("limit");
        const QString all = SearchAllYears.toString();
        QTest::newRow("month") << "month=3" << "" << 1 << "03" << all;
        QTest::newRow("month-year") << "month-year=3/2021" << "" << 2 << "03/2021" << all;
        QTest::newRow("year") << "year=2021" << "" << 3 << "2021" << all;
        QTest::newRow("check") << "check=0123" << "" << 5 << "0123" << all;
        QTest::newRow("type Deposit") << "type=Deposit" << "" << 6 << "Deposit     " << all;
        QTest::newRow("type any case") << "TYPE=voided entries" << "" << 13 << "VOID        " << all;
        QTest::newRow("type Auto-payment") << "type=Auto-payment" << "2021" << 7 << "AutoPayment " << "2021";
        QTest::newRow("payee with spaces") << "payee= John Smith " << "" << 15 << "John Smith" << all;
        QTest::newRow("payee with =") << "payee=a=b" << "" << 15 << "a=b" << all;
        QTest::newRow("credit") << "credit=1,250.00" << "" << 16 << "1,250.00" << all;
        QTest::newRow("debit in a year") << "debit=45" << "2020" << 17 << "45" << "2020";
        QTest::newRow("comment") << "comment=rent" << "" << 18 << "rent" << all;
        QTest::newRow("notes") << "notes=warranty" << "" << 19 << "warranty" << all;
        QTest::newRow("no =") << "payee" << "" << 0 << "" << "";
        QTest::newRow("unknown kind") << "amount=5" << "" << 0 << "" << "";
        QTest::newRow("month 13") << "month=13" << "" << 0 << "" << "";
        QTest::newRow("month-year without a year") << "month-year=03" << "" << 0 << "" << "";
        QTest::newRow("month-year 1850") << "month-year=03/1850" << "" << 0 << "" << "";
        QTest::newRow("year 1850") << "year=1850" << "" << 0 << "" << "";
        QTest::newRow("check 0") << "check=0" << "" << 0 << "" << "";
        QTest::newRow("amount abc") << "debit=abc" << "" << 0 << "" << "";
        QTest::newRow("unknown type") << "type=Deposits" << "" << 0 << "" << "";
        QTest::newRow("empty payee") << "payee=  " << "" << 0 << "" << "";
        QTest::newRow("year limit on a month search") << "month=3" << "2021" << 0 << "" << "";
        QTest::newRow("year limit 3000") << "payee=x" << "3000" << 0 << "" << "";
    }

    void commandLineSearches()
    {
        QFETCH(QString, spec);
        QFETCH(QString, year);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, limit);
        QString problem;
        const std::optional<SearchRequest> request = ParseSearchSpec(spec, year, problem);
        if (kind == 0) {
            QVERIFY(!request);
            QVERIFY(!problem.isEmpty());
            return;
        }
        QVERIFY2(request, qPrintable(problem));
        QCOMPARE(request->kind, kind);
        QCOMPARE(request->text, text);
        QCOMPARE(request->year, limit);
    }
};

TALLYO_TEST(SearchTest)
#include "search_test.moc"
