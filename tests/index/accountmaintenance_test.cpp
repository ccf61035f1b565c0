// Adding, renaming and deleting accounts on real files, and the
// confirmations a deletion asks for.
#include "testenv.h"
#include "testrunner.h"
#include "scriptedprompts.h"

#include "index/accountlist.h"
#include "index/accountmaintenance.h"
#include "platform/platform.h"
#include "store/datafiles.h"

#include <QTest>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

TransactionRecord transaction(const QString& key, qint64 amount, const QString& payee)
{
    TransactionRecord record;
    record.AccountKey = key;
    record.TransactionDate = 45000;
    record.TransactionType = QStringLiteral("Deposit");
    record.Payee = payee;
    record.Amount = amount;
    return record;
}

void appendTransactions(const QList<TransactionRecord>& records)
{
    OpenTransactions();
    for (const TransactionRecord& record : records)
        WriteTransactionRecord(TransactionCount() + 1, record);
    CloseTransactions();
}

QStringList payeesInFile()
{
    QStringList payees;
    OpenTransactions();
    for (qint32 n = 1; n <= TransactionCount(); ++n)
        payees.append(ReadTransactionRecord(n).Payee.trimmed());
    CloseTransactions();
    return payees;
}

QString keyOfRecord(qint32 record)
{
    OpenAccountIndex();
    const QString key = ReadAccountRecord(record).AccountKey;
    CloseAccountIndex();
    return key;
}

}

class AccountMaintenanceTest : public QObject {
    Q_OBJECT

    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(9, 30, 15))};
    ScriptedPrompts* prompts_ = nullptr;

    // Three accounts a second apart; returns their keys.
    QStringList addThree()
    {
        QStringList keys;
        for (const char* name : {"Checking", "Savings", "Visa"}) {
            const qint32 record = AppendAccount(QString::fromLatin1(name), QStringLiteral("notes"));
            keys.append(keyOfRecord(record));
            clock_.advanceSeconds(1);
        }
        return keys;
    }

private slots:
    void init()
    {
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().clock = &clock_;
    }

    void cleanup()
    {
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
    }

    void addingKeepsTheNameAsTypedAndAddsEmptyLists()
    {
        TempDataFolder folder;
        const qint32 record = AppendAccount(QStringLiteral("  Savings  "), NewAccountNotes());
        QCOMPARE(record, 1);
        OpenAccountIndex();
        const AccountRecord account = ReadAccountRecord(1);
        CloseAccountIndex();
        QCOMPARE(account.AccountKey, QStringLiteral("20261208093015"));
        QCOMPARE(account.AccountName, QStringLiteral("  Savings  ").leftJustified(40));
        QVERIFY(account.AccessQuery.trimmed().isEmpty());
        // A new account's notes start from the template, written out here.
        QCOMPARE(account.AccountNotes.trimmed(),
                 QStringLiteral("Name of financial institution:\r\n\r\n"
                                "Type of Account: (Checking, Credit Card, Saving, etc.)\r\n\r\n"
                                "Routing Number: \r\nAccount Number: \r\n\r\n"
                                "Other information:"));
        QCOMPARE(NewAccountNotes(), account.AccountNotes.trimmed());

        OpenLists();
        QCOMPARE(ListCount(), 1);
        const ListRecord lists = ReadListRecord(1);
        CloseLists();
        QCOMPARE(lists.AccountKey, account.AccountKey);
        QVERIFY(lists.PayeeList.trimmed().isEmpty() && lists.CommentList.trimmed().isEmpty());

        const auto listed = ReadAccountList();
        QCOMPARE(listed.size(), size_t(1));
        QCOMPARE(listed[0].name, QStringLiteral("Savings"));
    }

    void longNamesAreCutAndRenamesStored()
    {
        TempDataFolder folder;
        AppendAccount(QString(50, u'x'), QString());
        QCOMPARE(ReadAccountList().at(0).name, QString(40, u'x'));
        StoreAccountName(1, QStringLiteral("Household"));
        QCOMPARE(ReadAccountList().at(0).name, QStringLiteral("Household"));
    }

    void deletionAsksByTransactionCount_data()
    {
        QTest::addColumn<int>("transactions");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("100: once") << 100 << QList<int>{1} << true;
        QTest::newRow("101: twice") << 101 << QList<int>{1, 1} << true;
        QTest::newRow("1000: twice") << 1000 << QList<int>{1, 1} << true;
        QTest::newRow("1001: three times") << 1001 << QList<int>{1, 1, 1} << true;
        QTest::newRow("refused first") << 5000 << QList<int>{2} << false;
        QTest::newRow("Esc at second") << 101 << QList<int>{1, 0} << false;
        QTest::newRow("refused third") << 1001 << QList<int>{1, 1, 2} << false;
    }

    void deletionAsksByTransactionCount()
    {
        QFETCH(int, transactions);
        QFETCH(QList<int>, answers);
        QFETCH(bool, confirmed);
        const QStringList titles{"Confirm", "Re-confirm", "RE-confirm"};
        for (int i = 0; i < answers.size(); ++i)
            prompts_->expectMessage(titles[i], answers[i]).expectMessageKind(IconQuestion);
        QCOMPARE(ConfirmAccountDeletion(QStringLiteral("Visa"), transactions), confirmed);
        for (const MessageRequest& request : prompts_->messages()) {
            QCOMPARE(request.defaultButton, 2);
            QVERIFY(request.text.endsWith(QStringLiteral("\r\n\r\nVisa")));
        }
        if (answers.size() > 1)
            QVERIFY(prompts_->messages()[1].text.startsWith(
                QStringLiteral("There are %1 transactions in this account!").arg(transactions)));
    }

    void deletingRegroupsTheOthersInIndexOrder()
    {
        TempDataFolder folder;
        const QStringList keys = addThree();
        appendTransactions({transaction(keys[2], 1, "v1"), transaction(keys[0], 2, "c1"),
                            transaction(keys[1], 3, "s1"), transaction(keys[2], 4, "v2"),
                            transaction(QStringLiteral("19990101000000"), 5, "orphan"),
                            transaction(keys[0], 6, "c2"), transaction(keys[1], 7, "s2")});

        DeleteAccountRecords(keys[1]);

        QCOMPARE(payeesInFile(), (QStringList{"c1", "c2", "v1", "v2"}));
        QCOMPARE(TransactionCount(), 4);
        OpenAccountIndex();
        QCOMPARE(AccountIndexCount(), 2);
        QCOMPARE(ReadAccountRecord(1).AccountKey, keys[0]);
        QCOMPARE(ReadAccountRecord(2).AccountKey, keys[2]);
        CloseAccountIndex();
        OpenLists();
        QCOMPARE(ListCount(), 2);
        QCOMPARE(ReadListRecord(2).AccountKey, keys[2]);
        CloseLists();
        QVERIFY(!test::fileExists(folder.filePath(QStringLiteral("TempFile.$$$"))));
    }

    void deletingTheOnlyAccountEmptiesEveryFile()
    {
        TempDataFolder folder;
        AppendAccount(QStringLiteral("Only"), QString());
        const QString key = keyOfRecord(1);
        appendTransactions({transaction(key, 100, "a"), transaction(key, 200, "b")});
        QCOMPARE(CountAccountTransactions(key), 2);

        DeleteAccountRecords(key);

        for (const char* name : {"Account.dex", "Account.dat", "PayCom.lst"})
            QCOMPARE(test::readWholeFile(folder.filePath(QString::fromLatin1(name))), QByteArray(""));
        QVERIFY(ReadAccountList().empty());
    }

    void accountsAddedInOneSecondGetKeysOfTheirOwn()
    {
        TempDataFolder folder;
        clock_.set(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58)));
        AppendAccount(QStringLiteral("First"), QString());
        AppendAccount(QStringLiteral("Second"), QString());
        AppendAccount(QStringLiteral("Third"), QString());
        clock_.advanceSeconds(1);  // the clock catches up with a bumped key
        AppendAccount(QStringLiteral("Fourth"), QString());
        QCOMPARE((QStringList{keyOfRecord(1), keyOfRecord(2), keyOfRecord(3), keyOfRecord(4)}),
                 (QStringList{"20261231235958", "20261231235959", "20270101000000",
                              "20270101000001"}));

        appendTransactions({transaction(keyOfRecord(1), 1, "first"),
                            transaction(keyOfRecord(2), 2, "second")});
        DeleteAccountRecords(keyOfRecord(2));
        QCOMPARE(ReadAccountList().size(), size_t(3));
        QCOMPARE(payeesInFile(), QStringList{"first"});
    }

    void accountsSharingAKeyKeepOneCopyOfEachTransaction()
    {
        // Files written before keys were made unique may hold a key twice.
        TempDataFolder folder;
        AppendAccount(QStringLiteral("First"), QString());
        AppendAccount(QStringLiteral("Twin"), QString());
        AccountRecord twin = ReadAccountAt(2);
        twin.AccountKey = keyOfRecord(1);
        StoreAccountRecord(2, twin);
        clock_.advanceSeconds(1);
        AppendAccount(QStringLiteral("Gone"), QString());
        const QString shared = keyOfRecord(1);
        appendTransactions({transaction(shared, 1, "a"), transaction(keyOfRecord(3), 2, "b")});

        DeleteAccountRecords(keyOfRecord(3));

        QCOMPARE(payeesInFile(), QStringList{"a"});
    }
};

TALLYO_TEST(AccountMaintenanceTest)
#include "accountmaintenance_test.moc"
