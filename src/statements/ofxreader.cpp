#include "ofxreader.h"

#include "statementtext.h"

#include <QFile>
#include <libofx/libofx.h>
#include <map>
#include <memory>

namespace tallyo {

namespace {

// LibOFX turns every date into a moment of the local time zone and every
// amount into a double, and reads "$120" as 0 and 20120231 as March 2. So
// the file's own text of each transaction's DTPOSTED and TRNAMT (and each
// LEDGERBAL's BALAMT), found by their tags in the order LibOFX reports
// them, gives the day and the amount exactly, and refuses what is no date
// or no amount, with its line.
struct TaggedValue {
    QByteArray text;
    int line = 0;
    bool present = false;
};

struct RawTransaction {
    int line = 0;
    TaggedValue posted;
    TaggedValue amount;
};

struct RawBalance {
    TaggedValue amount;
    TaggedValue asOf;
};

struct RawValues {
    std::vector<RawTransaction> transactions;
    std::vector<RawBalance> balances;
};

class TagScanner {
public:
    explicit TagScanner(const QByteArray& bytes) : bytes_(bytes) {}

    // The next opening of `tag` ("<STMTTRN>") at or after `from`, before `end`.
    qsizetype find(const char* tag, qsizetype from, qsizetype end) const
    {
        const qsizetype at = bytes_.indexOf(tag, from);
        return at < 0 || at >= end ? -1 : at;
    }

    // The value after an element's opening tag: up to the next tag or line end.
    TaggedValue valueOf(const char* tag, qsizetype from, qsizetype end) const
    {
        const qsizetype at = find(tag, from, end);
        if (at < 0)
            return {};
        qsizetype start = at + qsizetype(qstrlen(tag));
        qsizetype stop = start;
        while (stop < bytes_.size() && bytes_[stop] != '<' && bytes_[stop] != '\n' && bytes_[stop] != '\r')
            ++stop;
        return {bytes_.mid(start, stop - start).trimmed(), lineOf(at), true};
    }

    int lineOf(qsizetype position) const
    {
        // Positions are asked for in increasing order.
        while (countedTo_ < position) {
            if (bytes_[countedTo_] == '\n')
                ++line_;
            ++countedTo_;
        }
        return line_;
    }

    qsizetype size() const { return bytes_.size(); }

private:
    const QByteArray& bytes_;
    mutable qsizetype countedTo_ = 0;
    mutable int line_ = 1;
};

RawValues ScanRawValues(const QByteArray& bytes)
{
    RawValues raw;
    TagScanner scan(bytes);
    qsizetype at = 0;
    while (true) {
        const qsizetype transaction = scan.find("<STMTTRN>", at, scan.size());
        const qsizetype balance = scan.find("<LEDGERBAL>", at, scan.size());
        if (transaction < 0 && balance < 0)
            break;
        if (transaction >= 0 && (balance < 0 || transaction < balance)) {
            qsizetype end = scan.find("</STMTTRN>", transaction, scan.size());
            const qsizetype next = scan.find("<STMTTRN>", transaction + 1, scan.size());
            if (end < 0 || (next >= 0 && next < end))
                end = next >= 0 ? next : scan.size();
            RawTransaction found;
            found.line = scan.lineOf(transaction);
            found.posted = scan.valueOf("<DTPOSTED>", transaction, end);
            found.amount = scan.valueOf("<TRNAMT>", transaction, end);
            raw.transactions.push_back(found);
            at = transaction + 1;
        } else {
            qsizetype end = scan.find("</LEDGERBAL>", balance, scan.size());
            if (end < 0)
                end = qMin(scan.size(), balance + 512);
            const TaggedValue amount = scan.valueOf("<BALAMT>", balance, end);
            raw.balances.push_back({amount, scan.valueOf("<DTASOF>", balance, end)});
            at = balance + 1;
        }
    }
    return raw;
}

// YYYYMMDD, then optionally HHMMSS, .XXX and a zone "[-5:EST]": the day as
// written, whatever the time and zone.
QDate OfxDay(const QByteArray& text, QString& problem)
{
    int digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    QByteArrayView rest = QByteArrayView(text).sliced(digits);
    bool wellFormed = (digits == 8 || digits == 12 || digits == 14);
    if (wellFormed && rest.startsWith('.')) {
        qsizetype i = 1;
        while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9')
            ++i;
        wellFormed = digits == 14 && i > 1;
        rest = rest.sliced(i);
    }
    if (wellFormed && !rest.isEmpty())
        wellFormed = rest.startsWith('[') && rest.endsWith(']');
    if (!wellFormed) {
        problem = QStringLiteral("\"%1\" is not a date").arg(QString::fromUtf8(text));
        return {};
    }
    const QDate day(text.left(4).toInt(), text.mid(4, 2).toInt(), text.mid(6, 2).toInt());
    const bool timeFits = digits == 8
        || (text.mid(8, 2).toInt() < 24 && text.mid(10, 2).toInt() < 60
            && (digits == 12 || text.mid(12, 2).toInt() < 61));
    if (!day.isValid() || !timeFits) {
        problem = QStringLiteral("the date %1 is not a day of the calendar").arg(QString::fromUtf8(text));
        return {};
    }
    return day;
}

std::optional<qint64> OfxAmount(const TaggedValue& value, const char* tag, QString& problem)
{
    if (!value.present || value.text.isEmpty()) {
        problem = QStringLiteral("a transaction has no amount (%1)").arg(QLatin1StringView(tag));
        return std::nullopt;
    }
    // OFX writes amounts without thousands separators, with "." or ",".
    const QString text = QString::fromUtf8(value.text);
    std::optional<qint64> amount = ReadStatementAmount(text, u'.', false);
    if (!amount)
        amount = ReadStatementAmount(text, u',', false);
    if (!amount)
        problem = QStringLiteral("\"%1\" is not an amount").arg(text);
    return amount;
}

QString BankTypeWord(TransactionType type)
{
    switch (type) {
    case OFX_CREDIT: return QStringLiteral("CREDIT");
    case OFX_DEBIT: return QStringLiteral("DEBIT");
    case OFX_INT: return QStringLiteral("INT");
    case OFX_DIV: return QStringLiteral("DIV");
    case OFX_FEE: return QStringLiteral("FEE");
    case OFX_SRVCHG: return QStringLiteral("SRVCHG");
    case OFX_DEP: return QStringLiteral("DEP");
    case OFX_ATM: return QStringLiteral("ATM");
    case OFX_POS: return QStringLiteral("POS");
    case OFX_XFER: return QStringLiteral("XFER");
    case OFX_CHECK: return QStringLiteral("CHECK");
    case OFX_PAYMENT: return QStringLiteral("PAYMENT");
    case OFX_CASH: return QStringLiteral("CASH");
    case OFX_DIRECTDEP: return QStringLiteral("DIRECTDEP");
    case OFX_DIRECTDEBIT: return QStringLiteral("DIRECTDEBIT");
    case OFX_REPEATPMT: return QStringLiteral("REPEATPMT");
    case OFX_OTHER: break;
    }
    return QStringLiteral("OTHER");
}

// LibOFX hands texts over as UTF-8 (it converts Windows code pages itself).
QString OfxText(const char* text)
{
    return DecodeStatementBytes(QByteArray(text)).trimmed();
}

// What the callbacks gather while LibOFX reads the file.
struct Gathered {
    RawValues raw;
    size_t nextTransaction = 0;
    size_t nextBalance = 0;
    std::vector<Statement> statements;
    std::map<std::string, size_t> statementOf;  // LibOFX's account id -> statement
    std::vector<bool> investment;               // per statement
    int line = 0;
    QString problem;

    size_t statementFor(const char* accountId)
    {
        const auto found = statementOf.find(accountId);
        if (found != statementOf.end())
            return found->second;
        statementOf.emplace(accountId, statements.size());
        statements.emplace_back();
        investment.push_back(false);
        return statements.size() - 1;
    }

    void refuse(int atLine, const QString& reason)
    {
        if (problem.isEmpty()) {
            line = atLine;
            problem = reason;
        }
    }
};

int OnAccount(const OfxAccountData data, void* user)
{
    auto& gathered = *static_cast<Gathered*>(user);
    if (!data.account_id_valid)
        return 0;
    const size_t index = gathered.statementFor(data.account_id);
    Statement& statement = gathered.statements[index];
    statement.accountId = OfxText(data.account_number_valid ? data.account_number : data.account_id);
    if (data.account_type_valid) {
        switch (data.account_type) {
        case OfxAccountData::OFX_CHECKING: statement.accountType = QStringLiteral("CHECKING"); break;
        case OfxAccountData::OFX_SAVINGS: statement.accountType = QStringLiteral("SAVINGS"); break;
        case OfxAccountData::OFX_MONEYMRKT: statement.accountType = QStringLiteral("MONEYMRKT"); break;
        case OfxAccountData::OFX_CREDITLINE: statement.accountType = QStringLiteral("CREDITLINE"); break;
        case OfxAccountData::OFX_CMA: statement.accountType = QStringLiteral("CMA"); break;
        case OfxAccountData::OFX_CREDITCARD: statement.accountType = QStringLiteral("CREDITCARD"); break;
        case OfxAccountData::OFX_INVESTMENT:
        case OfxAccountData::OFX_401K:
            statement.accountType = QStringLiteral("INVESTMENT");
            gathered.investment[index] = true;
            break;
        }
    }
    if (data.currency_valid)
        statement.currency = OfxText(data.currency);
    return 0;
}

int OnTransaction(const OfxTransactionData data, void* user)
{
    auto& gathered = *static_cast<Gathered*>(user);
    // Trades of securities have no STMTTRN of their own and no place here.
    if (data.invtransactiontype_valid)
        return 0;
    if (gathered.nextTransaction >= gathered.raw.transactions.size()) {
        gathered.refuse(0, QStringLiteral("the file holds more transactions than it shows"));
        return 0;
    }
    const RawTransaction& raw = gathered.raw.transactions[gathered.nextTransaction++];
    const size_t index = gathered.statementFor(data.account_id_valid ? data.account_id : "");
    if (gathered.investment[index])
        return 0;

    StatementLine line;
    line.fileLine = raw.line;
    QString problem;
    if (!raw.posted.present || raw.posted.text.isEmpty()) {
        gathered.refuse(raw.line, QStringLiteral("a transaction has no date (DTPOSTED)"));
        return 0;
    }
    line.date = OfxDay(raw.posted.text, problem);
    if (!line.date.isValid()) {
        gathered.refuse(raw.posted.line, problem);
        return 0;
    }
    const std::optional<qint64> amount = OfxAmount(raw.amount, "TRNAMT", problem);
    if (!amount) {
        gathered.refuse(raw.amount.present ? raw.amount.line : raw.line, problem);
        return 0;
    }
    line.amount = *amount;
    if (data.fi_id_valid)
        line.bankId = OfxText(data.fi_id);
    if (data.transactiontype_valid)
        line.bankType = BankTypeWord(data.transactiontype);
    if (data.check_number_valid)
        line.checkNumber = CheckNumberOf(OfxText(data.check_number));
    if (data.name_valid)
        line.name = OfxText(data.name);
    if (data.memo_valid)
        line.memo = OfxText(data.memo);
    gathered.statements[index].lines.push_back(line);
    return 0;
}

int OnStatement(const OfxStatementData data, void* user)
{
    auto& gathered = *static_cast<Gathered*>(user);
    if (!data.ledger_balance_valid)
        return 0;
    if (gathered.nextBalance >= gathered.raw.balances.size())
        return 0;
    const RawBalance& raw = gathered.raw.balances[gathered.nextBalance++];
    const size_t index = gathered.statementFor(data.account_id_valid ? data.account_id : "");
    QString problem;
    const std::optional<qint64> balance = OfxAmount(raw.amount, "BALAMT", problem);
    if (!balance) {
        gathered.refuse(raw.amount.line, problem);
        return 0;
    }
    gathered.statements[index].closingBalance = balance;
    if (raw.asOf.present) {
        gathered.statements[index].closingDate = OfxDay(raw.asOf.text, problem);
        if (!gathered.statements[index].closingDate.isValid())
            gathered.refuse(raw.asOf.line, problem);
    }
    return 0;
}

// LibOFX reports on the standard error stream unless told not to.
void SilenceLibOfx()
{
    for (int* flag : {&ofx_PARSER_msg, &ofx_DEBUG_msg, &ofx_DEBUG1_msg, &ofx_DEBUG2_msg, &ofx_DEBUG3_msg,
                      &ofx_DEBUG4_msg, &ofx_DEBUG5_msg, &ofx_STATUS_msg, &ofx_INFO_msg, &ofx_WARNING_msg,
                      &ofx_ERROR_msg})
        *flag = 0;
}

StatementFile Refused(int line, const QString& reason)
{
    return StatementFile::Refusal(StatementFormat::Ofx, line, reason);
}

}

StatementFile ReadOfxFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refused(0, QStringLiteral("%1 cannot be opened: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Refused(0, QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
    file.close();
    if (!bytes.contains("<OFX>"))
        return Refused(0, QStringLiteral("the file holds no OFX statement"));

    Gathered gathered;
    gathered.raw = ScanRawValues(bytes);
    SilenceLibOfx();
    const std::unique_ptr<void, int (*)(LibofxContextPtr)> context(libofx_get_new_context(), libofx_free_context);
    ofx_set_account_cb(context.get(), OnAccount, &gathered);
    ofx_set_transaction_cb(context.get(), OnTransaction, &gathered);
    ofx_set_statement_cb(context.get(), OnStatement, &gathered);
    libofx_proc_file(context.get(), QFile::encodeName(path).constData(), OFX);

    if (!gathered.problem.isEmpty())
        return Refused(gathered.line, gathered.problem);
    if (gathered.nextTransaction != gathered.raw.transactions.size()) {
        const RawTransaction& unread = gathered.raw.transactions[gathered.nextTransaction];
        return Refused(unread.line, QStringLiteral("the transaction here cannot be read (%1 of %2 were)")
                                        .arg(gathered.nextTransaction)
                                        .arg(gathered.raw.transactions.size()));
    }

    StatementFile read;
    read.outcome = StatementFile::Outcome::Read;
    read.format = StatementFormat::Ofx;
    for (size_t i = 0; i < gathered.statements.size(); ++i) {
        if (gathered.investment[i])
            continue;
        Statement& statement = gathered.statements[i];
        MakeUpBankIds(statement, u"OFX-");
        read.statements.push_back(std::move(statement));
    }
    if (read.statements.empty())
        return Refused(0, QStringLiteral("the file holds no bank or credit card statement"));
    return read;
}

}
