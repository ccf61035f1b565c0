#pragma once
// Moving the keyboard focus on as Tab and Shift+Tab would, for controls
// whose drop-downs take those keys while they are open.
class QWidget;

namespace tallyo {

// Gives the focus to the next (or previous) control of `from`'s window that
// takes the focus by Tab; does nothing when there is none.
void MoveFocusOn(QWidget* from, bool forward);

}
