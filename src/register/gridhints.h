#pragma once
// What the register's grid says as the mouse moves over it: the weekday of
// a date and how far it lies from today, what a double-click on the cleared
// mark does, the comment behind a payee, and else how to modify the row or
// reach its options. Each hint has a space at either end.
#include "registerrows.h"

#include <QDate>
#include <QString>

namespace tallyo {

// " Monday (3 days ago) ": the weekday of `day` and its distance in days
// from `today`: "N days ago", "yesterday", "today", "tomorrow", "N days from
// now". Empty for a day that is no date.
QString DateHint(const QDate& day, const QDate& today);

// The hint of the cleared-mark cell: what a double-click does there;
// empty for a void transaction and the beginning balance.
QString ClearedMarkHint(QStringView typeCell, bool marked);

// The hint of every cell without one of its own.
QString DefaultGridHint();

// True when grid row `row` (from 1) has hints and a context menu: a listed
// row, but not the beginning balance at the top of the normal view.
bool IsHintedRow(const RegisterRows& rows, qint32 row);

// The hint of a cell: row from 1, column as the grid numbers them. Empty
// for the header (row 0), rows below the list and the beginning balance at
// the top of the normal view.
QString GridHint(const RegisterRows& rows, qint32 row, int column, const QDate& today);

}
