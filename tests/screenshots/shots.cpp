#include "shots.h"

#include "platform/prompts.h"
#include "shell/frmMsgBox.h"

#include <QPointer>
#include <QWidget>

namespace tallyo::shots {

namespace {
WindowCheck& theCheck()
{
    static WindowCheck check;
    return check;
}
}

void setWindowCheck(WindowCheck check)
{
    theCheck() = std::move(check);
}

void checkWindow(QWidget& window, const QString& name)
{
    if (theCheck())
        theCheck()(window, name);
}

int save(QWidget& widget, const QDir& out, const QString& name)
{
    widget.show();
    widget.ensurePolished();
    checkWindow(widget, name);
    return widget.grab().save(out.filePath(name + ".png")) ? 1 : 0;
}

int messageShot(const QDir& out, const QString& name, const MessageRequest& request)
{
    MessageDialogState& state = messageDialog();
    state.reset();
    state.MessageTitle = request.title;
    state.MessageIconKind = request.iconKind;
    state.MessageText = request.text;
    state.MessageDefaultButton = request.defaultButton;
    state.MessageShowOption = request.showOption;
    state.MessageCaptions = request.captions;
    QPointer<frmMsgBox> box = new frmMsgBox;
    const int written = save(*box, out, name);
    box->close();
    delete box;
    return written;
}

// Renderers are added here as windows are built.
std::vector<Renderer> all()
{
    return {
        messageDialogShots,
        buttonShots,
        titleShots,
        accountIndexShots,
        registerShots,
        entryShots,
        searchShots,
        programOptionsShots,
        checkShots,
        reportShots,
        statementShots,
    };
}

}
