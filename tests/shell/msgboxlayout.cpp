// The message dialog's layout rules, in twips, without a window.
#include "testrunner.h"

#include "shell/messagelayout.h"

#include <QTest>

using namespace tallyo;

class MessageLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void buttonsFormACentredRow();
    void bandAndOptionBox();
    void iconKinds_data();
    void iconKinds();
};

void MessageLayoutTest::sizes_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("label");      // natural size
    QTest::addColumn<int>("wrappedHeight"); // height once wrapped, whatever the width
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<bool>("option");
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<bool>("wraps");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<bool>("fits");

    const QSize wide(28800, 16200);
    // Width from the label: 1500 + 1100 beats 1000 + 300.
    QTest::newRow("label governs width") << wide << QSize(1500, 480) << 0 << QList<int>{900} << false
                                         << 1500 << false << QSize(2600, 1780) << true;
    // Width from the buttons: 2100 + 2600 + 1900 + 300 beats 1000 + 1100.
    QTest::newRow("buttons govern width") << wide << QSize(1000, 480) << 0 << QList<int>{2000, 2500, 1800}
                                          << false << 1000 << false << QSize(6900, 1780) << true;
    QTest::newRow("option box adds 300") << wide << QSize(1500, 480) << 0 << QList<int>{900} << true
                                         << 1500 << false << QSize(2600, 2080) << true;
    // Narrow screen: wraps at screen − 3000.
    QTest::newRow("wrap on narrow screen") << QSize(12000, 9000) << QSize(20000, 480) << 1440
                                           << QList<int>{900} << false << 9000 << true
                                           << QSize(10100, 2740) << true;
    // Wide screen: wraps at 12000 at most.
    QTest::newRow("wrap at 12000") << wide << QSize(30000, 480) << 960 << QList<int>{900} << false
                                   << 12000 << true << QSize(13100, 2260) << true;
    QTest::newRow("just fits unwrapped") << QSize(12000, 9000) << QSize(9000, 480) << 1440
                                         << QList<int>{900} << false << 9000 << false
                                         << QSize(10100, 1780) << true;
    QTest::newRow("exactly the screen height") << QSize(12000, 1780) << QSize(1500, 480) << 0
                                               << QList<int>{900} << false << 1500 << false
                                               << QSize(2600, 1780) << true;
    QTest::newRow("too tall") << QSize(12000, 1779) << QSize(1500, 480) << 0 << QList<int>{900}
                              << false << 1500 << false << QSize(2600, 1780) << false;
    QTest::newRow("too wide") << QSize(6000, 9000) << QSize(1500, 480) << 0 << QList<int>{3000, 3000}
                              << false << 1500 << false << QSize(6500, 1780) << false;
}

void MessageLayoutTest::sizes()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, label);
    QFETCH(int, wrappedHeight);
    QFETCH(QList<int>, buttons);
    QFETCH(bool, option);

    MessageMeasures measures{screen, label, [wrappedHeight](int) { return wrappedHeight; }, buttons, option};
    const MessageLayout layout = layoutMessage(measures);

    QTEST(layout.label.width(), "labelWidth");
    QTEST(layout.labelWraps, "wraps");
    QTEST(layout.window, "window");
    QTEST(layout.fitsScreen, "fits");
    QCOMPARE(layout.label.topLeft(), QPoint(780, 250));
}

void MessageLayoutTest::buttonsFormACentredRow()
{
    // Window 6900 wide, row total 6600 (gaps included): first at 3450 − 3300.
    const MessageLayout layout = layoutMessage({QSize(28800, 16200), QSize(1000, 480), {},
                                                {2000, 2500, 1800}, false});
    QCOMPARE(layout.buttons.size(), 3);
    QCOMPARE(layout.buttons[0], QRect(150, 880, 2000, 400));
    QCOMPARE(layout.buttons[1], QRect(2250, 880, 2500, 400));
    QCOMPARE(layout.buttons[2], QRect(4850, 880, 1800, 400));

    // A single button in a window governed by the label: 2600/2 − 1000/2.
    const MessageLayout single = layoutMessage({QSize(28800, 16200), QSize(1500, 480), {}, {900}, false});
    QCOMPARE(single.buttons[0].left(), 800);
}

void MessageLayoutTest::bandAndOptionBox()
{
    const MessageLayout layout = layoutMessage({QSize(28800, 16200), QSize(1500, 480), {}, {900}, true});
    // Top at label height + 275; from 20 left of the window to 20 past it;
    // down to 100 below the window's bottom.
    QCOMPARE(layout.band, QRect(-20, 755, 2640, 2080 - 755 + 100));
    // 100 below the buttons' bottom edge (480 + 400 + 400).
    QCOMPARE(layout.optionBox, QPoint(100, 1380));
}

void MessageLayoutTest::iconKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<MessageIcon>("icon");
    QTest::newRow("0") << 0 << MessageIcon::Application;
    QTest::newRow("1") << 1 << MessageIcon::Application;
    QTest::newRow("2") << 2 << MessageIcon::Stop;
    QTest::newRow("3") << 3 << MessageIcon::Question;
    QTest::newRow("4") << 4 << MessageIcon::Exclamation;
    QTest::newRow("5") << 5 << MessageIcon::Information;
    QTest::newRow("6") << 6 << MessageIcon::None;
    QTest::newRow("7") << 7 << MessageIcon::None;
    QTest::newRow("-1") << -1 << MessageIcon::None;
}

void MessageLayoutTest::iconKinds()
{
    QFETCH(int, kind);
    QTEST(messageIconFor(kind), "icon");
}

TALLYO_TEST(MessageLayoutTest)
#include "msgboxlayout.moc"
