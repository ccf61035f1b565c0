#pragma once
// The home window: every account with its balance, the notes of the
// highlighted account, and the buttons to add, protect, rename, delete and
// open accounts, edit notes, set program options, read the manual and the
// about text, and quit. One window at most exists; it is destroyed when it
// closes (when an account's register opens, or the program ends).
#include "util/buttonpulse.h"
#include "util/twips.h"

#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTableView;
class QTimer;

namespace tallyo {

class AccountListModel;
class FileError;
class ZevButton;

// Creates the window on first use and shows it.
void ShowAccountIndexWindow();

class frmAccountIndex;
// The window while it exists; nullptr otherwise.
frmAccountIndex* AccountIndexWindow();

class frmAccountIndex : public QWidget {
    Q_OBJECT

public:
    explicit frmAccountIndex(QWidget* parent = nullptr);
    ~frmAccountIndex() override;

    // Reloads the list with balances and sets every button; highlights row
    // SelectedRow (kept within the list) and makes it the current account.
    void RebuildAccountList();
    // Makes the highlighted row the current account: open button caption,
    // notes, key, record and query.
    void SelectAccount();

    // Notes: start editing, save, stop without saving.
    void EditNotes();
    void SaveNotes();
    void StopEditingNotes();
    bool isEditingNotes() const;

    // Closes the window without asking, as the program does when it opens a
    // register or ends.
    void closeByProgram();

    // The controls, under their own names.
    QTableView* gridAccountIndex = nullptr;
    AccountListModel* model = nullptr;
    QPlainTextEdit* txtAccountInfo = nullptr;
    QLabel* lblSpaceFull = nullptr;
    ZevButton* cmdSeeAccount = nullptr;
    ZevButton* cmdAddAccount = nullptr;
    ZevButton* cmdProtectAccount = nullptr;
    ZevButton* cmdRenameAccount = nullptr;
    ZevButton* cmdDeleteAccount = nullptr;
    ZevButton* cmdEditNotes = nullptr;
    ZevButton* cmdSaveNotes = nullptr;
    ZevButton* cmdNoSaveNotes = nullptr;
    ZevButton* cmdProgramOptions = nullptr;
    ZevButton* cmdHelp = nullptr;
    ZevButton* cmdAbout = nullptr;
    ZevButton* cmdQuit = nullptr;
    std::array<QFrame*, 2> shape{}; // the two frames around the button groups
    QTimer* timerFlashButton = nullptr;
    QMenu* menuGrid = nullptr;
    QAction* menuAddAccount = nullptr;
    QAction* menuProtection = nullptr;
    QAction* menuRenameAccount = nullptr;
    QAction* menuDeleteAccount = nullptr;
    QAction* menuExit = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    bool Form_KeyDown(int key);
    void SetToolTips();

    void cmdSeeAccount_Click();
    void cmdAddAccount_Click();
    void cmdProtectAccount_Click();
    void cmdRenameAccount_Click();
    void cmdDeleteAccount_Click();
    void cmdProgramOptions_Click();
    void cmdHelp_Click();
    void cmdAbout_Click();
    void cmdQuit_Click();
    void gridAccountIndex_RowChanged();
    void gridAccountIndex_RightRelease(QPoint position);
    void timerFlashButton_Timer();
    void txtAccountInfo_GotFocus();
    void UpdateNotesState();

    bool hasAccount() const;
    bool accessGranted();
    // After an account is added: offers to protect it.
    void offerProtectionForNewAccount(qint32 record);
    void setAccountButtons(bool anyAccount);
    void stopPulse();
    void stopEditing(bool keepText);
    void highlightRow(int row);
    void fitBalanceColumn();
    // Runs one data action; a file error is shown and the window goes on.
    bool runDataAction(const std::function<void()>& action);

    TwipScale twips_;
    ButtonPulse pulse_;
    QString notesStartingText_; // the trimmed text when editing began
    qint32 highlightRecordOnRebuild_ = 0; // 0: highlight SelectedRow
    bool rebuilding_ = false;
    bool blinking_ = false;
    bool closingByProgram_ = false;
    bool quitting_ = false;
    bool limitingNotes_ = false;
};

}
