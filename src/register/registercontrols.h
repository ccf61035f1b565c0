#pragma once
// The register window's rules that need no window: which buttons the view,
// the length of the list and the highlighted transaction allow, their hints
// and captions, the window's size limits, the beginning balance a new
// account accepts, and the search for a date in the displayed list.
#include "registerrows.h"
#include "store/records.h"

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace tallyo {

// What UpdateControls gives the register's buttons and title line.
struct RegisterControlStates {
    QString addHint;
    bool reconcile = false;     // also the search button
    bool graph = false;
    bool textSummary = false;
    bool printAccount = false;
    bool seeNotes = false;
    bool deleteTransaction = false;
    bool clearTransaction = false;  // also void
    bool printCheck = false;
    bool returnAnswersEsc = false;  // normal view; else the Finished button does
    bool finishedVisible = false;   // and pulsing
    QString finishedCaption;
    QString title;
    quint32 titleColour = 0;
};

// The states for a view, the number of listed transactions and the
// highlighted one. Add, modify and other options are always allowed.
RegisterControlStates ControlStatesFor(int view, qint32 displayedCount, const TransactionRecord& highlighted,
                                       const QString& accountName, const QString& searchText);

// The clear button's hint on a row with or without the cleared mark.
QString ClearHint(bool rowIsCleared);

// Window size in twips: a fixed width, and a height kept between a minimum
// and nine tenths of the screen (the minimum wins on a very small screen).
inline constexpr int RegisterWidthTwips = 10845;
inline constexpr int RegisterMinimumHeightTwips = 8000;
int RegisterMaximumHeightTwips(int screenHeightTwips);
// The height a window of `height` twips is given.
int RegisterHeightTwips(int height, int screenHeightTwips);
// The height the window opens with when no height has been saved.
int RegisterDefaultHeightTwips(int screenHeightTwips);
// The saved height read back: nothing for a missing or unreadable value.
std::optional<int> SavedRegisterHeight(QStringView stored);

// A new account's beginning balance as typed: nothing when the answer is
// not a number or lies outside -9999 to 999999 (it is then asked again).
std::optional<qint64> BeginningBalanceAnswer(QStringView answer);
// The record that starts a new account with that balance.
TransactionRecord BeginningBalanceRecord(const QString& accountKey, qint64 amount);

// The first listed row (from 0), at or after `from`, whose transaction falls
// on the day; nothing when there is none.
std::optional<qint32> FindListedDate(const RegisterRows& rows, qint32 from, const QDate& day);

}
