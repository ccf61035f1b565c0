// The real title window: the update notice, the pulse and the quick start
// driven by its timer against a clock moved by hand, the new-user overview,
// the conversion of an older index, the two document buttons and the ways
// to quit.
#include "testenv.h"
#include "testrunner.h"
#include "recordingshell.h"
#include "scriptedprompts.h"

#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/frmTitlePage.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "shell/updatecheck.h"
#include "store/datafiles.h"
#include "store/records.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tallyo;
using tallyo::test::RecordingShell;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

const QString OverviewTitle = QStringLiteral(" Tallyo - New User Overview");
const QString UpdateCaption = QStringLiteral("An updated version of\r\nTallyo is available!");

// The program's own version as the web site would publish it.
QString publishedText(const VersionNumbers& v)
{
    return QStringLiteral("%1.%2.%3\r\n").arg(v.major, 2, 10, QChar(u'0')).arg(v.minor, 2, 10, QChar(u'0'))
        .arg(v.revision, 2, 10, QChar(u'0'));
}

QByteArray legacyIndex(int accounts)
{
    QByteArray bytes;
    for (int i = 1; i <= accounts; ++i) {
        LegacyAccountRecord record;
        record.AccountKey = QStringLiteral("2019010108000%1").arg(i);
        record.AccountName = QStringLiteral("Account %1").arg(i);
        record.AccountNotes = QStringLiteral("notes %1").arg(i);
        bytes += record.encode();
    }
    return bytes;
}

}

class TitleWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    QTemporaryDir settingsFolder_;
    std::unique_ptr<StoredSettings> settings_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    RecordingShell shell_;
    FixedClock clock_{QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0))};
    EventPace pace_{0.0};
    int indexShown_ = 0;

    void setSetting(SettingKey key, const QString& text) { SetSettingText(key, text); }

    // Loads the settings as start-up does, shows the window and waits until
    // it has asked for the version text and started its timer.
    frmTitlePage* showTitle()
    {
        LoadDisplayValues();
        ShowTitleWindow();
        frmTitlePage* window = TitleWindow();
        if (!window)
            return nullptr;
        if (!QTest::qWaitFor([&] { return shell_.targets(RecordingShell::Kind::Fetch).size() == 1; }))
            return nullptr;
        return window;
    }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        QFile::remove(settingsFolder_.filePath(QStringLiteral("settings.ini")));
        settings_ = std::make_unique<StoredSettings>(settingsFolder_.filePath(QStringLiteral("settings.ini")));
        prompts_ = std::make_unique<ScriptedPrompts>();
        shell_ = RecordingShell();
        clock_.set(QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));
        platform() = {prompts_.get(), &shell_, settings_.get(), &clock_, &pace_, {}};
        ResetDisplayValues();
        ResetProgramEnding();
        indexShown_ = 0;
        navigation() = {};
        navigation().showAccountIndex = [this] { ++indexShown_; };
    }

    void cleanup()
    {
        // Whatever is still open closes quietly.
        EndWithoutAsking();
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetProgramEnding();
        prompts_->verifyDone();
        navigation() = {};
        platform() = {};
        prompts_.reset();
        settings_.reset();
        folder_.reset();
    }

    void asksForTheVersionWithinTheLimit()
    {
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        const RecordingShell::Request fetch = shell_.requests.first();
        QCOMPARE(fetch.target, VersionCheckUrl());
        QVERIFY(fetch.timeoutMs > 0 && fetch.timeoutMs <= 2000);
        QCOMPARE(title->labelVersion->text(), VersionLabelText(ProgramVersion()));
    }

    void versionTextDecidesTheNotice_data()
    {
        QTest::addColumn<std::optional<QString>>("fetched");
        QTest::addColumn<bool>("notice");
        const VersionNumbers own = ProgramVersion();
        QTest::newRow("no answer") << std::optional<QString>() << false;
        QTest::newRow("one-digit major") << std::optional<QString>(publishedText(own).mid(1)) << false;
        QTest::newRow("same version") << std::optional<QString>(publishedText(own)) << false;
        QTest::newRow("newer version")
            << std::optional<QString>(publishedText({own.major, own.minor, own.revision + 1})) << true;
        QTest::newRow("older version") << std::optional<QString>(publishedText({own.major - 1, 99, 99})) << true;
    }
    void versionTextDecidesTheNotice()
    {
        QFETCH(std::optional<QString>, fetched);
        QFETCH(bool, notice);
        setSetting(SettingKey::QuickStart, QStringLiteral("1"));
        shell_.fetchResult = fetched;
        frmTitlePage* title = showTitle();
        QVERIFY(title);

        QCOMPARE(title->UpdateAvailable(), notice);
        QCOMPARE(title->cmdUpdateCheck->caption(),
                 notice ? UpdateCaption : QStringLiteral("Version History\r\nfor this software"));
        QCOMPARE(title->cmdUpdateCheck->toolTip(), notice ? QStringLiteral(" Click here for details ")
                                                          : QStringLiteral(" Internet connection required "));
        // A notice makes the next start wait for the user.
        QCOMPARE(SettingText(SettingKey::QuickStart), notice ? QStringLiteral("0") : QStringLiteral("1"));
        QCOMPARE(title->cmdQuit->isCancel(), !notice);
    }

    void noPulseMeansNoQuickStart()
    {
        setSetting(SettingKey::FlashingButtonStatus, QStringLiteral("0"));
        setSetting(SettingKey::QuickStart, QStringLiteral("1"));
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        QTRY_VERIFY(!title->timerFlashButton->isActive());
        clock_.advanceSeconds(60);
        QTest::qWait(50);
        QVERIFY(title->isVisible());
        QCOMPARE(indexShown_, 0);
        QVERIFY(!title->PulseTarget());
    }

    // The real timer runs; only the clock is moved by hand.
    void quickStartWaitsForWholeSeconds_data()
    {
        QTest::addColumn<bool>("notice");
        QTest::addColumn<int>("stillWaitingAt");
        QTest::addColumn<int>("goesOnAt");
        QTest::newRow("no notice: more than 1.5 seconds") << false << 1 << 2;
        QTest::newRow("with notice: more than 4 seconds") << true << 4 << 5;
    }
    void quickStartWaitsForWholeSeconds()
    {
        QFETCH(bool, notice);
        QFETCH(int, stillWaitingAt);
        QFETCH(int, goesOnAt);
        setSetting(SettingKey::QuickStart, QStringLiteral("1"));
        setSetting(SettingKey::NewUser, QStringLiteral("NoShow"));
        if (notice)
            shell_.fetchResult = QStringLiteral("99.99.99");
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        ZevButton* target = notice ? title->cmdUpdateCheck : title->cmdContinue;
        const QColor restingFace = target->backColor();

        // The first tick picks the target and starts counting.
        QTRY_COMPARE(title->PulseTarget(), target);

        clock_.advanceSeconds(stillWaitingAt);
        QTRY_COMPARE(title->timerFlashButton->interval(), 15);
        QTRY_VERIFY(target->backColor() != restingFace);
        QVERIFY(title->isVisible());
        QCOMPARE(indexShown_, 0);

        clock_.advanceSeconds(goesOnAt - stillWaitingAt);
        QPointer<frmTitlePage> closing(title);
        QTRY_COMPARE(indexShown_, 1);
        QVERIFY(!closing || !closing->isVisible());
    }

    void overviewCanBeSwitchedOff()
    {
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        prompts_->expectMessage(OverviewTitle, 1, true).expectMessageKind(IconInformation);
        QTest::keyClick(title, Qt::Key_C, Qt::AltModifier);
        QCOMPARE(indexShown_, 1);
        QVERIFY(!title->isVisible());

        const MessageRequest shown = prompts_->messages().first();
        QVERIFY(shown.showOption);
        QCOMPARE(shown.captions, QStringList{QStringLiteral("&Continue")});
        QVERIFY(shown.text.startsWith(QStringLiteral("Welcome! Are you a new user? If so, then let's take a "
                                                     "moment for a quick overview.\r\n\r\nTallyo is designed")));
        QVERIFY(shown.text.endsWith(QStringLiteral("yet another powerful, easy-to-use program by Zev Software!")));
        QCOMPARE(shown.text.count(QStringLiteral("\r\n\r\n")), 5);
        QCOMPARE(SettingText(SettingKey::NewUser), QStringLiteral("NoShow"));

        // The next start goes straight on.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        shell_.requests.clear();
        frmTitlePage* next = showTitle();
        QVERIFY(next);
        next->cmdContinue->click();
        QCOMPARE(indexShown_, 2);
    }

    void overviewLeftOnKeepsAsking()
    {
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        prompts_->expectMessage(OverviewTitle, 0);
        title->cmdContinue->click();
        QCOMPARE(indexShown_, 1);
        QCOMPARE(SettingText(SettingKey::NewUser), QString());
    }

    void olderIndexIsConverted_data()
    {
        QTest::addColumn<int>("legacyAccounts");
        QTest::addColumn<bool>("newIndexExists");
        QTest::addColumn<bool>("converted");
        QTest::newRow("old index only") << 3 << false << true;
        QTest::newRow("new index beside it") << 3 << true << false;
        QTest::newRow("empty old index") << 0 << false << false;
    }
    void olderIndexIsConverted()
    {
        QFETCH(int, legacyAccounts);
        QFETCH(bool, newIndexExists);
        QFETCH(bool, converted);
        setSetting(SettingKey::NewUser, QStringLiteral("NoShow"));
        QVERIFY(test::writeWholeFile(QStringLiteral("Account.ndx"), legacyIndex(legacyAccounts)));
        if (newIndexExists)
            QVERIFY(test::writeWholeFile(QStringLiteral("Account.dex"), QByteArray()));
        if (converted)
            prompts_->expectMessage(QStringLiteral("Good News!"),
                                    QStringLiteral("The Account Index File\r\nhas been successfully updated!"),
                                    {QStringLiteral("&Continue to the Account Index Window")}, 1)
                .expectMessageKind(IconInformation);

        frmTitlePage* title = showTitle();
        QVERIFY(title);
        QStringList captions;
        connect(title->cmdContinue, &ZevButton::designChanged, this,
                [&] { captions.append(title->cmdContinue->caption()); });
        title->cmdContinue->click();

        QCOMPARE(indexShown_, 1);
        QCOMPARE(prompts_->messages().size(), converted ? 1 : 0);
        QCOMPARE(test::fileExists(QStringLiteral("Account.ndx")), !converted);
        if (converted) {
            captions.removeDuplicates();
            QCOMPARE(captions, (QStringList{"&Continue", "1", "2", "3"}));
            QCOMPARE(title->cmdContinue->caption(), QStringLiteral("&Continue"));
            OpenAccountIndex();
            QCOMPARE(AccountIndexCount(), 3);
            QCOMPARE(ReadAccountRecord(2).AccountName.trimmed(), QStringLiteral("Account 2"));
            CloseAccountIndex();
        }
    }

    void failedConversionStaysOnTheTitle()
    {
        setSetting(SettingKey::NewUser, QStringLiteral("NoShow"));
        QVERIFY(test::writeWholeFile(QStringLiteral("Account.ndx"), legacyIndex(3)));
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        prompts_->expectMessage(QStringLiteral("File Error"), 1).expectMessageKind(IconStop);
        {
            // A full disk: the new index cannot be written.
            test::FileSizeLimit full(1000);
            title->cmdContinue->click();
        }
        QCOMPARE(indexShown_, 0);
        // The message names the failure, the old index by its full name and
        // the way out.
        QCOMPARE(prompts_->messages().size(), 1);
        const QString text = prompts_->messages().constFirst().text;
        QVERIFY2(text.startsWith(QStringLiteral("Could not ")), qPrintable(text));
        QVERIFY2(text.endsWith(QStringLiteral("\r\n\r\nThe older account index\r\n")
                               + QDir::current().absoluteFilePath(QStringLiteral("Account.ndx"))
                               + QStringLiteral("\r\ncould not be converted. If this keeps happening, "
                                                "move that file\r\nto another folder and keep it: the "
                                                "program then starts without it,\r\nwith an empty "
                                                "account index.")),
                 qPrintable(text));
        QVERIFY(title->isVisible());
        QVERIFY(title->isEnabled());
        QCOMPARE(title->cmdContinue->caption(), QStringLiteral("&Continue"));
        QVERIFY(test::fileExists(QStringLiteral("Account.ndx")));
        QVERIFY(!test::fileExists(QStringLiteral("Account.dex")));

        // With room again, Continue converts and goes on.
        prompts_->expectMessage(QStringLiteral("Good News!"), 1);
        title->cmdContinue->click();
        QCOMPARE(indexShown_, 1);
        QVERIFY(!test::fileExists(QStringLiteral("Account.ndx")));
    }

    void movingTheOldIndexAsideLetsTheProgramStart()
    {
        setSetting(SettingKey::NewUser, QStringLiteral("NoShow"));
        QVERIFY(test::writeWholeFile(QStringLiteral("Account.ndx"), legacyIndex(3)));
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        prompts_->expectMessage(QStringLiteral("File Error"), 1);
        {
            test::FileSizeLimit full(1000);
            title->cmdContinue->click();
        }
        QCOMPARE(indexShown_, 0);
        // Done as the message says: the next Continue opens an empty index.
        QVERIFY(QDir().mkdir(QStringLiteral("aside")));
        QVERIFY(QFile::rename(QStringLiteral("Account.ndx"), QStringLiteral("aside/Account.ndx")));
        title->cmdContinue->click();
        QCOMPARE(indexShown_, 1);
        QCOMPARE(prompts_->messages().size(), 1);
    }

    void documentButtonsOpenTheWebSite_data()
    {
        QTest::addColumn<bool>("updateButton");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("opens");
        QTest::newRow("version history") << true << "/VersionInfo/VersionInfo-Tallyo.pdf" << true;
        QTest::newRow("windows notice") << false << "/url_text_files/windowsnotice.pdf" << true;
        QTest::newRow("no web browser") << false << "/url_text_files/windowsnotice.pdf" << false;
    }
    void documentButtonsOpenTheWebSite()
    {
        QFETCH(bool, updateButton);
        QFETCH(QString, path);
        QFETCH(bool, opens);
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        shell_.openResult = opens;
        if (!opens)
            prompts_->expectMessage(QStringLiteral("Can not open Web Page"), 1);
        (updateButton ? title->cmdUpdateCheck : title->cmdWindowsNotice)->click();
        const QStringList opened = shell_.targets(RecordingShell::Kind::Url);
        QCOMPARE(opened.size(), 1);
        QVERIFY2(opened.first().startsWith(QStringLiteral("http://")) && opened.first().endsWith(path),
                 qPrintable(opened.first()));
        QVERIFY(title->isVisible());
    }

    void quitFromTheTitle_data()
    {
        QTest::addColumn<bool>("byEsc"); // else from the title bar
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("Esc, go back") << true << 2 << false;
        QTest::newRow("Esc, Esc again") << true << 0 << false;
        QTest::newRow("Esc, yes") << true << 1 << true;
        QTest::newRow("title bar, go back") << false << 2 << false;
        QTest::newRow("title bar, yes") << false << 1 << true;
    }
    void quitFromTheTitle()
    {
        QFETCH(bool, byEsc);
        QFETCH(int, answer);
        QFETCH(bool, ends);
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        prompts_->expectMessage(QStringLiteral("Confirm"), answer);
        if (byEsc)
            QTest::keyClick(title, Qt::Key_Escape);
        else
            title->close();
        QCOMPARE(title->isVisible(), !ends);
        QCOMPARE(ProgramEnding(), ends);
        QCOMPARE(indexShown_, 0);
    }

    void escapeDoesNothingBesideANotice()
    {
        shell_.fetchResult = QStringLiteral("99.99.99");
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        QTest::keyClick(title, Qt::Key_Escape);
        QVERIFY(title->isVisible());
        // Quit itself still asks.
        prompts_->expectMessage(QStringLiteral("Confirm"), 2);
        title->cmdQuit->click();
        QVERIFY(title->isVisible());
    }

    // F1 opens the manual only unmodified; here it cannot, which shows a message.
    void manualKeyActsOnlyUnmodified()
    {
        setSetting(SettingKey::NewUser, QStringLiteral("NoShow"));
        setSetting(SettingKey::QuickStart, QStringLiteral("0"));
        frmTitlePage* title = showTitle();
        QVERIFY(title);
        shell_.openResult = false;
        QTest::keyClick(title, Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(title, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(prompts_->verifyDone());
        prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(title, Qt::Key_F1);
        QVERIFY(prompts_->verifyDone());
    }
};

TALLYO_TEST(TitleWindowTest)
#include "titlewindow.moc"
