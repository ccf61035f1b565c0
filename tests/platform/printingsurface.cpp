// The pen, lines, columns, pages and units of a page surface, watched on the
// recording surface (a character is half the font size wide, a line 1.2
// times the font size high).
#include "platform/recordingsurface.h"
#include "testrunner.h"
#include "transcript.h"

#include <QTest>

using namespace tallyo;

namespace {

// 12 point: characters 1/12 inch wide, lines 0.2 inch apart.
constexpr double Char12 = 1.0 / 12;
constexpr double Line12 = 0.2;

}

class PrintingSurface : public QObject {
    Q_OBJECT

private slots:
    void textMovesThePen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("endLine");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QStringList>("pieces");

        QTest::newRow("printed, line open") << "abcd" << false << 1.0 + 4 * Char12 << 1.0 << QStringList{"abcd"};
        QTest::newRow("printed, line ended") << "abcd" << true << 0.0 << 1.0 + Line12 << QStringList{"abcd"};
        QTest::newRow("empty line") << "" << true << 0.0 << 1.0 + Line12 << QStringList();
        QTest::newRow("CR LF inside") << "ab\r\ncd" << false << 2 * Char12 << 1.0 + Line12
                                      << QStringList{"ab", "cd"};
        QTest::newRow("lone LF inside") << "ab\ncd" << true << 0.0 << 1.0 + 2 * Line12 << QStringList{"ab", "cd"};
    }
    void textMovesThePen()
    {
        QFETCH(QString, text);
        QFETCH(bool, endLine);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(QStringList, pieces);

        RecordingSurface surface;
        surface.setFontSize(12);
        surface.setCurrentX(1.0);
        surface.setCurrentY(1.0);
        surface.print(text, endLine);

        QCOMPARE(surface.currentX(), x);
        QCOMPARE(surface.currentY(), y);
        QCOMPARE(surface.textsOnPage(1), pieces);
        if (!pieces.isEmpty()) {
            QCOMPARE(surface.pieces().first().x, 1.0);
            QCOMPARE(surface.pieces().first().y, 1.0);
        }
    }

    void measuresInTheCurrentUnit_data()
    {
        QTest::addColumn<ScaleUnit>("unit");
        QTest::addColumn<double>("perInch");
        QTest::newRow("inches") << ScaleUnit::Inches << 1.0;
        QTest::newRow("twips") << ScaleUnit::Twips << 1440.0;
    }
    void measuresInTheCurrentUnit()
    {
        QFETCH(ScaleUnit, unit);
        QFETCH(double, perInch);

        RecordingSurface surface;
        surface.setFontSize(12);
        surface.setCurrentX(0.5); // inches, before the unit changes
        surface.setScaleUnit(unit);

        QCOMPARE(surface.currentX(), 0.5 * perInch);
        QCOMPARE(surface.textWidth(QStringLiteral("abc")), 3 * Char12 * perInch);
        QCOMPARE(surface.textHeight(), Line12 * perInch);
        QCOMPARE(surface.textHeight(QStringLiteral("one\r\ntwo")), 2 * Line12 * perInch);
        QCOMPARE(surface.paperWidth(), 8.5 * perInch);
        QCOMPARE(surface.paperHeight(), 11.0 * perInch);

        surface.setCurrentY(2 * perInch);
        surface.print(QStringLiteral("x"), false);
        QCOMPARE(surface.pieces().first().y, 2 * perInch);
        QCOMPARE(surface.pieces().first().unit, unit);
    }

    void tabToColumn_data()
    {
        QTest::addColumn<double>("startX");
        QTest::addColumn<int>("column");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("linesDown");

        QTest::newRow("column 1 is the left edge") << 0.0 << 1 << 0.0 << 0;
        QTest::newRow("ahead on the line") << 0.0 << 13 << 1.0 << 0;
        QTest::newRow("exactly at the column") << 1.0 << 13 << 1.0 << 0;
        QTest::newRow("past the column: next line") << 1.5 << 13 << 1.0 << 1;
        QTest::newRow("column 0 counts as 1") << 0.5 << 0 << 0.0 << 1;
    }
    void tabToColumn()
    {
        QFETCH(double, startX);
        QFETCH(int, column);
        QFETCH(double, x);
        QFETCH(int, linesDown);

        RecordingSurface surface;
        surface.setFontSize(12);
        surface.setCurrentX(startX);
        surface.tab(column);
        QCOMPARE(surface.currentX(), x);
        QCOMPARE(surface.currentY(), linesDown * Line12);
    }

    void pagesAndDocuments()
    {
        RecordingSurface surface;
        QCOMPARE(surface.page(), 1);
        surface.setCurrentX(2.0);
        surface.setCurrentY(3.0);
        surface.print(QStringLiteral("first"));
        surface.newPage();
        QCOMPARE(surface.page(), 2);
        QCOMPARE(surface.currentX(), 0.0);
        QCOMPARE(surface.currentY(), 0.0);
        surface.print(QStringLiteral("second"), false);
        surface.endDoc();
        QCOMPARE(surface.page(), 1);
        QCOMPARE(surface.documentsEnded(), 1);
        surface.setFontBold(true);
        surface.setFontItalic(true);
        surface.setScaleUnit(ScaleUnit::Twips);
        surface.setCurrentX(1440);
        surface.print(QStringLiteral("next \"job\""), false);
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("surface-pages"));
    }
};

TALLYO_TEST(PrintingSurface)
#include "printingsurface.moc"
