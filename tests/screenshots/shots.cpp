#include "shots.h"

#include "shell/frmMsgBox.h"

#include <QPointer>
#include <QWidget>

namespace tallyo::shots {

int save(QWidget& widget, const QDir& out, const QString& name)
{
    widget.show();
    widget.ensurePolished();
    return widget.grab().save(out.filePath(name + ".png")) ? 1 : 0;
}

int shootMessage(const QDir& out, const QString& name, const QString& title, int iconKind, const QString& text,
                 int defaultButton, const QStringList& captions)
{
    MessageDialogState& state = messageDialog();
    state.reset();
    state.MessageTitle = title;
    state.MessageIconKind = iconKind;
    state.MessageText = text;
    state.MessageDefaultButton = defaultButton;
    state.MessageCaptions = captions;
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
        checkShots,
    };
}

}
