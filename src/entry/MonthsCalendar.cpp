#include "MonthsCalendar.h"

#include <QPalette>

#include "util/dates.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace tallyo {

namespace {

QToolButton* pageButton(QWidget* parent, Qt::ArrowType arrow, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString MonthTitle(const QDate& first)
{
    return MonthName(first.month()) + u' ' + QString::number(first.year());
}

}

MonthsCalendar::MonthsCalendar(int monthsShown, QWidget* parent)
    : QDateEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(false);
    monthsShown = std::max(1, monthsShown);

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("MonthsPopup"));
    popup_->setFrameStyle(QFrame::Box | QFrame::Plain);
    popup_->installEventFilter(this);

    auto* layout = new QGridLayout(popup_);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    QToolButton* back = pageButton(popup_, Qt::LeftArrow, QStringLiteral("Back a month"));
    QToolButton* forward = pageButton(popup_, Qt::RightArrow, QStringLiteral("On a month"));
    connect(back, &QToolButton::clicked, this, [this] { turnMonths(-1); });
    connect(forward, &QToolButton::clicked, this, [this] { turnMonths(1); });

    for (int i = 0; i < monthsShown; ++i) {
        auto* name = new QLabel(popup_);
        name->setAlignment(Qt::AlignCenter);
        QFont bold = name->font();
        bold.setBold(true);
        name->setFont(bold);
        auto* month = new QCalendarWidget(popup_);
        month->setObjectName(QStringLiteral("month%1").arg(i + 1));
        month->setNavigationBarVisible(false);
        month->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        month->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        month->installEventFilter(this);
        connect(month, &QCalendarWidget::clicked, this, [this](QDate day) {
            setDate(day);
            hidePopup();
        });
        // The arrows sit beside the first and last month names.
        auto* heading = new QHBoxLayout;
        if (i == 0)
            heading->addWidget(back);
        heading->addWidget(name, 1);
        if (i == monthsShown - 1)
            heading->addWidget(forward);
        layout->addLayout(heading, 0, i);
        layout->addWidget(month, 1, i);
        months_.push_back(month);
        monthNames_.push_back(name);
    }
}

void MonthsCalendar::showPopup()
{
    firstMonth_ = QDate(date().year(), date().month(), 1);
    showMonths();
    popup_->adjustSize();
    // Below the box, kept on its screen.
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - popup_->width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - popup_->height())));
    }
    popup_->move(at);
    popup_->show();
    months_.front()->setFocus();
}

void MonthsCalendar::hidePopup()
{
    popup_->hide();
}

bool MonthsCalendar::isPopupVisible() const
{
    return popup_->isVisible();
}

void MonthsCalendar::turnMonths(int months)
{
    const QDate earliest(minimumDate().year(), minimumDate().month(), 1);
    firstMonth_ = std::max(earliest, firstMonth_.addMonths(months));
    showMonths();
}

void MonthsCalendar::showMonths()
{
    for (size_t i = 0; i < months_.size(); ++i) {
        const QDate first = firstMonth_.addMonths(int(i));
        QCalendarWidget* month = months_[i];
        // Only the month's own days count, and none before the earliest date.
        month->setDateRange(std::max(first, minimumDate()), first.addMonths(1).addDays(-1));
        month->setCurrentPage(first.year(), first.month());
        const bool holdsDate = date() >= month->minimumDate() && date() <= month->maximumDate();
        if (holdsDate)
            month->setSelectedDate(date());
        // A month without the chosen date still selects one of its own days;
        // it is drawn unmarked so that only the chosen date stands out.
        QPalette palette = month->parentWidget()->palette();
        if (!holdsDate) {
            palette.setColor(QPalette::Highlight, palette.color(QPalette::Base));
            palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
        }
        month->setPalette(palette);
        monthNames_[i]->setText(MonthTitle(first));
    }
}

void MonthsCalendar::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (event->key() == Qt::Key_F4 || altDown) {
        showPopup();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool MonthsCalendar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        hidePopup();
        return true;
    }
    if (watched == popup_ && event->type() == QEvent::Hide)
        emit popupClosed();
    return QDateEdit::eventFilter(watched, event);
}

}
