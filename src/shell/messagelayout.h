#pragma once
// Where everything in the message dialog goes, in twips, computed from the
// measured sizes of its texts and the size of the screen. Kept apart from the
// window so that the rules can be checked without one.
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

namespace tallyo {

struct MessageMeasures {
    QSize screen;                            // the primary screen, twips
    QSize labelNatural;                      // the message on unwrapped lines, twips
    std::function<int(int width)> labelHeightAt; // height of the message wrapped at a width
    QList<int> buttonTextWidths;             // width of " " + caption + " " per button, twips
    bool showOption = false;                 // the "Don't show this again" box
};

struct MessageLayout {
    QRect label;
    bool labelWraps = false;
    QList<QRect> buttons;  // buttons[0] is button 1
    QSize window;          // the window's inner size
    QRect band;            // the plain band behind the button row
    QPoint optionBox;      // top-left of the check box, when shown
    bool fitsScreen = true;
};

MessageLayout layoutMessage(const MessageMeasures& measures);

// The icon and sound of an icon kind.
enum class MessageIcon { None, Application, Stop, Question, Exclamation, Information };
MessageIcon messageIconFor(int iconKind);

// The message text as the window shows it: CR LF line breaks become plain
// line breaks, and one line break is added at the end, which leaves an empty
// line below the message.
QString messageDisplayText(const QString& text);

// The text of a button: the caption with one space either side.
QString messageButtonText(const QString& caption);

}
