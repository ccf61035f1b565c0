// I/O errors met by the windows: each user action that writes is done
// through its window while the store's first file change fails, as a
// failing device would. The error message is shown, the data files
// stay byte for byte as they were, and the same window, still open, takes
// the same action again once the device works: then the files change.
#include "scriptedprompts.h"
#include "testenv.h"
#include "testrunner.h"
#include "writepaths.h"

#include "checks/frmPrintCheckSetup.h"
#include "controls/ZevButton.h"
#include "entry/entrystate.h"
#include "entry/frmEditList.h"
#include "entry/frmNewEntry.h"
#include "index/frmAccountIndex.h"
#include "register/SearchMenu.h"
#include "register/frmAccount.h"
#include "platform/settings.h"
#include "store/fileseam.h"

#include <QComboBox>
#include <QTableView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTest>

using namespace tallyo;
using namespace tallyo::test;
using namespace reliability;

namespace {

// A window open on the household's first account, and the action in it
// that writes: the questions answered on the way to the write, the title
// of the message that tells of a failed write, and what a write that
// works says.
struct WindowAction {
    const char* name;
    std::function<std::unique_ptr<QWidget>()> open;
    std::function<void(QWidget*)> act;
    std::function<void(ScriptedPrompts&)> questions = [](ScriptedPrompts&) {};
    QString errorTitle = QStringLiteral("File error");
    std::function<void(ScriptedPrompts&)> done = [](ScriptedPrompts&) {};
};

const QString ReplaceTitle = QStringLiteral("Find and replace `Payee/Creditor' text");

// The account index with its first activation done, `row` highlighted.
std::unique_ptr<QWidget> IndexAt(int row)
{
    auto window = std::make_unique<frmAccountIndex>();
    window->show();
    if (QTest::qWaitForWindowActive(window.get()))
        QCoreApplication::processEvents();
    window->gridAccountIndex->setCurrentIndex(window->gridAccountIndex->model()->index(row, 0));
    return window;
}

AccountRecord layoutAccount;

// The button the check layout window reports to, made once the application is.
ZevButton* layoutReport()
{
    static ZevButton button;
    return &button;
}

const QList<WindowAction>& WindowActions()
{
    static const QList<WindowAction> actions{
        {"add a transaction",
         [] {
             EntryFlags& flags = entryFlags();
             flags.AddingEntry = true;
             auto window = std::make_unique<frmNewEntry>();
             window->LoadEntry();
             QTest::keyClicks(window->combo[2]->lineEdit(), "1002");
             QTest::keyClicks(window->combo[3]->lineEdit(), "Smith");
             QTest::keyClicks(window->txtAmount, "20");
             return std::unique_ptr<QWidget>(std::move(window));
         },
         [](QWidget* w) { static_cast<frmNewEntry*>(w)->cmdSave->click(); }},
        {"save the payee list",
         [] {
             auto window = std::make_unique<frmEditList>(PayeeListKind, ListDisplayName(PayeeListKind));
             window->LoadList();
             return std::unique_ptr<QWidget>(std::move(window));
         },
         [](QWidget* w) {
             // Typed once the window is shown, so that it counts as a change.
             auto* list = static_cast<frmEditList*>(w);
             if (!list->txtBox->toPlainText().contains("Water Works")) {
                 list->txtBox->moveCursor(QTextCursor::End);
                 QTest::keyClick(list->txtBox, Qt::Key_Return);
                 QTest::keyClicks(list->txtBox, "Water Works");
             }
             list->cmdFinished->click();
         }},
        {"save a check layout",
         [] {
             layoutAccount = ReadAccountAt(1);
             auto window = std::make_unique<frmPrintCheckSetup>(layoutAccount, 1, layoutReport());
             const QStringList values{"2", "60", "4", "50", "6", "10", "6", "62", "8", "5", "10", "8"};
             for (int i = 1; i <= int(values.size()); ++i) {
                 window->txtRowCol(i)->clear();
                 QTest::keyClicks(window->txtRowCol(i), values[i - 1]);
             }
             return std::unique_ptr<QWidget>(std::move(window));
         },
         [](QWidget* w) { static_cast<frmPrintCheckSetup*>(w)->cmdSave->click(); }},
        {"save the account notes", [] { return IndexAt(0); },
         [](QWidget* w) {
             // After a failed save the notes are still being edited.
             auto* index = static_cast<frmAccountIndex*>(w);
             if (!index->cmdSaveNotes->isEnabled()) {
                 index->cmdEditNotes->click();
                 QTest::keyClicks(index->txtAccountInfo, " since 2024");
             }
             index->cmdSaveNotes->click();
         }},
        {"delete an account", [] { return IndexAt(1); },
         [](QWidget* w) { static_cast<frmAccountIndex*>(w)->cmdDeleteAccount->click(); },
         [](ScriptedPrompts& prompts) { prompts.expectMessage(QStringLiteral("Confirm"), 1); }},
        {"find and replace a payee",
         [] {
             auto window = std::make_unique<frmAccount>();
             window->show();
             if (QTest::qWaitForWindowActive(window.get()))
                 QCoreApplication::processEvents();
             return std::unique_ptr<QWidget>(std::move(window));
         },
         [](QWidget* w) { FindReplaceInRegister(*static_cast<frmAccount*>(w), 1); },
         [](ScriptedPrompts& prompts) {
             prompts.expectInput(ReplaceTitle, QStringLiteral("Grocer"))
                 .expectInput(ReplaceTitle, QStringLiteral("Water Works"))
                 .expectMessage(ReplaceTitle, 1);
         },
         QStringLiteral("Find/Replace Results"),
         [](ScriptedPrompts& prompts) { prompts.expectMessage(QStringLiteral("Find/Replace Results"), 1); }},
    };
    return actions;
}

}

Q_DECLARE_METATYPE(const WindowAction*)

class WindowErrorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDataFolder> folder_;
    std::unique_ptr<StoredSettings> settings_;
    std::unique_ptr<ScriptedPrompts> prompts_;

private slots:
    void init()
    {
        folder_ = std::make_unique<TempDataFolder>();
        settings_ = std::make_unique<StoredSettings>(folder_->filePath(QStringLiteral("settings.ini")));
        prompts_ = std::make_unique<ScriptedPrompts>();
        platform().prompts = prompts_.get();
        platform().settings = settings_.get();
        UseTestClockAndPace();
        ResetProgramState();
        ResetEntryFlags();
        Household();
        currentAccount().CurrentAccountKey = QString::fromLatin1(AccountKey);
        currentAccount().CurrentAccountRecord = 1;
    }
    void cleanup()
    {
        SetFileStepHook({});
        ResetProgramState();
        platform().prompts = nullptr;
        platform().settings = nullptr;
        prompts_.reset();
        settings_.reset();
        folder_.reset();
    }

    void aFailedWriteIsShownAndTheWindowGoesOn_data()
    {
        QTest::addColumn<const WindowAction*>("action");
        for (const WindowAction& action : WindowActions())
            QTest::newRow(action.name) << &action;
    }

    void aFailedWriteIsShownAndTheWindowGoesOn()
    {
        QFETCH(const WindowAction*, action);
        std::unique_ptr<QWidget> window = action->open();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const FolderContent before = ReadFolder();

        action->questions(*prompts_);
        prompts_->expectMessage(action->errorTitle, 1);
        // The first change fails; what the window does after telling of it
        // (showing the files afresh) finds the device working again.
        bool failed = false;
        SetFileStepHook([&failed](FileStep step, const QString& name) {
            if (!std::exchange(failed, true))
                throw FileError(name, QString::fromLatin1(FileStepName(step)), QStringLiteral("Input/output error"));
        });
        action->act(window.get());
        SetFileStepHook({});
        QVERIFY(prompts_->verifyDone());
        QVERIFY(prompts_->messages().last().text.contains(QStringLiteral("Input/output error")));
        QVERIFY(ReadFolder() == before);
        QVERIFY(window->isVisible());

        action->questions(*prompts_);
        action->done(*prompts_);
        action->act(window.get());
        QVERIFY(prompts_->verifyDone());
        QVERIFY2(ReadFolder() != before, "the window did not save once the device worked");
    }
};

TALLYO_TEST(WindowErrorsTest)
#include "windowerrors_test.moc"
