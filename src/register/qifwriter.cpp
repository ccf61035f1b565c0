#include "qifwriter.h"

#include "store/fileerror.h"
#include "store/records.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QFileDevice>
#include <QTextStream>

namespace tallyo {

namespace {

// The QIF number of each type code that has one, in the words readers
// know: deposits, cash machine, electronic transfers, fees. Other credits
// and debits go without a number.
QString NumberOfType(const QString& type)
{
    if (type == TypeDeposit.trimmed())
        return QStringLiteral("DEP");
    if (type == TypeAtmCash.trimmed())
        return QStringLiteral("ATM");
    if (type == TypeAutoPayment.trimmed() || type == TypeAutoDeposit.trimmed())
        return QStringLiteral("EFT");
    if (type == TypeServiceFee.trimmed())
        return QStringLiteral("FEE");
    if (type == TypeOtherCredit.trimmed() || type == TypeOtherDebit.trimmed())
        return {};
    return type;  // a check number, or a type no other code names
}

// A field's text on one line: control characters become spaces.
QByteArray OneLine(const QString& text)
{
    QByteArray utf8 = text.toUtf8();
    for (char& c : utf8) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    return utf8.trimmed();
}

void AddLine(QByteArray& record, char code, const QString& text)
{
    const QByteArray line = OneLine(text);
    if (line.isEmpty())
        return;
    record += code;
    record += line;
    record += "\r\n";
}

// Sends bytes to a stream's device, or to the stream itself when it has
// none; a failed write throws FileError naming the file.
class QifOutput {
public:
    explicit QifOutput(QTextStream& out) : stream_(out), device_(out.device()) { stream_.flush(); }

    void write(const QByteArray& bytes)
    {
        if (!device_) {
            stream_ << QString::fromUtf8(bytes);
            return;
        }
        if (device_->write(bytes) != bytes.size())
            fail(device_->errorString());
    }
    void finish()
    {
        if (auto* file = qobject_cast<QFileDevice*>(device_); file && !file->flush())
            fail(file->errorString());
        if (!device_)
            stream_.flush();
    }

private:
    [[noreturn]] void fail(const QString& reason)
    {
        auto* file = qobject_cast<QFileDevice*>(device_);
        const QString name = file && !file->fileName().isEmpty() ? file->fileName() : QStringLiteral("standard output");
        throw FileError(name, QStringLiteral("write"), reason);
    }

    QTextStream& stream_;
    QIODevice* device_;
};

}

QDate QifOpeningDay(const RegisterRows& rows)
{
    for (qint32 i = 0; i < rows.size(); ++i) {
        if (!rows[i].isStart())
            return DateFromStored(rows[i].date);
    }
    return rows.isEmpty() ? QDate() : DateFromStored(rows[0].date);
}

QifTransaction QifTransactionOf(const RegisterRows& rows, qint32 i, const QString& accountName, QDate openingDay)
{
    const RegisterRow& row = rows[i];
    QifTransaction qif;
    qif.date = DateFromStored(row.date);
    qif.amount = row.amount;
    qif.cleared = row.cleared;
    qif.payee = rows.payee(i);
    qif.memo = rows.comment(i);
    if (row.isStart()) {
        qif.date = openingDay;
        qif.payee = QStringLiteral("Opening Balance");
        qif.category = u'[' + accountName.trimmed() + u']';
    } else if (row.isVoid()) {
        qif.payee.prepend(QStringLiteral("**VOID**"));
    } else {
        qif.number = NumberOfType(rows.type(i).trimmed());
    }
    return qif;
}

QByteArray QifRecordText(const QifTransaction& transaction)
{
    QByteArray record;
    if (transaction.date.isValid()) {
        // Month and day first, as the format began; the year in full.
        record += 'D';
        record += transaction.date.toString(QStringLiteral("MM/dd/yyyy")).toLatin1();
        record += "\r\n";
    }
    char amount[AmountTextRoom];
    record += 'T';
    record += QByteArrayView(amount, WriteAmountPlain(amount, transaction.amount) - amount);
    record += "\r\n";
    if (transaction.cleared)
        record += "C*\r\n";
    AddLine(record, 'N', transaction.number);
    AddLine(record, 'P', transaction.payee);
    AddLine(record, 'M', transaction.memo);
    AddLine(record, 'L', transaction.category);
    record += "^\r\n";
    return record;
}

void WriteRowsQif(QTextStream& out, const RegisterRows& rows, const QString& accountName,
                  const std::function<bool(qint32)>& keep)
{
    constexpr qsizetype BlockBytes = qsizetype(1) << 20;
    QifOutput output(out);
    const QDate openingDay = QifOpeningDay(rows);
    QByteArray block = QifBankHeader;
    block.reserve(BlockBytes + 4096);
    for (qint32 i = 0; i < rows.size(); ++i) {
        if (keep && !keep(i))
            continue;
        block += QifRecordText(QifTransactionOf(rows, i, accountName, openingDay));
        if (block.size() >= BlockBytes) {
            output.write(block);
            block.clear();
        }
    }
    output.write(block);
    output.finish();
}

}
