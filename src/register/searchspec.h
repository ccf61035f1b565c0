#pragma once
// A search given on the command line as KIND=TEXT, with an optional year:
// read into the search the register's search menu would run, or refused
// with a one-line reason where the menu's prompt would ask again.
//
//   month=3          month-year=03/2021    year=2021        check=1042
//   type=Deposit     payee=smith           credit=1,250.00  debit=45
//   comment=rent     notes=warranty
//
// TYPE is one of the eight type items as the search menu names them
// ("Deposit", "Auto-payment", "Auto-deposit", "ATM Cash", "Service fee",
// "Other credit", "Other debit", "Voided entries"), in any letter case. A
// year limits every kind but month, month-year, year and check, which the
// menu never limits.
#include "search.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace tallyo {

// The KIND names, in the order of the search menu.
QStringList SearchSpecKinds();

// The search for KIND=TEXT and a year (empty: all years). Nothing, with the
// reason in `problem`, when either cannot be used.
std::optional<SearchRequest> ParseSearchSpec(const QString& spec, const QString& year, QString& problem);

}
