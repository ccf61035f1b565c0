#include "typeentry.h"

#include "store/fields.h"

namespace tallyo {

namespace {
const QString CheckPrefix = QStringLiteral("Check# ");
}

QString TypeWithoutCheckPrefix(const QString& text)
{
    return text.startsWith(CheckPrefix) ? text.mid(CheckPrefix.size()) : text;
}

bool IsTypedCheckNumber(const QString& text)
{
    return IsCheckType(text);
}

bool IsAcceptedEntryType(const QString& text)
{
    // A check number longer than the field would be stored cut short, as a
    // different check: refuse it like any other unusable type.
    if (IsTypedCheckNumber(text))
        return TrimSpaces(text).size() <= TransactionRecord::TypeWidth;
    for (QLatin1StringView code : TransactionTypeCodes) {
        if (text == code)
            return true;
    }
    return false;
}

QString StoredEntryType(const QString& text)
{
    const QString type = IsTypedCheckNumber(text) ? TrimSpaces(text) : text;
    return type.left(TransactionRecord::TypeWidth).leftJustified(TransactionRecord::TypeWidth);
}

QString PrefilledTypeText(const QString& storedType, bool adding)
{
    if (adding && IsTypedCheckNumber(storedType))
        return QString(EnterCheckNumberItem);
    return storedType;
}

QString PayeeCaptionFor(int typeIndex)
{
    switch (typeIndex) {
    case 0:
    case 2:
    case 4:
    case 5:
    case 7:
        return QStringLiteral("Payee");
    default:
        return QStringLiteral("Creditor");
    }
}

}
