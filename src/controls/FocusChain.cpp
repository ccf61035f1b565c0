#include "FocusChain.h"

#include <QWidget>

namespace tallyo {

void MoveFocusOn(QWidget* from, bool forward)
{
    QWidget* window = from->window();
    QWidget* candidate = from;
    // The chain is a ring of every widget of the window; one turn at most.
    for (;;) {
        candidate = forward ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == from || candidate == nullptr)
            return;
        if (candidate->window() == window && candidate->isVisibleTo(window) && candidate->isEnabled()
            && (candidate->focusPolicy() & Qt::TabFocus) && candidate->focusProxy() == nullptr
            && !from->isAncestorOf(candidate)) {
            candidate->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

}
