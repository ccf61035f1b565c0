#include "statement.h"

#include "csvreader.h"
#include "ofxreader.h"
#include "qifreader.h"

#include <QFile>
#include <array>
#include <utility>

namespace tallyo {

namespace {

constexpr std::array<std::pair<DateOrder, QStringView>, 3> orderNames{{
    {DateOrder::MonthDayYear, u"mdy"},
    {DateOrder::DayMonthYear, u"dmy"},
    {DateOrder::YearMonthDay, u"ymd"},
}};

constexpr std::array<std::pair<StatementFormat, QStringView>, 3> formatNames{{
    {StatementFormat::Ofx, u"ofx"},
    {StatementFormat::Qif, u"qif"},
    {StatementFormat::Csv, u"csv"},
}};

// The columns by their names in a remembered mapping.
struct ColumnName {
    QStringView name;
    int CsvColumns::*column;
};
constexpr std::array<ColumnName, 9> columnNames{{
    {u"date", &CsvColumns::date},
    {u"payee", &CsvColumns::payee},
    {u"amount", &CsvColumns::amount},
    {u"debit", &CsvColumns::debit},
    {u"credit", &CsvColumns::credit},
    {u"memo", &CsvColumns::memo},
    {u"number", &CsvColumns::number},
    {u"type", &CsvColumns::type},
    {u"id", &CsvColumns::id},
}};

// The value a name stands for in a table, and back.
template <class Value, size_t N>
QString NameIn(const std::array<std::pair<Value, QStringView>, N>& table, Value value)
{
    for (const auto& [each, name] : table) {
        if (each == value)
            return name.toString();
    }
    return {};
}

template <class Value, size_t N>
std::optional<Value> ValueIn(const std::array<std::pair<Value, QStringView>, N>& table, QStringView name)
{
    for (const auto& [value, each] : table) {
        if (each.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
}

}

QString DateOrderName(DateOrder order)
{
    return NameIn(orderNames, order);
}

std::optional<DateOrder> DateOrderFromName(QStringView name)
{
    return ValueIn(orderNames, name);
}

QString FormatName(StatementFormat format)
{
    return NameIn(formatNames, format);
}

std::optional<StatementFormat> FormatFromName(QStringView name)
{
    return ValueIn(formatNames, name);
}

bool CsvColumns::complete() const
{
    return date >= 0 && payee >= 0 && (amount >= 0 || debit >= 0 || credit >= 0);
}

QString CsvColumns::toText() const
{
    QStringList parts;
    for (const ColumnName& entry : columnNames) {
        if (this->*entry.column >= 0)
            parts.append(entry.name.toString() + u'=' + QString::number(this->*entry.column));
    }
    return parts.join(u';');
}

std::optional<CsvColumns> CsvColumns::fromText(QStringView text)
{
    CsvColumns columns;
    for (QStringView part : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = part.indexOf(u'=');
        if (equals < 0)
            return std::nullopt;
        bool isNumber = false;
        const int value = part.mid(equals + 1).toInt(&isNumber);
        if (!isNumber || value < 0)
            return std::nullopt;
        bool known = false;
        for (const ColumnName& entry : columnNames) {
            if (entry.name == part.left(equals)) {
                columns.*entry.column = value;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return columns;
}

StatementFile StatementFile::Refusal(StatementFormat format, int line, const QString& reason)
{
    StatementFile file;
    file.outcome = Outcome::Refused;
    file.format = format;
    file.line = line;
    file.reason = reason;
    return file;
}

QString StatementFile::problem() const
{
    if (line <= 0)
        return reason;
    return QStringLiteral("line %1: %2").arg(line).arg(reason);
}

StatementFormat DetectStatementFormat(QByteArrayView start)
{
    QByteArray head = start.first(qMin<qsizetype>(start.size(), 4096)).toByteArray();
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    head = head.trimmed();
    const QByteArray upper = head.toUpper();
    if (upper.startsWith("OFXHEADER") || upper.contains("<OFX>") || upper.startsWith("<?XML"))
        return StatementFormat::Ofx;
    if (upper.startsWith("!TYPE:") || upper.startsWith("!ACCOUNT") || upper.startsWith("!OPTION"))
        return StatementFormat::Qif;
    return StatementFormat::Csv;
}

StatementFile ReadStatementFile(const QString& path, const StatementReadOptions& options)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return StatementFile::Refusal(options.format, 0, QStringLiteral("%1 cannot be opened: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return StatementFile::Refusal(options.format, 0, QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
    file.close();

    const StatementFormat format =
        options.format == StatementFormat::Detect ? DetectStatementFormat(bytes) : options.format;
    switch (format) {
    case StatementFormat::Ofx:
        return ReadOfxFile(path);
    case StatementFormat::Qif:
        return ReadQif(bytes, options.dateOrder);
    case StatementFormat::Csv:
    case StatementFormat::Detect:
        break;
    }
    return ReadCsv(bytes, options.dateOrder, options.csvColumns);
}

}
