// Paged text and rule lines, printed on the recording surface (a character
// is half the font size wide, a line 1.2 times the font size high).
#include "platform/recordingsurface.h"
#include "store/fileerror.h"
#include "testrunner.h"
#include "transcript.h"
#include "util/printing.h"

#include <QTest>

using namespace tallyo;

namespace {

// Lines "Line 1" ... "Line n", each ended with CR LF.
QString numberedLines(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("Line %1\r\n").arg(i);
    return text;
}

QString wordsOf(int count, const QString& word)
{
    return word.repeated(count);
}

// The page-number pieces of a recording as "page:text@x,y".
QStringList pageNumbers(const RecordingSurface& surface)
{
    QStringList found;
    for (const PrintedPiece& piece : surface.pieces()) {
        if (piece.text.startsWith(QStringLiteral("(page")))
            found << QStringLiteral("%1:%2@%3,%4")
                         .arg(piece.page)
                         .arg(piece.text)
                         .arg(piece.x, 0, 'f', 2)
                         .arg(piece.y, 0, 'f', 2);
    }
    return found;
}

// A surface whose printer refuses to start.
class RefusingSurface : public RecordingSurface {
protected:
    void drawText(double, double, const QString&, const PrintFont&) override
    {
        throw FileError(QStringLiteral("Printer"), QStringLiteral("print to"), QStringLiteral("offline"));
    }
};

}

class PrintingHelpers : public QObject {
    Q_OBJECT

private slots:
    void pageNumbersFromPageTwo_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("numbers");

        // 10 point lines are 1/6 inch apart from 1 inch down; the 47th line
        // ends past 8.8 inches.
        QTest::newRow("one line") << 1 << 1 << QStringList();
        QTest::newRow("exactly one page") << 47 << 1 << QStringList();
        QTest::newRow("one line over") << 48 << 2 << QStringList{"2:(page 2)@6.00,9.20"};
        QTest::newRow("three pages") << 120 << 3
                                     << QStringList{"2:(page 2)@6.00,9.20", "3:(page 3)@6.00,9.20"};
    }
    void pageNumbersFromPageTwo()
    {
        QFETCH(int, lines);
        QFETCH(int, pages);
        QFETCH(QStringList, numbers);

        RecordingSurface surface;
        PrintPagedText(surface, numberedLines(lines), PagedTextOptions{});

        QCOMPARE(surface.pagesStarted(), pages - 1);
        QCOMPARE(pageNumbers(surface), numbers);
        QCOMPARE(surface.documentsEnded(), 1);
        // Every line arrives, in order, once.
        QStringList printed;
        for (const PrintedPiece& piece : surface.pieces()) {
            if (!piece.text.startsWith(QStringLiteral("(page")))
                printed << piece.text;
        }
        QCOMPARE(printed.size(), lines);
        QCOMPARE(printed.last(), QStringLiteral("Line %1").arg(lines));
    }

    void wrapping_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");

        // 10 point: 72/5 characters to the inch. From the 1 inch margin, the
        // 80th character ends past 6.5 inches (right limit 7.5 - 1) and the
        // 101st past 8.0 inches (limit + 0.5).
        const QString word = QStringLiteral("abcdefgh ");
        QTest::newRow("break after first space in zone")
            << wordsOf(12, word) << QStringList{wordsOf(9, word), wordsOf(3, word)};
        QTest::newRow("space exactly at the 80th character")
            << wordsOf(10, QStringLiteral("abcdefghi ")) + QStringLiteral("end")
            << QStringList{wordsOf(8, QStringLiteral("abcdefghi ")),
                           QStringLiteral("abcdefghi abcdefghi end")};
        QTest::newRow("long word broken past limit + 0.5")
            << QString(150, QLatin1Char('x'))
            << QStringList{QString(101, QLatin1Char('x')), QString(49, QLatin1Char('x'))};
        QTest::newRow("word running from inside the zone")
            << QString(75, QLatin1Char('a')) + QLatin1Char(' ') + QString(40, QLatin1Char('b'))
            << QStringList{QString(75, QLatin1Char('a')) + QLatin1Char(' ') + QString(25, QLatin1Char('b')),
                           QString(15, QLatin1Char('b'))};
        QTest::newRow("CR LF ends a line, a blank line stays")
            << QStringLiteral("first\r\n\r\nthird") << QStringList{"first", "third"};
    }
    void wrapping()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);

        RecordingSurface surface;
        PrintPagedText(surface, text, PagedTextOptions{});

        QCOMPARE(surface.textsOnPage(1), lines);
        for (const PrintedPiece& piece : surface.pieces())
            QCOMPARE(piece.x, 1.0);
    }

    void titles_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("everyPage");
        QTest::addColumn<double>("titleX");
        QTest::addColumn<QList<int>>("titlePages");

        // "Summary" at 10 point is 35 points wide: centred on 8.5 inch paper
        // it starts at 4.25 - 35/144 inches.
        const double centred = 4.25 - 35.0 / 144.0;
        QTest::newRow("plain, first page") << false << false << false << 2.0 << QList<int>{1};
        QTest::newRow("centred, underlined") << true << true << false << centred << QList<int>{1};
        QTest::newRow("every page") << true << false << true << centred << QList<int>{1, 2};
    }
    void titles()
    {
        QFETCH(bool, centre);
        QFETCH(bool, underline);
        QFETCH(bool, everyPage);
        QFETCH(double, titleX);
        QFETCH(QList<int>, titlePages);

        RecordingSurface surface;
        PagedTextOptions options;
        options.title = QStringLiteral("Summary");
        options.centreTitle = centre;
        options.underlineTitle = underline;
        options.titleOnEveryPage = everyPage;
        options.leftMargin = 2.0;
        PrintPagedText(surface, numberedLines(60), options);

        QList<int> pages;
        for (const PrintedPiece& piece : surface.pieces()) {
            if (piece.text != options.title) {
                QVERIFY2(!piece.font.underline, qPrintable(piece.text));
                continue;
            }
            pages << piece.page;
            QCOMPARE(piece.x, titleX);
            QCOMPARE(piece.y, 1.0);
            QCOMPARE(piece.font.underline, underline);
        }
        QCOMPARE(pages, titlePages);
        // After the title and a blank line, the text starts at the margin.
        const PrintedPiece& first = surface.pieces().at(1);
        QCOMPARE(first.text, QStringLiteral("Line 1"));
        QCOMPARE(first.x, 2.0);
        QCOMPARE(first.y, 1.0 + 2 * 10 * 1.2 / 72);
        QVERIFY(!surface.fontUnderline());
    }

    void summaryLayoutTranscript()
    {
        // As a summary prints: 10 point, margin 2 inches, limit 7.5 inches,
        // with a paragraph long enough to wrap twice.
        RecordingSurface surface;
        PagedTextOptions options;
        options.leftMargin = 2.0;
        options.rightLimit = 7.5;
        const QString text = QStringLiteral("Date - 12/08/26\r\n\r\nSummary-\r\nHousehold\r\n\r\n")
            + QStringLiteral("Checks written this month covered the rent, the power bill, two "
                             "insurance premiums and a long list of groceries from the market "
                             "down the road; statements are filed under "
                             "household/accounts/checking/2026/december/statement-of-account-number-12345678.pdf "
                             "for later.\r\n");
        PrintPagedText(surface, text, options);
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("paged-summary"));
    }

    void titledPagesTranscript()
    {
        // Large type keeps the pages short: 24 point lines are 0.4 inch apart.
        RecordingSurface surface;
        surface.setFontSize(24);
        PagedTextOptions options;
        options.title = QStringLiteral("Notes");
        options.centreTitle = true;
        options.underlineTitle = true;
        options.titleOnEveryPage = true;
        PrintPagedText(surface, numberedLines(30), options);
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("paged-titled"));
    }

    void documentAndBusyState_data()
    {
        QTest::addColumn<bool>("keepOpen");
        QTest::addColumn<int>("ended");
        QTest::newRow("document ended") << false << 1;
        QTest::newRow("document kept open") << true << 0;
    }
    void documentAndBusyState()
    {
        QFETCH(bool, keepOpen);
        QFETCH(int, ended);

        RecordingSurface surface;
        surface.setScaleUnit(ScaleUnit::Twips);
        QList<bool> busyCalls;
        PagedTextOptions options;
        options.keepDocumentOpen = keepOpen;
        PrintPagedText(surface, QStringLiteral("Hello"), options, [&](bool busy) { busyCalls << busy; });

        QCOMPARE(surface.documentsEnded(), ended);
        QCOMPARE(busyCalls, (QList<bool>{true, false}));
        // Printed in inches; the caller's unit is back.
        QCOMPARE(surface.pieces().first().unit, ScaleUnit::Inches);
        QCOMPARE(surface.scaleUnit(), ScaleUnit::Twips);
    }

    void failingPrinterLeavesWindowUsable()
    {
        RefusingSurface surface;
        QList<bool> busyCalls;
        QVERIFY_THROWS_EXCEPTION(FileError, PrintPagedText(surface, QStringLiteral("Hello"), PagedTextOptions{},
                                                           [&](bool busy) { busyCalls << busy; }));
        QCOMPARE(busyCalls, (QList<bool>{true, false}));
    }

    void ruleLine_data()
    {
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<int>("underscores");

        // 9 point underscores are 1/16 inch wide: 102 end at 7.175, 103 at 7.2375.
        QTest::newRow("list rule, 9 point") << 9.0 << 0.8 << 7.2 << 103;
        QTest::newRow("exact fit, 9 point") << 9.0 << 1.0 << 2.0 << 16;
        QTest::newRow("10 point") << 10.0 << 0.8 << 7.2 << 93;
        QTest::newRow("nothing to span") << 9.0 << 3.0 << 3.0 << 0;
        QTest::newRow("right before left") << 9.0 << 5.0 << 2.0 << 0;
        QTest::newRow("font without width") << 0.0 << 0.8 << 7.2 << 0;
    }
    void ruleLine()
    {
        QFETCH(double, size);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(int, underscores);

        RecordingSurface surface;
        surface.setFontSize(size);
        surface.setCurrentY(3.0);
        PrintRuleLine(surface, left, right);

        const QStringList printed = surface.textsOnPage(1);
        QCOMPARE(printed, underscores ? QStringList{QString(underscores, QLatin1Char('_'))} : QStringList());
        if (underscores) {
            QCOMPARE(surface.pieces().first().x, left);
            const double width = size * RecordingSurface::WidthFactor / 72;
            const double end = left + underscores * width;
            QVERIFY2(end >= right - 1e-9 && end - width < right, qPrintable(QString::number(end)));
        }
        QCOMPARE(surface.currentX(), 0.0);
        QCOMPARE(surface.currentY(), 3.0 + size * RecordingSurface::LineFactor / 72);
    }
};

TALLYO_TEST(PrintingHelpers)
#include "printing.moc"
