#pragma once
// The import window: the lines of a bank statement as they would come into
// the open account (added, clearing a transaction typed in earlier, or
// already in the register), a tick box each, the statement's closing
// balance beside the register's cleared balance, and Import or Cancel.
// Import writes every ticked line in one step.
#include "matching.h"
#include "statementimport.h"
#include "util/twips.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QTableView;

namespace tallyo {

class ImportPreviewModel;
class ZevButton;

class frmImportStatement : public QDialog {
    Q_OBJECT

public:
    // `statements`: every statement of the file (at least one);
    // `entries`: the account's transactions as they are now.
    frmImportStatement(const QString& fileName, std::vector<Statement> statements, const QString& accountKey,
                       std::vector<RegisterEntry> entries, QWidget* parent = nullptr);

    // What the import did; nothing until it was done.
    const std::optional<ImportCounts>& imported() const { return imported_; }
    // The statement being shown and what its lines would do.
    const Statement& statement() const;
    const std::vector<LineMatch>& matches() const { return matches_; }

    void cmdImport_Click();
    void cmdCancel_Click();

    QLabel* lblFile = nullptr;
    QLabel* lblStatement = nullptr;
    QComboBox* cboStatement = nullptr;
    QTableView* grid = nullptr;
    ImportPreviewModel* model = nullptr;
    QLabel* lblClosingBalance = nullptr;
    QLabel* lblClearedBalance = nullptr;
    QLabel* lblCounts = nullptr;
    ZevButton* cmdImport = nullptr;
    ZevButton* cmdCancel = nullptr;

protected:
    bool event(QEvent* event) override;
    void reject() override;

private:
    void Form_Load(const QString& fileName);
    void cboStatement_Change();
    void updateTotals();

    TwipScale twips_;
    std::vector<Statement> statements_;
    QString accountKey_;
    std::vector<RegisterEntry> entries_;
    std::vector<LineMatch> matches_;
    std::optional<ImportCounts> imported_;
    bool activated_ = false;
};

}
