#pragma once
// Asks where the fields of a CSV statement are when the reader cannot tell
// from its header row: a drop-down of the file's columns for each field.
#include "statement.h"
#include "util/twips.h"

#include <QDialog>
#include <array>
#include <optional>

class QComboBox;
class QLabel;

namespace tallyo {

class ZevButton;

class frmCsvColumns : public QDialog {
    Q_OBJECT

public:
    // `header`: the file's first row; `start`: the columns shown at first.
    frmCsvColumns(const QStringList& header, const CsvColumns& start, QWidget* parent = nullptr);

    // The columns as the boxes show them.
    CsvColumns columns() const;
    void cmdOkay_Click();

    // The fields in the order of the boxes: date, payee, amount, debit,
    // credit, memo, number.
    static constexpr int FieldCount = 7;
    std::array<QComboBox*, FieldCount> cboField{};
    ZevButton* cmdOkay = nullptr;
    ZevButton* cmdCancel = nullptr;

private:
    TwipScale twips_;
};

// Shows the dialog; the columns chosen, or nothing when it was cancelled.
std::optional<CsvColumns> AskCsvColumns(QWidget* parent, const QStringList& header, const CsvColumns& start);

}
