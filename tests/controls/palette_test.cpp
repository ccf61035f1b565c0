// Colour arithmetic of the picture button and the palettes of its schemes.
#include "controls/buttonpalette.h"
#include "testrunner.h"

#include <QTest>

using namespace tallyo;

Q_DECLARE_METATYPE(tallyo::Rgb)

namespace QTest {
template <> char* toString(const tallyo::Rgb& c)
{
    return qstrdup(QByteArray("RGB(") + QByteArray::number(c.red) + ", " + QByteArray::number(c.green)
                   + ", " + QByteArray::number(c.blue) + ")");
}
}

class ButtonPaletteTest : public QObject {
    Q_OBJECT
private slots:
    void shift_data()
    {
        QTest::addColumn<Rgb>("colour");
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("proportional");
        QTest::addColumn<bool>("soft");
        QTest::addColumn<Rgb>("expected");
        QTest::newRow("clamped up") << Rgb{250, 10, 100} << 16 << false << false << Rgb{255, 26, 116};
        QTest::newRow("clamped down") << Rgb{5, 5, 5} << -16 << false << false << Rgb{0, 0, 0};
        QTest::newRow("blue proportional") << Rgb{0, 0, 96} << 48 << true << false << Rgb{48, 48, 120};
        QTest::newRow("proportional down truncates") << Rgb{100, 100, 100} << -25 << true << false
                                                     << Rgb{75, 75, 87};
        QTest::newRow("soft halves") << Rgb{100, 100, 100} << -64 << false << true << Rgb{68, 68, 68};
        QTest::newRow("soft halves toward zero") << Rgb{100, 100, 100} << -5 << false << true
                                                 << Rgb{98, 98, 98};
        QTest::newRow("zero keeps") << Rgb{1, 2, 3} << 0 << true << false << Rgb{1, 2, 3};
    }
    void shift()
    {
        QFETCH(Rgb, colour);
        QFETCH(int, n);
        QFETCH(bool, proportional);
        QFETCH(bool, soft);
        QFETCH(Rgb, expected);
        QCOMPARE(Shift(colour, n, proportional, soft), expected);
    }

    void rndHalvesToEven_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("12.5") << 12.5 << 12;
        QTest::newRow("13.5") << 13.5 << 14;
        QTest::newRow("17.5") << 17.5 << 18;
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("2.6") << 2.6 << 3;
        QTest::newRow("-2.5") << -2.5 << -2;
    }
    void rndHalvesToEven()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(rnd(x), expected);
    }

    void lighten()
    {
        QCOMPARE(Lighten(Rgb{0, 255, 100}, 64), (Rgb{64, 255, 64 + 100 * 191 / 255}));
        QCOMPARE(Lighten(Rgb{10, 10, 10}, 0), (Rgb{10, 10, 10}));
    }

    void customScheme()
    {
        const PaletteSource source{{100, 150, 200}, {1, 2, 3}, {4, 5, 6}, {}, {}, {}};
        const ButtonPalette p = buildPalette(CustomScheme, source, {192, 192, 192}, 3, false);
        QCOMPARE(p.face, (Rgb{100, 150, 200}));
        QCOMPARE(p.text, (Rgb{1, 2, 3}));
        QCOMPARE(p.hoverText, (Rgb{4, 5, 6}));
        QCOMPARE(p.shadow, (Rgb{36, 86, 136}));
        QCOMPARE(p.light, (Rgb{131, 181, 231}));
        QCOMPARE(p.highlight, (Rgb{147, 197, 247}));
        QCOMPARE(p.tint, (Rgb{148, 198, 250})); // blue + 48 × 200 / 192
        // Other looks shift the tint evenly.
        QCOMPARE(buildPalette(CustomScheme, source, {}, 14, false).tint, (Rgb{148, 198, 248}));
    }

    void softBevelHalvesThePalette()
    {
        const PaletteSource source{{100, 100, 100}, {}, {}, {}, {}, {}};
        const ButtonPalette p = buildPalette(CustomScheme, source, {}, 3, true);
        QCOMPARE(p.shadow, (Rgb{68, 68, 68}));
        QCOMPARE(p.tint, (Rgb{124, 124, 112})); // +24, blue + 24 × 100 / 192
    }

    void fixedAndParentSchemes()
    {
        const PaletteSource source{{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {}, {}, {}};
        const ButtonPalette grey = buildPalette(GreyScheme, source, {}, 14, false);
        QCOMPARE(grey.face, (Rgb{192, 192, 192}));
        QCOMPARE(grey.shadow, (Rgb{128, 128, 128}));
        QCOMPARE(grey.light, (Rgb{223, 223, 223}));
        QCOMPARE(grey.highlight, (Rgb{255, 255, 255}));
        QCOMPARE(grey.text, (Rgb{0, 0, 0}));
        const ButtonPalette parent = buildPalette(ParentScheme, source, {}, 14, false);
        QCOMPARE(parent.hoverText, parent.text); // the parent has one text colour
        QCOMPARE(parent.shadow, Shift(source.face, -64));
    }

    void systemSchemeTakesDesktopColours()
    {
        const PaletteSource source{{1, 1, 1}, {2, 2, 2}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}};
        const ButtonPalette p = buildPalette(7, source, {9, 9, 9}, 3, false);
        QCOMPARE(p.shadow, (Rgb{3, 3, 3}));
        QCOMPARE(p.light, (Rgb{4, 4, 4}));
        QCOMPARE(p.highlight, (Rgb{5, 5, 5}));
        QCOMPARE(p.mask, (Rgb{9, 9, 9}));
    }
};

TALLYO_TEST(ButtonPaletteTest)
#include "palette_test.moc"
