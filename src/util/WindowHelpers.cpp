#include "WindowHelpers.h"

#include "store/fileerror.h"

#include "desktoptargets.h"
#include "platform/pagesurface.h"
#include "platform/platform.h"
#include "productinfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QPalette>
#include <QPointer>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

namespace tallyo {

void SetBusy(QWidget& window, bool busy)
{
    // One override cursor at most, so that unbalanced calls cannot leave the
    // hourglass behind.
    if (busy && !QApplication::overrideCursor())
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!busy && QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    window.setEnabled(!busy);
    QCoreApplication::processEvents();
}

QPixmap BackgroundPicture()
{
    return QPixmap(QStringLiteral(":/background.png"));
}

void TileBackground(const QPixmap& picture, QWidget& window)
{
    if (picture.isNull())
        return;
    // A texture brush repeats the picture from the window's origin and is
    // repainted with the window, whatever its size.
    QPalette palette = window.palette();
    palette.setBrush(QPalette::Window, QBrush(picture));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

bool OpenManual()
{
    return OpenManual(manualFolders(QCoreApplication::applicationDirPath(),
                                    QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)));
}

bool OpenManual(const QStringList& folders)
{
    const QString title = QStringLiteral("Can not open ") + ApplicationTitle + QStringLiteral(" Manual");
    const QStringList okay{QStringLiteral("&Okay, return to the program")};
    const QString manual = findManual(folders);
    if (manual.isEmpty()) {
        prompts().ask(title, IconExclamation,
                      QStringLiteral("The ") + ApplicationTitle + QStringLiteral(" manual\r\n")
                          + QStringLiteral("(in PDF format) is either\r\n")
                          + QStringLiteral("missing or can not be opened..."),
                      1, okay);
        return false;
    }
    if (shell().openDocument(manual))
        return true;
    // The manual is there but the desktop has nothing to show it with: say
    // where it is, so that it can be opened by hand.
    prompts().ask(title, IconExclamation,
                  QStringLiteral("The ") + ApplicationTitle + QStringLiteral(" manual\r\n")
                      + QStringLiteral("(in PDF format) can not be opened:\r\n")
                      + QStringLiteral("no program to show PDF files was found.\r\n\r\n")
                      + QStringLiteral("Open this file with a PDF viewer:\r\n") + QDir::toNativeSeparators(manual),
                  1, okay);
    return false;
}

namespace {

// No mail program took the request: its text goes to the clipboard, and the
// message says how to send it by hand.
void TellMailByHand(const QString& address)
{
    const MailParts mail = mailParts(address);
    QString text = QStringLiteral("No mail program was found\r\nto write this e-mail.\r\n\r\n");
    if (mail.body.isEmpty()) {
        text += QStringLiteral("Write a new message");
    } else {
        QString body = mail.body;
        body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QGuiApplication::clipboard()->setText(body);
        text += QStringLiteral("Its text has been copied to the clipboard:\r\npaste it into a new message");
    }
    if (!mail.to.isEmpty())
        text += QStringLiteral(" to ") + mail.to;
    if (!mail.subject.isEmpty())
        text += QStringLiteral("\r\nwith the subject \"") + mail.subject + u'"';
    text += u'.';
    prompts().ask(QStringLiteral("Can not open E-mail"), IconStop, text, 1, {QStringLiteral("&Okay")});
}

}

bool OpenWebOrMail(int kind, const QString& target)
{
    const QString address = webOrMailAddress(kind, target);
    if (shell().openUrl(address))
        return true;
    QCoreApplication::processEvents();
    if (kind == OpenMail) {
        TellMailByHand(address);
        return false;
    }
    prompts().ask(QStringLiteral("Can not open Web Page"), IconStop,
                  QStringLiteral("No web browser was found\r\nto open this page.\r\n\r\n")
                      + QStringLiteral("Open this address in a web browser:\r\n") + address,
                  1, {QStringLiteral("&Okay")});
    return false;
}

void PressKey(int key, QWidget* target)
{
    QWidget* receiver = target ? target : QApplication::focusWidget();
    if (!receiver)
        return;
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(receiver, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

bool IsPlainKey(const QKeyEvent& key)
{
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

TwipScale ScreenTwips()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return TwipScale(screen ? screen->logicalDotsPerInch() : 96.0);
}

namespace {

// Watches a window until its first activation, then runs the set-up once.
class FirstActivation : public QObject {
public:
    FirstActivation(QWidget& window, std::function<void()> setUp)
        : QObject(&window), window_(window), setUp_(std::move(setUp))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate)
            QTimer::singleShot(0, this, [this] { run(); });
        else if (event->type() == QEvent::Show)
            QTimer::singleShot(500, this, [this] {
                if (window_.isVisible())
                    run();
            });
        return false;
    }

private:
    void run()
    {
        if (done_)
            return;
        done_ = true;
        window_.removeEventFilter(this);
        setUp_();
        deleteLater();
    }

    QWidget& window_;
    std::function<void()> setUp_;
    bool done_ = false;
};

}

void OnFirstActivation(QWidget& window, std::function<void()> setUp)
{
    new FirstActivation(window, std::move(setUp));
}

namespace {

// Once a modal window has gone: a modal window still open (or just opened)
// must be the active one; otherwise, when no window of the program is
// active, the closed window's opener (or any shown window of the program)
// becomes active. A window of the program that is active already keeps it.
void giveActivationBack(const QPointer<QWidget>& opener)
{
    QWidget* active = QApplication::activeWindow();
    QWidget* target = QApplication::activeModalWidget();
    if (!target) {
        if (active)
            return;
        target = opener && opener->isVisible() ? opener.data() : nullptr;
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* window : windows) {
            const Qt::WindowType type = window->windowType();
            if (!target && window->isVisible() && (type == Qt::Window || type == Qt::Dialog))
                target = window;
        }
    }
    if (!target || target == active)
        return;
    target->raise();
    target->activateWindow();
}

class FocusReturn : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Hide || !watched->isWidgetType())
            return false;
        auto* closed = static_cast<QWidget*>(watched);
        if (!closed->isWindow() || !closed->isModal())
            return false;
        const QPointer<QWidget> opener = closed->parentWidget() ? closed->parentWidget()->window() : nullptr;
        // At once, and again a little later: the desktop's own choice of the
        // next active window arrives after the window has gone, and may be
        // none.
        for (const int delay : {0, 150, 500})
            QTimer::singleShot(delay, this, [opener] { giveActivationBack(opener); });
        return false;
    }
};

}

void ReturnFocusAfterModalWindows()
{
    static QPointer<FocusReturn> installed;
    if (installed || !qApp)
        return;
    installed = new FocusReturn(qApp);
    qApp->installEventFilter(installed);
}

void TellWherePrintingWent(const PageSurface& surface)
{
    const QString file = surface.savedFile();
    if (file.isEmpty())
        return;
    prompts().ask(QStringLiteral("Printed to a file"), IconInformation,
                  QStringLiteral("No printer is installed, so the pages were saved as") + QStringLiteral("\r\n")
                      + QDir::toNativeSeparators(file),
                  1, {QStringLiteral("&Okay")});
}

void ShowFileError(const FileError& error)
{
    prompts().ask(QStringLiteral("File error"), IconStop, error.message(), 1, {QStringLiteral("&Okay")});
}

}
