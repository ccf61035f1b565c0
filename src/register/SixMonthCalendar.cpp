#include "SixMonthCalendar.h"

#include "util/dates.h"

#include <QCalendarWidget>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

namespace tallyo {

namespace {

constexpr int Columns = 3;

QToolButton* pageButton(QWidget* parent, Qt::ArrowType arrow, const QString& tip)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(tip);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}

SixMonthCalendar::SixMonthCalendar(QWidget* parent)
    : QDateEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(false);

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("SixMonthPopup"));
    popup_->setFrameStyle(QFrame::Box | QFrame::Plain);
    popup_->installEventFilter(this);

    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* bar = new QHBoxLayout;
    QToolButton* back = pageButton(popup_, Qt::LeftArrow, QStringLiteral("Six months back"));
    QToolButton* forward = pageButton(popup_, Qt::RightArrow, QStringLiteral("Six months on"));
    heading_ = new QLabel(popup_);
    heading_->setAlignment(Qt::AlignCenter);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    bar->addWidget(back);
    bar->addWidget(heading_, 1);
    bar->addWidget(forward);
    layout->addLayout(bar);
    connect(back, &QToolButton::clicked, this, [this] { turnMonths(-MonthsShown); });
    connect(forward, &QToolButton::clicked, this, [this] { turnMonths(MonthsShown); });

    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    for (int i = 0; i < MonthsShown; ++i) {
        auto* month = new QCalendarWidget(popup_);
        month->setObjectName(QStringLiteral("month%1").arg(i + 1));
        month->setNavigationBarVisible(false);
        month->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        month->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        month->setGridVisible(false);
        month->installEventFilter(this);
        auto* monthName = new QLabel(popup_);
        monthName->setAlignment(Qt::AlignCenter);
        monthName->setObjectName(QStringLiteral("monthName%1").arg(i + 1));
        grid->addWidget(monthName, (i / Columns) * 2, i % Columns);
        grid->addWidget(month, (i / Columns) * 2 + 1, i % Columns);
        // A day picked in any month closes the drop-down; the date is kept
        // only for the next opening.
        connect(month, &QCalendarWidget::clicked, this, [this](QDate day) {
            setDate(day);
            hidePopup();
        });
        months_[size_t(i)] = month;
    }
    layout->addLayout(grid);
}

void SixMonthCalendar::showPopup()
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
    months_[0]->setFocus();
}

void SixMonthCalendar::hidePopup()
{
    popup_->hide();
}

bool SixMonthCalendar::isPopupVisible() const
{
    return popup_->isVisible();
}

void SixMonthCalendar::turnMonths(int months)
{
    firstMonth_ = firstMonth_.addMonths(months);
    showMonths();
}

void SixMonthCalendar::showMonths()
{
    for (int i = 0; i < MonthsShown; ++i) {
        const QDate first = firstMonth_.addMonths(i);
        QCalendarWidget* month = months_[size_t(i)];
        // Selecting a date turns the page to it: select first, then turn.
        month->setSelectedDate(date());
        month->setCurrentPage(first.year(), first.month());
        // The chosen date is marked only in the month that holds it.
        const bool holdsDate = date().year() == first.year() && date().month() == first.month();
        QPalette palette = popup_->palette();
        if (!holdsDate) {
            palette.setColor(QPalette::Highlight, palette.color(QPalette::Base));
            palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
        }
        month->setPalette(palette);
        auto* name = popup_->findChild<QLabel*>(QStringLiteral("monthName%1").arg(i + 1));
        name->setText(MonthName(first.month()) + u' ' + QString::number(first.year()));
    }
    const QDate last = firstMonth_.addMonths(MonthsShown - 1);
    heading_->setText(MonthName(firstMonth_.month()) + u' ' + QString::number(firstMonth_.year()) + QStringLiteral(" - ")
                      + MonthName(last.month()) + u' ' + QString::number(last.year()));
}

void SixMonthCalendar::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    if (event->key() == Qt::Key_F4 || altDown) {
        showPopup();
        return;
    }
    QDateEdit::keyPressEvent(event);
}

bool SixMonthCalendar::eventFilter(QObject* watched, QEvent* event)
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
