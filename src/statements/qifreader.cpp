#include "qifreader.h"

#include "statementtext.h"
#include "store/records.h"

namespace tallyo {

namespace {

// One transaction as its QIF lines give it, before dates and amounts are read.
struct QifRecord {
    int line = 0;
    QString date;
    QString amount;         // T, else U
    QStringList splits;     // the $ of each split
    StatementLine fields;   // number, payee, memo, category
    bool any = false;
};

// A section of the file: which kind of list its lines belong to.
enum class Section { None, Transactions, Account, Other };

Section SectionOf(QStringView header, QString& accountType, QString& problem)
{
    if (header.startsWith(u"!Account", Qt::CaseInsensitive))
        return Section::Account;
    if (!header.startsWith(u"!Type:", Qt::CaseInsensitive))
        return Section::Other;  // !Option:AutoSwitch, !Clear:AutoSwitch ...
    const QString type = header.mid(6).trimmed().toString();
    for (QStringView bank : {u"Bank", u"CCard", u"Cash"}) {
        if (type.compare(bank, Qt::CaseInsensitive) == 0) {
            accountType = bank.toString();
            return Section::Transactions;
        }
    }
    // Lists of categories, classes and memorized payees carry no transactions.
    for (QStringView list : {u"Cat", u"Class", u"Memorized", u"Prices", u"Security"}) {
        if (type.compare(list, Qt::CaseInsensitive) == 0)
            return Section::Other;
    }
    problem = QStringLiteral("the file holds transactions of type %1; only Bank, CCard and Cash can be imported")
                  .arg(type);
    return Section::None;
}

// What Quicken, and this program's own QIF export, write by convention: the
// opening balance as the payee "Opening Balance" with the account's name in
// brackets as its category, a voided entry as a payee that starts
// "**VOID**", and "EFT" for an automatic payment or deposit.
void ReadQuickenConventions(StatementLine& line)
{
    if (line.name.compare(u"Opening Balance", Qt::CaseInsensitive) == 0 && line.category.startsWith(u'[')
        && line.category.endsWith(u']')) {
        line.beginningBalance = true;
        line.name = QStringLiteral("Beginning Balance");
    } else if (line.name.startsWith(u"**VOID**")) {
        line.name = line.name.mid(8).trimmed();
        line.registerType = TypeVoid.trimmed();
    } else if (line.bankType == u"EFT") {
        line.registerType = (line.amount < 0 ? TypeAutoPayment : TypeAutoDeposit).trimmed();
    }
}

}

StatementFile ReadQif(const QByteArray& bytes, DateOrder order)
{
    StatementFile file;
    file.format = StatementFormat::Qif;
    const auto refuse = [&](int line, const QString& reason) {
        return file = StatementFile::Refusal(file.format, line, reason);
    };

    const QStringList lines = DecodeStatementBytes(bytes).split(u'\n');
    std::vector<std::vector<QifRecord>> records;  // per statement
    QString accountName;                          // of the !Account block just read
    Section section = Section::None;
    QifRecord current;
    const auto finish = [&] {
        if (current.any && section == Section::Transactions)
            records.back().push_back(current);
        current = QifRecord();
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        QString line = lines[i];
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(u'!')) {
            finish();
            QString accountType;
            QString problem;
            section = SectionOf(line.trimmed(), accountType, problem);
            if (!problem.isEmpty())
                return refuse(lineNumber, problem);
            if (section == Section::Transactions) {
                file.statements.emplace_back();
                file.statements.back().accountType = accountType;
                file.statements.back().accountId = accountName;
                records.emplace_back();
            }
            continue;
        }
        if (section == Section::None)
            return refuse(lineNumber, QStringLiteral("the file does not begin with a QIF header such as !Type:Bank"));
        if (section == Section::Account) {
            if (line.startsWith(u'N'))
                accountName = line.mid(1).trimmed();
            else if (line.startsWith(u'^'))
                section = Section::Other;
            continue;
        }
        if (section == Section::Other)
            continue;

        const QChar code = line.front();
        const QString value = line.mid(1).trimmed();
        if (code == u'^') {
            finish();
            continue;
        }
        if (!current.any)
            current.line = lineNumber;
        current.any = true;
        switch (code.unicode()) {
        case 'D': current.date = value; break;
        case 'T': current.amount = value; break;
        case 'U': if (current.amount.isEmpty()) current.amount = value; break;
        case 'N': {
            const QString number = CheckNumberOf(value);
            if (!number.isEmpty())
                current.fields.checkNumber = number;
            else if (IsTypeCode(value))  // a register's own type, as this program writes it
                current.fields.registerType = value;
            else if (!value.isEmpty() && !value.front().isDigit())
                current.fields.bankType = value.toUpper();
            break;
        }
        case 'P': current.fields.name = value; break;
        case 'M': current.fields.memo = value; break;
        case 'L': current.fields.category = value; break;
        case '$': current.splits.append(value); break;
        default: break;  // C (cleared), A (address), S and E (split category and memo) ...
        }
    }
    finish();
    if (file.statements.empty())
        return refuse(0, QStringLiteral("the file holds no Bank, CCard or Cash transactions"));

    // Dates in one order for the whole file, amounts with one decimal mark.
    std::vector<DateText> dates;
    QStringList amounts;
    for (const auto& statementRecords : records) {
        for (const QifRecord& record : statementRecords) {
            dates.push_back({record.date, record.line});
            amounts.append(record.amount);
            amounts.append(record.splits);
        }
    }
    const DatesRead read = ReadDates(dates, order);
    if (std::optional<StatementFile> unread = UnreadDates(read, file.format))
        return *unread;
    const QChar mark = DecimalMarkOf(amounts, false);
    const auto amountOf = [&](const QString& text, int line) -> std::optional<qint64> {
        const std::optional<qint64> amount = ReadStatementAmount(text, mark, true);
        if (!amount)
            refuse(line, QStringLiteral("\"%1\" is not an amount").arg(text));
        return amount;
    };

    size_t dateIndex = 0;
    for (size_t s = 0; s < records.size(); ++s) {
        Statement& statement = file.statements[s];
        for (const QifRecord& record : records[s]) {
            StatementLine line = record.fields;
            line.fileLine = record.line;
            line.date = read.dates[dateIndex++];
            std::optional<qint64> total;
            if (!record.splits.isEmpty()) {
                qint64 sum = 0;
                for (const QString& split : record.splits) {
                    const std::optional<qint64> part = amountOf(split, record.line);
                    if (!part)
                        return file;
                    sum += *part;
                }
                total = sum;
            }
            if (!record.amount.isEmpty()) {
                const std::optional<qint64> amount = amountOf(record.amount, record.line);
                if (!amount)
                    return file;
                if (total && *total != *amount)
                    return refuse(record.line, QStringLiteral("the splits add up to another amount than %1")
                                                   .arg(record.amount));
                total = amount;
            }
            if (!total)
                return refuse(record.line, QStringLiteral("a transaction has no amount"));
            line.amount = *total;
            ReadQuickenConventions(line);
            statement.lines.push_back(line);
        }
        MakeUpBankIds(statement, u"QIF-");
    }
    file.outcome = StatementFile::Outcome::Read;
    return file;
}

}
