#include "search.h"

#include "registerstate.h"

#include "store/datafiles.h"
#include "store/fields.h"
#include "store/recordscan.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/numbers.h"

#include <cmath>
#include <span>
#include <vector>

namespace tallyo {

namespace {

struct TypeItem {
    int kind;
    QLatin1StringView code;
};

constexpr TypeItem TypeItems[] = {
    {SearchDeposit, TypeDeposit},         {SearchAutoPayment, TypeAutoPayment},
    {SearchAutoDeposit, TypeAutoDeposit}, {SearchAtmCash, TypeAtmCash},
    {SearchServiceFee, TypeServiceFee},   {SearchOtherCredit, TypeOtherCredit},
    {SearchOtherDebit, TypeOtherDebit},   {SearchVoided, TypeVoid},
};

// The last two characters of a text (all of a shorter one).
QString LastTwo(QStringView text)
{
    return text.right(2).toString();
}

// The entries of DisplayedList in use.
std::span<const qint32> ListedEntries(const RegisterState& state)
{
    const size_t used = size_t(std::clamp<qint64>(state.DisplayedCount, 0, qint64(state.DisplayedList.size())));
    return {state.DisplayedList.data(), used};
}

// Marks, by record number, the listed records that match. A list much
// shorter than the file is read record by record, a longer one in one pass
// over the whole file.
std::vector<bool> MatchingRecords(std::span<const qint32> listed, const SearchMatcher& matcher)
{
    return WhileTransactionsOpen([&] {
        const qint32 fileCount = TransactionCount();
        std::vector<bool> matching(size_t(fileCount) + 1, false);
        if (qint64(listed.size()) * 8 < fileCount) {
            for (qint32 number : listed) {
                if (number >= 1 && number <= fileCount && !matching[size_t(number)])
                    matching[size_t(number)] = matcher.matches(dataFiles().TransactionFile.read(number).constData());
            }
            return matching;
        }
        return ScanMatchingRecords(listed, matcher);
    });
}

}

QStringList SearchMenuItems()
{
    return {
        QStringLiteral("Month"),          QStringLiteral("Month/Year"),    QStringLiteral("Year"),
        QStringLiteral("-"),              QStringLiteral("Check #"),       QStringLiteral("Deposit"),
        QStringLiteral("Auto-payment"),   QStringLiteral("Auto-deposit"),  QStringLiteral("ATM Cash"),
        QStringLiteral("Service fee"),    QStringLiteral("Other credit"),  QStringLiteral("Other debit"),
        QStringLiteral("Voided entries"), QStringLiteral("-"),             QStringLiteral("Payee/Creditor"),
        QStringLiteral("Credit amount"),  QStringLiteral("Debit amount"),  QStringLiteral("Comment"),
        QStringLiteral("Notes"),          QStringLiteral("-"),             QStringLiteral("Exit this menu"),
    };
}

bool IsSearchKind(int kind)
{
    return kind >= SearchMonth && kind <= SearchNotes && kind != 4 && kind != 14;
}

std::optional<QLatin1StringView> SearchTypeCode(int kind)
{
    for (const TypeItem& item : TypeItems) {
        if (item.kind == kind)
            return item.code;
    }
    return std::nullopt;
}

bool TakesYearScope(int kind)
{
    return IsSearchKind(kind) && kind != SearchMonth && kind != SearchMonthYear && kind != SearchYear
           && kind != SearchCheck;
}

SearchMatcher::SearchMatcher(const SearchRequest& request) : kind_(request.kind)
{
    switch (kind_) {
    case SearchCheck:
        checkNumber_ = LeadingNumber(request.text);
        break;
    case SearchPayee:
    case SearchComment:
    case SearchNotes:
        text_ = request.text.toLower();
        break;
    case SearchCredit:
    case SearchDebit:
        if (const std::optional<qint64> typed = ParseAmount(request.text.trimmed()))
            amount_ = kind_ == SearchCredit ? AbsoluteAmount(*typed) : -AbsoluteAmount(*typed);
        break;
    default:
        if (const std::optional<QLatin1StringView> code = SearchTypeCode(kind_))
            typeCode_ = QString(*code);
        else
            text_ = request.text;
        break;
    }
    if (request.year != SearchAllYears)
        yearDigits_ = LastTwo(request.year);
}

bool SearchMatcher::matches(const char* record) const
{
    const TransactionView transaction(record);
    switch (kind_) {
    case SearchPayee:
        return matchesFields(transaction.date(), {}, transaction.payee(), 0, {}, {});
    case SearchComment:
        return matchesFields(transaction.date(), {}, {}, 0, transaction.comment(), {});
    case SearchNotes:
        return matches(transaction.decode());
    default:
        return matchesFields(transaction.date(), transaction.type(), {}, transaction.amount(), {}, {});
    }
}

bool SearchMatcher::matches(const TransactionRecord& record) const
{
    return matchesFields(record.TransactionDate, record.TransactionType, record.Payee, record.Amount, record.Comment,
                         record.Notes);
}

bool SearchMatcher::matchesFields(double date, QStringView type, const QString& payee, qint64 amount,
                                  const QString& comment, const QString& notes) const
{
    if (!yearDigits_.isEmpty() && FormatDate(date, u"yy") != yearDigits_)
        return false;
    switch (kind_) {
    case SearchMonth:
        return FormatDate(date, u"mm") == text_;
    case SearchMonthYear:
        return text_.left(2) == FormatDate(date, u"mm") && LastTwo(text_) == FormatDate(date, u"yy");
    case SearchYear:
        return LastTwo(text_) == FormatDate(date, u"yy");
    case SearchCheck:
        return LeadingNumber(type) == checkNumber_;
    case SearchPayee:
        return TrimSpaces(payee).toLower().contains(text_);
    case SearchComment:
        return TrimSpaces(comment).toLower().contains(text_);
    case SearchNotes:
        return TrimSpaces(notes).toLower().contains(text_);
    case SearchCredit:
    case SearchDebit:
        return amount_ && amount == *amount_;
    default:
        return !typeCode_.isEmpty() && type == typeCode_;
    }
}

std::optional<QString> MonthAnswer(QStringView typed)
{
    const std::optional<double> value = NumberValue(typed);
    if (!value || *value < 1 || *value > 12)
        return std::nullopt;
    return QStringLiteral("%1").arg(qRound(*value), 2, 10, QLatin1Char('0'));
}

std::optional<QString> YearAnswer(QStringView typed)
{
    // A whole year: "2021.5" would name no year, and its last two
    // characters would match none.
    const std::optional<double> value = NumberValue(typed);
    if (!value || *value < 1900 || *value > 2999 || *value != std::floor(*value))
        return std::nullopt;
    return typed.trimmed().toString();
}

bool CheckNumberAccepted(QStringView typed)
{
    return std::floor(LeadingNumber(typed)) > 0;
}

bool AmountAccepted(QStringView typed)
{
    return ParseAmount(typed.trimmed()).has_value();
}

SearchMemory& searchMemory()
{
    static SearchMemory memory;
    return memory;
}

void ResetSearchMemory()
{
    searchMemory() = SearchMemory();
}

bool ListedYearsDiffer()
{
    const RegisterState& state = registerState();
    const std::span<const qint32> listed = ListedEntries(state);
    const size_t first = state.RegisterView == NormalView ? 1 : 0;
    if (listed.size() <= first)
        return false;
    return WhileTransactionsOpen([&] {
        const double firstDate = ReadTransactionRecord(listed[first]).TransactionDate;
        const double lastDate = ReadTransactionRecord(listed.back()).TransactionDate;
        return FormatDate(firstDate, u"yy") != FormatDate(lastDate, u"yy");
    });
}

std::vector<bool> ScanMatchingRecords(std::span<const qint32> records, const SearchMatcher& matcher)
{
    RecordScanner scan(QString::fromLatin1(TransactionFileName), TransactionRecord::Length);
    std::vector<bool> wanted(size_t(scan.count()) + 1, false);
    for (qint32 number : records) {
        if (number >= 1 && size_t(number) < wanted.size())
            wanted[size_t(number)] = true;
    }
    std::vector<bool> matching(wanted.size(), false);
    while (scan.next()) {
        const size_t number = size_t(scan.number());
        if (number < wanted.size() && wanted[number])
            matching[number] = matcher.matches(scan.record());
    }
    return matching;
}

qint32 RunSearch(const SearchRequest& request, qint32 currentRow)
{
    RegisterState& state = registerState();
    const std::span<const qint32> listed = ListedEntries(state);
    const SearchMatcher matcher(request);
    const std::vector<bool> matching = MatchingRecords(listed, matcher);
    std::vector<qint32> kept;
    for (qint32 number : listed) {
        if (number >= 1 && size_t(number) < matching.size() && matching[size_t(number)])
            kept.push_back(number);
    }
    if (kept.empty())
        return 0;
    const qint32 found = qint32(kept.size());
    // The list keeps its full size; only the entries in use are the matches.
    std::copy(kept.begin(), kept.end(), state.DisplayedList.begin());
    state.DisplayedCount = found;
    state.SearchText = request.text;
    if (state.RegisterView == NormalView)
        state.NormalRow = currentRow;
    else if (state.RegisterView == ReconcileView)
        state.ListRow = currentRow;
    state.RegisterView = SearchView;
    return found;
}

}
