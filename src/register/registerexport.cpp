#include "registerexport.h"

#include "assembly.h"
#include "registergrid.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "qifwriter.h"
#include "store/recordscan.h"
#include "util/csvwriter.h"

#include <algorithm>
#include <vector>

namespace tallyo {

namespace {

struct IndexedAccount {
    QString name;  // trimmed
    QString key;
};

std::vector<IndexedAccount> ReadIndexedAccounts()
{
    std::vector<IndexedAccount> accounts;
    ScanRecords(QString::fromLatin1(AccountIndexFileName), AccountRecord::Length, [&](const char* bytes, qint32) {
        const AccountRecord account = AccountRecord::decode(bytes);
        accounts.push_back({TrimSpaces(account.AccountName), account.AccountKey});
    });
    return accounts;
}

// The one key the matching accounts share; nothing when none matches or
// they differ.
template <class Matches>
std::optional<QString> KeyOfMatches(const std::vector<IndexedAccount>& accounts, Matches matches, bool& ambiguous)
{
    std::optional<QString> key;
    for (const IndexedAccount& account : accounts) {
        if (!matches(account))
            continue;
        if (key && *key != account.key) {
            ambiguous = true;
            return std::nullopt;
        }
        key = account.key;
    }
    return key;
}

// The records, by number, of the account's transactions that a search
// finds, in one pass over Account.dat.
std::vector<bool> MatchingAccountRecords(QByteArrayView keyBytes, const SearchRequest& search)
{
    const SearchMatcher matcher(search);
    RecordScanner scan(QString::fromLatin1(TransactionFileName), TransactionRecord::Length);
    std::vector<bool> found(size_t(scan.count()) + 1, false);
    while (scan.next()) {
        if (TransactionView(scan.record()).hasKey(keyBytes) && size_t(scan.number()) < found.size())
            found[size_t(scan.number())] = matcher.matches(scan.record());
    }
    return found;
}

bool IsKeyText(const QString& text)
{
    if (text.size() != 14)
        return false;
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// One row as its CSV record, written as bytes: the beginning balance of the
// normal view without a date, a debit or a credit by the amount's sign, and
// the balance only when it could be added up.
void WriteRow(CsvWriter& csv, const RegisterRows& rows, qint32 i, bool balanceKnown)
{
    const RegisterRow& row = rows[i];
    const auto amountIf = [&](bool shown, qint64 amount) {
        if (shown)
            csv.amount(amount);
        else
            csv.empty();
    };
    if (ShowsStartDate(rows, i))
        csv.empty();
    else
        csv.date(row.date);
    csv.text(row.cleared ? "*" : "");
    csv.storedText(rows.trimmedTypeBytes(i));
    csv.storedText(rows.payeeBytes(i));
    amountIf(row.amount < 0, row.amount);
    amountIf(row.amount > 0, row.amount);
    amountIf(balanceKnown, row.balance);
    csv.storedText(rows.commentBytes(i));
    csv.number(row.record);
    csv.endRecord();
}

// The account given by name or key, as FindAccountKey describes.
std::optional<IndexedAccount> FindAccount(const QString& nameOrKey, QString& problem)
{
    const QString wanted = TrimSpaces(nameOrKey);
    const std::vector<IndexedAccount> accounts = ReadIndexedAccounts();
    bool ambiguous = false;
    std::optional<QString> key =
        KeyOfMatches(accounts, [&](const IndexedAccount& a) { return a.name == wanted; }, ambiguous);
    if (!key && !ambiguous) {
        key = KeyOfMatches(
            accounts, [&](const IndexedAccount& a) { return a.name.compare(wanted, Qt::CaseInsensitive) == 0; },
            ambiguous);
    }
    if (!key && !ambiguous && IsKeyText(wanted))
        key = KeyOfMatches(accounts, [&](const IndexedAccount& a) { return a.key == wanted; }, ambiguous);
    if (ambiguous)
        problem = QStringLiteral("More than one account is named \"%1\"; give its key instead.").arg(wanted);
    else if (!key)
        problem = QStringLiteral("No account is named or keyed \"%1\".").arg(wanted);
    if (!key)
        return std::nullopt;
    const auto named = std::find_if(accounts.begin(), accounts.end(), [&](const IndexedAccount& a) { return a.key == *key; });
    return named != accounts.end() ? *named : IndexedAccount{wanted, *key};
}

// The account's normal view, in order with its running balance, and the
// rows a search keeps (all without one). Nothing, with the reason on `err`,
// when the account is unknown or ambiguous.
struct ExportedRows {
    IndexedAccount account;
    RegisterRows rows;
    RowTotals totals;
    std::vector<bool> found;  // by record number; empty: no search, every row
    bool keeps(const RegisterRow& row) const
    {
        return found.empty() || (size_t(row.record) < found.size() && found[size_t(row.record)]);
    }
};

std::optional<ExportedRows> GatherExport(const QString& nameOrKey, QTextStream& err,
                                         const std::optional<SearchRequest>& search)
{
    QString problem;
    std::optional<IndexedAccount> account = FindAccount(nameOrKey, problem);
    if (!account) {
        err << problem << "\n";
        return std::nullopt;
    }
    ExportedRows exported{*account, GatherAccountRows(AccountKeyBytes(account->key)), {}, {}};
    exported.rows.setView(NormalView);
    exported.rows.order();
    exported.totals = exported.rows.addUp();
    if (search)
        exported.found = MatchingAccountRecords(AccountKeyBytes(account->key), *search);
    return exported;
}

}

std::optional<QString> FindAccountKey(const QString& nameOrKey, QString& problem)
{
    const std::optional<IndexedAccount> account = FindAccount(nameOrKey, problem);
    return account ? std::optional<QString>(account->key) : std::nullopt;
}

void WriteRowsCsv(QTextStream& out, const RegisterRows& rows, qint32 balanceHeldFrom,
                  const std::function<bool(qint32)>& keep)
{
    CsvWriter csv(out);
    for (const char* title : {"Date", "Cleared", "Type", "Payee", "Debit", "Credit", "Balance", "Comment", "Record"})
        csv.text(title);
    csv.endRecord();
    for (qint32 i = 0; i < rows.size(); ++i) {
        if (keep && !keep(i))
            continue;
        const bool balanceKnown = rows.view() == NormalView && (balanceHeldFrom < 0 || i < balanceHeldFrom);
        WriteRow(csv, rows, i, balanceKnown);
    }
    csv.finish();
}

int WriteRegisterCsv(const QString& nameOrKey, QTextStream& out, QTextStream& err,
                     const std::optional<SearchRequest>& search)
{
    const std::optional<ExportedRows> exported = GatherExport(nameOrKey, err, search);
    if (!exported)
        return 1;
    const RegisterRows& rows = exported->rows;
    WriteRowsCsv(out, rows, exported->totals.balanceHeldFrom, [&](qint32 i) { return exported->keeps(rows[i]); });
    if (exported->totals.balanceHeldFrom >= 0) {
        err << "The running balance grows too large to add up from row " << exported->totals.balanceHeldFrom + 1
            << " on.\n";
        return 1;
    }
    return 0;
}

int WriteRegisterQif(const QString& nameOrKey, QTextStream& out, QTextStream& err,
                     const std::optional<SearchRequest>& search)
{
    const std::optional<ExportedRows> exported = GatherExport(nameOrKey, err, search);
    if (!exported)
        return 1;
    const RegisterRows& rows = exported->rows;
    WriteRowsQif(out, rows, exported->account.name, [&](qint32 i) { return exported->keeps(rows[i]); });
    return 0;
}

}
