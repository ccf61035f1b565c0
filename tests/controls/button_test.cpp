// The picture button as a widget: what it paints in each state, how it
// answers the mouse and the keys, and the default and cancel roles.
#include "controls/ButtonPainter.h"
#include "controls/ZevButton.h"
#include "testrunner.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using namespace tallyo;

namespace {

const QColor Face(100, 150, 200);
const Rgb FaceRgb{100, 150, 200};
const Rgb Tint = Shift(FaceRgb, 48, true); // RGB(148, 198, 250)

QColor color(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

QColor pixelAt(ZevButton& button, int x, int y)
{
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    button.render(&image);
    return image.pixelColor(x, y);
}

// A look-3 button of 60 × 20 pixels without caption, as every window uses.
void makeLook3(ZevButton& button)
{
    button.setButtonType(3);
    button.setColorScheme(2);
    button.setBackColor(Face);
    button.setBackOver(QColor(255, 255, 128));
    button.setForeColor(Qt::black);
    button.resize(60, 20);
}

void sendMouse(ZevButton& button, QEvent::Type type, QPoint at, Qt::MouseButton which,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, at, button.mapToGlobal(at), which, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &event);
}

void moveTo(ZevButton& button, QPoint at, Qt::MouseButtons held = Qt::NoButton)
{
    sendMouse(button, QEvent::MouseMove, at, Qt::NoButton, held);
}

void press(ZevButton& button, QPoint at, Qt::MouseButton which = Qt::LeftButton)
{
    sendMouse(button, QEvent::MouseButtonPress, at, which, which);
}

void release(ZevButton& button, QPoint at, Qt::MouseButton which = Qt::LeftButton)
{
    sendMouse(button, QEvent::MouseButtonRelease, at, which, Qt::NoButton);
}

void leave(ZevButton& button)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &event);
}

// The button's events in the order they came.
struct EventLog {
    explicit EventLog(ZevButton& button)
    {
        const auto note = [this](const char* name) { return [this, name] { names.append(name); }; };
        QObject::connect(&button, &ZevButton::clicked, note("clicked"));
        QObject::connect(&button, &ZevButton::mouseDown, note("mouseDown"));
        QObject::connect(&button, &ZevButton::mouseUp, note("mouseUp"));
        QObject::connect(&button, &ZevButton::mouseIn, note("mouseIn"));
        QObject::connect(&button, &ZevButton::mouseOver, note("mouseOver"));
        QObject::connect(&button, &ZevButton::mouseOut, note("mouseOut"));
    }
    QStringList names;
};

}

class ZevButtonTest : public QObject {
    Q_OBJECT
private slots:
    void look3Shading_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("shift");
        QTest::newRow("row 3") << 3 << -4;
        QTest::newRow("row 5") << 5 << -6;
        QTest::newRow("row 10, 12.5 to even") << 10 << -12;
        QTest::newRow("row 14, 17.5 to even") << 14 << -18;
        QTest::newRow("row 16") << 16 << -20;
    }
    void look3Shading()
    {
        QFETCH(int, row);
        QFETCH(int, shift);
        ZevButton button;
        makeLook3(button);
        QCOMPARE(pixelAt(button, 30, row), color(Shift(Tint, shift, true)));
    }

    void look3RowTenByHand()
    {
        ZevButton button;
        makeLook3(button);
        QCOMPARE(pixelAt(button, 30, 10), QColor(136, 186, 235));
    }

    void look3Edges_data()
    {
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("outline top") << QPoint(30, 0) << QColor(0, 60, 115);
        QTest::newRow("outline left") << QPoint(0, 10) << QColor(0, 60, 115);
        QTest::newRow("outline bottom") << QPoint(30, 19) << QColor(0, 60, 115);
        QTest::newRow("corner") << QPoint(1, 1) << QColor(16, 77, 123);
        QTest::newRow("corner bottom right") << QPoint(58, 18) << QColor(16, 77, 123);
        QTest::newRow("row 1") << QPoint(30, 1) << color(Shift(Tint, 16, true));
        QTest::newRow("row 2") << QPoint(30, 2) << color(Shift(Tint, 10, true));
        QTest::newRow("row h-3") << QPoint(30, 17) << color(Shift(Tint, -32, true));
        QTest::newRow("row h-2") << QPoint(30, 18) << color(Shift(Tint, -48, true));
        QTest::newRow("column 1") << QPoint(1, 10) << color(Shift(Tint, -5, true));
        QTest::newRow("column 2") << QPoint(2, 10) << color(Shift(Tint, -10, true));
        QTest::newRow("column w-3") << QPoint(57, 10) << color(Shift(Tint, -24, true));
        QTest::newRow("column w-2") << QPoint(58, 10) << color(Shift(Tint, -36, true));
    }
    void look3Edges()
    {
        QFETCH(QPoint, pixel);
        QFETCH(QColor, expected);
        ZevButton button;
        makeLook3(button);
        QCOMPARE(pixelAt(button, pixel.x(), pixel.y()), expected);
    }

    void softBevelHalvesEveryShift()
    {
        ZevButton button;
        makeLook3(button);
        button.setSoftBevel(true);
        const Rgb tint = Shift(FaceRgb, 48, true, true);
        QCOMPARE(tint, (Rgb{124, 174, 225}));
        QCOMPARE(pixelAt(button, 30, 1), color(Shift(tint, 16, true, true)));
        QCOMPARE(pixelAt(button, 30, 10), color(Shift(tint, -12, true, true)));
        QCOMPARE(pixelAt(button, 58, 10), color(Shift(tint, -36, true, true)));
    }

    void hoverUsesTheHoverFace()
    {
        ZevButton button;
        makeLook3(button);
        QSignalSpy over(&button, &ZevButton::mouseOver);
        moveTo(button, {30, 10});
        QVERIFY(button.isMouseOver());
        QCOMPARE(over.count(), 1);
        // Highlight Shift(RGB(255, 255, 128), +47), darkened by rnd(58 × 10 / 20).
        QCOMPARE(pixelAt(button, 30, 10), QColor(226, 226, 146));
    }

    void pressedLook()
    {
        ZevButton button;
        makeLook3(button);
        press(button, {30, 10});
        QCOMPARE(button.visualState(), 2);
        const Rgb base = Shift(Tint, -32, true);
        QCOMPARE(pixelAt(button, 30, 10), color(Shift(base, -12, true)));
        QCOMPARE(pixelAt(button, 30, 15), color(Shift(base, -rnd(25.0 * 5 / 20), true)));
        QCOMPARE(pixelAt(button, 30, 1), color(Shift(base, -32)));
        QCOMPARE(pixelAt(button, 30, 18), color(Shift(base, 16)));
        QCOMPARE(pixelAt(button, 57, 10), color(Tint));
    }

    void disabledLook()
    {
        ZevButton button;
        makeLook3(button);
        button.setEnabled(false);
        QCOMPARE(pixelAt(button, 30, 10), color(Shift(Tint, -24)));
        QCOMPARE(pixelAt(button, 30, 0), color(Shift(Tint, -84)));
        QCOMPARE(pixelAt(button, 1, 1), color(Shift(Tint, -72)));
    }

    void checkedButtonStaysDown()
    {
        ZevButton button;
        makeLook3(button);
        button.setCheckBoxBehaviour(true);
        QSignalSpy clicked(&button, &ZevButton::clicked);
        button.click();
        QVERIFY(button.value());
        QCOMPARE(button.visualState(), 2);
        moveTo(button, {30, 10}); // hovering does not lift it
        QCOMPARE(button.visualState(), 2);
        // Pressed and hovered: column w - 3 in the tint of the hover face.
        QCOMPARE(pixelAt(button, 57, 10), color(Shift(Rgb{255, 255, 128}, 48, true)));
        button.click();
        QVERIFY(!button.value());
        QCOMPARE(button.visualState(), 0);
        QCOMPARE(clicked.count(), 2);
    }

    void faceOnlyLookDrawsNoCaption()
    {
        ZevButton button;
        button.setButtonType(2);
        button.setBackColor(Face);
        button.setForeColor(Qt::black);
        button.setCaption("&Invisible");
        button.resize(80, 24);
        QImage image(button.size(), QImage::Format_RGB32);
        button.render(&image);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QCOMPARE(image.pixelColor(x, y), Face);
    }

    void windowRegionFollowsTheLook()
    {
        ZevButton button;
        makeLook3(button);
        button.show();
        QVERIFY(!button.mask().contains(QPoint(1, 0)));
        QVERIFY(button.mask().contains(QPoint(1, 1)));
        button.setButtonType(11);
        button.resize(61, 20); // the region is rebuilt with the size
        QVERIFY(button.mask().isEmpty());
    }

    void pictures_data()
    {
        QTest::addColumn<bool>("greyscale");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("maskPixel");
        QTest::addColumn<QColor>("redPixel");
        const QColor face(100, 150, 200);
        QTest::newRow("colour") << false << true << face << QColor(255, 0, 0);
        QTest::newRow("grey: rnd(76.5) is 76") << true << true << face << QColor(76, 76, 76);
        // Disabled: the dark silhouette in the shadow colour Shift(face, -64).
        QTest::newRow("disabled") << false << false << face << QColor(36, 86, 136);
    }
    void pictures()
    {
        QFETCH(bool, greyscale);
        QFETCH(bool, enabled);
        QFETCH(QColor, maskPixel);
        QFETCH(QColor, redPixel);
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(QColor(192, 192, 192));
        picture.setPixelColor(1, 1, Qt::red);
        ZevButton button;
        button.setButtonType(2); // face and picture only
        button.setBackColor(Face);
        button.setPictureNormal(QPixmap::fromImage(picture));
        button.setUseGreyscale(greyscale);
        button.setEnabled(enabled);
        button.resize(20, 20); // picture centred at (8, 8)
        QCOMPARE(pixelAt(button, 8, 8), maskPixel);
        QCOMPARE(pixelAt(button, 9, 9), redPixel);
    }

    void hoverPictureReplacesTheNormalOne()
    {
        QPixmap normal(4, 4), over(4, 4);
        normal.fill(Qt::red);
        over.fill(Qt::green);
        ZevButton button;
        button.setButtonType(2);
        button.setUseGreyscale(true); // grey until hovered
        button.setPictureNormal(normal);
        button.setPictureOver(over);
        button.resize(20, 20);
        moveTo(button, {10, 10});
        QCOMPARE(pixelAt(button, 9, 9), QColor(Qt::green));
        press(button, {10, 10}); // pressed: moved 1 pixel right and down
        QCOMPARE(pixelAt(button, 12, 12), QColor(Qt::green));
    }

    void focusRectangleIsDotted()
    {
        ButtonFace face;
        face.size = QSize(40, 20);
        face.buttonType = 3;
        face.focused = true;
        face.palette = buildPalette(CustomScheme, {{100, 150, 200}, {255, 0, 0}, {255, 0, 0}, {}, {}, {}},
                                    {192, 192, 192}, 3, false);
        QImage image(face.size, QImage::Format_RGB32);
        QPainter painter(&image);
        paintButton(painter, face);
        painter.end();
        QCOMPARE(image.pixelColor(4, 4), QColor(Qt::red));
        QVERIFY(image.pixelColor(5, 4) != QColor(Qt::red));
        QCOMPARE(image.pixelColor(6, 4), QColor(Qt::red));
        QCOMPARE(image.pixelColor(35, 15), QColor(Qt::red));
        face.showFocusRect = false;
        painter.begin(&image);
        paintButton(painter, face);
        painter.end();
        QVERIFY(image.pixelColor(4, 4) != QColor(Qt::red));
    }

    void mouseClickOrder()
    {
        ZevButton button;
        makeLook3(button);
        const EventLog log(button);
        moveTo(button, {30, 10});
        press(button, {30, 10});
        release(button, {30, 10});
        QCOMPARE(log.names,
                 (QStringList{"mouseIn", "mouseOver", "mouseDown", "mouseUp", "clicked"}));
        QCOMPARE(button.visualState(), 0);
    }

    void releaseOutsideDoesNotClick()
    {
        ZevButton button;
        makeLook3(button);
        QSignalSpy clicked(&button, &ZevButton::clicked);
        QSignalSpy out(&button, &ZevButton::mouseOut);
        moveTo(button, {30, 10});
        press(button, {30, 10});
        moveTo(button, {80, 10}, Qt::LeftButton); // dragged off: up look, hover ends
        QCOMPARE(button.visualState(), 0);
        QCOMPARE(out.count(), 1);
        moveTo(button, {30, 10}, Qt::LeftButton); // back on: pressed again
        QCOMPARE(button.visualState(), 2);
        moveTo(button, {80, 10}, Qt::LeftButton);
        release(button, {80, 10});
        QCOMPARE(clicked.count(), 0);
    }

    void rightButtonNeitherPressesNorClicks()
    {
        ZevButton button;
        makeLook3(button);
        QSignalSpy clicked(&button, &ZevButton::clicked);
        QSignalSpy down(&button, &ZevButton::mouseDown);
        press(button, {30, 10}, Qt::RightButton);
        QCOMPARE(button.visualState(), 0);
        release(button, {30, 10}, Qt::RightButton);
        QCOMPARE(down.count(), 1);
        QCOMPARE(clicked.count(), 0);
    }

    void doubleClickClicksTwice()
    {
        ZevButton button;
        makeLook3(button);
        QSignalSpy clicked(&button, &ZevButton::clicked);
        press(button, {30, 10});
        release(button, {30, 10});
        sendMouse(button, QEvent::MouseButtonDblClick, {30, 10}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(button.visualState(), 2);
        release(button, {30, 10});
        QCOMPARE(clicked.count(), 2);
    }

    void leavingEndsTheHoverOnce()
    {
        ZevButton button;
        makeLook3(button);
        QSignalSpy out(&button, &ZevButton::mouseOut);
        QSignalSpy in(&button, &ZevButton::mouseIn);
        moveTo(button, {30, 10});
        moveTo(button, {31, 10});
        QCOMPARE(in.count(), 1);
        leave(button);
        leave(button);
        QCOMPARE(out.count(), 1);
        QVERIFY(!button.isMouseOver());
        QCOMPARE(pixelAt(button, 30, 10), QColor(136, 186, 235));
    }

    void spaceClicksOnRelease()
    {
        ZevButton button;
        makeLook3(button);
        QSignalSpy clicked(&button, &ZevButton::clicked);
        QTest::keyPress(&button, Qt::Key_Space);
        QCOMPARE(button.visualState(), 2);
        QCOMPARE(clicked.count(), 0);
        QTest::keyRelease(&button, Qt::Key_Space);
        QCOMPARE(button.visualState(), 0);
        QCOMPARE(clicked.count(), 1);
        // A Space release without its press (it began elsewhere) does nothing.
        QTest::keyPress(&button, Qt::Key_A);
        QTest::keyRelease(&button, Qt::Key_Space);
        QCOMPARE(clicked.count(), 1);
    }

    void disabledButtonIgnoresInput()
    {
        QWidget window;
        auto* button = new ZevButton(&window);
        makeLook3(*button);
        button->setCaption("&Okay");
        button->setDefault(true);
        button->setEnabled(false);
        QSignalSpy clicked(button, &ZevButton::clicked);
        button->click();
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(&window, Qt::Key_Return);
        QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(clicked.count(), 0);
    }

    void windowKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << "save";
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "save";
        QTest::newRow("Esc") << int(Qt::Key_Escape) << int(Qt::NoModifier) << "cancel";
        QTest::newRow("Alt+access key") << int(Qt::Key_H) << int(Qt::AltModifier) << "help";
        QTest::newRow("Alt+other key") << int(Qt::Key_K) << int(Qt::AltModifier) << "";
        QTest::newRow("plain letter is typing") << int(Qt::Key_H) << int(Qt::NoModifier) << "";
        QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier) << "";
    }
    void windowKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, pressed);
        QWidget window;
        auto* edit = new QLineEdit(&window);
        QString result;
        const auto add = [&](const QString& name, const QString& caption) {
            auto* button = new ZevButton(&window);
            button->setCaption(caption);
            connect(button, &ZevButton::clicked, [&result, name] { result += name; });
            return button;
        };
        add("save", "&Save")->setDefault(true);
        add("cancel", "&Cancel")->setCancel(true);
        add("help", "&Help && hints");
        // Access keys are shortcuts: they need the window shown and active.
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(result, pressed);
    }

    void oneDefaultPerWindow()
    {
        QWidget window;
        auto* first = new ZevButton(&window);
        auto* second = new ZevButton(&window);
        first->setDefault(true);
        second->setDefault(true);
        QVERIFY(!first->isDefault());
        QSignalSpy clicked(second, &ZevButton::clicked);
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        second->hide(); // a hidden default button answers nothing
        QTest::keyClick(&window, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
    }

    void focusedButtonAnswersEnterAndItsLetters()
    {
        QWidget window;
        auto* ok = new ZevButton(&window);
        auto* other = new ZevButton(&window);
        ok->setCaption("&Okay");
        ok->setDefault(true);
        other->setCaption("&Retry");
        QSignalSpy okClicked(ok, &ZevButton::clicked);
        QSignalSpy otherClicked(other, &ZevButton::clicked);
        QTest::keyClick(other, Qt::Key_Return);
        QCOMPARE(otherClicked.count(), 1);
        QCOMPARE(okClicked.count(), 0);
        // A button takes no typing: its plain letter presses that button.
        QTest::keyClick(other, Qt::Key_O);
        QCOMPARE(okClicked.count(), 1);
    }

    void keyEventsArePassedOn()
    {
        ZevButton button;
        QSignalSpy down(&button, &ZevButton::keyDown);
        QSignalSpy typed(&button, &ZevButton::keyPress);
        QSignalSpy up(&button, &ZevButton::keyUp);
        QTest::keyClick(&button, Qt::Key_X);
        QCOMPARE(down.count(), 1);
        QCOMPARE(typed.count(), 1);
        QCOMPARE(typed.first().first().toInt(), int('x'));
        QCOMPARE(up.count(), 1);
    }
};

TALLYO_TEST(ZevButtonTest)
#include "button_test.moc"
