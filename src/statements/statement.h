#pragma once
// A bank statement as the readers give it back: the lines of one account's
// statement, whatever file they came from (OFX/QFX, QIF or CSV), and the
// one entry point that reads a statement file.
//
//     StatementReadOptions options;            // format and date order found
//     StatementFile file = ReadStatementFile(path, options);
//     if (file.outcome == StatementFile::Outcome::NeedsDateOrder) ask, set
//         options.dateOrder, read again; NeedsColumns: map, set
//         options.csvColumns, read again; Refused: show file.line and
//         file.reason; Read: file.statements.
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tallyo {

enum class StatementFormat { Detect, Ofx, Qif, Csv };

// The order of day, month and year in a date written with numbers alone.
enum class DateOrder { Detect, MonthDayYear, DayMonthYear, YearMonthDay };

// "mdy", "dmy", "ymd" (the command line's words); empty for Detect.
QString DateOrderName(DateOrder order);
// The order a word names; nothing for any other word.
std::optional<DateOrder> DateOrderFromName(QStringView name);

// "ofx", "qif", "csv"; empty for Detect.
QString FormatName(StatementFormat format);
std::optional<StatementFormat> FormatFromName(QStringView name);

// One line of a statement, as the file gives it.
struct StatementLine {
    QDate date;
    qint64 amount = 0;      // ten-thousandths: credits positive, debits negative
    // The bank's id of the transaction (OFX FITID). QIF and CSV carry none:
    // the reader makes one from the line's date, amount, number and payee
    // and how many identical lines came before it, so that the same file
    // gives the same ids every time.
    QString bankId;
    // The bank's word for the kind of transaction, upper case: OFX TRNTYPE
    // ("CHECK", "DEP", "ATM" ...), QIF N words ("DEP", "ATM", "EFT"), a CSV
    // type column. Empty when the file says nothing.
    QString bankType;
    // A type the file gives in the register's own terms (this program's CSV
    // export: "Deposit", "AutoPayment", "Start" ...); empty otherwise.
    QString registerType;
    QString checkNumber;    // digits without leading zeros; empty when none (0 is none)
    QString name;           // OFX NAME, QIF P, CSV description/payee/name
    QString payeeName;      // OFX: the name in a PAYEE aggregate
    QString memo;           // OFX MEMO, QIF M, CSV memo
    QString category;       // QIF L
    bool beginningBalance = false;  // this program's export: the "Start" row
    int fileLine = 0;       // the line of the file it begins on (0: not known)
};

// One account's statement.
struct Statement {
    QString accountId;      // OFX ACCTID; empty for QIF and CSV
    QString accountType;    // OFX "CHECKING", "CREDITCARD" ...; QIF "Bank", "CCard", "Cash"
    QString currency;       // OFX CURDEF; empty when not given
    std::optional<qint64> closingBalance;  // OFX LEDGERBAL, ten-thousandths
    QDate closingDate;
    std::vector<StatementLine> lines;
};

// Where the fields of a CSV statement are: column numbers from 0, -1 for
// none. A statement needs a date, a payee and an amount or a debit or a
// credit column.
struct CsvColumns {
    int date = -1;
    int payee = -1;
    int amount = -1;
    int debit = -1;
    int credit = -1;
    int memo = -1;
    int number = -1;
    int type = -1;
    int id = -1;

    bool complete() const;
    // "date=0;payee=2;amount=3" and back, for remembering a mapping per
    // account; fromText gives nothing for a text it cannot read.
    QString toText() const;
    static std::optional<CsvColumns> fromText(QStringView text);
    bool operator==(const CsvColumns&) const = default;
};

struct StatementReadOptions {
    StatementFormat format = StatementFormat::Detect;  // Detect: from the contents
    DateOrder dateOrder = DateOrder::Detect;           // QIF and CSV only
    std::optional<CsvColumns> csvColumns;              // CSV: else from the header row
};

// What reading a statement file gave.
struct StatementFile {
    enum class Outcome {
        Read,            // statements holds every statement of the file
        Refused,         // the file cannot be read whole: line and reason say why
        NeedsDateOrder,  // QIF/CSV dates fit more than one order: ask and read again
        NeedsColumns,    // CSV columns the reader cannot place: map and read again
    };
    Outcome outcome = Outcome::Refused;
    StatementFormat format = StatementFormat::Detect;  // the format it was read as
    std::vector<Statement> statements;
    int line = 0;      // Refused: the line of the file (0: the file as a whole)
    QString reason;    // Refused: why, in a sentence
    // NeedsDateOrder: the orders that would read every date.
    std::vector<DateOrder> possibleOrders;
    // NeedsColumns: the header row's fields, and the columns the reader
    // could place from their names (a start for the mapping).
    QStringList csvHeader;
    CsvColumns csvColumns;

    // "line 12: the date 20120231 is not a day of the calendar", or the
    // reason alone when no line is known.
    QString problem() const;

    // A file refused at a line (0: as a whole) for a reason.
    static StatementFile Refusal(StatementFormat format, int line, const QString& reason);
};

// Reads a statement file. A file that cannot be opened or read is Refused
// with the system's reason.
StatementFile ReadStatementFile(const QString& path, const StatementReadOptions& options = {});

// The format of a file from its first bytes (OFXHEADER, <?xml, <OFX>: OFX;
// "!Type:" or "!Account": QIF; else CSV).
StatementFormat DetectStatementFormat(QByteArrayView start);

}
