#include "accountmaintenance.h"

#include "accessprotection.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fields.h"
#include "store/fileio.h"
#include "store/foldercopy.h"
#include "store/recordscan.h"
#include "store/rewrite.h"

#include <QFile>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tallyo {

namespace {

const QString crlf = QStringLiteral("\r\n");

std::string_view KeyOf(const char* record)
{
    return {record, size_t(AccountKeyLength)};
}

}

AccountRecord ReadAccountAt(qint32 record)
{
    AccountRecord account;
    WhileAccountIndexOpen([&] { account = ReadAccountRecord(record); });
    return account;
}

namespace {

// A key from the clock that no account in the index has yet. Two accounts
// added within one second would otherwise share it, and with it their
// transactions, lists and deletion.
QString FreshAccountKey()
{
    std::unordered_set<std::string> keys;
    ScanRecords(QString::fromLatin1(AccountIndexFileName), AccountRecord::Length,
                [&](const char* record, qint32) { keys.emplace(KeyOf(record)); });
    return FreeAccountKey(NewAccountKey(), [&](const QString& key) {
        return keys.count(AccountKeyBytes(key).toStdString()) > 0;
    });
}

}

qint32 AppendAccount(const QString& typedName, const QString& notes)
{
    AccountRecord account;
    account.AccountKey = FreshAccountKey();
    account.AccountName = typedName;
    account.AccountNotes = notes;
    ListRecord lists;
    lists.AccountKey = account.AccountKey;

    qint32 record = 0;
    WhileAccountIndexOpen([&] {
        WhileListsOpen([&] { WriteListRecord(ListCount() + 1, lists); });
        record = AccountIndexCount() + 1;
        WriteAccountRecord(record, account);
    });
    return record;
}

void StoreAccountName(qint32 record, const QString& name)
{
    WhileAccountIndexOpen([&] {
        AccountRecord account = ReadAccountRecord(record);
        account.AccountName = name;
        WriteAccountRecord(record, account);
    });
}

void StoreAccountNotes(qint32 record, const QString& notes)
{
    WhileAccountIndexOpen([&] {
        AccountRecord account = ReadAccountRecord(record);
        account.AccountNotes = notes;
        WriteAccountRecord(record, account);
    });
}

void StoreAccountRecord(qint32 record, const AccountRecord& account)
{
    WhileAccountIndexOpen([&] { WriteAccountRecord(record, account); });
}

bool OfferProtectionForNewAccount(qint32 record)
{
    const QStringList yesNo{QStringLiteral("&Yes, please"), QStringLiteral("&No, not right now")};
    if (prompts().ask(QStringLiteral("Access protection"), IconQuestion,
                      QStringLiteral("Do you want to protect access") + crlf + QStringLiteral("to this account?"),
                      1, yesNo)
        == 1)
        return ProtectAccount(ProtectRequest::Establish, record);
    if (SettingFlag(SettingKey::PasswordReminder)) {
        const MessageAnswer answer = prompts().showMessage(
            {QStringLiteral("Protection Options"), IconInformation,
             QStringLiteral("Remember, you can protect access to") + crlf
                 + QStringLiteral("this account at any later time by clicking the") + crlf
                 + QStringLiteral("'key' button to the left of the list of accounts."),
             1, true, {QStringLiteral("&Okay")}});
        if (answer.optionChecked)
            SetSettingFlag(SettingKey::PasswordReminder, false);
    }
    return false;
}

bool OfferNotesForNewAccount()
{
    if (!SettingFlag(SettingKey::MakeNotesAdvice))
        return false;
    const MessageAnswer offer = prompts().showMessage(
        {QStringLiteral("Make Notes..."), IconInformation,
         QStringLiteral("Would you like to make some notes") + crlf
             + QStringLiteral("on this new account right now?"),
         1, true, {QStringLiteral("&Yes, please"), QStringLiteral("No, not right now")}});
    if (offer.optionChecked)
        SetSettingFlag(SettingKey::MakeNotesAdvice, false);
    if (offer.result == 1)
        return true;
    if (SettingFlag(SettingKey::MakeNotesReminder)) {
        const MessageAnswer reminder = prompts().showMessage(
            {QStringLiteral("Editing your Notes"), IconInformation,
             QStringLiteral("Remember, you can edit the notes for") + crlf
                 + QStringLiteral("this account at any later time by clicking the") + crlf
                 + QStringLiteral("'notepad' button to the left of the list of accounts."),
             1, true, {QStringLiteral("&Okay")}});
        if (reminder.optionChecked)
            SetSettingFlag(SettingKey::MakeNotesReminder, false);
    }
    return false;
}

qint32 CountAccountTransactions(const QString& key)
{
    const QByteArray wanted = AccountKeyBytes(key);
    qint32 count = 0;
    ScanRecords(QString::fromLatin1(TransactionFileName), TransactionRecord::Length,
                [&](const char* record, qint32) {
                    if (TransactionView(record).hasKey(wanted))
                        ++count;
                });
    return count;
}

int DeleteConfirmationCount(qint32 transactions)
{
    return transactions > 1000 ? 3 : transactions > 100 ? 2 : 1;
}

bool ConfirmAccountDeletion(const QString& name, qint32 transactions)
{
    const QString count = QString::number(transactions);
    if (prompts().ask(QStringLiteral("Confirm"), IconQuestion,
                      QStringLiteral("Are you sure you want to ") + QStringLiteral("delete the following account?")
                          + crlf + crlf + name,
                      2, {QStringLiteral("&Yes, please"), QStringLiteral("&No, don't delete this account")})
        != 1)
        return false;
    if (DeleteConfirmationCount(transactions) < 2)
        return true;
    if (prompts().ask(QStringLiteral("Re-confirm"), IconQuestion,
                      QStringLiteral("There are ") + count + QStringLiteral(" transactions in this account!")
                          + crlf + crlf + QStringLiteral("Are you SURE you want to delete this account?")
                          + crlf + crlf + name,
                      2, {QStringLiteral("&Yes, I'm sure"), QStringLiteral("&No, don't delete this account")})
        != 1)
        return false;
    if (DeleteConfirmationCount(transactions) < 3)
        return true;
    return prompts().ask(QStringLiteral("RE-confirm"), IconQuestion,
                         QStringLiteral("Pardon the caution, but there are ") + count
                             + QStringLiteral(" transactions in this account!") + crlf + crlf
                             + QStringLiteral("Are you REALLY SURE you want ")
                             + QStringLiteral("to delete the below named account?") + crlf + crlf + name,
                         2,
                         {QStringLiteral("&Yes, I'm absolutely sure"),
                          QStringLiteral("&No, do NOT delete this account")})
        == 1;
}

namespace {

// Writes the records of `file` that `keep` accepts, in order, to the file's
// scratch name for `change`, flushed and complete.
void RewriteInto(FolderCopy& change, RecordFile& file, const KeepRecord& keep)
{
    file.close();
    ScratchFile scratch(file.recordLength(), FolderCopy::scratchName(file.fileName()));
    RecordScanner scan(file.fileName(), file.recordLength());
    while (scan.next()) {
        if (keep(scan.record(), scan.number()))
            scratch.append(scan.record());
    }
    scratch.complete(file.fileName());
    change.adopt(file.fileName());
}

}

void DeleteAccountRecords(const QString& key)
{
    const QByteArray removed = AccountKeyBytes(key);
    const std::string_view removedKey(removed.constData(), size_t(removed.size()));
    DataFiles& files = dataFiles();
    // The three files are written under scratch names first and switch
    // together under a journal: a stop at any point leaves the account with
    // all its records, or gone from all three files once the folder is next
    // opened, never an index without the account and its transactions still
    // stored.
    FolderCopy change(QStringLiteral("."), QStringLiteral("."));

    // The index without the account. The keys that remain, in index order,
    // say where each transaction goes.
    std::vector<QByteArray> remainingKeys;
    RewriteInto(change, files.AccountIndexFile, [&](const char* record, qint32) {
        if (KeyOf(record) == removedKey)
            return false;
        remainingKeys.emplace_back(record, AccountKeyLength);
        return true;
    });

    // One pass over the transactions collects, for each remaining account,
    // the numbers of its records; the scratch file is then written account by
    // account from the mapped file. A transaction goes to the first account
    // that carries its key, so accounts sharing a key do not duplicate it.
    std::unordered_map<std::string_view, size_t> group;
    for (size_t i = 0; i < remainingKeys.size(); ++i)
        group.try_emplace(std::string_view(remainingKeys[i].constData(), AccountKeyLength), i);
    std::vector<std::vector<qint32>> members(remainingKeys.size());
    files.TransactionFile.close();
    QFile source(files.TransactionFile.fileName());
    if (source.exists()) {
        if (!source.open(QIODevice::ReadOnly))
            throw FileError(source.fileName(), QStringLiteral("open"), source.errorString());
    }
    const qint64 length = source.isOpen() ? source.size() : 0;
    const int recordLength = TransactionRecord::Length;
    const qint32 count = RecordCount(length, recordLength);
    const qint32 whole = qint32(length / recordLength);
    const uchar* mapped = length > 0 ? source.map(0, length) : nullptr;
    if (length > 0 && !mapped)
        throw FileError(source.fileName(), QStringLiteral("read"), source.errorString());
    auto recordAt = [&](qint32 number, QByteArray& padded) -> const char* {
        if (number <= whole)
            return reinterpret_cast<const char*>(mapped) + qint64(number - 1) * recordLength;
        // A record cut short at the end of a damaged file, padded with zeros.
        padded = QByteArray(recordLength, '\0');
        const qint64 start = qint64(number - 1) * recordLength;
        std::memcpy(padded.data(), mapped + start, size_t(length - start));
        return padded.constData();
    };
    QByteArray padded;
    for (qint32 number = 1; number <= count; ++number) {
        const auto found = group.find(KeyOf(recordAt(number, padded)));
        if (found != group.end())
            members[found->second].push_back(number);
    }
    {
        const QString name = files.TransactionFile.fileName();
        ScratchFile scratch(recordLength, FolderCopy::scratchName(name));
        for (const std::vector<qint32>& numbers : members)
            for (qint32 number : numbers)
                scratch.append(recordAt(number, padded));
        scratch.complete(name);
        change.adopt(name);
    }
    source.close();

    RewriteInto(change, files.ListFile,
                [&](const char* record, qint32) { return KeyOf(record) != removedKey; });
    change.commit();
    files.AccountIndexFile.refreshCount();
    files.TransactionFile.refreshCount();
    files.ListFile.refreshCount();
}

}
