#pragma once
// Every way a user's action writes the data folder, as one table: each row
// names the action, fills the working folder with the data it starts from,
// and does what the window does when the user confirms. The crash and the
// I/O error drivers run every row; a new write path is one more row.
#include "../register/registerdata.h"

#include "checks/checklayout.h"
#include "entry/entrysave.h"
#include "entry/listtext.h"
#include "index/accountlist.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/clock.h"
#include "platform/pace.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/findreplace.h"
#include "register/operations.h"
#include "register/registerstate.h"
#include "store/conversion.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/switchjournal.h"
#include "shell/appsettings.h"
#include "util/backuprestore.h"
#include "store/recordjournal.h"
#include "statements/matching.h"
#include "statements/statementimport.h"
#include "util/dates.h"

#include <QDir>
#include <QList>
#include <functional>
#include <map>
#include <optional>

namespace reliability {

using registerdata::AccountKey;
using registerdata::OtherKey;

// The files a write path may touch; a missing file counts as a content too.
inline const QStringList DataFileNames{"Account.dex", "Account.dat", "PayCom.lst", "Account.ndx"};

using FolderContent = std::map<QString, std::optional<QByteArray>>;

inline FolderContent ReadFolder()
{
    FolderContent content;
    for (const QString& name : DataFileNames) {
        content[name] = tallyo::test::fileExists(name) ? std::optional(tallyo::test::readWholeFile(name))
                                                       : std::nullopt;
    }
    return content;
}

// Whether the data files are all as they were or all as made, none mixed.
inline bool FolderOldOrNew(const FolderContent& before, const FolderContent& after)
{
    const FolderContent now = ReadFolder();
    return now == before || now == after;
}

// What the program does first with its data folder: finishes (or undoes) a
// switch of several files that a stop interrupted, and undoes unfinished
// changes of records in place (an import, a find and replace). Throws FileError.
inline void RecoverLikeTheProgram()
{
    tallyo::FinishUnfinishedSwitch(QDir::currentPath());
    tallyo::UndoUnfinishedRecordChanges(QDir::currentPath());
}

// Which data files hold neither their old nor their new content now.
inline QStringList TornFiles(const FolderContent& before, const FolderContent& after)
{
    const FolderContent now = ReadFolder();
    QStringList torn;
    for (const QString& name : DataFileNames) {
        if (now.at(name) != before.at(name) && now.at(name) != after.at(name))
            torn << name;
    }
    return torn;
}

inline void WriteFolder(const FolderContent& content)
{
    for (const auto& [name, bytes] : content) {
        QFile::remove(name);
        if (bytes)
            tallyo::test::writeWholeFile(name, *bytes);
    }
    QFile::remove("TempFile.$$$");
    for (const QString& name : DataFileNames + QStringList{tallyo::SwitchJournal::fileName()}) {
        QFile::remove(tallyo::ScratchNameOf(name));
        QFile::remove(tallyo::KeptNameOf(name));
    }
    QFile::remove(tallyo::SwitchJournal::fileName());
    // The folders a restore kept the replaced files in, beside the data
    // folder: left over, they would be tidied at the next restore first.
    QDir beside = QDir::current();
    if (beside.cdUp())
        for (const QString& kept : beside.entryList({QDir(QDir::currentPath()).dirName() + "-before-restore-*"}, QDir::Dirs))
            QDir(beside.filePath(kept)).removeRecursively();
}

inline QByteArray Account(const QByteArray& key, const QByteArray& name, const QByteArray& notes = "")
{
    handmade::Account a;
    a.key = key;
    a.name = name;
    a.notes = notes;
    return handmade::account(a);
}

// Two accounts with a few transactions each, and the first one's lists.
inline void Household()
{
    using namespace registerdata;
    tallyo::test::writeWholeFile("Account.dex", Account(AccountKey, "Checking", "Main account") + Account(OtherKey, "Savings"));
    handmade::Transaction savingsStart = beginningBalance(50);
    savingsStart.key = OtherKey;
    QByteArray transactions;
    for (const handmade::Transaction& t :
         {beginningBalance(1000), transaction(45000, "101", -25.5), transaction(45001, "Deposit", 300, true),
          transaction(45002, "102", -40, false, "Grocer"), savingsStart, transaction(45003, "ATM", -60),
          transaction(45002, "Deposit", 20, false, "Payee", OtherKey)})
        transactions += handmade::transaction(t);
    tallyo::test::writeWholeFile("Account.dat", transactions);
    tallyo::test::writeWholeFile("PayCom.lst", handmade::lists(AccountKey, "Grocer\r\nPayee", "Food"));
}

// An older index to convert, and no Account.dex.
inline void OlderIndex()
{
    Household();
    handmade::Account a;
    a.key = AccountKey;
    a.name = "Checking";
    handmade::Account b = a;
    b.key = OtherKey;
    b.name = "Savings";
    QFile::remove("Account.dex");
    tallyo::test::writeWholeFile("Account.ndx", handmade::legacyAccount(a) + handmade::legacyAccount(b));
}

// The register of the first account, as the window shows it.
inline void OpenRegister()
{
    tallyo::currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
    tallyo::currentAccount().CurrentAccountRecord = 1;
    tallyo::LoadRegister({});
}

inline tallyo::TransactionRecord NewTransaction()
{
    tallyo::TransactionRecord t;
    t.AccountKey = QString::fromLatin1(AccountKey);
    t.TransactionDate = 45010.5;
    t.TransactionType = QStringLiteral("103");
    t.Payee = QStringLiteral("Hardware store");
    t.Amount = -123400;
    t.Comment = QStringLiteral("Nails");
    return t;
}

// The watched folder becomes "data/" of the test folder, holding the
// household; "other/" beside it holds a different set of files, the backup
// to restore or the folder a backup comes from. A restore keeps the
// replaced files beside the data folder, so inside the test folder too.
inline void DataAndOther()
{
    using namespace registerdata;
    QDir().mkpath("other");
    tallyo::test::writeWholeFile("other/Account.dex", Account(AccountKey, "Checking", "From the backup"));
    tallyo::test::writeWholeFile("other/Account.dat", handmade::transaction(beginningBalance(500)));
    tallyo::test::writeWholeFile("other/PayCom.lst", handmade::lists(AccountKey, "Baker", "Bread"));
    QDir().mkpath("data");
    QDir::setCurrent("data");
    Household();
}

// Backup (from "other/" into the watched folder) or restore (from "other/"
// over it), every question answered with its first button, as the options
// window runs them. A procedure that reports a failure throws here.
inline void CopyFromOther(bool restore)
{
    using namespace tallyo;
    class Yes : public Prompts {
    public:
        explicit Yes(QString folder) : folder_(std::move(folder)) {}
        MessageAnswer showMessage(const MessageRequest&) override { return {1, false}; }
        QString inputText(const QString&, const QString&, const QString&) override { return {}; }
        QString pickFolder(const QString&, const QString&) override { return folder_; }
        QString folder_;
    };
    class NoWindow : public ProcedureOwner {
    public:
        QString caption() const override { return {}; }
        void setCaption(const QString&) override {}
        void setBusy(bool) override {}
    } owner;
    const QString watched = QDir::currentPath();
    const QString other = QDir(watched).absoluteFilePath("../other");
    SharedDisplayValues().DataFileList = {"Account.dex", "Account.dat", "PayCom.lst"};
    Yes answers(restore ? other : watched);
    Prompts* const before = platform().prompts;
    platform().prompts = &answers;
    bool done = false;
    if (restore) {
        done = RestoreData(owner, watched).restored;
    } else {
        QDir::setCurrent(other);
        done = BackupData(owner);
        QDir::setCurrent(watched);
    }
    platform().prompts = before;
    if (!done)
        throw FileError(watched, restore ? QStringLiteral("restore") : QStringLiteral("back up"), QStringLiteral("reported failed"));
}

// The first account's statement: its check 102, cleared by the import, and
// a new payment, appended.
inline tallyo::Statement BankStatement()
{
    tallyo::StatementLine check, payment;
    check.date = tallyo::DateFromStored(45002);
    check.amount = registerdata::money(-40);
    check.checkNumber = QStringLiteral("102");
    check.bankId = QStringLiteral("B1");
    payment.date = tallyo::DateFromStored(45020);
    payment.amount = registerdata::money(-99.9);
    payment.name = QStringLiteral("Water Works");
    tallyo::Statement statement;
    statement.lines = {check, payment};
    return statement;
}

struct WritePath {
    const char* name;
    std::function<void()> prepare;  // fills the working folder
    std::function<void()> act;      // the action, as the window runs it
    // The data files switch as one: after a stop and the recovery at the
    // next start they are all old or all new.
    bool together = false;
};

inline const QList<WritePath>& WritePaths()
{
    using namespace tallyo;
    static const QList<WritePath> paths{
        {"append", Household, [] { SaveEntry(NewTransaction(), EntryMode::Adding, 0); }},
        {"modify", Household, [] { SaveEntry(NewTransaction(), EntryMode::Modifying, 3); }},
        {"remove", Household, [] { OpenRegister(); DeleteListedTransaction(3); }},
        {"clear", Household, [] { OpenRegister(); ToggleCleared(2); }},
        {"void", Household, [] { OpenRegister(); VoidTransaction(RecordOfRow(4)); }},
        {"delete account", Household, [] { DeleteAccountRecords(QString::fromLatin1(OtherKey)); }, true},
        {"conversion", OlderIndex, [] { ConvertAccountIndex(); }},
        {"find and replace", Household, [] {
             OpenRegister();
             // The window tells of a failed pass; here it counts as thrown.
             if (const ReplaceResult result = ReplaceInDisplayedList(ReplacePayee, "Payee", "Water Works"); result.error)
                 throw *result.error;
         }},
        {"list save", Household, [] { StoreList(1, 1, "Grocer\r\nPayee\r\nWater Works"); }},
        {"notes save", Household, [] { StoreAccountNotes(1, "Joint account since 2024"); }},
        {"check layout save", Household, [] {
             AccountRecord account = ReadAccountAt(1);
             account.CheckLayout = StoredLayout({2, 60, 4, 50, 6, 10, 6, 62, 8, 5, 10, 8});
             StoreAccountRecord(1, account);
         }},
        {"backup", DataAndOther, [] { CopyFromOther(false); }, true},
        {"restore", DataAndOther, [] { CopyFromOther(true); }, true},
        {"statement import", Household, [] {
             const QString key = QString::fromLatin1(AccountKey);
             ImportStatement(key, BankStatement(), MatchStatement(BankStatement(), ReadRegisterEntries(key)));
         }},
    };
    return paths;
}

// Back to the state of a program that has just started.
inline void ResetProgramState()
{
    tallyo::dataFiles().reset();
    tallyo::ResetRegisterState();
    tallyo::ResetCurrentAccount();
}

// What the program does with a data folder when it starts and opens each
// register: converts an older index, lists the accounts with their
// balances, assembles every register and finds every account's lists.
// Throws FileError when a file cannot be read.
inline void ReadLikeTheProgram()
{
    using namespace tallyo;
    ResetProgramState();
    if (AccountIndexNeedsConversion())
        ConvertAccountIndex();
    for (const AccountListEntry& account : ReadAccountList()) {
        currentAccount().CurrentAccountKey = account.key;
        LoadRegister({});
        FindAccountLists(account.key);
    }
}

// A fixed clock and no pauses for the actions of every table, as the
// program's seams.
inline void UseTestClockAndPace()
{
    static tallyo::FixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 30)));
    static tallyo::EventPace noPause(0);
    tallyo::platform().pace = &noPause;
    tallyo::platform().clock = &clock;
}

}

Q_DECLARE_METATYPE(const reliability::WritePath*)
