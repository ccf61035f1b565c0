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
// - closes the list on Tab and Shift+Tab and moves on as they would; Esc
//   closes it keeping the text;
// - Enter closes the list taking the item the user moved to with the arrow
//   keys, or the item the typed text picks (see setItemPicker); with some
//   other item highlighted it only closes the list, keeping the text; with
//   no item highlighted (the list holds nothing like the typed text) the
//   list closes and the Enter goes on to the window, which saves;
// - selects its whole text when an item is chosen, so typing replaces it.
// It offers no inline completion of its own: that would take an Enter for
// itself and fight the list's highlight.
#include <QComboBox>
#include <functional>

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

    // The row of the item a typed text stands for (-1: none). When set, that
    // item is taken by Enter in the open list and when the focus leaves
    // the box, so a typed "atm" becomes the list's "ATM Cash".
    using ItemPicker = std::function<int(const QString& typed)>;
    void setItemPicker(ItemPicker picker) { picker_ = std::move(picker); }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listKeyPress(QKeyEvent* key);
    void followTypedText();
    int pickedRow() const;

    ItemPicker picker_;
    bool popupOpen_ = false;
    bool everFocused_ = false;
    // The highlight was moved by the arrow keys since the list opened or
    // since the last typed character.
    bool highlightChosen_ = false;
};

}
