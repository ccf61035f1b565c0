#include "records.h"

#include "fields.h"
#include "platform/platform.h"

#include <QDateTime>

#include <cstring>
#include <limits>

namespace tallyo {

namespace {
const QString keyFormat = QStringLiteral("yyyyMMddHHmmss");
}

QString NewAccountKey()
{
    return clock().now().toString(keyFormat);
}

QString NextAccountKey(const QString& key)
{
    // Read and moved in UTC: a key is a wall-clock text, and a local-time
    // reading would skip or repeat the hours of a daylight-saving change.
    if (key.size() != AccountKeyLength)
        return key;
    const QDate day = QDate::fromString(key.left(8), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(key.mid(8), QStringLiteral("HHmmss"));
    if (!day.isValid() || !time.isValid())
        return key;
    const QString next = QDateTime(day, time, Qt::UTC).addSecs(1).toString(keyFormat);
    return next.size() == AccountKeyLength ? next : key;
}

QString FreeAccountKey(QString key, const std::function<bool(const QString&)>& taken)
{
    while (taken(key)) {
        const QString next = NextAccountKey(key);
        if (next == key)
            break;
        key = next;
    }
    return key;
}

QByteArray AccountKeyBytes(QStringView key)
{
    QByteArray bytes(AccountKeyLength, ' ');
    WriteText(bytes.data(), AccountKeyLength, key);
    return bytes;
}

QString NewAccountNotes()
{
    return QStringLiteral("Name of financial institution:\r\n\r\n"
                          "Type of Account: (Checking, Credit Card, Saving, etc.)\r\n\r\n"
                          "Routing Number: \r\n"
                          "Account Number: \r\n\r\n"
                          "Other information:");
}

// The account index record and its older form differ only in the width of
// the notes, so one pair of functions serves both.
namespace {

template <class Record>
QByteArray encodeAccount(const Record& r)
{
    QByteArray bytes(Record::Length, ' ');
    char* out = bytes.data();
    WriteText(out + Record::KeyAt, AccountKeyLength, r.AccountKey);
    WriteText(out + Record::NameAt, Record::NameWidth, r.AccountName);
    WriteText(out + Record::QueryAt, Record::QueryWidth, r.AccessQuery);
    WriteText(out + Record::AnswerAt, Record::AnswerWidth, r.AccessAnswer);
    WriteText(out + Record::NotesAt, Record::NotesWidth, r.AccountNotes);
    std::memcpy(out + Record::CheckLayoutAt, r.CheckLayout.data(), Record::CheckLayoutWidth);
    return bytes;
}

template <class Record>
Record decodeAccount(const char* in)
{
    Record r;
    r.AccountKey = ReadText(in + Record::KeyAt, AccountKeyLength);
    r.AccountName = ReadText(in + Record::NameAt, Record::NameWidth);
    r.AccessQuery = ReadText(in + Record::QueryAt, Record::QueryWidth);
    r.AccessAnswer = ReadText(in + Record::AnswerAt, Record::AnswerWidth);
    r.AccountNotes = ReadText(in + Record::NotesAt, Record::NotesWidth);
    std::memcpy(r.CheckLayout.data(), in + Record::CheckLayoutAt, Record::CheckLayoutWidth);
    return r;
}

}

QByteArray AccountRecord::encode() const { return encodeAccount(*this); }
AccountRecord AccountRecord::decode(const char* bytes) { return decodeAccount<AccountRecord>(bytes); }
QByteArray LegacyAccountRecord::encode() const { return encodeAccount(*this); }
LegacyAccountRecord LegacyAccountRecord::decode(const char* bytes) { return decodeAccount<LegacyAccountRecord>(bytes); }

QByteArray TransactionRecord::encode() const
{
    QByteArray bytes(Length, ' ');
    char* out = bytes.data();
    WriteText(out + KeyAt, AccountKeyLength, AccountKey);
    WriteDate(out + DateAt, TransactionDate);
    WriteText(out + TypeAt, TypeWidth, TransactionType);
    WriteFlag(out + ClearedAt, Cleared);
    WriteText(out + PayeeAt, PayeeWidth, Payee);
    WriteMoney(out + AmountAt, Amount);
    WriteText(out + CommentAt, CommentWidth, Comment);
    WriteText(out + NotesAt, NotesWidth, Notes);
    return bytes;
}

TransactionRecord TransactionRecord::decode(const char* in)
{
    TransactionRecord r;
    r.AccountKey = ReadText(in + KeyAt, AccountKeyLength);
    r.TransactionDate = ReadDate(in + DateAt);
    r.TransactionType = ReadText(in + TypeAt, TypeWidth);
    r.Cleared = ReadFlag(in + ClearedAt);
    r.Payee = ReadText(in + PayeeAt, PayeeWidth);
    r.Amount = ReadMoney(in + AmountAt);
    r.Comment = ReadText(in + CommentAt, CommentWidth);
    r.Notes = ReadText(in + NotesAt, NotesWidth);
    return r;
}

QByteArray ListRecord::encode() const
{
    QByteArray bytes(Length, ' ');
    char* out = bytes.data();
    WriteText(out + KeyAt, AccountKeyLength, AccountKey);
    WriteText(out + PayeeListAt, PayeeListWidth, PayeeList);
    WriteText(out + CommentListAt, CommentListWidth, CommentList);
    return bytes;
}

ListRecord ListRecord::decode(const char* in)
{
    ListRecord r;
    r.AccountKey = ReadText(in + KeyAt, AccountKeyLength);
    r.PayeeList = ReadText(in + PayeeListAt, PayeeListWidth);
    r.CommentList = ReadText(in + CommentListAt, CommentListWidth);
    return r;
}

double TransactionView::date() const { return ReadDate(bytes_ + TransactionRecord::DateAt); }
qint64 TransactionView::amount() const { return ReadMoney(bytes_ + TransactionRecord::AmountAt); }
bool TransactionView::cleared() const { return ReadFlag(bytes_ + TransactionRecord::ClearedAt); }
QString TransactionView::type() const { return ReadText(bytes_ + TransactionRecord::TypeAt, TransactionRecord::TypeWidth); }
QString TransactionView::payee() const { return ReadText(bytes_ + TransactionRecord::PayeeAt, TransactionRecord::PayeeWidth); }
QString TransactionView::comment() const { return ReadText(bytes_ + TransactionRecord::CommentAt, TransactionRecord::CommentWidth); }

bool IsCheckType(const QString& type)
{
    const QString number = TrimSpaces(type);
    if (number.isEmpty())
        return false;
    for (QChar c : number) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool IsTypeCode(const QString& type)
{
    const QString code = TrimTrailingSpaces(type);
    for (QLatin1StringView known : TransactionTypeCodes) {
        if (code == TrimTrailingSpaces(QString(known)))
            return true;
    }
    return false;
}

bool IsValidTransactionType(const QString& type)
{
    return IsCheckType(type) || IsTypeCode(type);
}

bool IsCreditType(const QString& type)
{
    const QString code = TrimTrailingSpaces(type);
    for (QLatin1StringView credit : {TypeStart, TypeDeposit, TypeAutoDeposit, TypeOtherCredit}) {
        if (code == TrimTrailingSpaces(QString(credit)))
            return true;
    }
    return false;
}

qint64 SignedAmount(const QString& type, qint64 typedAmount)
{
    // The most negative amount has no positive counterpart; it is kept one
    // unit smaller rather than overflowing.
    const qint64 size = typedAmount == std::numeric_limits<qint64>::min()
        ? std::numeric_limits<qint64>::max()
        : qAbs(typedAmount);
    return IsCreditType(type) ? size : -size;
}

}
