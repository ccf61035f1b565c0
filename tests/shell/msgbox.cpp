// The real message dialog, driven by keys while it is shown modally.
#include "modalwindows.h"
#include "testrunner.h"

#include "controls/ZevButton.h"
#include "platform/DesktopPrompts.h"
#include "shell/frmMsgBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QPointer>
#include <QTimer>
#include <functional>

using namespace tallyo;

namespace {

using test::whenShown;

// A key typed on the control that has the focus within the dialog.
void type(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

const QStringList one{QStringLiteral("&Okay")};
const QStringList two{QStringLiteral("&Yes, please"), QStringLiteral("&No, not right now")};
const QStringList three{QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("&Cancel")};

enum class Act { Enter, Esc, Close, Alt, TickThenEnter, TickThenEsc, TickThenClose, ClickButton };

}

Q_DECLARE_METATYPE(Act)

class MessageDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { messageDialog().reset(); }

    void answers_data();
    void answers();
    void defaultButtonHasFocusAndRole();
    void windowFollowsLayout();
    void optionBoxOnlyWhenAsked();
    void iconShownForKnownKinds_data();
    void iconShownForKnownKinds();
    void tooBigForScreenExplains();
    void desktopPromptsMapTheAnswer();
    void inputPromptCancelGivesEmpty_data();
    void inputPromptCancelGivesEmpty();
};

void MessageDialogTest::answers_data()
{
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<bool>("option");
    QTest::addColumn<Act>("act");
    QTest::addColumn<int>("arg");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("checked");

    QTest::newRow("one: Enter") << one << 1 << false << Act::Enter << 0 << 1 << false;
    QTest::newRow("one: Esc") << one << 1 << false << Act::Esc << 0 << 0 << false;
    QTest::newRow("one: title-bar close") << one << 1 << false << Act::Close << 0 << 0 << false;
    QTest::newRow("three, default 2: Enter") << three << 2 << false << Act::Enter << 0 << 2 << false;
    QTest::newRow("two: Alt+N") << two << 1 << false << Act::Alt << int(Qt::Key_N) << 2 << false;
    QTest::newRow("three: click 1") << three << 2 << false << Act::ClickButton << 1 << 1 << false;
    QTest::newRow("default names no button") << two << 5 << false << Act::ClickButton << 2 << 2 << false;
    QTest::newRow("ticked, Enter") << one << 1 << true << Act::TickThenEnter << 0 << 1 << true;
    QTest::newRow("unticked, Enter") << one << 1 << true << Act::Enter << 0 << 1 << false;
    QTest::newRow("ticked, Esc") << two << 1 << true << Act::TickThenEsc << 0 << 0 << true;
    QTest::newRow("ticked, closed") << two << 1 << true << Act::TickThenClose << 0 << 0 << false;
}

void MessageDialogTest::answers()
{
    QFETCH(QStringList, captions);
    QFETCH(int, defaultButton);
    QFETCH(bool, option);
    QFETCH(Act, act);
    QFETCH(int, arg);

    QPointer<frmMsgBox> shown;
    bool acted = false;
    whenShown<frmMsgBox>([&](frmMsgBox& box) {
        shown = &box;
        acted = true;
        if (act == Act::TickThenEnter || act == Act::TickThenEsc || act == Act::TickThenClose)
            QTest::keyClick(box.chkDontAsk, Qt::Key_Space);
        switch (act) {
        case Act::Enter:
        case Act::TickThenEnter: type(box, Qt::Key_Return); break;
        case Act::Esc:
        case Act::TickThenEsc: type(box, Qt::Key_Escape); break;
        case Act::Close:
        case Act::TickThenClose: box.close(); break;
        case Act::Alt: type(box, arg, Qt::AltModifier); break;
        case Act::ClickButton: box.cmdMessageButton[arg]->click(); break;
        }
    });
    const int answer = ShowMessage(QStringLiteral("Question"), 3, QStringLiteral("Go on?"), defaultButton,
                                   option, captions);
    QVERIFY(acted);
    QTEST(answer, "result");
    QTEST(messageDialog().MessageResult, "result");
    QTEST(messageDialog().MessageOptionChecked, "checked");

    // Destroyed on every close, so the next call starts afresh.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown.isNull());
}

void MessageDialogTest::defaultButtonHasFocusAndRole()
{
    whenShown<frmMsgBox>([](frmMsgBox& box) {
        QCOMPARE(box.cmdMessageButton.size(), 4);
        QVERIFY(box.cmdMessageButton[2]->isDefault());
        QVERIFY(!box.cmdMessageButton[1]->isDefault());
        QCOMPARE(box.focusWidget(), box.cmdMessageButton[2]);
        QVERIFY(box.cmdMessageButton[0]->isCancel());
        QCOMPARE(box.cmdMessageButton[1]->caption(), QStringLiteral(" &Save "));
        QCOMPARE(box.windowTitle(), QStringLiteral("Unsaved changes"));
        box.close();
    });
    ShowMessage(QStringLiteral("Unsaved changes"), 4, QStringLiteral("Save?"), 2, false, three);
}

void MessageDialogTest::windowFollowsLayout()
{
    // A message far wider than the screen wraps; the window, its buttons and
    // the box stand where the layout puts them.
    const QString longLine = QStringLiteral("word ").repeated(400);
    whenShown<frmMsgBox>([](frmMsgBox& box) {
        const MessageLayout& layout = box.layout();
        const TwipScale& twips = box.twips();
        QVERIFY(layout.labelWraps);
        QVERIFY(box.lblMessage->wordWrap());
        QVERIFY(layout.label.width() <= 12000);
        QCOMPARE(box.size(), QSize(twips.toPixels(layout.window.width()), twips.toPixels(layout.window.height())));
        QCOMPARE(box.cmdMessageButton[1]->x(), twips.toPixels(layout.buttons[0].x()));
        QCOMPARE(box.cmdMessageButton[2]->x(), twips.toPixels(layout.buttons[1].x()));
        QCOMPARE(box.chkDontAsk->pos(), QPoint(twips.toPixels(100), twips.toPixels(layout.optionBox.y())));
        QVERIFY(box.cmdMessageButton[0]->x() < 0);
        box.close();
    });
    ShowMessage(QStringLiteral("Long"), 5, longLine, 1, true, two);
}

void MessageDialogTest::optionBoxOnlyWhenAsked()
{
    for (bool option : {false, true}) {
        whenShown<frmMsgBox>([option](frmMsgBox& box) {
            QCOMPARE(box.chkDontAsk->isVisible(), option);
            QCOMPARE(box.chkDontAsk->text(), QStringLiteral("Don't show this again"));
            QVERIFY(!box.chkDontAsk->isChecked());
            box.close();
        });
        ShowMessage(QStringLiteral("Reminder"), 5, QStringLiteral("Note this."), 1, option, one);
    }
}

void MessageDialogTest::iconShownForKnownKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("icon");
    QTest::newRow("stop") << 2 << true;
    QTest::newRow("question") << 3 << true;
    QTest::newRow("application") << 0 << true;
    QTest::newRow("7: none") << 7 << false;
}

void MessageDialogTest::iconShownForKnownKinds()
{
    QFETCH(int, kind);
    QFETCH(bool, icon);
    whenShown<frmMsgBox>([icon](frmMsgBox& box) {
        QCOMPARE(box.imgIcon->isVisible(), icon);
        QCOMPARE(box.imgIcon->pixmap().isNull(), !icon);
        box.close();
    });
    ShowMessage(QStringLiteral("Icon"), kind, QStringLiteral("Look."), 1, false, one);
}

void MessageDialogTest::tooBigForScreenExplains()
{
    // Far more lines than any screen holds.
    const QString tall = QStringLiteral("line\r\n").repeated(1000);
    QString title, text;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        box.accept();
    });
    QCOMPARE(ShowMessage(QStringLiteral("Tall"), 2, tall, 1, false, one), 0);
    QCOMPARE(title, QStringLiteral("Display issue"));
    QCOMPARE(text, QStringLiteral("Tallyo is trying to display a message\n"
                                  "that is too big for your screen resolution.\n\n"
                                  "Please contact Zev Software about this."));
    QCOMPARE(messageDialog().MessageResult, 0);
}

void MessageDialogTest::desktopPromptsMapTheAnswer()
{
    DesktopPrompts prompts;
    whenShown<frmMsgBox>([](frmMsgBox& box) {
        QCOMPARE(box.windowTitle(), QStringLiteral("Protection Options"));
        box.chkDontAsk->setChecked(true);
        box.cmdMessageButton[1]->click();
    });
    const MessageAnswer answer = prompts.showMessage(
        {QStringLiteral("Protection Options"), IconInformation, QStringLiteral("Note."), 1, true, one});
    QCOMPARE(answer.result, 1);
    QVERIFY(answer.optionChecked);
}

void MessageDialogTest::inputPromptCancelGivesEmpty_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::newRow("OK") << true << QStringLiteral("Savings");
    QTest::newRow("Cancel") << false << QString();
}

void MessageDialogTest::inputPromptCancelGivesEmpty()
{
    QFETCH(bool, accept);
    DesktopPrompts prompts;
    whenShown<QInputDialog>([accept](QInputDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New account"));
        QCOMPARE(dialog.labelText(), QStringLiteral("Name of the account:\nat most 30 letters"));
        QCOMPARE(dialog.textValue(), QStringLiteral("Checking"));
        dialog.setTextValue(QStringLiteral("Savings"));
        accept ? dialog.accept() : dialog.reject();
    });
    QTEST(prompts.inputText(QStringLiteral("New account"),
                            QStringLiteral("Name of the account:\r\nat most 30 letters"),
                            QStringLiteral("Checking")),
          "answer");
}

TALLYO_TEST(MessageDialogTest)
#include "msgbox.moc"
