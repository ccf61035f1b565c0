// Start-up: a second copy is refused before any file is touched; the first
// tidies a leftover scratch file, loads the display values, fills in the
// ways between windows and shows the title window.
#include "testenv.h"
#include "testrunner.h"
#include "recordingshell.h"
#include "scriptedprompts.h"

#include "platform/platform.h"
#include "platform/singleinstance.h"
#include "shell/Main.h"
#include "shell/appsettings.h"
#include "shell/frmTitlePage.h"
#include "shell/navigation.h"
#include "shell/quit.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tallyo;
using tallyo::test::RecordingShell;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {
const QString Scratch = QStringLiteral("TempFile.$$$");
}

class StartupTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    QTemporaryDir privateFolder_; // settings and the lock, apart from the data
    std::unique_ptr<StoredSettings> settings_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    RecordingShell shell_;
    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0))};
    EventPace pace_{0.0};

    QString lockPath() const { return privateFolder_.filePath(QStringLiteral("tallyo.lock")); }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        QFile::remove(privateFolder_.filePath(QStringLiteral("settings.ini")));
        settings_ = std::make_unique<StoredSettings>(privateFolder_.filePath(QStringLiteral("settings.ini")));
        prompts_ = std::make_unique<ScriptedPrompts>();
        shell_ = RecordingShell();
        platform() = {prompts_.get(), &shell_, settings_.get(), &clock_, &pace_, {}};
        navigation() = {};
        ResetDisplayValues();
        ResetProgramEnding();
        QVERIFY(test::writeWholeFile(Scratch, QByteArray(3000, 'x')));
    }

    void cleanup()
    {
        EndWithoutAsking();
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetProgramEnding();
        ResetDisplayValues();
        prompts_->verifyDone();
        navigation() = {};
        platform() = {};
        prompts_.reset();
        settings_.reset();
        folder_.reset();
    }

    void secondCopyEndsBeforeTouchingFiles()
    {
        SingleInstance running(lockPath());
        QVERIFY(running.tryLock());
        prompts_->expectMessage(QStringLiteral("Terminating"),
                                QStringLiteral("Tallyo is already loaded\r\nand running on your computer!"),
                                {QStringLiteral("&Okay")}, 1)
            .expectMessageKind(IconStop);

        SingleInstance second(lockPath());
        QVERIFY(!Main(second));
        QVERIFY(test::fileExists(Scratch));
        QVERIFY(!TitleWindow());
        QVERIFY(!navigation().showAccountIndex);
        QVERIFY(SharedDisplayValues().DataFileList.isEmpty());
    }

    void lockThatCannotBeMadeIsReportedAsSuch()
    {
        // The runtime folder is missing: no other copy runs, the lock just
        // cannot be made, and the user is told which file and why.
        const QString path = privateFolder_.filePath(QStringLiteral("gone/tallyo.lock"));
        prompts_->expectMessage(QStringLiteral("Terminating"),
                                QStringLiteral("Tallyo could not make the lock file that keeps\r\n"
                                               "a second copy from running:\r\n\r\n")
                                    + path
                                    + QStringLiteral("\r\nNo such file or directory\r\n\r\n"
                                                     "Make sure the folder ")
                                    + privateFolder_.filePath(QStringLiteral("gone"))
                                    + QStringLiteral("\r\nexists and you may write to it (remove the file\r\n"
                                                     "if it was left behind), then start Tallyo again."),
                                {QStringLiteral("&Okay")}, 1)
            .expectMessageKind(IconStop);

        SingleInstance instance(path);
        QVERIFY(!Main(instance));
        QVERIFY(test::fileExists(Scratch));
        QVERIFY(!TitleWindow());
    }

    void firstCopyStarts_data()
    {
        QTest::addColumn<QString>("dateDisplay"); // empty: not stored
        QTest::addColumn<QString>("dateFormat");
        QTest::newRow("no settings stored") << "" << "mm/dd/yy";
        QTest::newRow("DateDisplay 2") << "2" << "dd/mm/yy";
    }
    void firstCopyStarts()
    {
        QFETCH(QString, dateDisplay);
        QFETCH(QString, dateFormat);
        if (!dateDisplay.isEmpty())
            SetSettingText(SettingKey::DateDisplay, dateDisplay);

        SingleInstance instance(lockPath());
        QVERIFY(Main(instance));
        QVERIFY(instance.isLocked());
        QVERIFY(!test::fileExists(Scratch));

        const DisplayValues& values = SharedDisplayValues();
        QCOMPARE(values.DateFormat, dateFormat);
        QCOMPARE(values.CurrencySign, QStringLiteral("$"));
        QVERIFY(values.FlashButtons);
        QVERIFY(!values.QuickStartOn);

        QVERIFY(navigation().showTitleWindow && navigation().showAccountIndex && navigation().quitProgram);
        QVERIFY(TitleWindow() && TitleWindow()->isVisible());
        // No data file is made just by starting.
        QVERIFY(QDir().entryList(QDir::Files).isEmpty());
    }
};

TALLYO_TEST(StartupTest)
#include "startup.moc"
