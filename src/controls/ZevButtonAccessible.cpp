#include "controls/ZevButtonAccessible.h"

#include "controls/AccessibleNames.h"
#include "controls/ZevButton.h"
#include "controls/accessibletext.h"

namespace tallyo {

namespace {

QAccessibleInterface* MakeInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(ZevButton::staticMetaObject.className()) && object && object->isWidgetType())
        return new ZevButtonAccessible(static_cast<ZevButton*>(object));
    return nullptr;
}

SpokenText SpokenOf(const ZevButton& button)
{
    return SpokenButton(button.caption(), button.toolTip());
}

}

ZevButtonAccessible::ZevButtonAccessible(ZevButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

ZevButton* ZevButtonAccessible::button() const
{
    return static_cast<ZevButton*>(widget());
}

QAccessible::Role ZevButtonAccessible::role() const
{
    return button()->checkBoxBehaviour() ? QAccessible::CheckBox : QAccessible::Button;
}

QAccessible::State ZevButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const ZevButton* b = button();
    if (b->checkBoxBehaviour()) {
        state.checkable = true;
        state.checked = b->value();
    } else {
        state.pressed = b->visualState() != 0;
    }
    state.defaultButton = b->isDefault();
    return state;
}

QString ZevButtonAccessible::text(QAccessible::Text kind) const
{
    const ZevButton* b = button();
    switch (kind) {
    case QAccessible::Name:
        return b->accessibleName().isEmpty() ? SpokenOf(*b).name : b->accessibleName();
    case QAccessible::Description:
        return b->accessibleDescription().isEmpty() ? SpokenOf(*b).description : b->accessibleDescription();
    case QAccessible::Accelerator:
        return SpokenOf(*b).shortcut;
    default:
        return QAccessibleWidget::text(kind);
    }
}

QStringList ZevButtonAccessible::actionNames() const
{
    QStringList names;
    if (button()->isEnabled())
        names << (button()->checkBoxBehaviour() ? toggleAction() : pressAction());
    return names + QAccessibleWidget::actionNames();
}

void ZevButtonAccessible::doAction(const QString& action)
{
    if (action == pressAction() || action == toggleAction())
        button()->click();
    else
        QAccessibleWidget::doAction(action);
}

QStringList ZevButtonAccessible::keyBindingsForAction(const QString& action) const
{
    if (action == pressAction() || action == toggleAction()) {
        const QString shortcut = SpokenOf(*button()).shortcut;
        return shortcut.isEmpty() ? QStringList() : QStringList{shortcut};
    }
    return QAccessibleWidget::keyBindingsForAction(action);
}

void InstallZevButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(MakeInterface);
        return true;
    }();
    Q_UNUSED(installed);
    // Every window has picture buttons: the first one made sees to the
    // names of the other controls too.
    InstallControlNaming();
}

void NotifyAccessibility(QObject* widget, QAccessible::Event change)
{
    if (!QAccessible::isActive())
        return;
    if (change == QAccessible::StateChanged) {
        QAccessible::State changed;
        changed.checked = true;
        changed.pressed = true;
        QAccessibleStateChangeEvent event(widget, changed);
        QAccessible::updateAccessibility(&event);
        return;
    }
    QAccessibleEvent event(widget, change);
    QAccessible::updateAccessibility(&event);
}

}
