#pragma once
// Accessible names for the controls that have no caption of their own: a
// text box, a drop-down list, a date box or a grid takes the caption that
// the window shows beside it (its label's buddy, else the label just to its
// left on its line and the one just above it); failing that a grid takes
// its first column's header, a date box "Date", and any other control its
// hint. A grid's hint becomes its description. Names given in code are
// kept. Windows are named as they show and each time they become active
// (their captions are filled then), so no window names its controls one by
// one.
class QWidget;

namespace tallyo {

// Names every unnamed focusable control inside `root` (and `root` itself).
void NameUnnamedControls(QWidget& root);

// Names the controls of every window as it shows, from now on; once.
void InstallControlNaming();

}
