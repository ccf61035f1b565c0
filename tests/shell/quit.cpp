// Quitting: the confirmation, what a "go back" leaves alone, the data
// files closed and an empty index removed, every window closed.
#include "testenv.h"
#include "testrunner.h"
#include "scriptedprompts.h"

#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/quit.h"
#include "store/datafiles.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

using namespace tallyo;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

class QuitTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    QTemporaryDir settingsFolder_;
    std::unique_ptr<StoredSettings> settings_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    EventPace pace_{0.0};

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        QFile::remove(settingsFolder_.filePath(QStringLiteral("settings.ini")));
        settings_ = std::make_unique<StoredSettings>(settingsFolder_.filePath(QStringLiteral("settings.ini")));
        prompts_ = std::make_unique<ScriptedPrompts>();
        platform().prompts = prompts_.get();
        platform().settings = settings_.get();
        platform().pace = &pace_;
        ResetProgramEnding();
    }

    void cleanup()
    {
        EndWithoutAsking();
        QApplication::closeAllWindows();
        ResetProgramEnding();
        prompts_->verifyDone();
        platform() = {};
        prompts_.reset();
        settings_.reset();
        folder_.reset();
    }

    void confirmation_data()
    {
        QTest::addColumn<QString>("confirmQuit"); // empty: not stored
        QTest::addColumn<int>("answer");          // -1: not asked
        QTest::addColumn<bool>("ends");
        QTest::newRow("not stored: asks, yes") << "" << 1 << true;
        QTest::newRow("asks, go back") << "1" << 2 << false;
        QTest::newRow("asks, Esc") << "1" << 0 << false;
        QTest::newRow("0: at once") << "0" << -1 << true;
        QTest::newRow("2: at once") << "2" << -1 << true;
    }
    void confirmation()
    {
        QFETCH(QString, confirmQuit);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        if (!confirmQuit.isEmpty())
            SetSettingText(SettingKey::ConfirmQuit, confirmQuit);
        if (answer >= 0)
            prompts_->expectMessage(QStringLiteral("Confirm"),
                                    QStringLiteral("This will close Tallyo\r\n\r\nIs this what you want to do?"),
                                    {QStringLiteral("&Yes, close Tallyo"), QStringLiteral("&No, let's go back")},
                                    answer)
                .expectMessageKind(IconQuestion);
        // An empty index, as a first start leaves it, still open.
        OpenAccountIndex();
        QWidget window;
        window.show();

        QCOMPARE(QuitProgram(), ends);
        QCOMPARE(window.isVisible(), !ends);
        QCOMPARE(ProgramEnding(), ends);
        QCOMPARE(dataFiles().AccountIndexFile.isOpen(), !ends);
        QCOMPARE(test::fileExists(QStringLiteral("Account.dex")), !ends);
        if (answer >= 0)
            QCOMPARE(prompts_->messages().first().defaultButton, 1);
    }

    void onlyAnEmptyIndexIsRemoved_data()
    {
        QTest::addColumn<bool>("withAccount");
        QTest::addColumn<bool>("kept");
        QTest::newRow("empty") << false << false;
        QTest::newRow("one account") << true << true;
    }
    void onlyAnEmptyIndexIsRemoved()
    {
        QFETCH(bool, withAccount);
        QFETCH(bool, kept);
        SetSettingText(SettingKey::ConfirmQuit, QStringLiteral("0"));
        OpenAccountIndex();
        if (withAccount) {
            AccountRecord account;
            account.AccountKey = QStringLiteral("20261208093015");
            account.AccountName = QStringLiteral("Checking");
            WriteAccountRecord(1, account);
        }
        CloseAccountIndex();
        QVERIFY(test::writeWholeFile(QStringLiteral("Account.dat"), QByteArray()));

        QVERIFY(QuitProgram());
        QCOMPARE(test::fileExists(QStringLiteral("Account.dex")), kept);
        // Only the index is tidied away.
        QVERIFY(test::fileExists(QStringLiteral("Account.dat")));
    }
};

TALLYO_TEST(QuitTest)
#include "quit.moc"
