#pragma once
// The options window: date display, currency symbol, amount entry method,
// three check boxes, and backup and restore of the data files. There is no
// cancel: every way out (Finished, Esc, the window's close box) saves the
// six settings and updates the shared display values at once.
#include "backuprestore.h"
#include "programoptions.h"
#include "util/twips.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QGroupBox;
class QRadioButton;

namespace tallyo {

class ZevButton;

// Opens the options window modally over its owner (the account index).
// After a successful restore the owner's options button carries the tag
// "Restored", for the owner to reload its list.
void ShowProgramOptionsWindow(QWidget* owner);

class frmProgramOptions;
// The window while it is open; nullptr otherwise.
frmProgramOptions* ProgramOptionsWindow();

class frmProgramOptions : public QDialog, public ProcedureOwner {
    Q_OBJECT

public:
    explicit frmProgramOptions(QWidget* owner = nullptr);
    ~frmProgramOptions() override;

    // Saves the six settings and closes the window.
    void cmdFinished_Click();
    // 1 back up, 2 restore.
    void cmdBackupRestore_Click(int index);
    void cmdHelp_Click();

    // The remembered option of each group, as the settings number them.
    int dateIndex() const { return dateIndex_; }
    int currencyIndex() const { return currencyIndex_; }
    int amountIndex() const { return amountIndex_; }

    // ProcedureOwner: the caption shows a copy's progress.
    QString caption() const override;
    void setCaption(const QString& caption) override;
    void setBusy(bool busy) override;

    // The controls, under their own names; option arrays are indexed as the
    // settings number their values (optDateFormat[1] is "mm/dd/yy").
    QGroupBox* frameDateFormat = nullptr;
    QGroupBox* frameCurrencySymbol = nullptr;
    QGroupBox* frameAmountEntryMethod = nullptr;
    QGroupBox* frameOtherOptions = nullptr;
    QGroupBox* frameBackupRestore = nullptr;
    std::array<QRadioButton*, 5> optDateFormat{};        // 1-4
    std::array<QRadioButton*, 3> optCurrencySymbol{};    // 1-2
    std::array<QRadioButton*, 2> optAmountEntryMethod{}; // 0-1
    QCheckBox* chkQuickStart = nullptr;
    QCheckBox* chkConfirmQuit = nullptr;
    QCheckBox* chkFlashingButton = nullptr;
    std::array<ZevButton*, 3> cmdBackupRestore{};        // 1-2
    ZevButton* cmdHelp = nullptr;
    ZevButton* cmdFinished = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Esc and the close box: Finished.
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();

    TwipScale twips_;
    QWidget* owner_;
    int dateIndex_ = 0;
    int currencyIndex_ = 0;
    int amountIndex_ = 0;
    bool activated_ = false;
    bool finished_ = false;
};

}
