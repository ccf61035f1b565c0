#pragma once
// A date box with a drop-down of a few consecutive months side by side.
// F4 or Alt+Down drops it down (QDateEdit does neither by itself); a click
// on a day picks it and closes the drop-down, Esc or a click elsewhere
// closes it unchanged. Days before the box's minimum date cannot be picked.
#include <QDateEdit>
#include <vector>

class QCalendarWidget;
class QFrame;
class QLabel;

namespace tallyo {

class MonthsCalendar : public QDateEdit {
    Q_OBJECT

public:
    explicit MonthsCalendar(int monthsShown, QWidget* parent = nullptr);

    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;
    QFrame* popup() const { return popup_; }
    const std::vector<QCalendarWidget*>& months() const { return months_; }
    // The first month shown (its first day).
    QDate firstMonth() const { return firstMonth_; }
    // Pages the drop-down by a number of months.
    void turnMonths(int months);

signals:
    void popupClosed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showMonths();

    QFrame* popup_ = nullptr;
    std::vector<QCalendarWidget*> months_;
    std::vector<QLabel*> monthNames_;
    QDate firstMonth_;
};

}
