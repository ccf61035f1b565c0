#include "MonthsCalendar.h"

#include "FocusChain.h"
#include "util/dates.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

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

QString PageTip(int step, bool back)
{
    if (step == 1)
        return back ? QStringLiteral("Back a month") : QStringLiteral("On a month");
    const QString months = QStringLiteral("%1 months").arg(step);
    return back ? months + QStringLiteral(" back") : months + QStringLiteral(" on");
}

// A key that edits the date box's text rather than moving in the months.
bool TypesIntoBox(const QKeyEvent* key)
{
    const QString text = key->text();
    return (!text.isEmpty() && text.front().isPrint() && !text.front().isSpace())
        || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
}

}

MonthsCalendar::MonthsCalendar(int monthsShown, int columns, int pageStep, QWidget* parent)
    : QDateEdit(parent)
{
    setTimeSpec(Qt::UTC);
    setCalendarPopup(false);
    monthsShown = std::max(1, monthsShown);
    columns = std::clamp(columns, 1, monthsShown);

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("MonthsPopup"));
    popup_->setFrameStyle(QFrame::Box | QFrame::Plain);
    popup_->installEventFilter(this);

    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* bar = new QHBoxLayout;
    QToolButton* back = pageButton(popup_, Qt::LeftArrow, PageTip(pageStep, true));
    QToolButton* forward = pageButton(popup_, Qt::RightArrow, PageTip(pageStep, false));
    heading_ = new QLabel(popup_);
    heading_->setAlignment(Qt::AlignCenter);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    bar->addWidget(back);
    bar->addWidget(heading_, 1);
    bar->addWidget(forward);
    layout->addLayout(bar);
    connect(back, &QToolButton::clicked, this, [this, pageStep] { turnMonths(-pageStep); });
    connect(forward, &QToolButton::clicked, this, [this, pageStep] { turnMonths(pageStep); });

    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    for (int i = 0; i < monthsShown; ++i) {
        auto* name = new QLabel(popup_);
        name->setAlignment(Qt::AlignCenter);
        name->setObjectName(QStringLiteral("monthName%1").arg(i + 1));
        auto* month = new QCalendarWidget(popup_);
        month->setObjectName(QStringLiteral("month%1").arg(i + 1));
        month->setNavigationBarVisible(false);
        month->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        month->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
        month->setGridVisible(false);
        // Typed digits belong to the date box, not to the month's own
        // date editing; the keys reach the month's table first.
        month->setDateEditEnabled(false);
        month->installEventFilter(this);
        if (auto* table = month->findChild<QTableView*>())
            table->installEventFilter(this);
        // A day clicked, or Enter on the day the arrows moved to, is picked.
        connect(month, &QCalendarWidget::clicked, this, [this](QDate day) { pick(day); });
        connect(month, &QCalendarWidget::activated, this, [this](QDate day) { pick(day); });
        grid->addWidget(name, (i / columns) * 2, i % columns);
        grid->addWidget(month, (i / columns) * 2 + 1, i % columns);
        months_.push_back(month);
        monthNames_.push_back(name);
    }
    layout->addLayout(grid);
    // A single month needs no name above it: the heading says it.
    if (monthsShown == 1)
        monthNames_.front()->hide();
}

void MonthsCalendar::pick(const QDate& day)
{
    setDate(day);
    hidePopup();
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
        QPalette palette = popup_->palette();
        if (!holdsDate) {
            palette.setColor(QPalette::Highlight, palette.color(QPalette::Base));
            palette.setColor(QPalette::HighlightedText, palette.color(QPalette::Text));
        }
        month->setPalette(palette);
        monthNames_[i]->setText(MonthTitle(first));
    }
    const QDate last = firstMonth_.addMonths(int(months_.size()) - 1);
    heading_->setText(months_.size() == 1 ? MonthTitle(firstMonth_)
                                          : MonthTitle(firstMonth_) + QStringLiteral(" - ") + MonthTitle(last));
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

void MonthsCalendar::focusOutEvent(QFocusEvent* event)
{
    QDateEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !isPopupVisible())
        emit focusLeft();
}

bool MonthsCalendar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool altUp = key->key() == Qt::Key_Up && (key->modifiers() & Qt::AltModifier);
        if (key->key() == Qt::Key_Escape || key->key() == Qt::Key_F4 || altUp) {
            hidePopup();
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            // The day under the arrows is taken, as a click would.
            for (const QCalendarWidget* month : months_) {
                if (month == watched || month->isAncestorOf(static_cast<QWidget*>(watched)))
                    setDate(month->selectedDate());
            }
            hidePopup();
            MoveFocusOn(this, key->key() == Qt::Key_Tab);
            return true;
        }
        if (TypesIntoBox(key)) {
            // The key overwrites the part of the date the box is on.
            hidePopup();
            setSelectedSection(currentSection());
            QCoreApplication::sendEvent(this, event);
            return true;
        }
    }
    if (watched == popup_ && event->type() == QEvent::Hide)
        emit popupClosed();
    return QDateEdit::eventFilter(watched, event);
}

}
