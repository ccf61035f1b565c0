#pragma once
// Helpers that many windows share: the busy state, the tiled background, the
// manual, web pages and mail, a synthetic key press, and the twips scale of
// the screen.
#include "twips.h"

#include <QPixmap>
#include <QString>
#include <QStringList>

class QKeyEvent;
class QWidget;

#include <functional>

namespace tallyo {

class FileError;
class PageSurface;

// Busy: hourglass pointer and the window disabled; not busy: the normal
// pointer and the window enabled. Pending events then run once. Calling it
// twice with the same flag does no harm.
void SetBusy(QWidget& window, bool busy);

// The program's background picture.
QPixmap BackgroundPicture();

// Tiles the picture over the window from its top-left corner; the tiles at
// the right and bottom edges are cut off. Child controls that do not paint
// their own background show it through.
void TileBackground(const QPixmap& picture, QWidget& window);

// Opens the manual with the desktop's document viewer; when it is missing,
// or the desktop has no viewer for it, says so in the message dialog (with
// the file to open by hand). True when it was opened.
bool OpenManual();
// The same, looking for the manual in the given folders only.
bool OpenManual(const QStringList& folders);

// Opens a mail request (kind 1) or a web page (kind 2) with the desktop's
// handler; an empty target means the product's support mailbox or web page.
// When the desktop has no program for it, says so in the message dialog with
// the address to use by hand; a mail's text is put on the clipboard. True
// when opened.
bool OpenWebOrMail(int kind, const QString& target = {});

// Presses and releases a key (a Qt::Key, e.g. Qt::Key_F4 to drop a calendar
// or list open) on the widget that has the focus, or on the given widget.
// The events are queued, as if typed: they arrive when events next run.
void PressKey(int key, QWidget* target = nullptr);

// Whether a key came without Shift, Ctrl, Alt or Meta held. The window keys
// (F1, Insert, the function keys of the buttons) act only then, so that
// Shift+Insert stays a paste and Ctrl+F4 stays the desktop's. Keys of the
// number pad count as plain.
bool IsPlainKey(const QKeyEvent& key);

// Runs `setUp` once, just after the window first becomes active, so that a
// question it asks opens over a window that is fully shown. A desktop that
// keeps new windows from taking the focus may never activate the window:
// then `setUp` runs shortly after the window shows all the same.
void OnFirstActivation(QWidget& window, std::function<void()> setUp);

// From now on, whenever a modal window closes, the window that opened it
// (or a modal window still open) is made the active window again, its focus
// on the control that had it or that the closing code gave it. A desktop
// may otherwise leave no window active when two windows close one after the
// other (a message over a dialog that then closes too), and keys then go
// nowhere until a click. Call once, with the application.
void ReturnFocusAfterModalWindows();

// After a printout: when the pages went to a file because no printer is
// installed, tells the user where the file is.
void TellWherePrintingWent(const PageSurface& surface);

// A data file that could not be read or written: "File error" with the
// file, the operation and the system's reason, and one "&Okay".
void ShowFileError(const FileError& error);

// Twips and pixels on the primary screen.
TwipScale ScreenTwips();

}
