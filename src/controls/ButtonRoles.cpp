#include "controls/ButtonRoles.h"

#include "controls/ZevButton.h"

#include <QKeyEvent>

namespace tallyo {

namespace {

bool press(ZevButton* button, QWidget* window)
{
    if (!button || !button->isEnabled() || !button->isVisibleTo(window))
        return false;
    button->click();
    return true;
}

}

ButtonRoles::ButtonRoles(QWidget* window)
    : QObject(window)
{
    window->installEventFilter(this);
}

void ButtonRoles::watch(QWidget* window)
{
    if (window && !window->findChild<ButtonRoles*>(QString(), Qt::FindDirectChildrenOnly))
        new ButtonRoles(window);
}

QList<ZevButton*> ButtonRoles::buttonsOf(QWidget* window)
{
    QList<ZevButton*> own;
    if (!window)
        return own;
    for (ZevButton* button : window->findChildren<ZevButton*>())
        if (button->window() == window)
            own.append(button);
    return own;
}

bool ButtonRoles::pressAccessKey(QWidget* window, QChar letter)
{
    if (letter.isNull())
        return false;
    for (ZevButton* button : buttonsOf(window))
        if (button->accessKey() == letter && press(button, window))
            return true;
    return false;
}

QChar ButtonRoles::keyLetter(const QKeyEvent* key)
{
    // With Alt held some platforms send no text; the key code still names it.
    const int code = key->key();
    if ((code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9))
        return QChar(code).toLower();
    return key->text().isEmpty() ? QChar() : key->text().front().toLower();
}

bool ButtonRoles::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* window = static_cast<QWidget*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const QList<ZevButton*> buttons = buttonsOf(window);

    if (modifiers == Qt::NoModifier && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        for (ZevButton* button : buttons)
            if (button->isDefault())
                return press(button, window);
        return false;
    }
    if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Escape) {
        for (ZevButton* button : buttons)
            if (button->isCancel())
                return press(button, window);
        return false;
    }

    return false;
}

}
