#include "Main.h"

#include "checks/frmPrintCheck.h"
#include "index/frmAccountIndex.h"
#include "platform/DesktopPrompts.h"
#include "platform/DesktopShell.h"
#include "platform/PrinterSurface.h"
#include "platform/platform.h"
#include "platform/singleinstance.h"
#include "register/SearchMenu.h"
#include "register/TransactionActions.h"
#include "register/frmAccount.h"
#include "reports/ReportActions.h"
#include "statements/ImportActions.h"
#include "shell/appsettings.h"
#include "shell/frmTitlePage.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "store/fileerror.h"
#include "store/fileio.h"
#include "store/recordjournal.h"
#include "store/rewrite.h"
#include "util/WindowHelpers.h"
#include "store/signalcleanup.h"
#include "util/backuprestore.h"
#include "util/frmProgramOptions.h"
#include "util/productinfo.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QSessionManager>

namespace tallyo {

namespace {

// Every page surface starts in inches and picks its printer when it
// prints; here the print system is only woken up, so that the first print
// does not wait for it. Having no printer at all is fine.
void PreparePrinter()
{
    (void)QPrinterInfo::defaultPrinter();
}

// What an interrupted rewrite left behind.
void DeleteLeftoverScratchFile()
{
    try {
        DeleteFile(QString::fromLatin1(ScratchFileName));
    } catch (const FileError&) {
        // Every rewrite empties the scratch file before it writes.
    }
}

}

QString LockFailureMessage(const SingleInstance& instance)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString path = QDir::toNativeSeparators(instance.lockPath());
    const QString folder = QDir::toNativeSeparators(QFileInfo(instance.lockPath()).absolutePath());
    return ApplicationTitle + QStringLiteral(" could not make the lock file that keeps") + crlf
        + QStringLiteral("a second copy from running:") + crlf + crlf + path + crlf
        + instance.failureReason() + crlf + crlf
        + QStringLiteral("Make sure the folder ") + folder + crlf
        + QStringLiteral("exists and you may write to it (remove the file") + crlf
        + QStringLiteral("if it was left behind), then start ") + ApplicationTitle + QStringLiteral(" again.");
}

bool Main(SingleInstance& instance)
{
    if (!instance.tryLock()) {
        const QString text = instance.heldByAnotherCopy()
            ? ApplicationTitle + QStringLiteral(" is already loaded\r\nand running on your computer!")
            : LockFailureMessage(instance);
        prompts().ask(QStringLiteral("Terminating"), IconStop, text, 1, {QStringLiteral("&Okay")});
        return false;
    }

    // What a stopped backup or restore left in the data folder is finished
    // or cleared, and a stopped import undone, before anything reads it.
    try {
        TidyDataFolderAtStart(DataFolderPath());
        UndoUnfinishedRecordChanges(DataFolderPath());
    } catch (const FileError& error) {
        prompts().ask(QStringLiteral("Terminating"), IconStop,
                      ApplicationTitle + QStringLiteral(" could not finish a copy that was stopped") + QStringLiteral("\r\n")
                          + QStringLiteral("in its data folder:") + QStringLiteral("\r\n\r\n") + error.message(),
                      1, {QStringLiteral("&Okay")});
        return false;
    }
    PreparePrinter();
    DeleteLeftoverScratchFile();
    LoadDisplayValues();

    Navigation& ways = navigation();
    ways.showTitleWindow = ShowTitleWindow;
    ways.showAccountIndex = ShowAccountIndexWindow;
    navigation().openRegister = OpenRegisterWindow;
    InstallTransactionActions();
    InstallSearchActions();
    InstallCheckActions();
    InstallReportActions();
    InstallStatementImport();
    ways.quitProgram = QuitProgram;
    ways.openProgramOptions = ShowProgramOptionsWindow;

    ways.showTitleWindow();
    return true;
}

int RunDesktop(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    // The program ends through QuitProgram or with the session, never
    // because no window is shown for a moment (the title window closes
    // before the account index opens).
    QApplication::setQuitOnLastWindowClosed(false);
    ReturnFocusAfterModalWindows();

    DesktopPrompts desktopPrompts;
    DesktopShell desktopShell;
    StoredSettings storedSettings;
    SystemClock systemClock;
    EventPace eventPace;
    platform() = {&desktopPrompts, &desktopShell, &storedSettings, &systemClock, &eventPace,
                  [] { return std::make_unique<PrinterSurface>(); }};

    // A logout or shutdown closes the windows without asking; the data
    // folder is tidied as on quitting.
    QObject::connect(
        &app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager&) { EndWithoutAsking(); },
        Qt::DirectConnection);
    QObject::connect(
        &app, &QCoreApplication::aboutToQuit, &app,
        [] {
            EndWithoutAsking();
            TidyDataFolder();
        },
        Qt::DirectConnection);

    // Stopped by a signal, the program leaves no lock or scratch file.
    InstallSignalCleanup();
    int exitCode = 0;
    {
        SingleInstance instance;
        if (Main(instance))
            exitCode = app.exec();
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    navigation() = {};
    platform() = {};
    return exitCode;
}

}
