// The options window with its defaults and with changed choices, every
// message of backup and restore as the procedures ask them, and the caption
// during a copy. A window's own caption is drawn as a strip above it, since a
// grab shows no frame.
#include "shots.h"

#include "testenv.h"

#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/frmMsgBox.h"
#include "store/fileerror.h"
#include "store/foldercopy.h"
#include "util/frmProgramOptions.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace tallyo::shots {

namespace {

// The widget under a strip that shows its caption.
int saveCaptioned(QWidget& widget, const QDir& out, const QString& name)
{
    widget.show();
    widget.ensurePolished();
    QApplication::processEvents();
    checkWindow(widget, name);
    const QPixmap body = widget.grab();
    const int strip = 22;
    QPixmap shot(body.width(), body.height() + strip);
    shot.fill(QColor(60, 90, 150));
    QPainter painter(&shot);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Tahoma"), 9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(6, 0, body.width() - 12, strip), Qt::AlignVCenter | Qt::AlignLeft, widget.windowTitle());
    painter.drawPixmap(0, strip, body);
    painter.end();
    return shot.save(out.filePath(name + QStringLiteral(".png"))) ? 1 : 0;
}

// Shows every message as the message dialog would, saves it under the next
// name, and answers with the first button unless told otherwise.
class ShootingPrompts : public Prompts {
public:
    explicit ShootingPrompts(const QDir& out) : out_(out) {}
    MessageAnswer showMessage(const MessageRequest& request) override
    {
        MessageDialogState& state = messageDialog();
        state.reset();
        state.MessageTitle = request.title;
        state.MessageIconKind = request.iconKind;
        state.MessageText = request.text;
        state.MessageDefaultButton = request.defaultButton;
        state.MessageCaptions = request.captions;
        QPointer<frmMsgBox> box = new frmMsgBox;
        written += saveCaptioned(*box, out_, names.value(0, QStringLiteral("options-message")));
        if (!names.isEmpty())
            names.removeFirst();
        box->close();
        delete box;
        return {answers.isEmpty() ? 1 : answers.takeFirst(), false};
    }
    QString inputText(const QString&, const QString&, const QString&) override { return {}; }
    QString pickFolder(const QString&, const QString&) override { return folder; }

    QString folder;
    QStringList names;
    QList<int> answers;
    int written = 0;

private:
    QDir out_;
};

}

int programOptionsShots(const QDir& target)
{
    const QDir out(target.absolutePath());
    test::TempDataFolder data;
    StoredSettings settings(data.filePath(QStringLiteral("settings.ini")));
    EventPace pace(0);
    FixedClock clock(QDateTime(QDate(2026, 12, 8), QTime(18, 45, 0)));
    ShootingPrompts shooting(out);
    const Platform previous = platform();
    platform().settings = &settings;
    platform().pace = &pace;
    platform().clock = &clock;
    platform().prompts = &shooting;
    LoadDisplayValues();
    AppendAccount(QStringLiteral("Household Checking"), NewAccountNotes());

    int written = 0;
    auto shootWindow = [&](const QString& name) {
        frmProgramOptions window;
        window.show();
        if (!QTest::qWaitForWindowActive(&window)
            || !QTest::qWaitFor([&] { return !window.cmdBackupRestore[1]->caption().isEmpty(); }))
            return;
        written += saveCaptioned(window, out, name);
        window.cmdFinished_Click();
    };
    shootWindow(QStringLiteral("options"));
    for (const auto& [key, value] : {std::pair{"DateDisplay", "2"}, {"CurrencySymbol", "2"},
                                     {"AmountEntryMethod", "1"}, {"QuickStart", "1"},
                                     {"FlashingButtonStatus", "0"}})
        settings.setValue(QString::fromLatin1(key), QString::fromLatin1(value));
    shootWindow(QStringLiteral("options-changed"));

    // The caption during a copy: the window is busy and shows the file.
    {
        QTemporaryDir backup;
        frmProgramOptions window;
        window.show();
        // A window that never shows its captions is drawn as it stands.
        if (QTest::qWaitForWindowActive(&window))
            (void)QTest::qWaitFor([&] { return !window.cmdBackupRestore[1]->caption().isEmpty(); });
        SetCopyStepHook([&](CopyStep step, const QString& name) {
            if (step == CopyStep::FileCopied && name == u"Account.dex")
                written += saveCaptioned(window, out, QStringLiteral("options-copying"));
        });
        shooting.folder = backup.path();
        shooting.names = {QStringLiteral("backup-ready"), QStringLiteral("backup-successful")};
        BackupData(window);
        SetCopyStepHook({});

        // Every other message of both procedures.
        struct Run {
            bool restore;
            QString folder;
            QStringList names;
            QList<int> answers;
        };
        QTemporaryDir foreign, empty, failing;
        QFile::copy(data.filePath(QStringLiteral("Account.dex")), failing.filePath(QStringLiteral("Account.dex")));
        test::writeWholeFile(foreign.filePath(QStringLiteral("letter.txt")), "Dear...");
        const QList<Run> runs{
            {false, data.path(), {QStringLiteral("backup-invalid")}, {}},
            {false, empty.filePath(QStringLiteral("none")), {QStringLiteral("backup-access-problem")}, {}},
            {false, foreign.path(), {QStringLiteral("backup-caution")}, {2}},
            {true, data.path(), {QStringLiteral("restore-invalid")}, {}},
            {true, empty.filePath(QStringLiteral("none")), {QStringLiteral("restore-access-problem")}, {}},
            {true, empty.path(), {QStringLiteral("restore-missing")}, {}},
            {true, backup.path(), {QStringLiteral("restore-important"), QStringLiteral("restore-successful")}, {}},
        };
        for (const Run& run : runs) {
            shooting.folder = run.folder;
            shooting.names = run.names;
            shooting.answers = run.answers;
            if (run.restore)
                RestoreData(window);
            else
                BackupData(window);
        }
        SetCopyStepHook([](CopyStep step, const QString&) {
            if (step == CopyStep::ChunkWritten)
                throw FileError(QStringLiteral("Account.dex"), QStringLiteral("write"),
                                QStringLiteral("No space left on device"));
        });
        shooting.folder = failing.path();
        shooting.names = {QStringLiteral("backup-ready-earlier"), QStringLiteral("backup-error")};
        BackupData(window);
        shooting.names = {QStringLiteral("restore-important-again"), QStringLiteral("restore-error")};
        RestoreData(window);
        SetCopyStepHook({});
        window.cmdFinished_Click();
    }
    written += shooting.written;

    // The restore kept the data it replaced beside the data folder.
    const QFileInfo folder(data.path());
    for (const QString& kept :
         QDir(folder.absolutePath()).entryList({folder.fileName() + QStringLiteral("-before-restore-*")}, QDir::Dirs))
        QDir(folder.absolutePath() + u'/' + kept).removeRecursively();
    platform() = previous;
    return written;
}

}
