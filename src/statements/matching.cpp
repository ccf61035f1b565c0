#include "matching.h"

#include "statementtext.h"
#include "store/datafiles.h"
#include "store/fields.h"
#include "store/recordscan.h"
#include "util/dates.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace tallyo {

namespace {

constexpr QLatin1StringView BankIdPrefix{"Bank id: "};
constexpr int MatchDays = 3;

// The bank ids in a record's notes, read from its bytes: only the few
// notes that hold one are decoded.
QStringList BankIdsInRecord(const char* record)
{
    QStringList ids;
    const char* notes = record + TransactionRecord::NotesAt;
    const char* notesEnd = notes + TransactionRecord::NotesWidth;
    constexpr QByteArrayView prefix("Bank id: ");
    // memmem: most notes are blank, and this runs over every record.
    const char* at = nullptr;
    while ((at = static_cast<const char*>(::memmem(notes, size_t(notesEnd - notes), prefix.data(), size_t(prefix.size()))))) {
        const char* start = at + prefix.size();
        const char* end = start;
        while (end < notesEnd && *end != '\r' && *end != '\n')
            ++end;
        const QString id = TrimSpaces(ReadText(start, int(end - start)));
        if (!id.isEmpty())
            ids.append(id);
        notes = end;
    }
    return ids;
}

// A text field with the spaces at both ends dropped, decoded once: plain
// ASCII straight, anything else as the store decodes it.
QString TrimmedField(const char* field, int width)
{
    while (width > 0 && field[width - 1] == ' ')
        --width;
    while (width > 0 && *field == ' ') {
        ++field;
        --width;
    }
    for (int i = 0; i < width; ++i) {
        if (static_cast<unsigned char>(field[i]) >= 0x80)
            return ReadText(field, width);
    }
    return QString::fromLatin1(field, width);
}

qint64 DayOf(double stored)
{
    return qint64(std::floor(stored));
}

// The full-width type for a code or number.
QString FullWidth(const QString& type)
{
    return type.leftJustified(TransactionRecord::TypeWidth, u' ', true);
}

// The bank's words and the types they become.
struct BankWord {
    QStringView word;
    QLatin1StringView type;
};
constexpr std::array<BankWord, 17> bankWords{{
    {u"DEP", TypeDeposit},
    {u"DIRECTDEP", TypeAutoDeposit},
    {u"ATM", TypeAtmCash},
    {u"CASH", TypeAtmCash},
    {u"FEE", TypeServiceFee},
    {u"SRVCHG", TypeServiceFee},
    {u"DIRECTDEBIT", TypeAutoPayment},
    {u"REPEATPMT", TypeAutoPayment},
    {u"INT", TypeOtherCredit},
    {u"DIV", TypeOtherCredit},
    {u"CREDIT", TypeOtherCredit},
    {u"DEBIT", TypeOtherDebit},
    {u"PAYMENT", TypeOtherDebit},
    {u"POS", TypeOtherDebit},
    {u"CHECK", TypeOtherDebit},
    {u"DEPOSIT", TypeDeposit},
    {u"WITHDRAWAL", TypeOtherDebit},
}};

QString BySign(qint64 amount)
{
    return amount < 0 ? QString(TypeOtherDebit) : QString(TypeOtherCredit);
}

// A pair that may match: the line, the register transaction, how far
// apart their days are, and whether a check number ties them.
struct Candidate {
    size_t line;
    size_t entry;
    qint64 distance;
    bool byNumber;
};

}

std::vector<RegisterEntry> ReadRegisterEntries(const QString& accountKey, const Statement* onlyFor)
{
    std::vector<qint64> amounts;  // sorted, when only some are wanted
    if (onlyFor) {
        for (const StatementLine& line : onlyFor->lines)
            amounts.push_back(line.amount);
        std::sort(amounts.begin(), amounts.end());
    }
    std::vector<RegisterEntry> entries;
    const QByteArray key = AccountKeyBytes(accountKey);
    RecordScanner scan(QString::fromLatin1(TransactionFileName), TransactionRecord::Length);
    // Room for every record at once (only what is used is touched):
    // growing a long list step by step would copy it at each step.
    if (!onlyFor)
        entries.reserve(size_t(scan.count()));
    while (scan.next()) {
        const TransactionView view(scan.record());
        if (!view.hasKey(key) || view.date() == 0.0)
            continue;
        QStringList bankIds = BankIdsInRecord(scan.record());
        if (onlyFor && bankIds.isEmpty() && !std::binary_search(amounts.begin(), amounts.end(), view.amount()))
            continue;
        RegisterEntry entry;
        entry.record = scan.number();
        entry.date = view.date();
        entry.amount = view.amount();
        entry.type = TrimmedField(scan.record() + TransactionRecord::TypeAt, TransactionRecord::TypeWidth);
        entry.payee = TrimmedField(scan.record() + TransactionRecord::PayeeAt, TransactionRecord::PayeeWidth);
        entry.cleared = view.cleared();
        entry.bankIds = std::move(bankIds);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<LineMatch> MatchStatement(const Statement& statement, const std::vector<RegisterEntry>& entries)
{
    const auto& lines = statement.lines;
    std::vector<LineMatch> matches(lines.size());
    std::vector<bool> entryTaken(entries.size(), false);
    const auto matchWith = [&](size_t line, size_t entry, LineMatch::Outcome outcome) {
        const RegisterEntry& found = entries[entry];
        matches[line] = {outcome, found.record, found.date, found.payee, found.cleared};
        entryTaken[entry] = true;
    };

    // Already there: a transaction keeps the line's bank id.
    QHash<QString, size_t> byBankId;
    for (size_t e = 0; e < entries.size(); ++e) {
        for (const QString& id : entries[e].bankIds)
            byBankId.insert(id, e);
    }
    std::vector<bool> lineDone(lines.size(), false);
    for (size_t l = 0; l < lines.size(); ++l) {
        const auto found = byBankId.constFind(lines[l].bankId);
        if (!lines[l].bankId.isEmpty() && found != byBankId.constEnd()) {
            matchWith(l, *found, LineMatch::Outcome::AlreadyThere);
            lineDone[l] = true;
        }
    }

    // Transactions the user typed in, sorted by amount and day: those that
    // carry a bank id already stand for another line of the bank, voided
    // ones for nothing.
    struct Typed {
        qint64 amount;
        qint64 day;
        size_t entry;
        bool operator<(const Typed& other) const
        {
            return amount != other.amount ? amount < other.amount : day < other.day;
        }
    };
    std::vector<Typed> typed;
    typed.reserve(entries.size());
    const QString voidType = TypeVoid.trimmed();
    for (size_t e = 0; e < entries.size(); ++e) {
        if (!entries[e].bankIds.isEmpty() || entries[e].type == voidType)
            continue;
        typed.push_back({entries[e].amount, DayOf(entries[e].date), e});
    }
    std::sort(typed.begin(), typed.end());

    std::vector<Candidate> candidates;
    for (size_t l = 0; l < lines.size(); ++l) {
        if (lineDone[l])
            continue;
        const StatementLine& line = lines[l];
        const qint64 day = DayOf(StoredFromDate(line.date));
        const auto sameAmount = std::equal_range(typed.begin(), typed.end(), Typed{line.amount, 0, 0},
                                                 [](const Typed& a, const Typed& b) { return a.amount < b.amount; });
        // A check matches the check of its number whatever its date.
        if (!line.checkNumber.isEmpty()) {
            for (auto it = sameAmount.first; it != sameAmount.second; ++it) {
                if (CheckNumberOf(entries[it->entry].type) == line.checkNumber)
                    candidates.push_back({l, it->entry, qAbs(it->day - day), true});
            }
        }
        auto from = std::lower_bound(sameAmount.first, sameAmount.second, Typed{line.amount, day - MatchDays, 0});
        for (auto it = from; it != sameAmount.second && it->day <= day + MatchDays; ++it) {
            // A numbered check pairs by date only with a line that has no number,
            // and a line with a number only with a transaction that has none.
            if (!line.checkNumber.isEmpty() && !CheckNumberOf(entries[it->entry].type).isEmpty())
                continue;
            candidates.push_back({l, it->entry, qAbs(it->day - day), false});
        }
    }
    // Numbers first, then the nearest days; among equals the earlier line,
    // an uncleared transaction, and the earlier record.
    std::sort(candidates.begin(), candidates.end(), [&](const Candidate& a, const Candidate& b) {
        if (a.byNumber != b.byNumber)
            return a.byNumber;
        if (a.distance != b.distance)
            return a.distance < b.distance;
        if (a.line != b.line)
            return a.line < b.line;
        if (entries[a.entry].cleared != entries[b.entry].cleared)
            return !entries[a.entry].cleared;
        return entries[a.entry].record < entries[b.entry].record;
    });
    for (const Candidate& candidate : candidates) {
        if (lineDone[candidate.line] || entryTaken[candidate.entry])
            continue;
        matchWith(candidate.line, candidate.entry, LineMatch::Outcome::Matching);
        lineDone[candidate.line] = true;
    }
    return matches;
}

std::optional<qint64> ClearedBalance(const std::vector<RegisterEntry>& entries)
{
    qint64 balance = 0;
    for (const RegisterEntry& entry : entries) {
        if (entry.cleared && qAddOverflow(balance, entry.amount, &balance))
            return std::nullopt;
    }
    return balance;
}

QString TypeForLine(const StatementLine& line)
{
    if (line.beginningBalance)
        return QString(TypeStart);
    QString type;
    if (!line.registerType.isEmpty() && IsTypeCode(line.registerType)) {
        type = FullWidth(line.registerType);
        if (type == TypeVoid || type == TypeStart)
            return type;
    } else if (!line.checkNumber.isEmpty()) {
        type = FullWidth(line.checkNumber);
    } else {
        for (const BankWord& word : bankWords) {
            if (word.word == line.bankType)
                type = QString(word.type);
        }
    }
    if (type.isEmpty() || line.amount == 0)
        return type.isEmpty() ? BySign(line.amount) : type;
    // The register signs amounts by type: a type of the other sign gives way.
    if (IsCreditType(type) != (line.amount > 0))
        return BySign(line.amount);
    return type;
}

QString PayeeForLine(const StatementLine& line)
{
    const QString& payee = !line.name.isEmpty() ? line.name : !line.payeeName.isEmpty() ? line.payeeName : line.memo;
    return payee.left(TransactionRecord::PayeeWidth);
}

QString CommentForLine(const StatementLine& line)
{
    if (line.memo.isEmpty() || (line.name.isEmpty() && line.payeeName.isEmpty()))
        return {};
    const QString& payee = !line.name.isEmpty() ? line.name : line.payeeName;
    if (line.memo.compare(payee, Qt::CaseInsensitive) == 0)
        return {};
    return line.memo.left(TransactionRecord::CommentWidth);
}

QString BankIdNote(const QString& bankId)
{
    return BankIdPrefix + bankId;
}

QStringList BankIdsInNotes(QStringView notes)
{
    QStringList ids;
    for (QStringView line : notes.split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(BankIdPrefix) && line.size() > BankIdPrefix.size())
            ids.append(line.mid(BankIdPrefix.size()).trimmed().toString());
    }
    return ids;
}

TransactionRecord TransactionForLine(const StatementLine& line, const QString& accountKey)
{
    TransactionRecord record;
    record.AccountKey = accountKey;
    record.TransactionDate = line.beginningBalance ? 1.0 : StoredFromDate(line.date);
    record.TransactionType = TypeForLine(line);
    record.Cleared = true;
    record.Payee = PayeeForLine(line);
    record.Amount = line.amount;
    record.Comment = CommentForLine(line);
    record.Notes = BankIdNote(line.bankId);
    if (line.beginningBalance)
        record.Notes = QStringLiteral("This is the beginning balance for this account. \r\n") + record.Notes;
    return record;
}

QString OutcomeText(const LineMatch& match, QStringView dateFormat)
{
    switch (match.outcome) {
    case LineMatch::Outcome::New:
        return QStringLiteral("added");
    case LineMatch::Outcome::Matching:
        return QStringLiteral("clears the transaction of %1 %2").arg(FormatShortDate(match.date, dateFormat), match.payee);
    case LineMatch::Outcome::AlreadyThere:
        break;
    }
    return QStringLiteral("already in the register");
}

}
