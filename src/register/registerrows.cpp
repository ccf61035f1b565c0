#include "registerrows.h"

#include "store/fields.h"
#include "store/records.h"

#include <QChar>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

namespace tallyo {

namespace {

constexpr char VoidBytes[] = "VOID        ";
constexpr char StartBytes[] = "Start       ";

// Stored days of 0100-01-01 and 9999-12-31, the dates the program shows.
constexpr qint64 FirstDay = -657434;
constexpr qint64 LastDay = 2958465;

// A field without the spaces at its ends: where it starts and how long it is.
// Fields are mostly padding, so the trailing spaces are skipped eight at a time.
std::pair<const char*, int> TrimmedField(const char* field, int width)
{
    constexpr quint64 eightSpaces = 0x2020202020202020ull;
    int end = width;
    while (end >= 8) {
        quint64 eight;
        std::memcpy(&eight, field + end - 8, 8);
        if (eight != eightSpaces)
            break;
        end -= 8;
    }
    while (end > 0 && field[end - 1] == ' ')
        --end;
    int begin = 0;
    while (begin < end && field[begin] == ' ')
        ++begin;
    return {field + begin, end - begin};
}

// For each byte of the code page, its place in the order of characters
// compared without regard to letter case: "a" and "A" share a place, and the
// order is that of the case-folded characters, as text comparisons ignoring
// case have it.
const std::array<quint8, 256>& CaseBlindRanks()
{
    static const std::array<quint8, 256> ranks = [] {
        std::array<char16_t, 256> folded{};
        for (int byte = 0; byte < 256; ++byte) {
            const char one = char(byte);
            folded[size_t(byte)] = ReadText(&one, 1).at(0).toCaseFolded().unicode();
        }
        std::array<char16_t, 256> distinct = folded;
        std::sort(distinct.begin(), distinct.end());
        const auto end = std::unique(distinct.begin(), distinct.end());
        std::array<quint8, 256> table{};
        for (size_t byte = 0; byte < 256; ++byte)
            table[byte] = quint8(std::lower_bound(distinct.begin(), end, folded[byte]) - distinct.begin());
        return table;
    }();
    return ranks;
}

// The day of a row as a sort number: 0 for a value that is no date (shown
// as an empty date, so sorted first), else 1 and up in the order of days.
// Fits in 22 bits.
quint64 DayPart(const RegisterRow& row)
{
    const std::optional<qint64> day = StoredDay(row.date);
    return day ? quint64(*day - FirstDay + 1) : 0;
}

// A row's ordering key, worked out once before sorting: the day (22 bits)
// and the ranks of the first five type characters (40 bits) in one integer,
// the ranks of the other seven in a second, then the record number. The
// radix sort orders on the first integer; the short runs that share it (the
// same day and the same start of the type) are finished on the rest.
struct Keyed {
    quint64 key;
    quint64 typeRest;
    qint32 record;
    qint32 index;
};

quint64 TypeRanks(const RegisterRow& row, size_t from, size_t to, const std::array<quint8, 256>& ranks)
{
    quint64 packed = 0;
    for (size_t i = from; i < to; ++i)
        packed = (packed << 8) | ranks[static_cast<unsigned char>(row.type[i])];
    return packed;
}

Keyed KeyOf(const RegisterRow& row, qint32 index, const std::array<quint8, 256>& ranks)
{
    return {(DayPart(row) << 40) | TypeRanks(row, 0, 5, ranks), TypeRanks(row, 5, row.type.size(), ranks),
            row.record, index};
}

// A stable least-significant-digit radix sort on the keys, a byte at a
// time; bytes that are the same in every key are skipped.
void RadixSort(std::vector<Keyed>& items)
{
    constexpr int digits = 8;
    std::array<std::array<quint32, 256>, digits> counts{};
    for (const Keyed& item : items) {
        for (int d = 0; d < digits; ++d)
            ++counts[size_t(d)][(item.key >> (8 * d)) & 0xFF];
    }
    std::vector<Keyed> sorted(items.size());
    for (int d = 0; d < digits; ++d) {
        std::array<quint32, 256>& count = counts[size_t(d)];
        if (count[(items.front().key >> (8 * d)) & 0xFF] == items.size())
            continue;  // one value for this byte in every key
        quint32 offset = 0;
        for (quint32& c : count)
            offset += std::exchange(c, offset);
        for (const Keyed& item : items)
            sorted[count[(item.key >> (8 * d)) & 0xFF]++] = item;
        items.swap(sorted);
    }
}

// Adds with the sum held at the 64-bit limits; true when it had to be held.
bool AddHeld(qint64& sum, qint64 amount)
{
    if (!__builtin_add_overflow(sum, amount, &sum))
        return false;
    sum = amount > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return true;
}

}

bool RegisterRow::isVoid() const
{
    return std::memcmp(type.data(), VoidBytes, type.size()) == 0;
}

bool RegisterRow::isStart() const
{
    return std::memcmp(type.data(), StartBytes, type.size()) == 0;
}

void RegisterRows::reserve(qint32 rows)
{
    const size_t count = size_t(qMax(0, rows));
    rows_.reserve(count);
    text_.reserve(count * size_t(TransactionRecord::PayeeWidth + TransactionRecord::CommentWidth));
}

void RegisterRows::releaseSpareRoom()
{
    rows_.shrinkToFit();
    text_.shrinkToFit();
}

void RegisterRows::clear()
{
    rows_.clear();
    text_.clear();
}

void RegisterRows::append(const char* record, qint32 number)
{
    const TransactionView transaction(record);
    RegisterRow row;
    row.date = transaction.date();
    row.amount = transaction.amount();
    row.cleared = transaction.cleared();
    row.record = number;
    std::memcpy(row.type.data(), record + TransactionRecord::TypeAt, row.type.size());
    const auto [payee, payeeLength] = TrimmedField(record + TransactionRecord::PayeeAt, TransactionRecord::PayeeWidth);
    const auto [comment, commentLength] =
        TrimmedField(record + TransactionRecord::CommentAt, TransactionRecord::CommentWidth);
    row.textAt = qint64(text_.size());
    row.payeeLength = quint8(payeeLength);
    row.commentLength = quint8(commentLength);
    text_.append(payee, size_t(payeeLength));
    text_.append(comment, size_t(commentLength));
    rows_.push_back(row);
}

QString RegisterRows::type(qint32 i) const
{
    return ReadText((*this)[i].type.data(), int((*this)[i].type.size()));
}

QString RegisterRows::payee(qint32 i) const
{
    const QByteArrayView bytes = payeeBytes(i);
    return ReadText(bytes.data(), int(bytes.size()));
}

QString RegisterRows::comment(qint32 i) const
{
    const QByteArrayView bytes = commentBytes(i);
    return ReadText(bytes.data(), int(bytes.size()));
}

QByteArrayView RegisterRows::trimmedTypeBytes(qint32 i) const
{
    const auto [type, length] = TrimmedField((*this)[i].type.data(), int((*this)[i].type.size()));
    return {type, length};
}

QByteArrayView RegisterRows::payeeBytes(qint32 i) const
{
    const RegisterRow& row = (*this)[i];
    return {text_.data() + row.textAt, row.payeeLength};
}

QByteArrayView RegisterRows::commentBytes(qint32 i) const
{
    const RegisterRow& row = (*this)[i];
    return {text_.data() + row.textAt + row.payeeLength, row.commentLength};
}

void RegisterRows::order()
{
    if (rows_.empty())
        return;
    const std::array<quint8, 256>& ranks = CaseBlindRanks();
    std::vector<Keyed> keyed;
    keyed.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        keyed.push_back(KeyOf(rows_[i], qint32(i), ranks));
    RadixSort(keyed);
    for (auto run = keyed.begin(); run != keyed.end();) {
        const auto end = std::find_if(run, keyed.end(), [&](const Keyed& k) { return k.key != run->key; });
        if (end - run > 1) {
            std::sort(run, end, [](const Keyed& a, const Keyed& b) {
                return std::tie(a.typeRest, a.record, a.index) < std::tie(b.typeRest, b.record, b.index);
            });
        }
        run = end;
    }
    CompactBuffer<RegisterRow> ordered;
    ordered.reserve(rows_.size());
    for (const Keyed& k : keyed)
        ordered.push_back(rows_[size_t(k.index)]);
    rows_ = std::move(ordered);
    text_.shrinkToFit();
}

RowTotals RegisterRows::addUp()
{
    RowTotals totals;
    for (size_t i = 0; i < rows_.size(); ++i) {
        RegisterRow& row = rows_[i];
        if (!row.isVoid()) {
            totals.overflow |= AddHeld(row.amount > 0 ? totals.credit : totals.debit, row.amount);
            if (AddHeld(totals.balance, row.amount) && totals.balanceHeldFrom < 0) {
                totals.overflow = true;
                totals.balanceHeldFrom = qint32(i);
            }
        }
        row.balance = totals.balance;
    }
    return totals;
}

std::vector<qint32> RegisterRows::recordNumbers() const
{
    std::vector<qint32> numbers;
    numbers.reserve(rows_.size());
    for (const RegisterRow& row : rows_)
        numbers.push_back(row.record);
    return numbers;
}

qint64 RegisterRows::memoryUsed() const
{
    return qint64(rows_.capacity() * sizeof(RegisterRow) + text_.capacity());
}

std::optional<qint64> StoredDay(double stored)
{
    if (!std::isfinite(stored) || stored <= double(FirstDay - 1) || stored >= double(LastDay + 1))
        return std::nullopt;
    const double whole = std::trunc(stored);
    qint64 day = qint64(whole);
    // The time of day rounds to the second; a time that rounds up to
    // midnight belongs to the next day.
    if (std::abs(stored - whole) * 86400 >= 86399.5)
        ++day;
    if (day > LastDay)
        return std::nullopt;
    return day;
}

}
