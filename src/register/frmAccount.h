#pragma once
// The register window of one account: its transactions in a grid with
// totals and balance, in the normal, reconcile or search view; the buttons
// that act on the highlighted transaction and on the whole list; the date
// line, the six-month calendar, and the dialogue that gives a new account
// its beginning balance. One window at most exists; closing it goes back to
// the account index.
#include "assembly.h"
#include "util/buttonpulse.h"
#include "util/twips.h"

#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTableView;
class QTimer;

namespace tallyo {

class FileError;
class RegisterModel;
class MonthsCalendar;
class ZevButton;

// Creates the window for the current account and shows it.
void OpenRegisterWindow();

class frmAccount;
// The window while it exists; nullptr otherwise.
frmAccount* RegisterWindow();

class frmAccount : public QWidget {
    Q_OBJECT

public:
    explicit frmAccount(QWidget* parent = nullptr);
    ~frmAccount() override;

    // Gathers the account's transactions afresh and shows them in the normal
    // view; asks for a beginning balance when there are none.
    void LoadRegister();
    // Shows the prepared list (DisplayedList, DisplayedCount, RegisterView).
    void ShowList();
    // Shows the account's uncleared transactions.
    void ReconcileList();
    // Sets every button, hint and the title line from the view, the list and
    // the highlighted transaction.
    void UpdateControls();

    // The highlighted row (from 1; 0 when the list is empty), its record
    // number in Account.dat and its transaction as last read.
    qint32 currentRow() const;
    qint32 currentRecordNumber() const;
    const TransactionRecord& highlightedTransaction() const { return highlighted_; }
    // The hooks the assembly needs: status text, model reset, save markers.
    AssemblyHooks assemblyHooks();

    // Runs one data action; a file error is shown in the message dialog and
    // the window goes on. False when it failed.
    bool runDataAction(const std::function<void()>& action);

    // The menus as they are about to pop up (enabling and visibility set).
    void prepareOtherOptionsMenu();
    void prepareGraphMenu();
    // The item of a menu by its number (separators count).
    static QAction* menuItem(QMenu* menu, int number);
    // Adds item `number` to a menu: an action, or a separator for "-".
    static QAction* addMenuItem(QMenu* menu, const QString& text, int number);

    // The controls, under their own names.
    QTableView* grid = nullptr;
    RegisterModel* model = nullptr;
    QLabel* lblAccountName = nullptr;
    QLabel* lblBalance = nullptr;
    QLabel* lblCurrentBalance = nullptr;
    std::array<QLabel*, 2> lblCreditDebit{};
    QLabel* lblTotalCredit = nullptr;
    QLabel* lblTotalDebit = nullptr;
    QLabel* lblWait = nullptr;
    QFrame* shapeDateTime = nullptr;
    QLabel* lblDateTime = nullptr;
    QWidget* frameAccountOptions = nullptr;
    QWidget* frameBottom = nullptr;
    QWidget* frameFormOptions = nullptr;
    QWidget* frameTransactionOptions = nullptr;
    QFrame* shapeAccountOptions = nullptr;
    QFrame* shapeFormOptions = nullptr;
    QFrame* shapeTransactionOptions = nullptr;
    QFrame* shapeBottom = nullptr;
    ZevButton* cmdAddTransaction = nullptr;
    ZevButton* cmdModifyTransaction = nullptr;
    ZevButton* cmdDeleteTransaction = nullptr;
    ZevButton* cmdClearTransaction = nullptr;
    ZevButton* cmdVoidTransaction = nullptr;
    ZevButton* cmdSeeNotes = nullptr;
    ZevButton* cmdPrintCheck = nullptr;
    ZevButton* cmdReconcileAccount = nullptr;
    ZevButton* cmdFind = nullptr;
    ZevButton* cmdTextSummary = nullptr;
    ZevButton* cmdPrintAccount = nullptr;
    ZevButton* cmdGraph = nullptr;
    ZevButton* cmdOtherOptions = nullptr;
    ZevButton* cmdCalculator = nullptr;
    ZevButton* cmdCalendar = nullptr;
    ZevButton* cmdHelp = nullptr;
    ZevButton* cmdReturnToAccountIndex = nullptr;
    ZevButton* cmdFinished = nullptr;
    MonthsCalendar* BrowsingCalendar = nullptr;
    QTimer* timerShowDate = nullptr;
    QTimer* timerFlashButton = nullptr;
    QMenu* menuOtherOptions = nullptr;
    QMenu* menuGraph = nullptr;
    QMenu* menuPrint = nullptr;
    QMenu* menuSearch = nullptr;     // behind cmdFind
    QMenu* menuGrid = nullptr;       // the grid's context menu
    QMenu* menuQuickFind = nullptr;  // its QuickFind submenu

    // The other options menu's item that imports a bank statement.
    static constexpr int ImportStatementItem = 9;

    // The menus' actions, also reached by tests.
    void menuOtherOptions_Click(int item);
    void menuGraph_Click(int item);
    void menuPrint_Click(int item);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    // A window key; `onGrid` when the grid has the focus.
    bool Form_KeyDown(int key, bool onGrid);
    void SetHints();
    void BuildMenus();
    void layoutBottom();
    void sizeColumns();
    void layoutTotals();
    void setBusyLook(bool busy);

    void NewAccountDialogue();
    void grid_RowChanged();
    void grid_DblClick(int column);
    void timerShowDate_Timer();
    void timerFlashButton_Timer();
    void stopPulse();
    void showShownList(const ShownList& shown);
    void highlightRow(qint32 row);
    void updateClearHint();

    void cmdReconcileAccount_Click();
    void cmdTextSummary_Click();
    void cmdFinished_Click();
    void cmdCalendar_Click();
    void BrowsingCalendar_Closed();
    void runAction(const std::function<void(frmAccount&)>& action);
    void PrintDateRange();

    TwipScale twips_;
    ButtonPulse pulse_;
    TransactionRecord highlighted_;
    QString accountName_;  // as stored; the title line trims it
    bool assembling_ = false;
};

}
