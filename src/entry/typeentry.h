#pragma once
// The rules of the entry window's type box: its items, the check number a
// user may type in place of a type word (also as "Check# 1234"), what is
// accepted, how it is stored, and the payee caption that follows the type.
#include "store/records.h"

#include <QString>
#include <array>

namespace tallyo {

inline constexpr QLatin1StringView EnterCheckNumberItem{"(enter chk#)"};
// The type box's items, in order. The beginning balance and void codes are
// never offered.
inline constexpr std::array<QLatin1StringView, 8> TypeBoxItems{
    EnterCheckNumberItem, TypeDeposit, TypeAutoPayment, TypeAutoDeposit,
    TypeAtmCash, TypeServiceFee, TypeOtherCredit, TypeOtherDebit};

// A leading "Check# " taken off: "Check# 1234" gives "1234".
QString TypeWithoutCheckPrefix(const QString& text);

// A typed check number: decimal digits, spaces around them allowed.
bool IsTypedCheckNumber(const QString& text);

// What the box may save: a check number, or one of the nine type codes
// exactly as stored (letter case and trailing spaces included).
bool IsAcceptedEntryType(const QString& text);

// The 12-character type field for an accepted text: a check number
// left-aligned without the spaces around it, a type code as it is.
QString StoredEntryType(const QString& text);

// What the type box shows when the window starts from a stored transaction:
// the stored type, except that a new transaction patterned on a check asks
// for a new number ("(enter chk#)").
QString PrefilledTypeText(const QString& storedType, bool adding);

// The payee box's caption while it has the focus, by the type box's list
// position (-1 when a typed text matches no item): "Payee" for positions
// 0, 2, 4, 5 and 7, "Creditor" for the credits and for a typed check number.
QString PayeeCaptionFor(int typeIndex);

}
