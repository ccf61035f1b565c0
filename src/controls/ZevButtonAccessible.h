#pragma once
// The picture button as assistive technology sees it: a push button (a
// check box while it behaves as one) named by its caption, described by its
// hint, with its access key as shortcut and "press" as its action, so that
// a screen reader reads and presses it as it would a standard button.
#include <QAccessible>
#include <QAccessibleWidget>

namespace tallyo {

class ZevButton;

class ZevButtonAccessible : public QAccessibleWidget {
public:
    explicit ZevButtonAccessible(ZevButton* button);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString& action) const override;

private:
    ZevButton* button() const;
};

// Registers the interface with Qt's accessibility and starts naming the
// other controls of each window as it shows (AccessibleNames.h), once;
// every button does so when it is made.
void InstallZevButtonAccessibility();

// Tells assistive technology that a widget's name, description or state
// changed (nothing while none listens).
void NotifyAccessibility(QObject* widget, QAccessible::Event change);

}
