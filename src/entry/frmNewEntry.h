#pragma once
// The modal window in which the user adds a transaction to the open account
// or changes the register's highlighted one: date, type or check number,
// payee or creditor, amount, comment and notes. It validates the type, gives
// the amount its sign, and writes one record (appended or in place). What
// the register asks for and what comes back live in entryFlags().
#include "entrysave.h"
#include "util/twips.h"

#include <QDateTime>
#include <QDialog>
#include "controls/DropDownBox.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tallyo {

class FileError;

class AmountBox;
class MonthsCalendar;
class TextLimit;
class ZevButton;

// Opens the window modally as entryFlags() ask; true when it saved (the
// save marker is then in entryFlags().SaveMarker). A file error while it
// loads is shown in the message dialog and nothing opens.
bool ShowNewEntryWindow(QWidget* parent);

class frmNewEntry : public QDialog {
    Q_OBJECT

public:
    explicit frmNewEntry(QWidget* parent = nullptr);
    ~frmNewEntry() override;

    // Reads the highlighted transaction (when the flags ask for it) and the
    // account's lists into the controls. Throws FileError.
    void LoadEntry();

    // The type, payee and amount all hold text.
    bool EntryIsComplete() const;
    // Saves and closes; stays open after an invalid type or a file error.
    void cmdSave_Click();
    // Closes without saving.
    void cmdCancel_Click();
    bool saved() const { return saved_; }

    // The controls, under their own names; lbl[n] and combo[n] as numbered.
    std::array<QLabel*, 7> lbl{};
    MonthsCalendar* calendar = nullptr;
    std::array<DropDownBox*, 6> combo{};
    QLineEdit* txtAmount = nullptr;
    QLabel* lblUseBackspace = nullptr;
    QPlainTextEdit* txtNotes = nullptr;
    QLabel* lblSpaceFull = nullptr;
    ZevButton* cmdSave = nullptr;
    ZevButton* cmdCancel = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    EntryMode mode() const;
    void UpdateSaveState();
    void UpdateFocusCue();
    void GotFocus(QWidget* input);
    void LostFocus(QWidget* input);
    void calendar_GotFocus();
    void combo_GotFocus(int index);
    void txtNotes_Change();
    QLabel* captionOf(QWidget* input) const;
    QWidget* inputOf(QWidget* widget) const;
    void refuseEntry(const QString& message, QWidget* input);

    TwipScale twips_;
    TransactionRecord record_;      // what the window started from
    QDateTime timeOfDay_;           // the time of day a saved date carries
    QDate shownDay_;                // the day the picker showed at first
    AmountBox* amountBox_ = nullptr;
    QWidget* cueOwner_ = nullptr;   // the input that shows the focus cue
    QMetaObject::Connection focusWatch_;
    bool activated_ = false;
    bool calendarDropped_ = false;
    bool saved_ = false;
    TextLimit* notesLimit_ = nullptr;
};

}
