// Caption and picture placement, focus rectangles, window regions and
// access keys of the picture button.
#include "controls/accesskey.h"
#include "controls/buttonlayout.h"
#include "testrunner.h"

#include <QTest>

using namespace tallyo;

class ButtonLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("boxWidth");
        QTest::addColumn<QRect>("caption");
        QTest::addColumn<QPoint>("picture");
        // A 100 × 30 button, a 16 × 16 picture, a caption measuring 40 × 15.
        // Above or below, the two overflow the button: the caption keeps
        // within the 3-pixel edges, and the picture closes up to it.
        QTest::newRow("left") << 0 << 72 << QRect(40, 11, 40, 15) << QPoint(18, 7);
        QTest::newRow("right") << 1 << 72 << QRect(22, 11, 40, 15) << QPoint(68, 7);
        QTest::newRow("above") << 2 << 88 << QRect(32, 12, 40, 15) << QPoint(42, -4);
        QTest::newRow("below") << 3 << 88 << QRect(32, 3, 40, 15) << QPoint(42, 18);
        QTest::newRow("behind") << 4 << 88 << QRect(32, 8, 40, 15) << QPoint(42, 7);
        QTest::newRow("unknown as left") << 9 << 72 << QRect(40, 11, 40, 15) << QPoint(18, 7);
    }
    void placement()
    {
        QFETCH(int, position);
        QFETCH(int, boxWidth);
        QFETCH(QRect, caption);
        QFETCH(QPoint, picture);
        int measuredWidth = -1;
        const auto measure = [&](int width) {
            measuredWidth = width;
            return QSize(40, 15);
        };
        const ButtonLayout layout = layoutButton(100, 30, QSize(16, 16), position, true, measure);
        QCOMPARE(measuredWidth, boxWidth);
        QCOMPARE(layout.caption, caption);
        QCOMPARE(layout.pressedCaption, caption.translated(1, 1));
        QCOMPARE(layout.picture, picture);
    }

    void pictureAboveStaysInside()
    {
        // A tall picture above a caption: both stay within the button.
        const ButtonLayout layout = layoutButton(80, 60, QSize(32, 32), PictureAbove, true,
                                                 [](int) { return QSize(30, 15); });
        QVERIFY(layout.picture.y() >= 0);
        QVERIFY(layout.caption.bottom() < 60);
    }

    void pictureCentredWithoutCaption()
    {
        const ButtonLayout layout = layoutButton(100, 30, QSize(16, 16), PictureLeft, false,
                                                 [](int) { return QSize(); });
        QCOMPARE(layout.picture, QPoint(42, 7));
    }

    void focusRect_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("3") << 3 << QRect(4, 4, 92, 22);
        QTest::newRow("11") << 11 << QRect(3, 3, 94, 24);
        QTest::newRow("14") << 14 << QRect(6, 6, 90, 20);
        QTest::newRow("2") << 2 << QRect(0, 0, 100, 30);
    }
    void focusRect()
    {
        QFETCH(int, look);
        QFETCH(QRect, expected);
        QCOMPARE(focusRectFor(look, 100, 30), expected);
    }

    void windowRegion_data()
    {
        QTest::addColumn<int>("look");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<bool>("kept");
        for (const QPoint cut : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(19, 0), QPoint(18, 0),
                                 QPoint(19, 1), QPoint(0, 9), QPoint(1, 9), QPoint(0, 8), QPoint(18, 9)})
            QTest::addRow("3 cuts %d,%d", cut.x(), cut.y()) << 3 << cut << false;
        for (const QPoint kept : {QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(18, 1), QPoint(0, 7),
                                  QPoint(2, 9), QPoint(10, 5)})
            QTest::addRow("3 keeps %d,%d", kept.x(), kept.y()) << 3 << kept << true;
        QTest::newRow("14 cuts corner") << 14 << QPoint(19, 9) << false;
        QTest::newRow("14 keeps next") << 14 << QPoint(18, 9) << true;
        QTest::newRow("14 keeps side") << 14 << QPoint(0, 1) << true;
    }
    void windowRegion()
    {
        QFETCH(int, look);
        QFETCH(QPoint, pixel);
        QFETCH(bool, kept);
        const QList<QRect> rows = windowRegionFor(look, 20, 10);
        const bool inside = std::any_of(rows.begin(), rows.end(),
                                        [&](const QRect& r) { return r.contains(pixel); });
        QCOMPARE(inside, kept);
    }

    void otherLooksKeepTheRectangle()
    {
        QVERIFY(windowRegionFor(11, 20, 10).isEmpty());
        QVERIFY(windowRegionFor(2, 20, 10).isEmpty());
    }

    void accessKey_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QChar>("key");
        QTest::newRow("first letter") << "&Okay" << QChar(u'o');
        QTest::newRow("inside") << "Save &As" << QChar(u'a');
        QTest::newRow("first & wins") << "&Yes &No" << QChar(u'y');
        QTest::newRow("literal then key") << "Fish && &Eggs" << QChar(u'e');
        QTest::newRow("only literal") << "&&" << QChar();
        QTest::newRow("literal text") << "Fish && Chips" << QChar();
        QTest::newRow("literal, then literal") << "A && B && C" << QChar();
        QTest::newRow("three in a row") << "A&&&B" << QChar(u'b');
        QTest::newRow("trailing &") << "Okay&" << QChar();
        QTest::newRow("one character") << "&" << QChar();
        QTest::newRow("none") << "Okay" << QChar();
        QTest::newRow("empty") << "" << QChar();
        QTest::newRow("digit") << "Page &2" << QChar(u'2');
    }
    void accessKey()
    {
        QFETCH(QString, caption);
        QFETCH(QChar, key);
        QCOMPARE(accessKeyOf(caption), key);
    }
};

TALLYO_TEST(ButtonLayoutTest)
#include "layout_test.moc"
