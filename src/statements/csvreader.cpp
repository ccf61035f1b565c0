#include "csvreader.h"

#include "statementtext.h"
#include "store/records.h"

#include <array>
#include <map>

namespace tallyo {

namespace {

struct CsvRow {
    QStringList fields;
    int line = 0;
};

// The separator of the first line: whichever of ",", ";" and tab it holds
// most of outside quotes.
QChar SeparatorOf(const QString& text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (QChar c : text) {
        if (c == u'\n' && !quoted)
            break;
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted)
            c == u',' ? ++commas : c == u';' ? ++semicolons : c == u'\t' ? ++tabs : 0;
    }
    if (semicolons > commas && semicolons >= tabs)
        return u';';
    if (tabs > commas)
        return u'\t';
    return u',';
}

// Records as RFC 4180 reads them, quotes doubled inside quoted fields and
// line breaks kept there; each with the line it begins on. Blank lines are
// left out.
std::vector<CsvRow> SplitRows(const QString& text, QChar separator)
{
    std::vector<CsvRow> rows;
    CsvRow row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int line = 1;
    row.line = 1;
    const auto endField = [&] {
        row.fields.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRow = [&] {
        endField();
        const bool blank = row.fields.size() == 1 && row.fields[0].trimmed().isEmpty();
        if (!blank)
            rows.push_back(row);
        row = CsvRow();
        row.line = line;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field.append(u'"');
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field.append(c);
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
        } else if (c == separator) {
            endField();
        } else if (c == u'\n') {
            ++line;
            endRow();
        } else if (c != u'\r') {
            field.append(c);
            fieldStarted = fieldStarted || c != u' ';
        }
    }
    if (!field.isEmpty() || !row.fields.isEmpty())
        endRow();
    return rows;
}

QString NormalName(const QString& name)
{
    QString normal = name.trimmed().toLower().simplified();
    while (normal.endsWith(u':') || normal.endsWith(u'.'))
        normal.chop(1);
    return normal;
}

// Names banks give their columns, best first.
struct KnownNames {
    int CsvColumns::*column;
    std::array<QStringView, 12> names;
};
const std::array<KnownNames, 9> knownNames{{
    {&CsvColumns::date, {u"date", u"posted date", u"posting date", u"transaction date", u"trans date",
                         u"trans. date", u"date posted", u"booking date", u"value date", u"datum",
                         u"buchungstag", u"date operation"}},
    {&CsvColumns::payee, {u"payee", u"name", u"description", u"transaction description", u"merchant",
                          u"payee name", u"beneficiary", u"counterparty", u"details", u"narrative",
                          u"original description", u"merchant name"}},
    {&CsvColumns::amount, {u"amount", u"transaction amount", u"amount (usd)", u"amount (eur)", u"amount (gbp)",
                           u"value", u"betrag", u"montant", u"net amount", u"amt", u"sum", u"total"}},
    {&CsvColumns::debit, {u"debit", u"debits", u"debit amount", u"withdrawal", u"withdrawals",
                          u"withdrawal amount", u"money out", u"paid out", u"outflow", u"debit (-)", u"out",
                          u"amount debit"}},
    {&CsvColumns::credit, {u"credit", u"credits", u"credit amount", u"deposit", u"deposits", u"deposit amount",
                           u"money in", u"paid in", u"inflow", u"credit (+)", u"in", u"amount credit"}},
    {&CsvColumns::memo, {u"memo", u"comment", u"comments", u"note", u"notes", u"reference", u"remarks",
                         u"additional info", u"extended description", u"purpose", u"verwendungszweck", u"ref"}},
    {&CsvColumns::number, {u"check number", u"check", u"check no", u"check #", u"cheque number", u"cheque",
                           u"cheque no", u"check or slip #", u"num", u"number", u"no", u"chk #"}},
    {&CsvColumns::type, {u"type", u"transaction type", u"trans type", u"details type", u"category type",
                         {}, {}, {}, {}, {}, {}, {}}},
    {&CsvColumns::id, {u"transaction id", u"id", u"fitid", u"unique id", u"transaction reference", {}, {}, {}, {},
                       {}, {}, {}}},
}};

}

CsvColumns RecognizeCsvColumns(const QStringList& header)
{
    CsvColumns columns;
    std::vector<bool> taken(size_t(header.size()), false);
    for (const KnownNames& known : knownNames) {
        for (QStringView name : known.names) {
            if (name.isEmpty() || columns.*known.column >= 0)
                continue;
            for (qsizetype i = 0; i < header.size(); ++i) {
                if (!taken[size_t(i)] && NormalName(header[i]) == name) {
                    columns.*known.column = int(i);
                    taken[size_t(i)] = true;
                    break;
                }
            }
        }
    }
    // Beside both a debit and a credit column, a column named like an
    // amount is something else (a running balance).
    if (columns.amount >= 0 && columns.debit >= 0 && columns.credit >= 0)
        columns.amount = -1;
    return columns;
}

StatementFile ReadCsv(const QByteArray& bytes, DateOrder order, const std::optional<CsvColumns>& given)
{
    StatementFile file;
    file.format = StatementFormat::Csv;
    const auto refuse = [&](int line, const QString& reason) {
        return file = StatementFile::Refusal(file.format, line, reason);
    };

    const QString text = DecodeStatementBytes(bytes);
    const QChar separator = SeparatorOf(text);
    const std::vector<CsvRow> rows = SplitRows(text, separator);
    if (rows.empty())
        return refuse(0, QStringLiteral("the file is empty"));

    // The header row: the first of the first rows whose names tell the
    // columns, else the first row as wide as most rows.
    size_t header = rows.size();
    const size_t looked = qMin<size_t>(rows.size(), 20);
    for (size_t i = 0; i < looked && header == rows.size(); ++i) {
        if (RecognizeCsvColumns(rows[i].fields).complete())
            header = i;
    }
    if (header == rows.size()) {
        std::map<qsizetype, int> widths;
        for (size_t i = 0; i < looked; ++i)
            ++widths[rows[i].fields.size()];
        qsizetype usual = 0;
        int most = 0;
        for (const auto& [width, count] : widths) {
            if (count > most || (count == most && width > usual)) {
                usual = width;
                most = count;
            }
        }
        header = 0;
        while (rows[header].fields.size() != usual)
            ++header;
    }
    const QStringList& names = rows[header].fields;
    const CsvColumns columns = given ? *given : RecognizeCsvColumns(names);
    const int widest = qMax(qMax(qMax(columns.date, columns.payee), qMax(columns.amount, columns.debit)),
                            qMax(qMax(columns.credit, columns.memo), qMax(qMax(columns.number, columns.type), columns.id)));
    if (!columns.complete() || widest >= names.size()) {
        file.outcome = StatementFile::Outcome::NeedsColumns;
        file.csvHeader = names;
        file.csvColumns = RecognizeCsvColumns(names);
        return file;
    }

    const auto field = [](const CsvRow& row, int column) {
        return column >= 0 && column < row.fields.size() ? row.fields[column].trimmed() : QString();
    };
    Statement statement;
    std::vector<DateText> dates;
    std::vector<size_t> dated;  // the line each date belongs to
    QStringList amounts;
    for (size_t r = header + 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        StatementLine line;
        line.fileLine = row.line;
        line.name = field(row, columns.payee);
        line.memo = field(row, columns.memo);
        line.bankId = field(row, columns.id);
        line.checkNumber = CheckNumberOf(field(row, columns.number));
        const QString type = field(row, columns.type);
        if (IsCheckType(type) && line.checkNumber.isEmpty())
            line.checkNumber = CheckNumberOf(type);
        else if (IsTypeCode(type))
            line.registerType = type;
        else if (type.startsWith(u"Check# "))
            line.checkNumber = CheckNumberOf(type.mid(7));
        else if (!type.isEmpty())
            line.bankType = type.toUpper();
        // This program's own export writes the beginning balance without a date.
        const QString date = field(row, columns.date);
        line.beginningBalance = date.isEmpty() && IsTypeCode(type) && type.trimmed() == TypeStart.trimmed();
        if (line.beginningBalance) {
            line.date = QDate(1899, 12, 31);
        } else {
            dates.push_back({date, row.line});
            dated.push_back(statement.lines.size());
        }
        for (int column : {columns.amount, columns.debit, columns.credit}) {
            if (!field(row, column).isEmpty())
                amounts.append(field(row, column));
        }
        statement.lines.push_back(line);
    }
    const DatesRead read = ReadDates(dates, order);
    if (!read.problem.isEmpty())
        return refuse(read.line, read.problem);
    if (read.possible.size() > 1) {
        file.outcome = StatementFile::Outcome::NeedsDateOrder;
        file.possibleOrders = read.possible;
        return file;
    }
    for (size_t i = 0; i < dated.size(); ++i)
        statement.lines[dated[i]].date = read.dates[i];

    const QChar mark = DecimalMarkOf(amounts, separator == u';');
    size_t r = header + 1;
    for (StatementLine& line : statement.lines) {
        const CsvRow& row = rows[r++];
        qint64 amount = 0;
        bool any = false;
        for (int column : {columns.amount, columns.debit, columns.credit}) {
            const QString value = field(row, column);
            if (value.isEmpty())
                continue;
            const std::optional<qint64> read = ReadStatementAmount(value, mark, true);
            if (!read)
                return refuse(row.line, QStringLiteral("\"%1\" is not an amount").arg(value));
            // Debits and credits count by their column, whatever sign they are written with.
            amount += column == columns.debit ? -qAbs(*read) : column == columns.credit ? qAbs(*read) : *read;
            any = true;
        }
        // This program's export writes a voided entry without an amount.
        if (!any && line.registerType.trimmed() != TypeVoid.trimmed())
            return refuse(row.line, QStringLiteral("a transaction has no amount"));
        line.amount = amount;
    }
    MakeUpBankIds(statement, u"CSV-");
    file.statements.push_back(std::move(statement));
    file.outcome = StatementFile::Outcome::Read;
    return file;
}

}
