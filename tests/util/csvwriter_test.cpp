// The byte writer of the large CSV exports against the text path it
// replaces: the same bytes for every code-page byte, amount and date, across
// block boundaries, to a device or a string, and a failed write reported.
#include "testrunner.h"

#include "store/fields.h"
#include "store/fileerror.h"
#include "util/csv.h"
#include "util/csvwriter.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QBuffer>
#include <QFile>
#include <QTest>
#include <QTextStream>
#include <cmath>
#include <limits>

using namespace tallyo;

namespace {

// A buffer that remembers the size of every write it is given.
class CountingBuffer : public QBuffer {
public:
    QList<qint64> writes;

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        writes.append(length);
        return QBuffer::writeData(data, length);
    }
};

// What the writer gives for the fields `write` adds, as one record.
template <class Write>
QByteArray Written(Write write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextStream out(&buffer);
    CsvWriter csv(out);
    write(csv);
    csv.endRecord();
    csv.finish();
    return buffer.data();
}

QByteArray Expected(const QStringList& fields)
{
    return CsvRecord(fields).toUtf8();
}

}

class CsvWriterTest : public QObject {
    Q_OBJECT

private slots:
    void everyStoredByteIsDecodedAsTheStoreDecodesIt()
    {
        // Each byte alone, between letters, and beside the characters that
        // call for quotes.
        QStringList fields;
        const QByteArray written = Written([&](CsvWriter& csv) {
            for (int byte = 0; byte < 256; ++byte) {
                for (const QByteArray& around : {QByteArray(), QByteArray("a%b"), QByteArray("\"%,"),
                                                 QByteArray("%\r\n")}) {
                    QByteArray bytes = around.isEmpty() ? QByteArray(1, char(byte)) : around;
                    bytes.replace('%', QByteArray(1, char(byte)));
                    csv.storedText(bytes);
                    fields.append(ReadText(bytes.constData(), int(bytes.size())));
                }
            }
        });
        QCOMPARE(written, Expected(fields));
        QVERIFY(written.contains("\xE2\x82\xAC"));  // 0x80, the euro sign
    }

    void textsAreQuotedAsCsvFieldQuotesThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "Groceries";
        QTest::newRow("empty") << "";
        QTest::newRow("comma") << "Smith, John";
        QTest::newRow("quotes") << "The \"Inn\"";
        QTest::newRow("only a quote") << "\"";
        QTest::newRow("line feed") << "one\ntwo";
        QTest::newRow("carriage return") << "one\rtwo";
        QTest::newRow("spaces kept") << "  padded  ";
        QTest::newRow("beyond the code page") << QString::fromUtf8("\xE2\x9C\x93 \xF0\x9F\x92\xB0, ok");
    }

    void textsAreQuotedAsCsvFieldQuotesThem()
    {
        QFETCH(QString, text);
        QCOMPARE(Written([&](CsvWriter& csv) {
                     csv.text(text);
                     csv.text(text.toUtf8());
                 }),
                 Expected({text, text}));
    }

    void amountsAsThePlainFormat_data()
    {
        QTest::addColumn<qint64>("amount");
        QTest::newRow("zero") << qint64(0);
        QTest::newRow("cents") << qint64(500);
        QTest::newRow("negative") << qint64(-12345000);
        QTest::newRow("tiny negative") << qint64(-49);
        QTest::newRow("negative half cent") << qint64(-50);
        QTest::newRow("rounds into a new digit") << qint64(9999999950);
        QTest::newRow("largest") << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest") << std::numeric_limits<qint64>::min();
    }

    void amountsAsThePlainFormat()
    {
        QFETCH(qint64, amount);
        QCOMPARE(Written([&](CsvWriter& csv) { csv.amount(amount); }), Expected({FormatAmountPlain(amount)}));
    }

    void datesAsTheirDay_data()
    {
        QTest::addColumn<double>("stored");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("a day") << 45000.0 << QByteArray("2023-03-15");
        QTest::newRow("afternoon") << 45000.75 << QByteArray("2023-03-15");
        QTest::newRow("a second before midnight") << 45000.0 + 86399.0 / 86400 << QByteArray("2023-03-15");
        QTest::newRow("rounds up to the next day") << 45000.999999 << QByteArray("2023-03-16");
        QTest::newRow("day one") << 1.0 << QByteArray("1899-12-31");
        QTest::newRow("before the epoch") << -1.25 << QByteArray("1899-12-29");
        QTest::newRow("first day") << -657434.0 << QByteArray("0100-01-01");
        QTest::newRow("last day") << 2958465.5 << QByteArray("9999-12-31");
        QTest::newRow("after the last day") << 2958466.0 << QByteArray();
        QTest::newRow("before the first day") << -657435.0 << QByteArray();
        QTest::newRow("not a number") << std::nan("") << QByteArray();
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QByteArray();
    }

    void datesAsTheirDay()
    {
        QFETCH(double, stored);
        QFETCH(QByteArray, expected);
        QCOMPARE(FormatDate(stored, u"yyyy-mm-dd").toUtf8(), expected);
        QCOMPARE(Written([&](CsvWriter& csv) {
                     csv.date(stored);
                     csv.number(-7);
                 }),
                 expected + ",-7\r\n");
    }

    void manyRecordsGoOutInWholeBlocks()
    {
        CountingBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QTextStream out(&buffer);
        out << "before,";  // what the stream holds goes out first
        QString expected = QStringLiteral("before,");
        {
            CsvWriter csv(out);
            for (int i = 0; i < 80000; ++i) {
                const QByteArray payee = "Caf\xE9 \"" + QByteArray::number(i) + "\", Main St";
                const double date = 45000 + i / 7 + (i % 5) * 0.2;  // days that repeat, then change
                csv.date(date);
                csv.storedText(payee);
                csv.amount(-qint64(i) * 137);
                csv.number(i);
                csv.endRecord();
                expected += CsvRecord({FormatDate(date, u"yyyy-mm-dd"), ReadText(payee.constData(), int(payee.size())),
                                       FormatAmountPlain(-qint64(i) * 137), QString::number(i)});
            }
            csv.finish();
        }
        QCOMPARE(buffer.data(), expected.toUtf8());
        QVERIFY(buffer.data().size() > 2 * CsvWriter::BlockBytes);
        // The stream's own text, then one write per block, none larger.
        QCOMPARE(buffer.writes.first(), qint64(7));
        QVERIFY(buffer.writes.size() <= 1 + buffer.data().size() / CsvWriter::BlockBytes + 1);
        for (qint64 size : buffer.writes.mid(1))
            QVERIFY(size <= CsvWriter::BlockBytes);
    }

    void aStreamOnAStringGetsTheText()
    {
        QString text;
        QTextStream out(&text);
        CsvWriter csv(out);
        csv.storedText("na\xEFve, \x93quoted\x94");
        csv.amount(-10050);
        csv.endRecord();
        csv.finish();
        QCOMPARE(text, QString::fromUtf8("\"na\xC3\xAFve, \xE2\x80\x9Cquoted\xE2\x80\x9D\",-1.01\r\n"));
    }

    void aFailedWriteIsReported()
    {
        QFile full(QStringLiteral("/dev/full"));
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            QSKIP("/dev/full is not available");
        QTextStream out(&full);
        CsvWriter csv(out);
        try {
            for (int i = 0; i < 200000; ++i) {
                csv.storedText("Some payee");
                csv.endRecord();
            }
            csv.finish();
            QFAIL("no failure reported");
        } catch (const FileError& error) {
            QCOMPARE(error.operation(), QStringLiteral("write"));
            QCOMPARE(error.file(), QStringLiteral("/dev/full"));
            QVERIFY(!error.reason().isEmpty());
        }
    }
};

TALLYO_TEST(CsvWriterTest)
#include "csvwriter_test.moc"
