#include "statementtext.h"

#include "store/records.h"

#include <QCryptographicHash>
#include <QHash>
#include <QStringDecoder>

namespace tallyo {

namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x00A0) || c == QChar(0x202F);
}

QStringView TrimBlanks(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

// Ends in the mark and one or two digits: that mark is a decimal mark.
bool EndsInDecimals(QStringView text, QChar mark)
{
    text = TrimBlanks(text);
    while (!text.isEmpty() && (text.back() == u')' || text.back() == u'-'))
        text.chop(1);
    const qsizetype at = text.lastIndexOf(mark);
    if (at < 0)
        return false;
    const qsizetype decimals = text.size() - at - 1;
    if (decimals < 1 || decimals > 2)
        return false;
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
    }
    return true;
}

// Money's range, kept well inside 64 bits so that sums of many lines fit.
constexpr qint64 LargestAmount = Q_INT64_C(99999999999999999);

}

QString DecodeStatementBytes(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.decode(view);
}

std::optional<qint64> ReadStatementAmount(QStringView text, QChar decimalMark, bool groups)
{
    text = TrimBlanks(text);
    bool negative = false;
    if (text.size() >= 2 && text.front() == u'(' && text.back() == u')') {
        negative = true;
        text = TrimBlanks(text.mid(1, text.size() - 2));
    }
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = negative != (text.front() == u'-');
        text = TrimBlanks(text.mid(1));
    } else if (!text.isEmpty() && text.back() == u'-') {
        negative = !negative;
        text = TrimBlanks(text.chopped(1));
    }
    const QChar groupMark = decimalMark == u'.' ? u',' : u'.';
    qint64 whole = 0;
    int wholeDigits = 0;
    int groupDigits = -1;  // digits since the last group mark; -1 before any
    qint64 fraction = 0;
    int decimals = -1;     // -1 before the decimal mark
    QChar lastMark;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            const int digit = c.unicode() - u'0';
            if (decimals >= 0) {
                if (++decimals > 4)
                    return std::nullopt;
                fraction = fraction * 10 + digit;
            } else {
                if (++wholeDigits > 13)
                    return std::nullopt;
                whole = whole * 10 + digit;
                if (groupDigits >= 0)
                    ++groupDigits;
            }
            continue;
        }
        if (c == decimalMark && decimals < 0) {
            if (groupDigits >= 0 && groupDigits != 3)
                return std::nullopt;
            decimals = 0;
            continue;
        }
        const bool isGroupMark = c == groupMark || c == u'\'' || IsBlank(c);
        if (!groups || !isGroupMark || decimals >= 0 || wholeDigits == 0)
            return std::nullopt;
        // Groups of three digits after the first, all set off by one mark.
        if ((groupDigits >= 0 && groupDigits != 3) || (groupDigits < 0 && wholeDigits > 3)
            || (!lastMark.isNull() && lastMark != c))
            return std::nullopt;
        lastMark = c;
        groupDigits = 0;
    }
    if (wholeDigits == 0 && decimals <= 0)
        return std::nullopt;
    if (groupDigits >= 0 && groupDigits != 3)
        return std::nullopt;
    for (int d = qMax(decimals, 0); d < 4; ++d)
        fraction *= 10;
    const qint64 amount = whole * 10000 + fraction;
    if (amount > LargestAmount)
        return std::nullopt;
    return negative ? -amount : amount;
}

QChar DecimalMarkOf(const QStringList& amounts, bool commaLikely)
{
    bool comma = false;
    bool point = false;
    for (const QString& amount : amounts) {
        comma = comma || EndsInDecimals(amount, u',');
        point = point || EndsInDecimals(amount, u'.');
    }
    if (point)
        return u'.';
    if (comma || commaLikely)
        return u',';
    return u'.';
}

std::optional<DateParts> SplitNumericDate(QStringView text)
{
    text = TrimBlanks(text);
    // A time after the day ("2024-01-05 00:00:00", "2024-01-05T10:00") is dropped.
    const qsizetype colon = text.indexOf(u':');
    if (colon >= 0) {
        qsizetype cut = colon;
        while (cut > 0 && text[cut] != u' ' && text[cut] != u'T')
            --cut;
        if (cut == 0)
            return std::nullopt;
        text = TrimBlanks(text.left(cut));
    }
    std::vector<QStringView> numbers;
    bool apostropheBeforeLast = false;
    qsizetype i = 0;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            qsizetype end = i;
            while (end < text.size() && IsDigit(text[end]))
                ++end;
            numbers.push_back(text.mid(i, end - i));
            i = end;
            continue;
        }
        const QChar c = text[i];
        if (c != u'/' && c != u'-' && c != u'.' && c != u'\'' && !IsBlank(c))
            return std::nullopt;
        if (c == u'\'')
            apostropheBeforeLast = true;
        else if (!IsBlank(c))
            apostropheBeforeLast = false;
        ++i;
    }
    DateParts parts;
    if (numbers.size() == 1 && numbers[0].size() == 8) {  // 20240105
        parts.first = numbers[0].left(4).toInt();
        parts.second = numbers[0].mid(4, 2).toInt();
        parts.third = numbers[0].mid(6, 2).toInt();
        parts.firstIsYear = true;
        return parts;
    }
    if (numbers.size() != 3)
        return std::nullopt;
    const auto fits = [](QStringView number) { return number.size() <= 2 || number.size() == 4; };
    if (!fits(numbers[0]) || !fits(numbers[2]) || numbers[1].size() > 2)
        return std::nullopt;
    parts.first = numbers[0].toInt();
    parts.second = numbers[1].toInt();
    parts.third = numbers[2].toInt();
    parts.lastAsWritten = parts.third;
    parts.lastDigits = int(numbers[2].size());
    parts.firstIsYear = numbers[0].size() == 4;
    if (numbers[2].size() <= 2 && !parts.firstIsYear)
        parts.third = apostropheBeforeLast ? 2000 + parts.third : (parts.third < 30 ? 2000 : 1900) + parts.third;
    if (parts.firstIsYear && numbers[2].size() == 4)
        return std::nullopt;
    return parts;
}

QDate DateInOrder(const DateParts& parts, DateOrder order)
{
    if (parts.firstIsYear)
        return QDate(parts.first, parts.second, parts.third);
    switch (order) {
    case DateOrder::MonthDayYear:
        return QDate(parts.third, parts.first, parts.second);
    case DateOrder::DayMonthYear:
        return QDate(parts.third, parts.second, parts.first);
    case DateOrder::YearMonthDay:
        // A year of one or two digits written first, the day last.
        if (parts.lastDigits > 2)
            return {};
        return QDate((parts.first < 30 ? 2000 : 1900) + parts.first, parts.second, parts.lastAsWritten);
    case DateOrder::Detect:
        break;
    }
    return {};
}

std::vector<DateOrder> OrdersThatFit(const std::vector<DateParts>& dates)
{
    std::vector<DateOrder> fit;
    bool anyOpen = false;
    for (const DateParts& parts : dates)
        anyOpen = anyOpen || !parts.firstIsYear;
    if (!anyOpen)
        return {DateOrder::YearMonthDay};
    for (DateOrder order : {DateOrder::MonthDayYear, DateOrder::DayMonthYear, DateOrder::YearMonthDay}) {
        bool all = true;
        for (const DateParts& parts : dates) {
            if (!DateInOrder(parts, order).isValid()) {
                all = false;
                break;
            }
        }
        if (all)
            fit.push_back(order);
    }
    return fit;
}

QString CheckNumberOf(QStringView text)
{
    text = TrimBlanks(text);
    while (!text.isEmpty() && text.front() == u'0')
        text = text.mid(1);
    if (text.isEmpty() || text.size() > TransactionRecord::TypeWidth)
        return {};
    for (QChar c : text) {
        if (!IsDigit(c))
            return {};
    }
    return text.toString();
}

void MakeUpBankIds(Statement& statement, QStringView prefix)
{
    QHash<QString, int> seen;
    for (StatementLine& line : statement.lines) {
        if (!line.bankId.isEmpty())
            continue;
        // The fields joined by unit separators, built in one buffer: this
        // runs for every line of a statement.
        QString fields;
        fields.reserve(40 + line.checkNumber.size() + line.name.size() + line.memo.size());
        fields.append(line.date.toString(Qt::ISODate)).append(u'\x1f').append(QString::number(line.amount));
        for (const QString* text : {&line.checkNumber, &line.name, &line.memo})
            fields.append(u'\x1f').append(*text);
        const int before = seen[fields]++;
        const QByteArray hash = QCryptographicHash::hash((fields + u'\x1f' + QString::number(before)).toUtf8(),
                                                         QCryptographicHash::Sha1);
        line.bankId = prefix.toString() + QString::fromLatin1(hash.left(10).toHex());
    }
}

}

namespace tallyo {

namespace {

QString OrderWords(DateOrder order)
{
    switch (order) {
    case DateOrder::MonthDayYear: return QStringLiteral("month/day/year");
    case DateOrder::DayMonthYear: return QStringLiteral("day/month/year");
    case DateOrder::YearMonthDay: return QStringLiteral("year/month/day");
    case DateOrder::Detect: break;
    }
    return {};
}

}

DatesRead ReadDates(const std::vector<DateText>& texts, DateOrder given)
{
    DatesRead read;
    std::vector<DateParts> parts;
    parts.reserve(texts.size());
    for (const DateText& text : texts) {
        const std::optional<DateParts> split = SplitNumericDate(text.text);
        if (!split) {
            read.line = text.line;
            read.problem = text.text.trimmed().isEmpty() ? QStringLiteral("a transaction has no date")
                                                         : QStringLiteral("\"%1\" is not a date").arg(text.text.trimmed());
            return read;
        }
        parts.push_back(*split);
    }
    DateOrder order = given;
    if (order == DateOrder::Detect) {
        read.possible = OrdersThatFit(parts);
        if (read.possible.size() > 1)
            return read;
        // No order reads every date: the first date that no order reads
        // is refused; else the first that the likeliest order does not.
        order = read.possible.empty() ? DateOrder::MonthDayYear : read.possible.front();
        if (read.possible.empty()) {
            for (size_t i = 0; i < parts.size(); ++i) {
                bool anyOrder = false;
                for (DateOrder each : {DateOrder::MonthDayYear, DateOrder::DayMonthYear, DateOrder::YearMonthDay})
                    anyOrder = anyOrder || DateInOrder(parts[i], each).isValid();
                if (!anyOrder) {
                    read.line = texts[i].line;
                    read.problem = QStringLiteral("the date %1 is not a day of the calendar").arg(texts[i].text.trimmed());
                    return read;
                }
            }
            read.line = texts.empty() ? 0 : texts.front().line;
            read.problem = QStringLiteral("the dates fit no one order of day, month and year");
            return read;
        }
    }
    read.dates.reserve(parts.size());
    for (size_t i = 0; i < parts.size(); ++i) {
        const QDate date = DateInOrder(parts[i], order);
        if (!date.isValid()) {
            read.line = texts[i].line;
            read.problem = QStringLiteral("the date %1 is not a day of the calendar (read as %2)")
                               .arg(texts[i].text.trimmed(), OrderWords(order));
            return read;
        }
        read.dates.push_back(date);
    }
    read.possible = {order};
    return read;
}

std::optional<StatementFile> UnreadDates(const DatesRead& read, StatementFormat format)
{
    if (!read.problem.isEmpty())
        return StatementFile::Refusal(format, read.line, read.problem);
    if (read.possible.size() <= 1)
        return std::nullopt;
    StatementFile file;
    file.outcome = StatementFile::Outcome::NeedsDateOrder;
    file.format = format;
    file.possibleOrders = read.possible;
    return file;
}

}
