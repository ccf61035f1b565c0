#include "assembly.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "registerstate.h"
#include "store/datafiles.h"
#include "store/recordscan.h"
#include "util/arithmetic.h"
#include "util/dates.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <span>

namespace tallyo {

namespace {

constexpr int PhasePause = 250;
constexpr QByteArrayView VoidType{"VOID        "};

void ShowStatus(const AssemblyHooks& hooks, const QString& text)
{
    if (hooks.showStatus)
        hooks.showStatus(text);
}

// Shows a phase's status text long enough to be read.
void ShowPhase(const AssemblyHooks& hooks, const QString& text)
{
    ShowStatus(hooks, text);
    pace().pause(PhasePause);
}

// Runs a phase, hiding the status text again when it fails.
template <class Work>
auto RunHidingStatusOnFailure(const AssemblyHooks& hooks, Work&& work)
{
    try {
        return work();
    } catch (...) {
        ShowStatus(hooks, QString());
        throw;
    }
}

// Tells whether a record carries an account key, comparing the 14 key bytes
// as three integers: this runs once for every record of the file.
class KeyMatcher {
public:
    explicit KeyMatcher(QByteArrayView key)
    {
        std::array<char, AccountKeyLength> padded;
        padded.fill(' ');
        std::memcpy(padded.data(), key.data(), size_t(qMin<qsizetype>(key.size(), AccountKeyLength)));
        load(padded.data(), head_, middle_, tail_);
    }
    bool matches(const char* record) const
    {
        quint64 head;
        quint32 middle;
        quint16 tail;
        load(record, head, middle, tail);
        return head == head_ && middle == middle_ && tail == tail_;
    }

private:
    static void load(const char* key, quint64& head, quint32& middle, quint16& tail)
    {
        std::memcpy(&head, key, 8);
        std::memcpy(&middle, key + 8, 4);
        std::memcpy(&tail, key + 12, 2);
    }
    quint64 head_ = 0;
    quint32 middle_ = 0;
    quint16 tail_ = 0;
};

// The entries of DisplayedList in use.
std::span<const qint32> ListedEntries(const RegisterState& state)
{
    const size_t used = size_t(std::clamp<qint64>(state.DisplayedCount, 0, qint64(state.DisplayedList.size())));
    return {state.DisplayedList.data(), used};
}

struct ListedRows {
    RegisterRows rows;
    qint64 clearedBalance = 0;  // the account's cleared transactions, voids left out
};

// Reads the rows of the listed records. A list much shorter than the file
// is read record by record; a longer one, and any read that also adds up
// the account's cleared balance, in one pass over the whole file.
ListedRows ReadListedRows(std::span<const qint32> listed, bool withClearedBalance)
{
    return WhileTransactionsOpen([&] {
        ListedRows result;
        result.rows.reserve(qint32(listed.size()));
        const qint32 fileCount = TransactionCount();
        if (!withClearedBalance && qint64(listed.size()) * 8 < fileCount) {
            for (qint32 number : listed) {
                if (number >= 1 && number <= fileCount)
                    result.rows.append(dataFiles().TransactionFile.read(number).constData(), number);
            }
            result.rows.releaseSpareRoom();
            return result;
        }
        RecordScanner scan(QString::fromLatin1(TransactionFileName), TransactionRecord::Length);
        std::vector<qint32> wanted(size_t(scan.count()) + 1, 0);
        for (qint32 number : listed) {
            if (number >= 1 && number <= scan.count())
                ++wanted[size_t(number)];
        }
        const KeyMatcher key(AccountKeyBytes(currentAccount().CurrentAccountKey));
        while (scan.next()) {
            for (qint32 copies = wanted[size_t(scan.number())]; copies > 0; --copies)
                result.rows.append(scan.record(), scan.number());
            if (withClearedBalance) {
                const TransactionView transaction(scan.record());
                if (key.matches(scan.record()) && transaction.cleared() && transaction.typeBytes() != VoidType)
                    AddTo(result.clearedBalance, transaction.amount());
            }
        }
        result.rows.releaseSpareRoom();
        return result;
    });
}

// The last row (from 1) whose transaction carries one of the save markers;
// 0 when none does. Only rows within a day of a marker are formatted.
qint32 MarkedRow(const RegisterRows& rows, const QStringList& markers)
{
    qint32 found = 0;
    for (const QString& marker : markers) {
        if (marker.size() != 14)
            continue;
        const QDate day = QDate::fromString(marker.left(8), QStringLiteral("yyyyMMdd"));
        const QTime time = QTime::fromString(marker.mid(8), QStringLiteral("HHmmss"));
        if (!day.isValid() || !time.isValid())
            continue;
        const double near = StoredFromDateTime(QDateTime(day, time, Qt::UTC));
        for (qint32 i = rows.size() - 1; i >= found; --i) {
            if (std::abs(rows[i].date - near) < 1.0 && FormatStamp(rows[i].date) == marker) {
                found = i + 1;
                break;
            }
        }
    }
    return found;
}

qint32 RowToHighlight(const RegisterState& state, qint32 last)
{
    if (last == 0)
        return 0;
    if (state.RegisterView == NormalView)
        return state.NormalRow == 0 ? last : std::clamp(state.NormalRow, 1, last);
    return std::clamp(state.ListRow, 1, last);
}

void ReplaceRows(RegisterState& state, RegisterRows rows, const AssemblyHooks& hooks)
{
    if (hooks.rowsAboutToChange)
        hooks.rowsAboutToChange();
    state.Rows = std::move(rows);
    if (hooks.rowsChanged)
        hooks.rowsChanged();
}

// Orders the rows read for the prepared list and makes them the register's
// list, with totals, balances and the row to highlight.
qint32 FinishAssembly(RegisterRows rows, qint64 clearedBalance, const AssemblyHooks& hooks)
{
    RegisterState& state = registerState();
    rows.order();
    ShowPhase(hooks, QStringLiteral("Sorting..."));

    const int view = state.RegisterView;
    rows.setView(view);
    const RowTotals totals = rows.addUp();
    if (const qint32 marked = MarkedRow(rows, hooks.saveMarkers))
        (view == NormalView ? state.NormalRow : state.ListRow) = marked;
    state.TotalCredit = totals.credit;
    state.TotalDebit = totals.debit;
    if (view == NormalView)
        state.CurrentBalance = totals.balance;
    else if (view == ReconcileView)
        state.AdjustedBalance = clearedBalance;
    state.DisplayedList = rows.recordNumbers();
    state.DisplayedCount = rows.size();
    state.HighlightedRow = RowToHighlight(state, rows.size());
    ReplaceRows(state, std::move(rows), hooks);
    ShowStatus(hooks, QString());
    return state.HighlightedRow;
}

TransactionRecord ReadHighlighted(qint32 row)
{
    if (row < 1)
        return {};
    const qint32 number = registerState().DisplayedList[size_t(row - 1)];
    return WhileTransactionsOpen([&] { return ReadTransactionRecord(number); });
}

}

RegisterRows GatherAccountRows(QByteArrayView keyBytes)
{
    RegisterRows rows;
    const KeyMatcher key(keyBytes);
    RecordScanner scan(QString::fromLatin1(TransactionFileName), TransactionRecord::Length);
    // Room for the worst case, every record the account's: pages that are
    // never written cost nothing, and the spare room goes back at the end
    // without a copy, so the rows are never moved while they are gathered.
    rows.reserve(scan.count());
    while (scan.next()) {
        if (key.matches(scan.record()))
            rows.append(scan.record(), scan.number());
    }
    rows.releaseSpareRoom();
    return rows;
}

std::optional<ShownList> LoadRegister(const AssemblyHooks& hooks)
{
    RegisterState& state = registerState();
    const qint32 fileCount = WhileTransactionsOpen([] { return TransactionCount(); });
    RegisterRows rows;
    if (fileCount > 0) {
        ShowPhase(hooks, QStringLiteral("Assembling..."));
        rows = RunHidingStatusOnFailure(hooks, [] {
            return GatherAccountRows(AccountKeyBytes(currentAccount().CurrentAccountKey));
        });
        ShowStatus(hooks, QString());
    }
    if (rows.isEmpty()) {
        state.DisplayedList.clear();
        state.DisplayedCount = 0;
        state.HighlightedRow = 0;
        ReplaceRows(state, RegisterRows(), hooks);
        return std::nullopt;
    }
    state.RegisterView = NormalView;
    ShowPhase(hooks, QStringLiteral("Loading..."));
    ShownList shown;
    shown.row = FinishAssembly(std::move(rows), 0, hooks);
    shown.highlighted = ReadHighlighted(shown.row);
    return shown;
}

qint32 AssembleList(const AssemblyHooks& hooks)
{
    const RegisterState& state = registerState();
    ShowPhase(hooks, QStringLiteral("Loading..."));
    ListedRows listed = RunHidingStatusOnFailure(hooks, [&] {
        return ReadListedRows(ListedEntries(state), state.RegisterView == ReconcileView);
    });
    return FinishAssembly(std::move(listed.rows), listed.clearedBalance, hooks);
}

ShownList ShowList(const AssemblyHooks& hooks)
{
    ShownList shown;
    shown.row = AssembleList(hooks);
    shown.highlighted = ReadHighlighted(shown.row);
    return shown;
}

std::optional<ShownList> ReconcileList(qint32 currentRow, const AssemblyHooks& hooks)
{
    pace().letEventsRun();
    RegisterState& state = registerState();
    ListedRows listed = ReadListedRows(ListedEntries(state), true);
    listed.rows.retain([](const RegisterRow& row) { return !row.cleared; });
    if (listed.rows.isEmpty()) {
        prompts().ask(QStringLiteral("Nothing to reconcile"), IconInformation,
                      QStringLiteral("All of the transactions\r\nare marked as cleared."), 1,
                      {QStringLiteral("&Okay")});
        return std::nullopt;
    }
    // The normal view's row, to return to; a list made again from the
    // reconcile view keeps the one remembered when that view was entered.
    if (state.RegisterView == NormalView)
        state.NormalRow = currentRow;
    state.RegisterView = ReconcileView;
    ShowPhase(hooks, QStringLiteral("Loading..."));
    ShownList shown;
    shown.row = FinishAssembly(std::move(listed.rows), listed.clearedBalance, hooks);
    shown.highlighted = ReadHighlighted(shown.row);
    return shown;
}

}
