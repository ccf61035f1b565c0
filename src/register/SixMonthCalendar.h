#pragma once
// A date box whose drop-down shows six consecutive months, for browsing
// dates. F4 or Alt+Down drops it down; a click on a day, Esc or a click
// elsewhere closes it again.
#include <QDateEdit>
#include <array>

class QCalendarWidget;
class QFrame;
class QLabel;

namespace tallyo {

class SixMonthCalendar : public QDateEdit {
    Q_OBJECT

public:
    static constexpr int MonthsShown = 6;

    explicit SixMonthCalendar(QWidget* parent = nullptr);

    // Drops the six months down, the first being the month of the date.
    void showPopup();
    void hidePopup();
    bool isPopupVisible() const;
    // The drop-down and its months, for tests and pictures.
    QFrame* popup() const { return popup_; }
    const std::array<QCalendarWidget*, MonthsShown>& months() const { return months_; }
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
    QLabel* heading_ = nullptr;
    std::array<QCalendarWidget*, MonthsShown> months_{};
    QDate firstMonth_;
};

}
