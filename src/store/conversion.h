#pragma once
// Conversion of the older account index (Account.ndx, shorter notes) into
// Account.dex. Transactions and lists have the same form in both and are
// not touched.
#include "records.h"

#include <QString>

#include <functional>

namespace tallyo {

// True when Account.ndx exists and is not empty while no Account.dex exists.
bool AccountIndexNeedsConversion();

// The account record of a legacy one: every text trimmed, the notes given
// their longer field, the check layout copied unchanged.
AccountRecord ConvertLegacyAccount(const LegacyAccountRecord& legacy);

// Converts Account.ndx record by record into Account.dex (same order, same
// record numbers), tells `converted` the number of each record done and
// pauses half a second after each, then deletes Account.ndx. Account.dex
// appears in one step at the end, so an interrupted conversion leaves no
// partial index behind and simply runs again. Returns false and does
// nothing when no conversion is needed. Throws FileError on failure, with
// Account.ndx left in place.
bool ConvertAccountIndex(const std::function<void(qint32 converted)>& converted = {});

// What the user is told when the conversion failed: the failure, the older
// index by its full name, and that moving it out of the folder lets the
// program start without it (a conversion that fails every time would
// otherwise keep the user on the title window for good).
QString ConversionFailureMessage(const QString& failure);

}
