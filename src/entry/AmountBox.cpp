#include "AmountBox.h"

#include "shell/appsettings.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace tallyo {

AmountBox::AmountBox(QLineEdit* box, QLabel* useBackspace)
    : QObject(box), box_(box), useBackspace_(useBackspace)
{
    box_->installEventFilter(this);
    connect(box_, &QLineEdit::textChanged, this, [this] { textChanged(); });
}

bool AmountBox::rightToLeft() const
{
    return SettingChoice(SettingKey::AmountEntryMethod).value_or(0) == RightToLeftEntry;
}

void AmountBox::startRightToLeft()
{
    rightToLeftActive_ = true;
    digits_.start(box_->text());
}

void AmountBox::setText(const QString& text)
{
    show(text, false);
}

void AmountBox::show(const QString& text, bool caretToEnd)
{
    showing_ = true;
    if (box_->text() != text)
        box_->setText(text);
    if (caretToEnd)
        box_->end(false);
    showing_ = false;
    accepted_ = text;
    if (rightToLeftActive_)
        useBackspace_->setVisible(!text.isEmpty());
    emit changed();
}

void AmountBox::focusGained()
{
    rightToLeftActive_ = false;
    if (rightToLeft()) {
        startRightToLeft();
        useBackspace_->setVisible(!box_->text().isEmpty());
    }
    QTimer::singleShot(0, box_, [this] { box_->end(false); });
}

void AmountBox::focusLost()
{
    rightToLeftActive_ = false;
    useBackspace_->hide();
    const QString finished = FinishedAmountText(box_->text());
    if (finished != box_->text())
        show(finished, false);
}

bool AmountBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == box_ && event->type() == QEvent::KeyPress)
        return keyPress(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

bool AmountBox::keyPress(const QKeyEvent* key)
{
    const bool backspace = key->key() == Qt::Key_Backspace;
    const QString typed = key->text();
    const bool character = !typed.isEmpty() && typed.front().isPrint()
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!backspace && !character && key->key() != Qt::Key_Delete)
        return false;  // caret keys, Tab, Enter, Esc and the clipboard keys go on as usual

    if (rightToLeft()) {
        if (!rightToLeftActive_)
            startRightToLeft();
        const bool taken = backspace ? digits_.backspace() : character ? digits_.press(typed.front()) : false;
        if (taken)
            show(digits_.text(), true);
        return true;
    }
    rightToLeftActive_ = false;
    if (backspace || !character)
        return false;  // taking out is checked with every other change
    QString after = box_->text();
    const int at = box_->hasSelectedText() ? box_->selectionStart() : box_->cursorPosition();
    after.remove(at, box_->selectedText().size());
    after.insert(at, typed.front());
    return !LeftToRightAccepts(box_->text(), after);
}

void AmountBox::textChanged()
{
    if (showing_)
        return;
    // A change the keys above did not make: pasted, dropped, cut or undone.
    const QString now = box_->text();
    const int caret = box_->cursorPosition();
    if (rightToLeft()) {
        if (!rightToLeftActive_) {
            showing_ = true;
            box_->setText(accepted_);
            showing_ = false;
            startRightToLeft();
        }
        const TextChange change = ChangeBetween(accepted_, now);
        show(digits_.insert(change.inserted) ? digits_.text() : accepted_, true);
        return;
    }
    if (LeftToRightAccepts(accepted_, now)) {
        accepted_ = now;
        emit changed();
        return;
    }
    const int back = std::min<int>(caret, accepted_.size());
    show(accepted_, false);
    box_->setCursorPosition(back);
}

}
