// The editable drop-down box and the months calendar as a person types into
// them: the list drops only when the focus really arrives, and what is typed
// while it is open goes into the box.
#include "controls/DropDownBox.h"
#include "controls/MonthsCalendar.h"
#include "testrunner.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace tallyo;

namespace {

const QStringList Types{"(enter chk#)", "Deposit     ", "AutoPayment ", "AutoDeposit ", "ATM Cash    "};

// Counts the Enter keys that reach a widget.
class EnterCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return)
            ++count;
        return false;
    }
};

// Stands for a type picker: "atm" in any letters picks row 4.
int pickAtm(const QString& typed)
{
    return typed.trimmed().compare(QStringLiteral("atm"), Qt::CaseInsensitive) == 0 ? 4 : -1;
}

// Keys typed into the box's open list, where a person's keys go.
void typeIntoList(DropDownBox& box, const QString& text)
{
    for (QChar c : text)
        QTest::keyClick(box.view(), c.toLatin1());
}

}

class DropDownsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window_;
    DropDownBox* box_ = nullptr;
    QLineEdit* next_ = nullptr;

private slots:
    void init()
    {
        window_ = std::make_unique<QWidget>();
        box_ = new DropDownBox(window_.get());
        box_->addItems(Types);
        box_->setEditText(QString());
        next_ = new QLineEdit(window_.get());
        next_->move(0, 40);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void focusArrivalRule_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("focusedBefore");
        QTest::addColumn<bool>("arrives");
        QTest::newRow("Tab from another control") << int(Qt::TabFocusReason) << true << true;
        QTest::newRow("Shift+Tab") << int(Qt::BacktabFocusReason) << true << true;
        QTest::newRow("a click") << int(Qt::MouseFocusReason) << true << true;
        QTest::newRow("set by the program") << int(Qt::OtherFocusReason) << true << true;
        QTest::newRow("back from its own list") << int(Qt::PopupFocusReason) << true << false;
        QTest::newRow("back from its own list, first time") << int(Qt::PopupFocusReason) << false << false;
        QTest::newRow("window shown the first time") << int(Qt::ActiveWindowFocusReason) << false << true;
        QTest::newRow("window active again after a message") << int(Qt::ActiveWindowFocusReason) << true << false;
    }
    void focusArrivalRule()
    {
        QFETCH(int, reason);
        QFETCH(bool, focusedBefore);
        QFETCH(bool, arrives);
        DropDownBox box;  // never shown: never focused yet
        if (focusedBefore) {
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            QCoreApplication::sendEvent(&box, &in);
        }
        const QFocusEvent event(QEvent::FocusIn, Qt::FocusReason(reason));
        QCOMPARE(box.focusArrives(&event), arrives);
    }

    void typingWithTheListOpenEditsTheText()
    {
        box_->showPopup();
        QVERIFY(box_->isPopupOpen());
        typeIntoList(*box_, QStringLiteral("1042"));
        QCOMPARE(box_->currentText(), QStringLiteral("1042"));
        QVERIFY(box_->isPopupOpen());
        QTest::keyClick(box_->view(), Qt::Key_Backspace);
        QCOMPARE(box_->currentText(), QStringLiteral("104"));
        // Enter after typing keeps what was typed, whatever the list shows.
        QTest::keyClick(box_->view(), Qt::Key_Return);
        QVERIFY(!box_->isPopupOpen());
        QCOMPARE(box_->currentText(), QStringLiteral("104"));
    }

    void theListFollowsTheTypedText()
    {
        box_->showPopup();
        typeIntoList(*box_, QStringLiteral("Auto"));
        QCOMPARE(box_->view()->currentIndex().row(), 2);
        typeIntoList(*box_, QStringLiteral("D"));
        QCOMPARE(box_->view()->currentIndex().row(), 3);
        typeIntoList(*box_, QStringLiteral("x"));
        QVERIFY(!box_->view()->currentIndex().isValid());
    }

    void arrowsAndEnterChooseAnItemWithItsTextSelected()
    {
        box_->showPopup();
        QTest::keyClick(box_->view(), Qt::Key_Down);
        QTest::keyClick(box_->view(), Qt::Key_Down);
        const int row = box_->view()->currentIndex().row();
        QTest::keyClick(box_->view(), Qt::Key_Return);
        QVERIFY(!box_->isPopupOpen());
        QCOMPARE(box_->currentText(), Types.at(row));
        QCoreApplication::processEvents();
        // Typing now replaces the chosen text: "(enter chk#)1042" never happens.
        QCOMPARE(box_->lineEdit()->selectedText(), Types.at(row));
    }

    // Enter in the open list: an item moved to or picked is taken; with
    // another item highlighted the list only closes; with none, the Enter
    // goes on to the window.
    void enterInTheOpenList_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("picker");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("windowGetsEnter");
        QTest::newRow("nothing like the typed text") << "1042" << false << "1042" << true;
        QTest::newRow("nothing typed") << "" << false << "" << true;
        QTest::newRow("an item highlighted") << "Auto" << false << "Auto" << false;
        QTest::newRow("the item the picker takes") << "atm" << true << "ATM Cash    " << false;
        QTest::newRow("without the picker, the typed text") << "atm" << false << "atm" << false;
    }
    void enterInTheOpenList()
    {
        QFETCH(QString, typed);
        QFETCH(bool, picker);
        QFETCH(QString, text);
        QFETCH(bool, windowGetsEnter);
        EnterCounter window;
        window_->installEventFilter(&window);
        if (picker)
            box_->setItemPicker(pickAtm);
        box_->setFocus();
        box_->showPopup();
        typeIntoList(*box_, typed);
        QTest::keyClick(box_->view(), Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(!box_->isPopupOpen());
        QCOMPARE(box_->currentText(), text);
        QCOMPARE(window.count, windowGetsEnter ? 1 : 0);
    }

    void leavingTheBoxTakesThePickedItem()
    {
        box_->setItemPicker(pickAtm);
        box_->setFocus();
        box_->lineEdit()->setText(QStringLiteral("ATM "));
        QTest::keyClick(box_->lineEdit(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next_);
        QCOMPARE(box_->currentText(), Types.at(4));
    }

    void escapeClosesTheListKeepingTheText()
    {
        box_->setEditText(QStringLiteral("Power Co"));
        box_->showPopup();
        QTest::keyClick(box_->view(), Qt::Key_Escape);
        QVERIFY(!box_->isPopupOpen());
        QCOMPARE(box_->currentText(), QStringLiteral("Power Co"));
    }

    void tabClosesTheListAndMovesOn()
    {
        box_->setFocus();
        box_->showPopup();
        typeIntoList(*box_, QStringLiteral("7"));
        QTest::keyClick(box_->view(), Qt::Key_Tab);
        QVERIFY(!box_->isPopupOpen());
        QCOMPARE(box_->currentText(), QStringLiteral("7"));
        QCOMPARE(QApplication::focusWidget(), next_);
    }

    void calendarTakesTypedDigitsAndPicksByKeyboard()
    {
        MonthsCalendar calendar(2, 2, 1);
        calendar.setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
        calendar.setDate(QDate(2026, 9, 6));
        calendar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&calendar));
        QSignalSpy closed(&calendar, &MonthsCalendar::popupClosed);
        calendar.activateWindow();
        calendar.setFocus();

        // Enter on the day the arrows moved to picks it.
        calendar.showPopup();
        QWidget* days = calendar.months().front()->findChild<QTableView*>();
        QVERIFY(days);
        QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Return);
        QVERIFY(!calendar.isPopupVisible());
        QCOMPARE(calendar.date(), QDate(2026, 9, 7));
        QCOMPARE(closed.count(), 1);

        // A digit typed in the drop-down closes it and goes into the box.
        calendar.showPopup();
        calendar.setCurrentSection(QDateTimeEdit::MonthSection);
        QTest::keyClick(days, '1');
        QVERIFY(!calendar.isPopupVisible());
        QTest::keyClick(&calendar, '2');
        QCOMPARE(calendar.text(), QStringLiteral("12/07/2026"));
    }

    void calendarIsACalendarDay()
    {
        // The box works in UTC: a day whose local midnight is missing is kept.
        MonthsCalendar calendar(6, 3, 6);
        QCOMPARE(calendar.timeSpec(), Qt::UTC);
        calendar.setDate(QDate(2026, 9, 6));
        QCOMPARE(calendar.date(), QDate(2026, 9, 6));
        QCOMPARE(calendar.months().size(), size_t(6));
    }
};

TALLYO_TEST(DropDownsTest)
#include "dropdowns_test.moc"
