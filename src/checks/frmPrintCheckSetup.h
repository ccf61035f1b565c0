#pragma once
// The check layout setup: where on the check paper each of the six fields
// is printed, as a row and a column, for the current account. Twelve number
// fields in six lines (check number at the top, comment at the bottom) by
// two columns (row, column). Save is enabled only when every field holds a
// number of at least 1; a saved layout is written to the account's index
// record and reported to the check window through the tag of its Setup
// button ("!").
#include "checklayout.h"

#include "util/twips.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;

namespace tallyo {

class ZevButton;

class frmPrintCheckSetup : public QDialog {
    Q_OBJECT

public:
    // Works on `account`, the record of the current account at `record` in
    // Account.dex; `reportTo` gets the tag "!" after a save.
    frmPrintCheckSetup(AccountRecord& account, qint32 record, ZevButton* reportTo, QWidget* parent = nullptr);

    // Field 1 to 12, in the order of the layout's bytes.
    QLineEdit* txtRowCol(int index) const { return fields_[size_t(index - 1)]; }

    void cmdSave_Click();
    void cmdCancel_Click();

    ZevButton* cmdSave = nullptr;
    ZevButton* cmdCancel = nullptr;
    std::array<QLabel*, 6> lblField{};  // the six lines' headings
    std::array<QLabel*, 2> lblColumn{}; // "Row" and "Column"
    QLabel* lblNote = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    // Empties the fields that hold no number of at least 1 and enables Save
    // when none is missing.
    void txtRowCol_Change();
    void focusField(int index);

    TwipScale twips_;
    AccountRecord& account_;
    qint32 record_;
    ZevButton* reportTo_;
    std::array<QLineEdit*, LayoutFieldCount> fields_{};
    bool changing_ = false;
};

}
