#pragma once
// Searching the register: the search menu's kinds, which transactions match
// a search text, the year that may limit a search, the answers the search
// prompts accept, and the narrowing of the displayed list to the matches.
// No window here: the register's search menu asks its questions and shows
// the result, the command-line export uses the same matching.
//
// A search kind is the number of its item in the search menu:
//   1 "Month"          text "01" ... "12": the month of the date
//   2 "Month/Year"     text "03/2021": its first two characters are the
//                      month, its last two the year's last two digits
//   3 "Year"           text a year: its last two digits
//   5 "Check #"        the leading number of the type equals the text's
//   6 ... 13           the type, all 12 characters, equals the kind's code
//   15 "Payee/Creditor", 18 "Comment", 19 "Notes": the trimmed field, in
//                      lower case, contains the text in lower case
//   16 "Credit amount" the amount equals the number typed, made positive
//   17 "Debit amount"  the amount equals the number typed, made negative
// Items 4, 14 and 20 are separators, 21 "Exit this menu" does nothing.
// Years are compared by their last two digits only (2021 also finds 1921).
#include "store/records.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>

namespace tallyo {

enum SearchKind : int {
    SearchMonth = 1,
    SearchMonthYear = 2,
    SearchYear = 3,
    SearchCheck = 5,
    SearchDeposit = 6,
    SearchAutoPayment = 7,
    SearchAutoDeposit = 8,
    SearchAtmCash = 9,
    SearchServiceFee = 10,
    SearchOtherCredit = 11,
    SearchOtherDebit = 12,
    SearchVoided = 13,
    SearchPayee = 15,
    SearchCredit = 16,
    SearchDebit = 17,
    SearchComment = 18,
    SearchNotes = 19,
    SearchExitMenu = 21,
};

// The year of a search that is not limited to one year.
inline constexpr QStringView SearchAllYears = u"Search All Years";

// The captions of the search menu, items 1 to 21 ("-" for a separator).
QStringList SearchMenuItems();

// True for the kinds that search (not the separators and the last item).
bool IsSearchKind(int kind);

// The type code a type search (kinds 6 to 13) looks for; nothing for the
// other kinds.
std::optional<QLatin1StringView> SearchTypeCode(int kind);

// Kinds that take their own year or month and so search all years: 1, 2,
// 3 and 5. Every other kind may be limited to one year.
bool TakesYearScope(int kind);

struct SearchRequest {
    QString text;
    int kind = 0;
    QString year = SearchAllYears.toString();  // or a year, as typed
};

// Tells whether a transaction matches a search. Built once per search: the
// text is read into the form the kind compares.
class SearchMatcher {
public:
    explicit SearchMatcher(const SearchRequest& request);
    // `record` holds the raw bytes of one transaction.
    bool matches(const char* record) const;
    bool matches(const TransactionRecord& record) const;

private:
    bool matchesFields(double date, QStringView type, const QString& payee, qint64 amount,
                       const QString& comment, const QString& notes) const;
    int kind_;
    QString text_;       // months and years as given; texts in lower case
    QString typeCode_;
    double checkNumber_ = 0;
    std::optional<qint64> amount_;
    QString yearDigits_; // the year's last two characters; empty for all years
};

// Marks, by record number, which of `records` the search finds, in one
// pass over Account.dat that only reads it (a missing file finds nothing).
std::vector<bool> ScanMatchingRecords(std::span<const qint32> records, const SearchMatcher& matcher);

// The answers the prompts accept. The month prompt takes a value from 1 to
// 12 and gives it back as two digits; the year prompt takes a whole number
// from 1900 to 2999 and gives it back as typed (spaces aside); the check
// prompt takes a text whose leading number has a whole part above 0; the
// amount prompt takes a number, "," separating thousands. Nothing for an
// answer that is asked for again.
std::optional<QString> MonthAnswer(QStringView typed);
std::optional<QString> YearAnswer(QStringView typed);
bool CheckNumberAccepted(QStringView typed);
bool AmountAccepted(QStringView typed);

// The program-wide memory of the month and year prompts: their last
// answers, which are the prompts' defaults. Empty when the program starts.
struct SearchMemory {
    QString LastSearchMonth;
    QString LastSearchYear;
};
SearchMemory& searchMemory();
void ResetSearchMemory();

// True when the first dated and the last listed transaction of the
// register's list fall in different years (compared by two digits), so
// that the search asks whether to keep to one year. The first dated one is
// entry 2 in the normal view, whose entry 1 is the beginning balance, and
// entry 1 in the other views. Reads Account.dat.
bool ListedYearsDiffer();

// Narrows the register's displayed list to the transactions that match, in
// their order. With matches the list becomes the search view: SearchText is
// the search text, the row to return to (`currentRow`, NormalRow from the
// normal view, ListRow from the reconcile view) is remembered and
// RegisterView is the search view. Without matches nothing changes. Gives
// back the number of matches. Reads Account.dat.
qint32 RunSearch(const SearchRequest& request, qint32 currentRow);

}
