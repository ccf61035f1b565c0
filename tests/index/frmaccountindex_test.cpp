// The account index window on real files, driven by keys and mouse, with
// every question answered by the scripted prompts.
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"

#include "controls/ZevButton.h"
#include "index/AccountListModel.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "index/frmAccountIndex.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "store/datafiles.h"
#include "store/records.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tallyo;
using tallyo::test::RecordingShell;
using tallyo::test::ScriptedPrompts;
using tallyo::test::TempDataFolder;

namespace {

const QColor Shaded(215, 215, 255);

AccountRecord accountAt(qint32 record)
{
    OpenAccountIndex();
    AccountRecord account = ReadAccountRecord(record);
    CloseAccountIndex();
    return account;
}

void protect(qint32 record, const QString& query, const QString& answer)
{
    AccountRecord account = accountAt(record);
    account.AccessQuery = query;
    account.AccessAnswer = answer;
    OpenAccountIndex();
    WriteAccountRecord(record, account);
    CloseAccountIndex();
}

void addTransactions(const QString& key, const QList<QPair<QString, qint64>>& typedAmounts)
{
    OpenTransactions();
    for (const auto& [type, amount] : typedAmounts) {
        TransactionRecord record;
        record.AccountKey = key;
        record.TransactionDate = 45000;
        record.TransactionType = type;
        record.Amount = amount;
        WriteTransactionRecord(TransactionCount() + 1, record);
    }
    CloseTransactions();
}

QStringList column(const AccountListModel& model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, column).data().toString());
    return texts;
}

void press(QWidget* target, Qt::Key key)
{
    QTest::keyClick(target->focusWidget() ? target->focusWidget() : target, key);
}

}

class AccountIndexWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    std::unique_ptr<StoredSettings> settings_;
    ScriptedPrompts* prompts_ = nullptr;
    RecordingShell shell_;
    EventPace pace_{0};
    FixedClock clock_{QDateTime(QDate(2026, 3, 1), QTime(8, 0, 0))};

    // Adds accounts a second apart; returns their records' keys.
    QStringList addAccounts(const QStringList& names)
    {
        QStringList keys;
        for (const QString& name : names) {
            keys.append(accountAt(AppendAccount(name, NewAccountNotes())).AccountKey);
            clock_.advanceSeconds(1);
        }
        return keys;
    }

    // Shows the window and lets its first activation fill it.
    frmAccountIndex* open()
    {
        ShowAccountIndexWindow();
        frmAccountIndex* window = AccountIndexWindow();
        if (!window || !QTest::qWaitForWindowActive(window))
            return nullptr;
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        return window;
    }

    void closeWindow()
    {
        if (frmAccountIndex* window = AccountIndexWindow())
            window->closeByProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int highlightedRow(frmAccountIndex* window) { return window->gridAccountIndex->currentIndex().row(); }

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        settings_ = std::make_unique<StoredSettings>(folder_->filePath(QStringLiteral("settings.ini")));
        prompts_ = new ScriptedPrompts;
        platform().prompts = prompts_;
        platform().settings = settings_.get();
        platform().shell = &shell_;
        platform().pace = &pace_;
        platform().clock = &clock_;
        navigation() = Navigation();
        ResetCurrentAccount();
        ResetDisplayValues();
        LoadDisplayValues();
    }

    void cleanup()
    {
        closeWindow();
        prompts_->verifyDone();
        delete prompts_;
        platform().prompts = nullptr;
        platform().settings = nullptr;
        navigation() = Navigation();
        settings_.reset();
        folder_.reset();
    }

    void noAccountsOffersToAddAndLeavesOnlyTheGeneralButtons()
    {
        prompts_->expectMessage(QStringLiteral("No accounts on file"),
                                QStringLiteral("There are currently no financial accounts on file.\r\n\r\n"
                                               "Would you like to add an account to the index now?"),
                                {QStringLiteral("&Yes, please"), QStringLiteral("&No, not right now")}, 2)
            .expectMessageKind(IconQuestion);
        navigation().openProgramOptions = [](QWidget*) {};
        frmAccountIndex* window = open();
        QVERIFY(window);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(window->windowTitle(), QStringLiteral("Tallyo - Account Index"));

        QVERIFY(!window->gridAccountIndex->isVisible());
        QVERIFY(!window->txtAccountInfo->isVisible());
        for (ZevButton* hidden : {window->cmdSeeAccount, window->cmdProtectAccount, window->cmdRenameAccount,
                                  window->cmdDeleteAccount, window->cmdEditNotes, window->cmdSaveNotes,
                                  window->cmdNoSaveNotes})
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        for (ZevButton* usable : {window->cmdAddAccount, window->cmdProgramOptions, window->cmdHelp,
                                  window->cmdAbout, window->cmdQuit})
            QVERIFY2(usable->isVisible() && usable->isEnabled(), qPrintable(usable->objectName()));

        // The account keys find no account to act on: no question is asked.
        for (Qt::Key key : {Qt::Key_F4, Qt::Key_F5, Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F12})
            press(window, key);
        QCOMPARE(prompts_->messages().size(), 1);
        QVERIFY(prompts_->inputs().isEmpty());
        QVERIFY(!test::fileExists(folder_->filePath(QStringLiteral("Account.dex"))));
    }

    void accountsAreSortedWithTheirBalances()
    {
        const QStringList keys = addAccounts({"beta", "Alpha", "gamma"});
        addTransactions(keys[1], {{QString(TypeStart), 1000000}, {QStringLiteral("1001"), -255000},
                                  {QString(TypeVoid), 0}});
        addTransactions(keys[2], {{QString(TypeOtherDebit), -12345000}});
        frmAccountIndex* window = open();
        QVERIFY(window);

        const AccountListModel& model = *window->model;
        QCOMPARE(column(model, 0), (QStringList{"Alpha", "beta", "gamma"}));
        QCOMPARE(column(model, 1), (QStringList{"74.50", "0.00", "-1,234.50"}));
        QCOMPARE(column(model, 2), (QStringList{"2", "1", "3"}));
        QVERIFY(window->gridAccountIndex->isColumnHidden(AccountListModel::RecordColumn));
        QCOMPARE(model.index(1, 0).data(Qt::BackgroundRole).value<QColor>(), Shaded);
        QCOMPARE(model.index(1, 1).data(Qt::BackgroundRole).value<QColor>(), Shaded);
        QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model.index(2, 1).data(Qt::BackgroundRole).isValid());
        QCOMPARE(model.index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 64));
        QCOMPARE(model.index(2, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 64, 0));
        QVERIFY(model.index(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);

        // Row 1 is highlighted and is the current account.
        QCOMPARE(highlightedRow(window), 0);
        QCOMPARE(currentAccount().CurrentAccountRecord, 2);
        QCOMPARE(currentAccount().CurrentAccountKey, keys[1]);
        QCOMPARE(window->cmdSeeAccount->caption(), QStringLiteral("&Open the account of\r\n Alpha"));

        // Moving the highlight follows with the current account and its notes.
        press(window->gridAccountIndex, Qt::Key_Down);
        QCOMPARE(currentAccount().SelectedRow, 2);
        QCOMPARE(currentAccount().CurrentAccountKey, keys[0]);
        QCOMPARE(window->txtAccountInfo->toPlainText(), NewAccountNotes().replace("\r\n", "\n"));
    }

    void aSingleAccountIsListedPlain()
    {
        addAccounts({"Fish & Chips"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        const AccountListModel& model = *window->model;
        QVERIFY(!model.index(0, 0).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model.index(0, 0).data(Qt::ForegroundRole).isValid());
        QCOMPARE(window->cmdSeeAccount->caption(), QStringLiteral("&Open the account of\r\n Fish && Chips"));
        QCOMPARE(window->cmdSeeAccount->accessKey(), QChar(u'o'));
        QVERIFY(window->shape[0]->isVisible() && window->shape[1]->isVisible());
    }

    void addingAsksTheNewAccountQuestions_data()
    {
        QTest::addColumn<bool>("notesAdviceOn");
        QTest::addColumn<bool>("wantsNotes");
        QTest::newRow("every question, notes declined") << true << false;
        QTest::newRow("notes wanted: editing starts") << true << true;
        QTest::newRow("notes advice dismissed earlier") << false << false;
    }

    void addingAsksTheNewAccountQuestions()
    {
        QFETCH(bool, notesAdviceOn);
        QFETCH(bool, wantsNotes);
        addAccounts({"Alpha", "Zed"});
        SetSettingFlag(SettingKey::MakeNotesAdvice, notesAdviceOn);
        frmAccountIndex* window = open();
        QVERIFY(window);

        prompts_->expectInput(QStringLiteral("New Account name"), QStringLiteral("  Savings  "))
            .expectMessage(QStringLiteral("Access protection"), 2)
            .expectMessage(QStringLiteral("Protection Options"), 1, true);
        if (notesAdviceOn)
            prompts_->expectMessage(QStringLiteral("Make Notes..."), wantsNotes ? 1 : 2);
        if (notesAdviceOn && !wantsNotes)
            prompts_->expectMessage(QStringLiteral("Editing your Notes"), 1, true);
        press(window, Qt::Key_Insert);
        QVERIFY(prompts_->verifyDone());

        QCOMPARE(column(*window->model, 0), (QStringList{"Alpha", "Savings", "Zed"}));
        QCOMPARE(highlightedRow(window), 1);
        QCOMPARE(currentAccount().CurrentAccountRecord, 3);
        QCOMPARE(accountAt(3).AccountName, QStringLiteral("  Savings  ").leftJustified(40));
        QCOMPARE(SettingText(SettingKey::PasswordReminder), QStringLiteral("False"));
        QCOMPARE(SettingText(SettingKey::MakeNotesReminder),
                 notesAdviceOn && !wantsNotes ? QStringLiteral("False") : QStringLiteral("True"));
        QCOMPARE(window->isEditingNotes(), wantsNotes);
    }

    void establishingProtectionWhileAddingProtectsAtOnce()
    {
        navigation().openRegister = [] {};
        prompts_->expectMessage(QStringLiteral("No accounts on file"), 1)
            .expectInput(QStringLiteral("New Account name"), QStringLiteral("Savings"))
            .expectMessage(QStringLiteral("Access protection"), 1)
            .expectInput(QStringLiteral("The query..."), QStringLiteral("Pet?"))
            .expectInput(QStringLiteral("The answer..."), QStringLiteral("Rex"))
            .expectMessage(QStringLiteral("Protected access enabled"), 1)
            .expectMessage(QStringLiteral("Make Notes..."), 2)
            .expectMessage(QStringLiteral("Editing your Notes"), 1);
        frmAccountIndex* window = open();
        QVERIFY(window);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(currentAccount().SelectedAccessQuery, QStringLiteral("Pet?"));

        // Opening it now asks the query.
        prompts_->expectInput(QStringLiteral("Authorization required"), QString());
        press(window, Qt::Key_F9);
        QVERIFY(AccountIndexWindow());
    }

    void deletingMovesTheHighlightUp()
    {
        const QStringList keys = addAccounts({"A", "B", "C"});
        addTransactions(keys[0], {{QString(TypeDeposit), 10000}});
        addTransactions(keys[2], {{QString(TypeDeposit), 20000}});
        currentAccount().SelectedRow = 3;
        frmAccountIndex* window = open();
        QVERIFY(window);
        QCOMPARE(highlightedRow(window), 2);

        prompts_->expectMessage(QStringLiteral("Confirm"), 1);
        press(window, Qt::Key_F12);
        QCOMPARE(column(*window->model, 0), (QStringList{"A", "B"}));
        QCOMPARE(highlightedRow(window), 1);
        QCOMPARE(currentAccount().CurrentAccountKey, keys[1]);
        OpenTransactions();
        QCOMPARE(TransactionCount(), 1);
        CloseTransactions();

        // Refusing keeps everything.
        prompts_->expectMessage(QStringLiteral("Confirm"), 2);
        window->cmdDeleteAccount->click();
        QCOMPARE(window->model->rowCount(), 2);
    }

    void deletingTheOnlyAccountOffersToAddAgain()
    {
        const QStringList keys = addAccounts({"Solo"});
        addTransactions(keys[0], {{QString(TypeDeposit), 10000}});
        frmAccountIndex* window = open();
        QVERIFY(window);

        prompts_->expectMessage(QStringLiteral("Confirm"), 1).expectMessage(QStringLiteral("No accounts on file"), 2);
        press(window, Qt::Key_F12);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(window->model->rowCount(), 0);
        QVERIFY(!window->cmdDeleteAccount->isVisible() && !window->gridAccountIndex->isVisible());
        QVERIFY(currentAccount().CurrentAccountKey.isEmpty());
        QCOMPARE(currentAccount().CurrentAccountRecord, 0);
        // Nothing is left to act on.
        press(window, Qt::Key_F12);
    }

    void protectedAccountsAskBeforeRenaming_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("wrong answer") << "cat" << QString() << QStringList{"Cash", "Visa"};
        QTest::newRow("cancelled") << "" << QString() << QStringList{"Cash", "Visa"};
        QTest::newRow("same name") << "Rex" << "  Visa " << QStringList{"Cash", "Visa"};
        QTest::newRow("blank name") << "Rex" << "   " << QStringList{"Cash", "Visa"};
        QTest::newRow("renamed") << "rex" << " Amex " << QStringList{"Amex", "Cash"};
    }

    void protectedAccountsAskBeforeRenaming()
    {
        QFETCH(QString, answer);
        QFETCH(QString, newName);
        QFETCH(QStringList, listed);
        addAccounts({"Cash", "Visa"});
        protect(2, QStringLiteral("Pet?"), QStringLiteral("Rex"));
        const QByteArray before = test::readWholeFile(folder_->filePath(QStringLiteral("Account.dex")));
        currentAccount().SelectedRow = 2;
        frmAccountIndex* window = open();
        QVERIFY(window);

        prompts_->expectInput(QStringLiteral("Authorization required"), answer);
        if (answer == QStringLiteral("cat"))
            prompts_->expectMessage(QStringLiteral("Authorization denied"), 1);
        if (!newName.isNull())
            prompts_->expectInput(QStringLiteral("Rename account"), newName);
        press(window, Qt::Key_F5);
        QVERIFY(prompts_->verifyDone());

        QCOMPARE(column(*window->model, 0), listed);
        if (listed.first() == QStringLiteral("Cash")) {
            QCOMPARE(test::readWholeFile(folder_->filePath(QStringLiteral("Account.dex"))), before);
        } else {
            QCOMPARE(prompts_->inputs().last().at(2), QStringLiteral("Visa"));
            // The renamed account stays highlighted.
            QCOMPARE(highlightedRow(window), 0);
            QCOMPARE(currentAccount().CurrentAccountRecord, 2);
        }
    }

    void protectionOptionsFollowTheAccount()
    {
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);

        prompts_->expectMessage(QStringLiteral("Protect your account"),
                                QStringLiteral("The highlighted account is currently not protected from "
                                               "unauthorized access."),
                                {QStringLiteral("&Establish access protection"),
                                 QStringLiteral("&Cancel, don't do anything")},
                                1)
            .expectInput(QStringLiteral("The query..."), QStringLiteral("Colour?"))
            .expectInput(QStringLiteral("The answer..."), QStringLiteral("blue"))
            .expectMessage(QStringLiteral("Protected access enabled"), 1);
        press(window, Qt::Key_F4);
        QCOMPARE(currentAccount().SelectedAccessQuery, QStringLiteral("Colour?"));

        prompts_->expectMessage(QStringLiteral("Account Options"), 2)
            .expectInput(QStringLiteral("Authorization required"), QStringLiteral("BLUE"))
            .expectMessage(QStringLiteral("Protected access removed"), 1);
        window->cmdProtectAccount->click();
        QVERIFY(currentAccount().SelectedAccessQuery.isEmpty());
        QVERIFY(accountAt(1).AccessQuery.trimmed().isEmpty());
    }

    void popUpMenuNamesTheProtectionItem()
    {
        addAccounts({"Cash", "Visa"});
        protect(2, QStringLiteral("Pet?"), QStringLiteral("Rex"));
        frmAccountIndex* window = open();
        QVERIFY(window);
        QTableView* grid = window->gridAccountIndex;
        const QPoint second = grid->visualRect(window->model->index(1, 0)).center();
        QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, second);
        QCOMPARE(highlightedRow(window), 1);
        QTRY_VERIFY(window->menuGrid->isVisible());
        QCOMPARE(window->menuProtection->text(), QStringLiteral("Change/remove access protection"));
        window->menuGrid->close();

        const QPoint first = grid->visualRect(window->model->index(0, 0)).center();
        QTest::mouseRelease(grid->viewport(), Qt::RightButton, Qt::NoModifier, first);
        QCOMPARE(window->menuProtection->text(), QStringLiteral("Add access protection"));
        window->menuGrid->close();

        prompts_->expectInput(QStringLiteral("Rename account"), QString());
        window->menuRenameAccount->trigger();
    }

    void notesEditingCycle_data()
    {
        QTest::addColumn<QString>("typed");      // typed at the end of the notes; "\b" deletes
        QTest::addColumn<bool>("saveEnabled");
        QTest::newRow("nothing typed") << QString() << false;
        QTest::newRow("trailing spaces only") << QStringLiteral("   ") << false;
        QTest::newRow("typed and deleted again") << QStringLiteral("x\b") << false;
        QTest::newRow("a letter") << QStringLiteral("x") << true;
    }

    void notesEditingCycle()
    {
        QFETCH(QString, typed);
        QFETCH(bool, saveEnabled);
        addAccounts({"Cash"});
        SharedDisplayValues().FlashButtons = true;
        frmAccountIndex* window = open();
        QVERIFY(window);
        const QString before = window->txtAccountInfo->toPlainText();

        press(window, Qt::Key_F6);
        QVERIFY(window->isEditingNotes());
        QVERIFY(!window->gridAccountIndex->isEnabled());
        QVERIFY(!window->cmdAddAccount->isEnabled() && !window->cmdSeeAccount->isEnabled());
        QVERIFY(window->cmdNoSaveNotes->isEnabled() && window->cmdNoSaveNotes->isCancel());
        window->txtAccountInfo->moveCursor(QTextCursor::End);
        for (QChar c : typed) {
            if (c == u'\b')
                QTest::keyClick(window->txtAccountInfo, Qt::Key_Backspace);
            else
                QTest::keyClicks(window->txtAccountInfo, QString(c));
        }
        QCOMPARE(window->cmdSaveNotes->isEnabled(), saveEnabled);
        QCOMPARE(window->timerFlashButton->isActive(), saveEnabled);
        QCOMPARE(window->cmdNoSaveNotes->toolTip().startsWith(QStringLiteral(" Do not save")), saveEnabled);

        // Esc leaves without saving and puts the text back.
        press(window->txtAccountInfo, Qt::Key_Escape);
        QVERIFY(!window->isEditingNotes());
        QCOMPARE(window->txtAccountInfo->toPlainText(), before);
        QVERIFY(!window->timerFlashButton->isActive());
        QCOMPARE(window->cmdSaveNotes->backColor(), window->cmdEditNotes->backColor());
        QVERIFY(window->cmdQuit->isCancel() && window->cmdSeeAccount->isDefault());
        QVERIFY(window->cmdAddAccount->isEnabled() && window->gridAccountIndex->isEnabled());
        QCOMPARE(accountAt(1).AccountNotes.trimmed(), NewAccountNotes());
    }

    void saveButtonGlowsGreenOnlyWithFlashingButtons_data()
    {
        QTest::addColumn<bool>("flashButtons");
        QTest::newRow("flashing on") << true;
        QTest::newRow("flashing off") << false;
    }

    void saveButtonGlowsGreenOnlyWithFlashingButtons()
    {
        QFETCH(bool, flashButtons);
        addAccounts({"Cash"});
        SharedDisplayValues().FlashButtons = flashButtons;
        frmAccountIndex* window = open();
        QVERIFY(window);
        const QColor face = window->cmdSaveNotes->backColor();
        window->EditNotes();
        QTest::keyClicks(window->txtAccountInfo, QStringLiteral("x"));
        QVERIFY(window->cmdSaveNotes->isEnabled());

        if (!flashButtons) {
            // The timer switches itself off at its first tick.
            QTRY_VERIFY(!window->timerFlashButton->isActive());
            QCOMPARE(window->cmdSaveNotes->backColor(), face);
        } else {
            QTRY_VERIFY(window->cmdSaveNotes->backColor() != face);
            // Green over its two equal, lower channels, face and caption alike.
            const QColor back = window->cmdSaveNotes->backColor();
            const QColor text = window->cmdSaveNotes->foreColor();
            QCOMPARE(back.red(), std::max(0, back.green() - 128));
            QCOMPARE(back.blue(), back.red());
            QCOMPARE(text.red(), std::max(0, text.green() - 64));
            QCOMPARE(text.blue(), text.red());
        }
        window->StopEditingNotes();
    }

    void savedNotesAreStoredAsTyped()
    {
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        window->EditNotes();
        window->txtAccountInfo->selectAll();
        QTest::keyClicks(window->txtAccountInfo, QStringLiteral("  First Bank"));
        QTest::keyClick(window->txtAccountInfo, Qt::Key_Return);
        QTest::keyClicks(window->txtAccountInfo, QStringLiteral("No. 42  "));
        press(window, Qt::Key_F7);
        QVERIFY(!window->isEditingNotes());
        QVERIFY(accountAt(1).AccountNotes.startsWith(QStringLiteral("  First Bank\r\nNo. 42  ")));
        QCOMPARE(window->lblSpaceFull->text(), QStringLiteral(" 1% full "));

        // A long text shows how full the field is.
        window->EditNotes();
        window->txtAccountInfo->setPlainText(QString(1440, u'n'));
        QCOMPARE(window->lblSpaceFull->text(), QStringLiteral(" 50% full "));
        QVERIFY(window->lblSpaceFull->isVisible());
        // No more than the field holds can be typed.
        window->txtAccountInfo->setPlainText(QString(2879, u'n'));
        window->txtAccountInfo->moveCursor(QTextCursor::End);
        QTest::keyClicks(window->txtAccountInfo, QStringLiteral("xyz"));
        QCOMPARE(window->txtAccountInfo->toPlainText().size(), 2879);
        window->StopEditingNotes();
    }

    void savingProtectedNotesNeedsTheAnswer()
    {
        addAccounts({"Cash"});
        protect(1, QStringLiteral("Pet?"), QStringLiteral("Rex"));
        frmAccountIndex* window = open();
        QVERIFY(window);
        const QString before = window->txtAccountInfo->toPlainText();
        window->EditNotes();
        QTest::keyClicks(window->txtAccountInfo, QStringLiteral("secret"));
        prompts_->expectInput(QStringLiteral("Authorization required"), QStringLiteral("Max"))
            .expectMessage(QStringLiteral("Authorization denied"), 1);
        window->cmdSaveNotes->click();
        QVERIFY(!window->isEditingNotes());
        QCOMPARE(window->txtAccountInfo->toPlainText(), before);
        QCOMPARE(accountAt(1).AccountNotes.trimmed(), NewAccountNotes());
    }

    void clickingTheReadOnlyNotesBlinksTheEditButton()
    {
        // Counts the blink's pauses instead of waiting them out.
        struct CountingPace : Pace {
            QList<int> pauses;
            void pause(int ms) override { pauses.append(ms); }
            void letEventsRun() override { QCoreApplication::processEvents(); }
        } counting;
        platform().pace = &counting;
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        const QColor normal = window->cmdEditNotes->backColor();
        counting.pauses.clear();
        window->txtAccountInfo->setFocus();
        QTRY_COMPARE(counting.pauses, QList<int>(6, 150));
        QCOMPARE(window->cmdEditNotes->backColor(), normal);
        QVERIFY(!window->isEditingNotes());

        // While editing, the notes take the focus without a blink.
        window->EditNotes();
        counting.pauses.clear();
        window->cmdSaveNotes->setFocus();
        window->txtAccountInfo->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(counting.pauses.isEmpty());
        window->StopEditingNotes();
        closeWindow();
        platform().pace = &pace_;
    }

    void openingAnAccount_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("opened");
        QTest::newRow("right answer") << "rex" << true;
        QTest::newRow("wrong answer") << "cat" << false;
    }

    void openingAnAccount()
    {
        QFETCH(QString, answer);
        QFETCH(bool, opened);
        const QStringList keys = addAccounts({"Cash", "Visa"});
        protect(2, QStringLiteral("Pet?"), QStringLiteral("Rex"));
        currentAccount().SelectedRow = 2;
        int registers = 0;
        navigation().openRegister = [&registers] { ++registers; };
        frmAccountIndex* window = open();
        QVERIFY(window);
        QVERIFY(window->cmdSeeAccount->isEnabled());

        prompts_->expectInput(QStringLiteral("Authorization required"), answer);
        if (!opened)
            prompts_->expectMessage(QStringLiteral("Authorization denied"), 1);
        press(window->gridAccountIndex, Qt::Key_Return);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(registers, opened ? 1 : 0);
        QCOMPARE(AccountIndexWindow() == nullptr, opened);
        QCOMPARE(currentAccount().CurrentAccountKey, keys[1]);
        QCOMPARE(currentAccount().CurrentAccountRecord, 2);
    }

    void withoutARegisterTheOpenButtonStaysDisabled()
    {
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        QVERIFY(window->cmdSeeAccount->isVisible() && !window->cmdSeeAccount->isEnabled());
        QVERIFY(!window->cmdProgramOptions->isEnabled());
        press(window, Qt::Key_F9);
        press(window->gridAccountIndex, Qt::Key_Return);
        QTest::mouseDClick(window->gridAccountIndex->viewport(), Qt::LeftButton, Qt::NoModifier,
                           window->gridAccountIndex->visualRect(window->model->index(0, 0)).center());
        QVERIFY(AccountIndexWindow());
    }

    void aRestoreRebuildsTheListFromTheTop()
    {
        addAccounts({"A", "B"});
        currentAccount().SelectedRow = 2;
        navigation().openProgramOptions = [](QWidget* owner) {
            QVERIFY(owner->findChild<ZevButton*>(QStringLiteral("cmdProgramOptions"))->tag().isEmpty());
            addTransactionsLater();
            owner->findChild<ZevButton*>(QStringLiteral("cmdProgramOptions"))->setTag(QStringLiteral("Restored"));
        };
        frmAccountIndex* window = open();
        QVERIFY(window);
        QCOMPARE(highlightedRow(window), 1);
        press(window, Qt::Key_F3);
        QCOMPARE(highlightedRow(window), 0);
        QCOMPARE(column(*window->model, 1), (QStringList{"5.00", "0.00"}));
        QVERIFY(window->cmdProgramOptions->tag().isEmpty());
    }

    void quittingAsksThroughTheQuitProcedure_data()
    {
        QTest::addColumn<bool>("fromTitleBar");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Esc, go back") << false << false;
        QTest::newRow("Esc, quit") << false << true;
        QTest::newRow("title bar, go back") << true << false;
        QTest::newRow("title bar, quit") << true << true;
    }

    void quittingAsksThroughTheQuitProcedure()
    {
        QFETCH(bool, fromTitleBar);
        QFETCH(bool, confirmed);
        addAccounts({"Cash"});
        int asked = 0;
        navigation().quitProgram = [&asked, confirmed] { ++asked; return confirmed; };
        frmAccountIndex* window = open();
        QVERIFY(window);
        if (fromTitleBar)
            window->close();
        else
            press(window->gridAccountIndex, Qt::Key_Escape);
        QTRY_COMPARE(asked, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(AccountIndexWindow() == nullptr, confirmed);
    }

    void helpAndAboutAreAlwaysThere()
    {
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        window->EditNotes();
        prompts_->expectMessage(QStringLiteral("About Tallyo"), 1).expectMessageKind(IconInformation);
        press(window->txtAccountInfo, Qt::Key_F2);
        prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        shell_.openResult = false;
        press(window->txtAccountInfo, Qt::Key_F1);
        QVERIFY(window->isEditingNotes());
        // Account keys wait while notes are edited.
        press(window->txtAccountInfo, Qt::Key_F5);
        press(window->txtAccountInfo, Qt::Key_Insert);
    }

    void fileErrorsAreShownAndTheWindowGoesOn()
    {
        addAccounts({"Cash"});
        // A folder where the list file belongs cannot be written to.
        QVERIFY(QDir(folder_->path()).remove(QStringLiteral("PayCom.lst")));
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("PayCom.lst")));
        frmAccountIndex* window = open();
        QVERIFY(window);
        const QByteArray before = test::readWholeFile(folder_->filePath(QStringLiteral("Account.dex")));

        prompts_->expectInput(QStringLiteral("New Account name"), QStringLiteral("Savings"))
            .expectMessage(QStringLiteral("File error"), 1)
            .expectMessageKind(IconStop);
        press(window, Qt::Key_Insert);
        QVERIFY(prompts_->verifyDone());
        QVERIFY(prompts_->messages().last().text.contains(QStringLiteral("PayCom.lst")));
        QCOMPARE(test::readWholeFile(folder_->filePath(QStringLiteral("Account.dex"))), before);
        QCOMPARE(column(*window->model, 0), QStringList{"Cash"});

        prompts_->expectMessage(QStringLiteral("About Tallyo"), 1);
        press(window, Qt::Key_F2);
    }

    void notesOfAnUnreadableAccountAreNotThoseOfTheLastOne()
    {
        addAccounts({"A", "B"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        QVERIFY(!window->txtAccountInfo->toPlainText().isEmpty());
        QVERIFY(QDir(folder_->path()).remove(QStringLiteral("Account.dex")));
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("Account.dex")));

        prompts_->expectMessage(QStringLiteral("File error"), 1);
        press(window->gridAccountIndex, Qt::Key_Down);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(currentAccount().CurrentAccountRecord, 2);
        QVERIFY(window->txtAccountInfo->toPlainText().isEmpty());
    }

    void anUnreadableIndexIsReportedNotOfferedAsEmpty()
    {
        QVERIFY(QDir(folder_->path()).mkdir(QStringLiteral("Account.dex")));
        prompts_->expectMessage(QStringLiteral("File error"), 1);
        frmAccountIndex* window = open();
        QVERIFY(window);
        QVERIFY(prompts_->verifyDone());
        QVERIFY(!window->cmdRenameAccount->isVisible());
        QVERIFY(window->cmdAddAccount->isEnabled());
    }

private:
    static void addTransactionsLater()
    {
        OpenAccountIndex();
        const QString key = ReadAccountRecord(1).AccountKey;
        CloseAccountIndex();
        addTransactions(key, {{QString(TypeDeposit), 50000}});
    }

private slots:
    // The window's keys act only as the key tables list them: unmodified.
    // Shift+Insert is a paste, Ctrl+F4 and the like belong to the desktop.
    void windowKeysActOnlyUnmodified_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("asked"); // what the key's action asks first; empty: nothing
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
                  alt = Qt::AltModifier;
        const QString add = QStringLiteral("New Account name");
        QTest::newRow("Insert") << int(Qt::Key_Insert) << none << add;
        QTest::newRow("Insert on the number pad") << int(Qt::Key_Insert) << int(Qt::KeypadModifier) << add;
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << QString();
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << QString();
        QTest::newRow("Delete") << int(Qt::Key_Delete) << none << QString();
        QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << QString();
        QTest::newRow("F2") << int(Qt::Key_F2) << none << QStringLiteral("About Tallyo");
        QTest::newRow("Alt+F2") << int(Qt::Key_F2) << alt << QString();
        QTest::newRow("F4") << int(Qt::Key_F4) << none << QStringLiteral("Protect your account");
        QTest::newRow("Shift+F4") << int(Qt::Key_F4) << shift << QString();
        QTest::newRow("Ctrl+F4") << int(Qt::Key_F4) << ctrl << QString();
        QTest::newRow("F5") << int(Qt::Key_F5) << none << QStringLiteral("Rename account");
        QTest::newRow("Shift+F5") << int(Qt::Key_F5) << shift << QString();
        QTest::newRow("Ctrl+F5") << int(Qt::Key_F5) << ctrl << QString();
        QTest::newRow("F12") << int(Qt::Key_F12) << none << QStringLiteral("Confirm");
        QTest::newRow("Shift+F12") << int(Qt::Key_F12) << shift << QString();
        QTest::newRow("Ctrl+F12") << int(Qt::Key_F12) << ctrl << QString();
    }

    void windowKeysActOnlyUnmodified()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, asked);
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        if (asked == QStringLiteral("New Account name") || asked == QStringLiteral("Rename account"))
            prompts_->expectInput(asked, QString());
        else if (!asked.isEmpty())
            prompts_->expectMessage(asked, 2);
        // Anything the key starts that is not expected fails the test.
        QTest::keyClick(window->gridAccountIndex, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(window->model->rowCount(), 1);
        QVERIFY(!window->isEditingNotes());
    }

    void notesAndManualKeysActOnlyUnmodified()
    {
        addAccounts({"Cash"});
        frmAccountIndex* window = open();
        QVERIFY(window);
        // The manual cannot be opened here: F1 shows a message, which the
        // modified keys must not.
        shell_.openResult = false;
        QTest::keyClick(window->gridAccountIndex, Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(window->gridAccountIndex, Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(!window->isEditingNotes());

        QTest::keyClick(window->gridAccountIndex, Qt::Key_F6);
        QVERIFY(window->isEditingNotes());
        // While editing, Shift+F8 is no "stop editing"; F8 is.
        QTest::keyClick(window->txtAccountInfo, Qt::Key_F8, Qt::ShiftModifier);
        QVERIFY(window->isEditingNotes());
        QTest::keyClick(window->txtAccountInfo, Qt::Key_F8);
        QVERIFY(!window->isEditingNotes());

        prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(window->gridAccountIndex, Qt::Key_F1);
        QVERIFY(prompts_->verifyDone());
    }
};

TALLYO_TEST(AccountIndexWindowTest)
#include "frmaccountindex_test.moc"
