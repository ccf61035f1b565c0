#pragma once
// The rules of the entry window's type box: its items, the check number a
// user may type in place of a type word (also as "Check# 1234"), what is
// accepted, how it is stored, and the payee caption that follows the type.
#include "store/records.h"

#include <QString>
#include <array>
#include <optional>

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

// The list position of the item a typed text picks, as the list's highlight
// does: the item the text names in any letter case, spaces around it
// ignored ("service fee", "Deposit"), else the one type word it begins
// ("atm", "Other C"). -1 for an empty text, a check number, a beginning
// that several items share ("Auto") and anything else.
int TypeItemFor(const QString& typed);

// The type the box saves for a typed text (a leading "Check# " taken off):
// a check number, the type code of the list item the text picks, or the
// beginning balance and void codes exactly as stored. Nothing when the text
// is none of these (the window then says "Entry Error").
std::optional<QString> AcceptedTypeText(const QString& typeBoxText);

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
