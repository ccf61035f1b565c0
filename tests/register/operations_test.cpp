// The operations on one transaction, on real files: clearing with the
// reconcile view's adjusted balance, voiding with its note, deleting in
// every view with the displayed list brought in line, and where the
// register goes after an add or a modify.
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/operations.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

const QString Key = QStringLiteral("20260101090000");
const QString OtherKey = QStringLiteral("20260101090001");

TransactionRecord transaction(int day, const QString& type, qint64 amount, bool cleared = false,
                              const QString& key = Key)
{
    TransactionRecord record;
    record.AccountKey = key;
    record.TransactionDate = day == 0 ? 1.0 : StoredFromDate(QDate(2026, 3, day)) + 0.5;
    record.TransactionType = type;
    record.Payee = QStringLiteral("Payee %1").arg(day);
    record.Amount = amount;
    record.Cleared = cleared;
    return record;
}

void write(const QList<TransactionRecord>& records)
{
    OpenTransactions();
    for (const TransactionRecord& record : records)
        WriteTransactionRecord(TransactionCount() + 1, record);
    CloseTransactions();
}

TransactionRecord readBack(qint32 number)
{
    OpenTransactions();
    const TransactionRecord record = ReadTransactionRecord(number);
    CloseTransactions();
    return record;
}

QStringList payeesListed()
{
    QStringList payees;
    const RegisterRows& rows = registerState().Rows;
    for (qint32 i = 0; i < rows.size(); ++i)
        payees.append(rows.payee(i));
    return payees;
}

// Records 1-6: the beginning balance, a check of 45.00, a deposit of
// 100.00, another account's check, two more checks. Shown in the normal view.
void writeAccount()
{
    write({transaction(0, QStringLiteral("Start       "), 10000000, true),
           transaction(2, QStringLiteral("1001        "), -450000),
           transaction(3, QStringLiteral("Deposit     "), 1000000),
           transaction(4, QStringLiteral("2001        "), -10000, false, OtherKey),
           transaction(5, QStringLiteral("1002        "), -200000),
           transaction(6, QStringLiteral("1003        "), -300000)});
    QVERIFY(LoadRegister({}));
}

}

class OperationsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    ScriptedPrompts* prompts_ = nullptr;
    EventPace pace_{0};
    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(9, 5, 0))};

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().pace = &pace_;
        platform().clock = &clock_;
        ResetRegisterState();
        ResetDisplayValues();
        ApplyDateDisplay(1);
        currentAccount().CurrentAccountKey = Key;
    }

    void cleanup()
    {
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
        folder_.reset();
    }

    void clearingTwiceRestoresEverything_data()
    {
        QTest::addColumn<bool>("reconcile");
        QTest::newRow("normal view") << false;
        QTest::newRow("reconcile view") << true;
    }

    void clearingTwiceRestoresEverything()
    {
        QFETCH(bool, reconcile);
        writeAccount();
        if (reconcile)
            QVERIFY(ReconcileList(2, {}));
        RegisterState& state = registerState();
        const qint64 adjusted = state.AdjustedBalance;
        const qint64 credit = state.TotalCredit;
        const qint32 row = reconcile ? 1 : 2;  // the check of 45.00
        QCOMPARE(RecordOfRow(row), 2);

        QVERIFY(ToggleCleared(row));
        QVERIFY(readBack(2).Cleared);
        QVERIFY(state.Rows[row - 1].cleared);
        QCOMPARE(state.AdjustedBalance, reconcile ? adjusted - 450000 : adjusted);
        QCOMPARE(state.TotalCredit, credit);  // no new assembly

        QVERIFY(!ToggleCleared(row));
        QVERIFY(!readBack(2).Cleared);
        QVERIFY(!state.Rows[row - 1].cleared);
        QCOMPARE(state.AdjustedBalance, adjusted);
        // Only that one record changed.
        QCOMPARE(readBack(3).Cleared, false);
    }

    void voidNoteTellsWhatTheTransactionWas_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QStringList>("details");  // lines 7 to the hyphens
        QTest::newRow("cleared deposit")
            << "Deposit     " << qint64(1000000) << true << ""
            << QStringList{"This transaction was cleared.", "Type of transaction: Deposit",
                           "Creditor: Grocer", "Amount: 100.00", QString(18, u'-')};
        QTest::newRow("uncleared check with comment")
            << "1001        " << qint64(-450000) << false << " rent "
            << QStringList{"This transaction was not cleared.", "Type of transaction: 1001", "Payee: Grocer",
                           "Amount: -45.00", "Comment: rent", QString(18, u'-')};
    }

    void voidNoteTellsWhatTheTransactionWas()
    {
        QFETCH(QString, type);
        QFETCH(qint64, amount);
        QFETCH(bool, cleared);
        QFETCH(QString, comment);
        QFETCH(QStringList, details);
        TransactionRecord record = transaction(2, type, amount, cleared);
        record.Payee = QStringLiteral("Grocer  ");
        record.Comment = comment;
        record.Notes = QStringLiteral("  old notes\r\nsecond line  ");
        const QStringList lines = VoidNote(record, clock_.now(), u"mm/dd/yy").split(QStringLiteral("\r\n"));
        QCOMPARE(lines.mid(0, 6), (QStringList{"On 12/08/26 09:05 this transaction was voided.", "",
                                              "When this transaction was voided, the",
                                              "details of this transaction were as follows:", "",
                                              "Date of transaction: 03/02/26"}));
        QCOMPARE(lines.mid(6, details.size()), details);
        QCOMPARE(lines.mid(6 + details.size()), (QStringList{"old notes", "second line"}));
    }

    void voidingWritesTheRecordInPlace()
    {
        TransactionRecord deposit = transaction(3, QStringLiteral("Deposit     "), 1000000, true);
        deposit.Comment = QStringLiteral("pay");
        deposit.Notes = QString(900, u'n');
        write({transaction(0, QStringLiteral("Start       "), 0, true), deposit});
        const QByteArray first = tallyo::test::readWholeFile(QStringLiteral("Account.dat")).left(1000);
        VoidTransaction(2);
        const TransactionRecord voided = readBack(2);
        QCOMPARE(voided.TransactionType, QStringLiteral("VOID        "));
        QCOMPARE(voided.Amount, qint64(0));
        QVERIFY(voided.Cleared);
        QCOMPARE(voided.TransactionDate, deposit.TransactionDate);
        QCOMPARE(voided.Payee.trimmed(), deposit.Payee);
        QCOMPARE(voided.Comment.trimmed(), deposit.Comment);
        QCOMPARE(voided.Notes.size(), 856);
        QVERIFY(voided.Notes.contains(QStringLiteral("This transaction was cleared.\r\n")));
        QVERIFY(voided.Notes.contains(QStringLiteral("Creditor: Payee 3\r\n")));
        QCOMPARE(tallyo::test::readWholeFile(QStringLiteral("Account.dat")).left(1000), first);
    }

    void deletingKeepsTheOtherListedTransactions_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<QList<int>>("listed");   // record numbers listed before
        QTest::addColumn<int>("row");             // deleted
        QTest::addColumn<QStringList>("payees");  // listed after
        QTest::addColumn<int>("highlighted");
        QTest::addColumn<int>("viewAfter");
        QTest::newRow("search, middle match")
            << int(SearchView) << QList<int>{2, 5, 6} << 2 << QStringList{"Payee 2", "Payee 6"} << 1
            << int(SearchView);
        QTest::newRow("search, first match")
            << int(SearchView) << QList<int>{2, 5, 6} << 1 << QStringList{"Payee 5", "Payee 6"} << 1
            << int(SearchView);
        QTest::newRow("search, the only match")
            << int(SearchView) << QList<int>{5} << 1
            << QStringList{"Payee 0", "Payee 2", "Payee 3", "Payee 6"} << 4 << int(NormalView);
        QTest::newRow("normal view") << int(NormalView) << QList<int>{} << 3
                                     << QStringList{"Payee 0", "Payee 2", "Payee 5", "Payee 6"} << 2
                                     << int(NormalView);
    }

    void deletingKeepsTheOtherListedTransactions()
    {
        QFETCH(int, view);
        QFETCH(QList<int>, listed);
        QFETCH(int, row);
        QFETCH(QStringList, payees);
        QFETCH(int, highlighted);
        QFETCH(int, viewAfter);
        writeAccount();
        RegisterState& state = registerState();
        if (view != NormalView) {
            state.RegisterView = view;
            state.DisplayedList.assign(listed.begin(), listed.end());
            state.DisplayedCount = qint32(listed.size());
            ShowList({});
        }
        const NextAssembly next = DeleteListedTransaction(row);
        QCOMPARE(state.RegisterView, viewAfter);
        if (next == NextAssembly::LoadRegister)
            QVERIFY(LoadRegister({}));
        else
            ShowList({});
        QCOMPARE(payeesListed(), payees);
        QCOMPARE(state.HighlightedRow, highlighted);
        // The other account's transaction is still there.
        OpenTransactions();
        QCOMPARE(TransactionCount(), 5);
        CloseTransactions();
    }

    void afterAnEntryTheRegisterGoesOn_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("afterAdd");
        QTest::addColumn<int>("afterModify");
        QTest::newRow("normal") << int(NormalView) << int(NextAssembly::LoadRegister)
                                << int(NextAssembly::LoadRegister);
        QTest::newRow("reconcile") << int(ReconcileView) << int(NextAssembly::LoadThenReconcile)
                                   << int(NextAssembly::ShowList);
        QTest::newRow("search") << int(SearchView) << int(NextAssembly::LoadRegister) << int(NextAssembly::ShowList);
    }

    void afterAnEntryTheRegisterGoesOn()
    {
        QFETCH(int, view);
        QFETCH(int, afterAdd);
        QFETCH(int, afterModify);
        registerState().RegisterView = view;
        QCOMPARE(int(AfterSavedAdd(3)), afterAdd);
        QCOMPARE(int(AfterSavedModify(3)), afterModify);
        QCOMPARE(view == NormalView ? registerState().NormalRow : registerState().ListRow, 3);
    }

    void anAddInTheReconcileViewComesBackHighlighted()
    {
        writeAccount();
        QVERIFY(ReconcileList(2, {}));
        QCOMPARE(AfterSavedAdd(1), NextAssembly::LoadThenReconcile);
        TransactionRecord added = transaction(4, QStringLiteral("1004        "), -70000);
        added.TransactionDate += 0.1;
        write({added});
        AssemblyHooks hooks;
        hooks.saveMarkers = {FormatStamp(added.TransactionDate)};
        QVERIFY(LoadRegister(hooks));
        QVERIFY(ReconcileList(registerState().HighlightedRow, hooks));
        QCOMPARE(registerState().RegisterView, int(ReconcileView));
        QCOMPARE(RecordOfRow(registerState().HighlightedRow), 7);
    }
};

TALLYO_TEST(OperationsTest)
#include "operations_test.moc"
