// The title window as it first shows, and with the notice of a newer
// version (its button pulsing).
#include "shots.h"

#include "platform/platform.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "shell/appsettings.h"
#include "shell/frmTitlePage.h"
#include "shell/navigation.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>

namespace tallyo::shots {

namespace {
int shoot(const QDir& out, const QString& name, const std::optional<QString>& published)
{
    QTemporaryDir folder;
    StoredSettings settings(folder.filePath(QStringLiteral("settings.ini")));
    test::RecordingShell shell;
    shell.fetchResult = published;
    test::ScriptedPrompts prompts;
    FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));
    EventPace pace(0.0);
    const Platform previous = platform();
    platform() = {&prompts, &shell, &settings, &clock, &pace};
    SharedDisplayValues().FlashButtons = true;
    navigation().showAccountIndex = [] {}; // Continue is enabled only with somewhere to go

    auto* window = new frmTitlePage;
    window->show();
    // The version check and the first tick; then a few steps of the pulse.
    QCoreApplication::processEvents();
    window->timerFlashButton->stop();
    if (!window->PulseTarget())
        window->timerFlashButton_Timer();
    for (int i = 0; i < 12; ++i)
        window->timerFlashButton_Timer();
    const int written = save(*window, out, name);

    // Gone without the close that would ask to quit.
    delete window;
    platform() = previous;
    navigation().showAccountIndex = nullptr;
    ResetDisplayValues();
    return written;
}
}

int titleShots(const QDir& out)
{
    int written = 0;
    written += shoot(out, QStringLiteral("title"), std::nullopt);
    written += shoot(out, QStringLiteral("title-update-notice"), QStringLiteral("99.01.01"));
    return written;
}

}
