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

int TypeItemFor(const QString& typed)
{
    const QString text = TrimSpaces(typed);
    if (text.isEmpty() || IsTypedCheckNumber(text))
        return -1;
    int begun = -1;
    int begunCount = 0;
    for (int item = 0; item < int(TypeBoxItems.size()); ++item) {
        const QString word = TrimSpaces(QString(TypeBoxItems[item]));
        if (text.compare(word, Qt::CaseInsensitive) == 0)
            return item;
        // "(enter chk#)" asks for a number: only its whole text picks it.
        if (item > 0 && word.startsWith(text, Qt::CaseInsensitive)) {
            begun = item;
            ++begunCount;
        }
    }
    return begunCount == 1 ? begun : -1;
}

std::optional<QString> AcceptedTypeText(const QString& typeBoxText)
{
    const QString type = TypeWithoutCheckPrefix(typeBoxText);
    // A check number longer than the field would be stored cut short, as a
    // different check: refuse it like any other unusable type.
    if (IsTypedCheckNumber(type)) {
        if (TrimSpaces(type).size() > TransactionRecord::TypeWidth)
            return std::nullopt;
        return type;
    }
    if (const int item = TypeItemFor(type); item > 0)
        return QString(TypeBoxItems[item]);
    // The list never offers these two; only their stored form is taken.
    if (type == TypeStart || type == TypeVoid)
        return type;
    return std::nullopt;
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
