#include "shots.h"

#include <QWidget>

namespace tallyo::shots {

int save(QWidget& widget, const QDir& out, const QString& name)
{
    widget.show();
    widget.ensurePolished();
    return widget.grab().save(out.filePath(name + ".png")) ? 1 : 0;
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
    };
}

}
