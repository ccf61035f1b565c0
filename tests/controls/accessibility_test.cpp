// What a screen reader is told: the spoken texts of a caption and hint, the
// picture button's interface (role, name, description, shortcut, press),
// the names the other controls take from the captions beside them, and the
// message dialog as an alert that carries its text.
#include "controls/AccessibleNames.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "controls/accessibletext.h"
#include "shell/frmMsgBox.h"
#include "testrunner.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace tallyo;

Q_DECLARE_METATYPE(tallyo::SpokenText)

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void spokenTextOfCaptionAndHint_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<SpokenText>("spoken");
        QTest::newRow("two lines, access key, key mark")
            << "&Finished, Save\r\n<Enter>" << " Save and close <Enter> "
            << SpokenText{"Finished, Save", "Save and close (Enter)", "Alt+F"};
        QTest::newRow("key in parentheses") << "&Cancel\r\n(Esc)" << ""
                                            << SpokenText{"Cancel", "", "Alt+C"};
        QTest::newRow("no access key: the marked key") << "Help\r\n<F1>" << " Open the manual "
                                                       << SpokenText{"Help", "Open the manual", "F1"};
        QTest::newRow("picture alone is named by its hint")
            << "" << " Quit <Esc> " << SpokenText{"Quit", "", "Esc"};
        QTest::newRow("a hint that repeats the name is no description")
            << "Calculator" << " Calculator " << SpokenText{"Calculator", "", ""};
        QTest::newRow("literal ampersand, access key after it")
            << "Find && &replace" << "" << SpokenText{"Find & replace", "", "Alt+R"};
        QTest::newRow("parentheses that name no key stay")
            << "Delete (all)" << "" << SpokenText{"Delete (all)", "", ""};
        QTest::newRow("every key of a hint in parentheses")
            << "Undo" << " Stop editing these notes <Esc> or <F8> "
            << SpokenText{"Undo", "Stop editing these notes (Esc) or (F8)", "F8"};
        QTest::newRow("nothing") << "" << "" << SpokenText{};
    }
    void spokenTextOfCaptionAndHint()
    {
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(SpokenText, spoken);
        const SpokenText made = SpokenButton(caption, hint);
        QCOMPARE(made.name, spoken.name);
        QCOMPARE(made.description, spoken.description);
        QCOMPARE(made.shortcut, spoken.shortcut);
    }

    void thePictureButtonIsAButtonByItsCaption()
    {
        QWidget window;
        ZevButton* button = MakeWindowButton(&window, "cmdSave", QStringLiteral("&Save\r\n<Enter>"));
        button->setToolTip(QStringLiteral(" Save the entry <Enter> "));
        button->setDefault(true);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Button);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Save"));
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Save the entry (Enter)"));
        QCOMPARE(face->text(QAccessible::Accelerator), QStringLiteral("Alt+S"));
        QVERIFY(face->state().focusable);
        QVERIFY(face->state().defaultButton);
        QAccessibleActionInterface* actions = face->actionInterface();
        QVERIFY(actions);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QSignalSpy clicked(button, &ZevButton::clicked);
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clicked.count(), 1);

        // A caption set later is the new name; a name given in code wins.
        button->setCaption(QStringLiteral("&Finished"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Finished"));
        button->setAccessibleName(QStringLiteral("Done"));
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Done"));

        button->setCheckBoxBehaviour(true);
        button->setValue(true);
        QCOMPARE(face->role(), QAccessible::CheckBox);
        QVERIFY(face->state().checked);
    }

    void controlsTakeTheCaptionBesideThem()
    {
        QWidget window;
        auto place = [&window](QWidget* w, int x, int y, int width, int height) {
            w->setParent(&window);
            w->setGeometry(x, y, width, height);
        };
        auto* above = new QLabel(QStringLiteral("Payee/Creditor"));
        place(above, 10, 10, 200, 16);
        auto* payee = new QComboBox;
        payee->setEditable(true);
        place(payee, 10, 28, 200, 22);
        auto* left = new QLabel(QStringLiteral("&Amount:"));
        place(left, 10, 60, 60, 22);
        auto* amount = new QLineEdit;
        place(amount, 80, 60, 100, 22);
        auto* hinted = new QLineEdit;
        hinted->setToolTip(QStringLiteral(" Notes of the entry <F4> "));
        place(hinted, 300, 200, 100, 22);
        auto* named = new QLineEdit;
        named->setAccessibleName(QStringLiteral("Given"));
        place(named, 10, 90, 100, 22);
        auto* grid = new QTableView;
        place(grid, 300, 10, 200, 100);
        auto* gridCaption = new QLabel(QStringLiteral("Accounts"));
        place(gridCaption, 230, 50, 60, 16);
        auto* hiddenCaption = new QLabel(QStringLiteral("Not shown"));
        place(hiddenCaption, 300, 180, 100, 16);
        hiddenCaption->hide();

        NameUnnamedControls(window);
        QCOMPARE(payee->accessibleName(), QStringLiteral("Payee/Creditor"));
        QCOMPARE(payee->lineEdit()->accessibleName(), QStringLiteral("Payee/Creditor"));
        // Its open list is a window of its own, named after the box.
        NameUnnamedControls(*payee->view()->window());
        QCOMPARE(payee->view()->accessibleName(), QStringLiteral("Payee/Creditor"));
        QCOMPARE(amount->accessibleName(), QStringLiteral("Amount"));
        QCOMPARE(hinted->accessibleName(), QStringLiteral("Notes of the entry"));
        QCOMPARE(named->accessibleName(), QStringLiteral("Given"));
        QCOMPARE(grid->accessibleName(), QStringLiteral("Accounts"));
    }

    void theMessageDialogIsAnAlertWithItsText()
    {
        MessageDialogState& state = messageDialog();
        state.reset();
        state.MessageTitle = QStringLiteral("Entry Error");
        state.MessageIconKind = 2;
        state.MessageText = QStringLiteral("The 'Type of Transaction'\r\nentry is not valid...");
        state.MessageCaptions = {QStringLiteral("&Okay")};
        auto* box = new frmMsgBox;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::AlertMessage);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Entry Error"));
        QVERIFY(face->text(QAccessible::Description).contains(QStringLiteral("entry is not valid...")));
        QAccessibleInterface* okay = QAccessible::queryAccessibleInterface(box->cmdMessageButton[1]);
        QCOMPARE(okay->text(QAccessible::Name), QStringLiteral("Okay"));
        QVERIFY(!QAccessible::queryAccessibleInterface(box->cmdMessageButton[0])->text(QAccessible::Name).isEmpty());
        delete box;
        state.reset();
    }
};

TALLYO_TEST(AccessibilityTest)
#include "accessibility_test.moc"
