#pragma once
// The fixed-length records of the data files, decoded into plain fields, and
// their exact byte layouts. Texts come back at their full field width;
// readers trim them.
#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>
#include <array>
#include <functional>

namespace tallyo {

// An account's key: its creation time "yyyymmddhhnnss", which ties its index
// record, its transactions and its lists together.
constexpr int AccountKeyLength = 14;
// A fresh key from the current local time.
QString NewAccountKey();
// The key one second after `key`, as a calendar time in no time zone, so a
// minute, day or year rolls over as the clock would. A text that is not a
// key comes back unchanged.
QString NextAccountKey(const QString& key);
// `key`, or when `taken(key)` says another account has it, the first key
// after it, one second at a time, that is free.
QString FreeAccountKey(QString key, const std::function<bool(const QString&)>& taken);
// The 14 bytes a key is stored as, for comparing raw records.
QByteArray AccountKeyBytes(QStringView key);
// The notes a new account starts with.
QString NewAccountNotes();

// One account of the index (Account.dex).
struct AccountRecord {
    static constexpr int Length = 3000;
    static constexpr int KeyAt = 0;
    static constexpr int NameAt = 14, NameWidth = 40;
    static constexpr int QueryAt = 54, QueryWidth = 40;
    static constexpr int AnswerAt = 94, AnswerWidth = 15;
    static constexpr int NotesAt = 109, NotesWidth = 2879;
    static constexpr int CheckLayoutAt = 2988, CheckLayoutWidth = 12;

    QString AccountKey;
    QString AccountName;
    QString AccessQuery;  // all spaces: the account is not protected
    QString AccessAnswer;
    QString AccountNotes;
    // (row, column) of check number, date, payee, amount, amount in words and
    // comment; a first byte of 0 means no layout has been set up.
    std::array<quint8, CheckLayoutWidth> CheckLayout{};

    QByteArray encode() const;
    static AccountRecord decode(const char* bytes);
};

// One transaction of one account (Account.dat).
struct TransactionRecord {
    static constexpr int Length = 1000;
    static constexpr int KeyAt = 0;
    static constexpr int DateAt = 14;
    static constexpr int TypeAt = 22, TypeWidth = 12;
    static constexpr int ClearedAt = 34;
    static constexpr int PayeeAt = 36, PayeeWidth = 50;
    static constexpr int AmountAt = 86;
    static constexpr int CommentAt = 94, CommentWidth = 50;
    static constexpr int NotesAt = 144, NotesWidth = 856;

    QString AccountKey;
    double TransactionDate = 0;  // 1.0 for the beginning balance
    QString TransactionType;     // a type code or a check number
    bool Cleared = false;
    QString Payee;
    qint64 Amount = 0;           // credits positive, debits negative
    QString Comment;
    QString Notes;

    QByteArray encode() const;
    static TransactionRecord decode(const char* bytes);
};

// The payee and comment lists of one account (PayCom.lst).
struct ListRecord {
    static constexpr int Length = 2000;
    static constexpr int KeyAt = 0;
    static constexpr int PayeeListAt = 14, PayeeListWidth = 993;
    static constexpr int CommentListAt = 1007, CommentListWidth = 993;

    QString AccountKey;
    QString PayeeList;    // one entry per line, lines separated by CR LF
    QString CommentList;

    QByteArray encode() const;
    static ListRecord decode(const char* bytes);
};

// An account of the older index file (Account.ndx), with shorter notes.
struct LegacyAccountRecord {
    static constexpr int Length = 1000;
    static constexpr int KeyAt = 0;
    static constexpr int NameAt = 14, NameWidth = 40;
    static constexpr int QueryAt = 54, QueryWidth = 40;
    static constexpr int AnswerAt = 94, AnswerWidth = 15;
    static constexpr int NotesAt = 109, NotesWidth = 879;
    static constexpr int CheckLayoutAt = 988, CheckLayoutWidth = 12;

    QString AccountKey;
    QString AccountName;
    QString AccessQuery;
    QString AccessAnswer;
    QString AccountNotes;
    std::array<quint8, CheckLayoutWidth> CheckLayout{};

    QByteArray encode() const;
    static LegacyAccountRecord decode(const char* bytes);
};

// Cheap reads of a transaction's raw bytes for passes over many records:
// nothing is decoded until asked for, and the long notes never are.
class TransactionView {
public:
    explicit TransactionView(const char* bytes) : bytes_(bytes) {}
    QByteArrayView keyBytes() const { return {bytes_, AccountKeyLength}; }
    bool hasKey(QByteArrayView keyBytes) const { return this->keyBytes() == keyBytes; }
    double date() const;
    qint64 amount() const;
    bool cleared() const;
    QByteArrayView typeBytes() const { return {bytes_ + TransactionRecord::TypeAt, TransactionRecord::TypeWidth}; }
    QString type() const;
    QString payee() const;
    QString comment() const;
    TransactionRecord decode() const { return TransactionRecord::decode(bytes_); }

private:
    const char* bytes_;
};

// Transaction type codes, stored at the full 12 characters. A type that is
// a number is a check.
inline constexpr QLatin1StringView TypeStart{"Start       "};
inline constexpr QLatin1StringView TypeDeposit{"Deposit     "};
inline constexpr QLatin1StringView TypeAutoPayment{"AutoPayment "};
inline constexpr QLatin1StringView TypeAutoDeposit{"AutoDeposit "};
inline constexpr QLatin1StringView TypeAtmCash{"ATM Cash    "};
inline constexpr QLatin1StringView TypeServiceFee{"Service Fee "};
inline constexpr QLatin1StringView TypeOtherCredit{"Other Credit"};
inline constexpr QLatin1StringView TypeOtherDebit{"Other Debit "};
inline constexpr QLatin1StringView TypeVoid{"VOID        "};
inline constexpr std::array<QLatin1StringView, 9> TransactionTypeCodes{
    TypeStart, TypeDeposit, TypeAutoPayment, TypeAutoDeposit, TypeAtmCash,
    TypeServiceFee, TypeOtherCredit, TypeOtherDebit, TypeVoid};

// The helpers below accept a type with or without its trailing spaces.
// A check: decimal digits only.
bool IsCheckType(const QString& type);
// One of the nine type codes.
bool IsTypeCode(const QString& type);
// A check or a type code: what the entry window accepts.
bool IsValidTransactionType(const QString& type);
// Start, Deposit, AutoDeposit and Other Credit add to the balance.
bool IsCreditType(const QString& type);
// The amount as stored for a type: credits positive, everything else negative.
qint64 SignedAmount(const QString& type, qint64 typedAmount);

}
