#pragma once
// The keys a window gives its picture buttons: Enter presses the default
// button and Esc the cancel button. One filter per window, installed by its
// first picture button; it sees the keys that the focused control left
// unhandled, as a dialog's own key handling does. (Alt plus an access key is
// each button's own shortcut.)
#include <QObject>

class QKeyEvent;
class QWidget;

namespace tallyo {

class ZevButton;

class ButtonRoles : public QObject {
    Q_OBJECT
public:
    // Installs the filter on the window unless it is there already.
    static void watch(QWidget* window);

    // The buttons of the window (not of windows inside it).
    static QList<ZevButton*> buttonsOf(QWidget* window);

    // Presses the first enabled, visible button of the window whose access
    // key is the letter; false when there is none.
    static bool pressAccessKey(QWidget* window, QChar letter);

    // The letter or digit a key event stands for, in lower case.
    static QChar keyLetter(const QKeyEvent* key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ButtonRoles(QWidget* window);
};

}
