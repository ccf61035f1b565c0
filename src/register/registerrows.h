#pragma once
// The register's rows in compact form: per transaction only its record
// number, date, amount, running balance, cleared flag and type bytes, with
// the trimmed payee and comment kept as raw bytes in one shared store and
// decoded only when a cell is shown. Notes are never kept. About 60 bytes a
// row, so that accounts of hundreds of thousands of transactions stay small.
#include "compactbuffer.h"

#include <QByteArrayView>
#include <QString>
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace tallyo {

// The three views of the register.
enum RegisterViewKind : int {
    NormalView = 1,     // every transaction of the account
    ReconcileView = 2,  // the uncleared transactions
    SearchView = 3,     // the matches of a search
};

struct RegisterRow {
    double date = 0;           // as stored
    qint64 amount = 0;         // ten-thousandths
    qint64 balance = 0;        // running balance up to and including this row
    qint64 textAt = 0;         // payee, then comment, in the text store
    qint32 record = 0;         // record number in Account.dat
    std::array<char, 12> type{};  // as stored: Windows-1252, space padded
    quint8 payeeLength = 0;
    quint8 commentLength = 0;
    bool cleared = false;

    bool isVoid() const;
    bool isStart() const;
};

// The sums of a list of rows.
struct RowTotals {
    qint64 credit = 0;    // positive amounts, voids left out
    qint64 debit = 0;     // amounts of zero or below, voids left out
    qint64 balance = 0;   // the running balance at the last row
    bool overflow = false; // a sum went past the 64-bit limits and was held there
    qint32 balanceHeldFrom = -1;  // first row (from 0) whose running balance was held; -1 none
};

class RegisterRows {
public:
    qint32 size() const { return qint32(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Row i, counting from 0.
    const RegisterRow& operator[](qint32 i) const { return rows_[size_t(i)]; }
    RegisterRow& at(qint32 i) { return rows_[size_t(i)]; }

    // The view the rows were assembled for; it decides the balance column,
    // the date of the beginning balance and the row tint.
    int view() const { return view_; }
    void setView(int view) { view_ = view; }

    // Makes room for `rows` rows up front, so that they never move while
    // they are added. Room that is never filled costs address space only;
    // releaseSpareRoom() gives it back without moving the rows.
    void reserve(qint32 rows);
    void releaseSpareRoom();
    void clear();
    // Adds the transaction whose raw record bytes are given.
    void append(const char* record, qint32 number);

    // Texts of row i: the type as stored (12 characters), and the payee and
    // comment without the spaces at their ends.
    QString type(qint32 i) const;
    QString payee(qint32 i) const;
    QString comment(qint32 i) const;
    // The same texts as the stored Windows-1252 bytes, for writers that
    // decode them themselves: the type without the spaces at its ends, the
    // payee and the comment as above.
    QByteArrayView trimmedTypeBytes(qint32 i) const;
    QByteArrayView payeeBytes(qint32 i) const;
    QByteArrayView commentBytes(qint32 i) const;

    // Orders the rows by day (the time of day takes no part), then by type
    // text ignoring letter case, then by record number. Check numbers come
    // before the type words and compare as text: 1001 before 999. Spare room
    // is released on the way.
    void order();
    // Keeps the rows for which keep(row) is true, in their order.
    template <class Keep>
    void retain(Keep keep)
    {
        const auto kept = std::stable_partition(rows_.begin(), rows_.end(), keep);
        rows_.truncate(size_t(kept - rows_.begin()));
    }
    // Sets every row's running balance and gives back the totals.
    RowTotals addUp();

    std::vector<qint32> recordNumbers() const;
    // Bytes held for the rows and their texts.
    qint64 memoryUsed() const;

private:
    CompactBuffer<RegisterRow> rows_;
    CompactBuffer<char> text_;
    int view_ = NormalView;
};

// The day a stored date falls on, counted from 1899-12-30 with the time of
// day rounded to the second as dates are shown; nothing for a value that is
// no date. Days in this order sort as their "yyyymmdd" texts do.
std::optional<qint64> StoredDay(double stored);

}
