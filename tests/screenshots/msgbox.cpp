// The message dialog with one, two and three buttons, and with the
// "Don't show this again" box.
#include "shots.h"

#include "platform/prompts.h"
#include "platform/singleinstance.h"
#include "shell/Main.h"
#include "shell/frmMsgBox.h"
#include "store/conversion.h"
#include "store/fileerror.h"

#include <QPointer>
#include <QTemporaryDir>

namespace tallyo::shots {

int shootMessage(const QDir& out, const QString& name, const QString& title, int iconKind,
                 const QString& text, int defaultButton, bool showOption, const QStringList& captions)
{
    return messageShot(out, name, {title, iconKind, text, defaultButton, showOption, captions});
}

int messageDialogShots(const QDir& out)
{
    int written = 0;
    written += shootMessage(out, QStringLiteral("msgbox-one-button"), QStringLiteral("Terminating"), 2,
                     QStringLiteral("Tallyo is already loaded\r\nand running on your computer!"), 1,
                     false, {QStringLiteral("&Okay")});
    written += shootMessage(out, QStringLiteral("msgbox-two-buttons"), QStringLiteral("Confirm"), 3,
                     QStringLiteral("This will close Tallyo\r\n\r\nIs this what you want to do?"), 1,
                     false, {QStringLiteral("&Yes, close Tallyo"), QStringLiteral("&No, let's go back")});
    written += shootMessage(out, QStringLiteral("msgbox-three-buttons"), QStringLiteral("Save changes"), 4,
                     QStringLiteral("The payee list has changed.\r\nSave the changes before closing?"), 2,
                     false,
                     {QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("&Cancel")});
    written += shootMessage(out, QStringLiteral("msgbox-option-box"), QStringLiteral("Protection Options"), 5,
                     QStringLiteral("Any account can be protected by a personal question and answer.\r\n"
                                    "Choose \"Protection\" in the account index to set one up."),
                     1, true, {QStringLiteral("&Okay")});
    written += shootMessage(out, QStringLiteral("msgbox-long-text"), QStringLiteral("Entry Error"), 2,
                     QStringLiteral("This message is one very long line of text that goes on and on, "
                                    "far wider than the screen allows, so the dialog has to wrap it "
                                    "into several lines of its own to keep the window on the screen "
                                    "where the user can read it in full."),
                     1, false, {QStringLiteral("&Okay")});
    // The start-up refusals that are no second copy: a lock that cannot be
    // made, and an old index that cannot be converted.
    QTemporaryDir runtime;
    SingleInstance unlocked(runtime.filePath(QStringLiteral("missing/tallyo.lock")));
    unlocked.tryLock();
    written += shootMessage(out, QStringLiteral("msgbox-lock-failure"), QStringLiteral("Terminating"), 2,
                            LockFailureMessage(unlocked), 1, false, {QStringLiteral("&Okay")});
    written += shootMessage(out, QStringLiteral("msgbox-conversion-failure"), QStringLiteral("File Error"), 2,
                            ConversionFailureMessage(
                                FileError(QStringLiteral("TempFile.$$$"), QStringLiteral("write"),
                                          QStringLiteral("No space left on device"))
                                    .message()),
                            1, false, {QStringLiteral("&Okay")});
    return written;
}

}
