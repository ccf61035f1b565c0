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

StatementFile Refusal(StatementFormat format, const QString& reason)
{
    StatementFile file;
    file.outcome = StatementFile::Outcome::Refused;
    file.format = format;
    file.reason = reason;
    return file;
}

}

QString DateOrderName(DateOrder order)
{
    for (const auto& [value, name] : orderNames) {
        if (value == order)
            return name.toString();
    }
    return {};
}

std::optional<DateOrder> DateOrderFromName(QStringView name)
{
    for (const auto& [value, text] : orderNames) {
        if (text == name)
            return value;
    }
    return std::nullopt;
}

QString FormatName(StatementFormat format)
{
    for (const auto& [value, name] : formatNames) {
        if (value == format)
            return name.toString();
    }
    return {};
}

std::optional<StatementFormat> FormatFromName(QStringView name)
{
    for (const auto& [value, text] : formatNames) {
        if (text.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return std::nullopt;
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
        return Refusal(options.format, QStringLiteral("%1 cannot be opened: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Refusal(options.format, QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
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
