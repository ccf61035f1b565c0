#pragma once
// A date box with a drop-down of consecutive months side by side: two for
// the entry window's date, six for browsing the register. F4 or Alt+Down
// drops it down (QDateEdit does neither by itself). In the drop-down the
// arrow keys move the day, Enter or a click picks it and closes it, Esc or
// a click elsewhere closes it unchanged, and a typed digit closes it and
// goes into the date box, so a date can be typed as well as picked. Days
// before the box's minimum date cannot be picked.
//
// The date is a calendar day: the box works in UTC, so a day whose local
// midnight does not exist (summer time starting at midnight) is a day like
// any other.
#include <QDateEdit>
#include <vector>

class QCalendarWidget;
class QFrame;
class QLabel;

namespace tallyo {

class MonthsCalendar : public QDateEdit {
    Q_OBJECT

public:
    // monthsShown months in rows of `columns`; the arrows turn `pageStep`
    // months at a time.
    MonthsCalendar(int monthsShown, int columns, int pageStep, QWidget* parent = nullptr);

    // Drops the months down, the first being the month of the date.
    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;
    // The drop-down and its months, for tests and pictures.
    QFrame* popup() const { return popup_; }
    const std::vector<QCalendarWidget*>& months() const { return months_; }
    // The first month shown (its first day).
    QDate firstMonth() const { return firstMonth_; }
    // Pages the drop-down by a number of months.
    void turnMonths(int months);

signals:
    void popupClosed();
    // The focus went to another control of the window (not to the box's
    // own drop-down, nor to another window).
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMonths();
    void pick(const QDate& day);

    QFrame* popup_ = nullptr;
    QLabel* heading_ = nullptr;
    std::vector<QCalendarWidget*> months_;
    std::vector<QLabel*> monthNames_;
    QDate firstMonth_;
};

}
