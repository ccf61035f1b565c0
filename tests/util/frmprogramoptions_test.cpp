// The options window on a settings store in a temporary folder: what it
// shows, what every way out saves, the display values it changes at once,
// and backup and restore started from it, up to the account index.
#include "testrunner.h"
#include "windowseams.h"

#include "controls/ZevButton.h"
#include "index/AccountListModel.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "index/frmAccountIndex.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "util/frmProgramOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tallyo;

namespace {

const QStringList SixKeys{"QuickStart", "ConfirmQuit", "FlashingButtonStatus", "AmountEntryMethod",
                          "DateDisplay", "CurrencySymbol"};

// Acts on the options window once it is open and set up.
void whenOptionsOpen(const std::function<void(frmProgramOptions&)>& act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        frmProgramOptions* window = ProgramOptionsWindow();
        if (!window || !window->isVisible() || window->cmdBackupRestore[1]->caption().isEmpty())
            return;
        poll->stop();
        poll->deleteLater();
        act(*window);
    });
    poll->start(5);
}

void click(QAbstractButton* box)
{
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

}

class ProgramOptionsWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    std::unique_ptr<frmProgramOptions> window_;

    frmProgramOptions* open(QWidget* owner = nullptr)
    {
        window_ = std::make_unique<frmProgramOptions>(owner);
        window_->show();
        if (!QTest::qWaitForWindowActive(window_.get()))
            return nullptr;
        if (!QTest::qWaitFor([&] { return !window_->cmdBackupRestore[1]->caption().isEmpty(); }))
            return nullptr;
        return window_.get();
    }

    // The six keys as the store holds them; missing keys are left out.
    QMap<QString, QString> storedKeys() const
    {
        QSettings store(seams_->folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        QMap<QString, QString> keys;
        for (const QString& key : SixKeys) {
            const QVariant value = store.value(QStringLiteral("Defaults/") + key);
            if (value.isValid())
                keys.insert(key, value.toString());
        }
        return keys;
    }

    void store(const QMap<QString, QString>& values)
    {
        for (auto it = values.begin(); it != values.end(); ++it)
            seams_->settings.setValue(it.key(), it.value());
    }

private slots:
    void init()
    {
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2026, 12, 8), QTime(18, 0, 0)));
        navigation() = Navigation();
        ResetCurrentAccount();
        ResetDisplayValues();
        LoadDisplayValues();
    }

    void cleanup()
    {
        window_.reset();
        if (frmAccountIndex* index = AccountIndexWindow())
            index->closeByProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        navigation() = Navigation();
        seams_.reset();
    }

    // An empty store shows every default, and every way out writes all six
    // keys with them.
    void emptyStoreShowsDefaultsAndEveryWayOutSaves_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Finished") << QStringLiteral("finished");
        QTest::newRow("Esc") << QStringLiteral("esc");
        QTest::newRow("close box") << QStringLiteral("close");
        QTest::newRow("Alt+F") << QStringLiteral("alt-f");
    }
    void emptyStoreShowsDefaultsAndEveryWayOutSaves()
    {
        QFETCH(QString, way);
        frmProgramOptions* window = open();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral(" Tallyo -  Program Options"));
        QCOMPARE(window->frameDateFormat->title(), QStringLiteral("Date display options"));
        QCOMPARE(window->frameCurrencySymbol->title(), QStringLiteral("Currency symbol options"));
        QCOMPARE(window->frameAmountEntryMethod->title(), QStringLiteral("Amount entry method"));
        QCOMPARE(window->frameOtherOptions->title(), QStringLiteral("Other options"));
        QCOMPARE(window->frameBackupRestore->title(), QStringLiteral("Backup/Restore options"));
        QCOMPARE(window->optDateFormat[3]->text(), QStringLiteral("yy/dd/mm"));
        QCOMPARE(window->optCurrencySymbol[2]->text(), QStringLiteral("'\u00A3' Pound Sign (U.K. Style)"));
        QCOMPARE(window->optAmountEntryMethod[1]->text(), QStringLiteral("Right to left, auto-formatting"));
        QCOMPARE(window->chkFlashingButton->text(), QStringLiteral("Enable the 'Flashing Button' effect"));
        QCOMPARE(window->cmdBackupRestore[1]->caption(), QStringLiteral("Backup Tallyo data"));
        QCOMPARE(window->cmdBackupRestore[2]->caption(), QStringLiteral("Restore Tallyo data"));
        QCOMPARE(window->cmdHelp->toolTip(), QStringLiteral(" Tallyo illustrated manual <F1> "));
        QCOMPARE(window->cmdFinished->toolTip(), QStringLiteral(" &Finished <Esc> "));

        QVERIFY(window->optDateFormat[1]->isChecked());
        QVERIFY(window->optCurrencySymbol[1]->isChecked());
        QVERIFY(window->optAmountEntryMethod[0]->isChecked());
        QVERIFY(!window->chkQuickStart->isChecked());
        QVERIFY(window->chkConfirmQuit->isChecked());
        QVERIFY(window->chkFlashingButton->isChecked());
        for (QCheckBox* box : {window->chkQuickStart, window->chkConfirmQuit, window->chkFlashingButton})
            QVERIFY(box->isEnabled());
        QVERIFY(storedKeys().isEmpty());

        if (way == u"finished")
            QTest::mouseClick(window->cmdFinished, Qt::LeftButton);
        else if (way == u"esc")
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, Qt::Key_Escape);
        else if (way == u"close")
            window->close();
        else
            QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(storedKeys(), (QMap<QString, QString>{{"QuickStart", "0"},
                                                       {"ConfirmQuit", "1"},
                                                       {"FlashingButtonStatus", "1"},
                                                       {"AmountEntryMethod", "0"},
                                                       {"DateDisplay", "1"},
                                                       {"CurrencySymbol", "1"}}));
    }

    void storedChoicesAreShown_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("method");
        QTest::addColumn<int>("shownDate");
        QTest::addColumn<int>("shownCurrency");
        QTest::addColumn<int>("shownMethod");
        QTest::newRow("in range") << "4" << "2" << "1" << 4 << 2 << 1;
        QTest::newRow("outside the tables") << "9" << "abc" << "-1" << 1 << 1 << 0;
    }
    void storedChoicesAreShown()
    {
        QFETCH(QString, date);
        QFETCH(QString, currency);
        QFETCH(QString, method);
        QFETCH(int, shownDate);
        QFETCH(int, shownCurrency);
        QFETCH(int, shownMethod);
        store({{"DateDisplay", date}, {"CurrencySymbol", currency}, {"AmountEntryMethod", method},
               {"QuickStart", "1"}, {"ConfirmQuit", "0"}, {"FlashingButtonStatus", "0"}});
        frmProgramOptions* window = open();
        QVERIFY(window);
        QVERIFY(window->optDateFormat[size_t(shownDate)]->isChecked());
        QVERIFY(window->optCurrencySymbol[size_t(shownCurrency)]->isChecked());
        QVERIFY(window->optAmountEntryMethod[size_t(shownMethod)]->isChecked());
        QCOMPARE(window->dateIndex(), shownDate);
        QVERIFY(window->chkQuickStart->isChecked());
        QVERIFY(!window->chkConfirmQuit->isChecked());
        QVERIFY(!window->chkFlashingButton->isChecked());
        window->cmdFinished_Click();
        QCOMPARE(storedKeys().value("DateDisplay"), QString::number(shownDate));
        QCOMPARE(storedKeys().value("CurrencySymbol"), QString::number(shownCurrency));
        QCOMPARE(storedKeys().value("AmountEntryMethod"), QString::number(shownMethod));
    }

    // Changes reach the shared display values as the window closes, so the
    // register's dates, the check's currency words and the pulsing follow
    // without a restart.
    void changesApplyAtOnce()
    {
        QCOMPARE(SharedDisplayValues().CurrencyUnitName, QStringLiteral("Dollars"));
        frmProgramOptions* window = open();
        QVERIFY(window);
        click(window->optCurrencySymbol[2]);
        click(window->optDateFormat[2]);
        click(window->optAmountEntryMethod[1]);
        click(window->chkFlashingButton);
        click(window->chkQuickStart);
        QCOMPARE(window->currencyIndex(), 2);
        QCOMPARE(window->amountIndex(), 1);
        // Nothing is applied before the window is left.
        QCOMPARE(SharedDisplayValues().CurrencySign, QStringLiteral("$"));
        QCOMPARE(SharedDisplayValues().DateFormat, QStringLiteral("mm/dd/yy"));

        QTest::keyClick(window, Qt::Key_Escape);
        const DisplayValues& values = SharedDisplayValues();
        QCOMPARE(values.CurrencySign, QStringLiteral("\u00A3"));
        QCOMPARE(values.CurrencyUnitName, QStringLiteral("Pounds"));
        QCOMPARE(values.CurrencySubunitName, QStringLiteral("Pence"));
        QCOMPARE(values.DateFormat, QStringLiteral("dd/mm/yy"));
        QVERIFY(!values.FlashButtons);
        QVERIFY(values.QuickStartOn);
        QCOMPARE(SettingChoice(SettingKey::AmountEntryMethod), 1);
        QCOMPARE(SettingChoice(SettingKey::DateDisplay), 2);
    }

    // By keyboard alone: Tab visits each option group once, then the check
    // boxes and the buttons; arrows choose within a group.
    void keyboardReachesEveryControl()
    {
        QVERIFY(test::writeWholeFile(seams_->folder.filePath(QStringLiteral("Account.dex")), {}));
        frmProgramOptions* window = open();
        QVERIFY(window);
        QStringList chain;
        for (int i = 0; i < 11; ++i) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            chain.append(focused->objectName());
            if (i < 10)
                QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(chain, QStringList({"optDateFormat1", "optCurrencySymbol1", "optAmountEntryMethod0", "chkQuickStart",
                                     "chkConfirmQuit", "chkFlashingButton", "cmdBackupRestore1", "cmdBackupRestore2",
                                     "cmdHelp", "cmdFinished", "optDateFormat1"}));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(window->dateIndex(), 2);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->cmdBackupRestore[1]);
        seams_->prompts.expectFolder(QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(seams_->prompts.verifyDone());

        // F1 from any control opens the manual, and the window stays.
        seams_->shell.openResult = false;
        seams_->prompts.expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(window->optDateFormat[2], Qt::Key_F1);
        QVERIFY(seams_->prompts.verifyDone());
        QVERIFY(window->isVisible());
    }

    void backupButtonNeedsAccountDex_data()
    {
        QTest::addColumn<bool>("withIndex");
        QTest::newRow("no Account.dex") << false;
        QTest::newRow("Account.dex") << true;
    }
    void backupButtonNeedsAccountDex()
    {
        QFETCH(bool, withIndex);
        if (withIndex)
            QVERIFY(test::writeWholeFile(seams_->folder.filePath(QStringLiteral("Account.dex")), {}));
        frmProgramOptions* window = open();
        QVERIFY(window);
        QCOMPARE(window->cmdBackupRestore[1]->isEnabled(), withIndex);
        QVERIFY(window->cmdBackupRestore[2]->isEnabled());
    }

    // A backup from the window shows its progress in the caption and gives
    // the window back as it was.
    void backupFromTheWindow()
    {
        AppendAccount(QStringLiteral("Cash"), NewAccountNotes());
        QTemporaryDir target;
        QStringList captions;
        frmProgramOptions* window = open();
        QVERIFY(window);
        seams_->prompts.expectFolder(target.path())
            .expectMessage(QStringLiteral("Ready to Backup..."), 1)
            .expectMessage(QStringLiteral("Backup Successful"), 1);
        connect(window, &QWidget::windowTitleChanged, this, [&](const QString& title) { captions.append(title); });
        QTest::mouseClick(window->cmdBackupRestore[1], Qt::LeftButton);
        QVERIFY(seams_->prompts.verifyDone());
        QCOMPARE(captions.first(), QStringLiteral("Copying Account.dex..."));
        QCOMPARE(captions.last(), QStringLiteral(" Tallyo -  Program Options"));
        QVERIFY(test::fileExists(target.filePath(QStringLiteral("Account.dex"))));
        QVERIFY(window->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }

    // F3 on the index opens the options; a restore there reloads the index
    // with the restored accounts once the window closes.
    void restoreReachesTheIndex()
    {
        // A backup holding two accounts, made in a folder of its own.
        QTemporaryDir backup;
        {
            test::TempDataFolder other;
            AppendAccount(QStringLiteral("Savings"), NewAccountNotes());
            seams_->clock.advanceSeconds(1);
            AppendAccount(QStringLiteral("Holiday"), NewAccountNotes());
            for (const QString& name : {QStringLiteral("Account.dex"), QStringLiteral("Account.dat"), QStringLiteral("PayCom.lst")})
                if (test::fileExists(other.filePath(name)))
                    QVERIFY(QFile::copy(other.filePath(name), backup.filePath(name)));
        }
        seams_->clock.advanceSeconds(1);
        AppendAccount(QStringLiteral("Cash"), NewAccountNotes());

        navigation().openProgramOptions = ShowProgramOptionsWindow;
        ShowAccountIndexWindow();
        frmAccountIndex* index = AccountIndexWindow();
        QVERIFY(index && QTest::qWaitForWindowActive(index));
        QTRY_COMPARE(index->model->rowCount(), 1);

        bool acted = false;
        whenOptionsOpen([&](frmProgramOptions& options) {
            acted = true;
            seams_->prompts.expectFolder(backup.path())
                .expectMessage(QStringLiteral("Important! Please read carefully..."), 1)
                .expectMessage(QStringLiteral("Restore Successful"), 1);
            QTest::mouseClick(options.cmdBackupRestore[2], Qt::LeftButton);
            // Reloaded only after the window closes.
            QCOMPARE(index->model->rowCount(), 1);
            QCOMPARE(index->cmdProgramOptions->tag(), QStringLiteral("Restored"));
            QTest::mouseClick(options.cmdFinished, Qt::LeftButton);
        });
        QTest::keyClick(index->focusWidget() ? index->focusWidget() : index, Qt::Key_F3);
        QVERIFY(acted);
        QVERIFY(!ProgramOptionsWindow());
        QCOMPARE(index->model->rowCount(), 2);
        QCOMPARE(index->model->index(0, 0).data().toString(), QStringLiteral("Holiday"));
        QVERIFY(index->cmdProgramOptions->tag().isEmpty());

        // The accounts it replaced were kept beside the data folder.
        const QFileInfo data(seams_->folder.path());
        const QStringList kept = QDir(data.absolutePath())
                                     .entryList({data.fileName() + QStringLiteral("-before-restore-*")}, QDir::Dirs);
        QCOMPARE(kept.size(), 1);
        const QString keptPath = data.absolutePath() + u'/' + kept.first();
        QVERIFY(test::fileExists(keptPath + QStringLiteral("/Account.dex")));
        QDir(keptPath).removeRecursively();
    }

    // F1 opens the manual only unmodified; here it cannot, which shows a message.
    void manualKeyActsOnlyUnmodified()
    {
        frmProgramOptions* window = open();
        QVERIFY(window);
        seams_->shell.openResult = false;
        QTest::keyClick(window->optDateFormat[2], Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(window->optDateFormat[2], Qt::Key_F1, Qt::AltModifier);
        QVERIFY(seams_->prompts.verifyDone());
        seams_->prompts.expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(window->optDateFormat[2], Qt::Key_F1);
        QVERIFY(seams_->prompts.verifyDone());
    }
};

TALLYO_TEST(ProgramOptionsWindowTest)
#include "frmprogramoptions_test.moc"
