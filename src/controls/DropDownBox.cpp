#include "DropDownBox.h"

#include "FocusChain.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace tallyo {

namespace {

bool EditsText(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        break;
    }
    const QString text = key->text();
    return !text.isEmpty() && text.front().isPrint()
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

}

DropDownBox::DropDownBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    view()->installEventFilter(this);
    // A chosen item's text is selected whole once the box has taken it.
    connect(this, &QComboBox::activated, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (lineEdit())
                lineEdit()->selectAll();
        });
    });
}

bool DropDownBox::focusArrives(const QFocusEvent* event) const
{
    switch (event->reason()) {
    case Qt::PopupFocusReason:
        return false;  // back from the box's own list, or a menu
    case Qt::ActiveWindowFocusReason:
        return !everFocused_;  // the window shown for the first time
    default:
        return true;
    }
}

void DropDownBox::focusInEvent(QFocusEvent* event)
{
    everFocused_ = true;
    QComboBox::focusInEvent(event);
}

void DropDownBox::focusOutEvent(QFocusEvent* event)
{
    // Leaving for another control (not for the box's own list, a menu or
    // another window) takes the item the typed text picks.
    switch (event->reason()) {
    case Qt::PopupFocusReason:
    case Qt::ActiveWindowFocusReason:
        break;
    default:
        if (const int row = pickedRow(); row >= 0 && currentText() != itemText(row)) {
            setCurrentIndex(row);
            setEditText(itemText(row));
        }
        break;
    }
    QComboBox::focusOutEvent(event);
}

int DropDownBox::pickedRow() const
{
    return picker_ ? picker_(currentText()) : -1;
}

void DropDownBox::showPopup()
{
    popupOpen_ = true;
    highlightChosen_ = false;
    QComboBox::showPopup();
    followTypedText();
}

void DropDownBox::hidePopup()
{
    popupOpen_ = false;
    QComboBox::hidePopup();
}

void DropDownBox::followTypedText()
{
    const QString typed = lineEdit() ? lineEdit()->text() : currentText();
    const int match = typed.isEmpty() ? -1 : findText(typed, Qt::MatchStartsWith);
    const QModelIndex index = match >= 0 ? model()->index(match, modelColumn(), rootModelIndex()) : QModelIndex();
    view()->setCurrentIndex(index);
    if (index.isValid())
        view()->scrollTo(index);
}

bool DropDownBox::listKeyPress(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        hidePopup();
        MoveFocusOn(this, key->key() == Qt::Key_Tab);
        return true;
    case Qt::Key_Escape:
        hidePopup();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const bool highlighted = view()->currentIndex().isValid();
        const int row = highlightChosen_ && highlighted ? view()->currentIndex().row() : pickedRow();
        hidePopup();
        if (row >= 0) {
            setCurrentIndex(row);
            emit activated(row);
        } else if (!highlighted) {
            // Nothing in the list stands for the text: this Enter is the
            // window's, once the list has closed.
            QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, key->key(), key->modifiers(),
                                                            key->text()));
        }
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (!(key->modifiers() & Qt::AltModifier))
            highlightChosen_ = true;
        return false;  // the list moves its highlight
    default:
        break;
    }
    if (EditsText(key) && lineEdit()) {
        QCoreApplication::sendEvent(lineEdit(), key);
        highlightChosen_ = false;
        followTypedText();
        return true;
    }
    return false;
}

bool DropDownBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::KeyPress && popupOpen_)
        return listKeyPress(static_cast<QKeyEvent*>(event));
    // The list's own handling takes the highlighted item on Enter before the
    // key arrives; Enter is decided above instead.
    if (watched == view() && event->type() == QEvent::ShortcutOverride && popupOpen_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    if (watched == view() && event->type() == QEvent::Hide)
        popupOpen_ = false;
    return QComboBox::eventFilter(watched, event);
}

}
