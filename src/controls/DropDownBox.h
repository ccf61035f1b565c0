#pragma once
// An editable drop-down list that a person can type into.
//
// A plain QComboBox gives every key to its open list, and gives the focus
// back to the box when the list closes, so a window that drops the list
// whenever the box gains the focus drops it again for ever. This box:
// - tells a real arrival of the focus (from another control, or the first
//   focus at the window's first display) from the focus coming back from
//   its own list or from another window (`focusArrives`);
// - while its list is open, sends what the user types to the box's text,
//   and moves the list's highlight to the first item that begins with it;
// - closes the list on Tab and Shift+Tab and moves on as they would; Enter
//   closes it too, taking the highlighted item only when the user moved to
//   it with the arrow keys (a typed check number stays as typed); Esc
//   closes it keeping the text;
// - selects its whole text when an item is chosen, so typing replaces it.
#include <QComboBox>

class QFocusEvent;
class QKeyEvent;

namespace tallyo {

class DropDownBox : public QComboBox {
    Q_OBJECT

public:
    explicit DropDownBox(QWidget* parent = nullptr);

    // Whether this focus-in is the user arriving at the box. Ask before the
    // box has handled the event (an event filter on the box does).
    bool focusArrives(const QFocusEvent* event) const;

    void showPopup() override;
    void hidePopup() override;
    bool isPopupOpen() const { return popupOpen_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listKeyPress(QKeyEvent* key);
    void followTypedText();

    bool popupOpen_ = false;
    bool everFocused_ = false;
    // The highlight was moved by the arrow keys since the list opened or
    // since the last typed character.
    bool highlightChosen_ = false;
};

}
