#pragma once
// Accessible names for the controls that have no caption of their own: a
// text box, a drop-down list, a date box or a grid takes the caption that
// the window shows beside it (its label's buddy, else the label just to its
// left on its line, else the label just above it), or failing that its hint.
// Names given in code are kept. Windows are named as they are shown, so no
// window needs to name its controls one by one.
class QWidget;

namespace tallyo {

// Names every unnamed focusable control inside `root` (and `root` itself).
void NameUnnamedControls(QWidget& root);

// Names the controls of every window as it shows, from now on; once.
void InstallControlNaming();

}
