#pragma once
// The check window: a preview of the check for the register's highlighted
// transaction on a picture of a check, two choices (print the check number,
// print the comment), and printing on pre-printed check paper at the rows
// and columns the account keeps. An account without a layout is first asked
// to set one up, and nothing prints until it has.
#include "checkprint.h"

#include "util/twips.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLabel;

namespace tallyo {

class ZevButton;
class frmAccount;

// Fills the register's print-check hook.
void InstallCheckActions();

// Opens the check window modally for a transaction of the current account.
void ShowPrintCheckWindow(QWidget* parent, const TransactionRecord& transaction);

// The paper of a check, drawn with its lines; the labels lie on top.
class CheckPicture : public QWidget {
    Q_OBJECT

public:
    CheckPicture(const TwipScale& twips, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TwipScale twips_;
};

class frmPrintCheck : public QDialog {
    Q_OBJECT

public:
    explicit frmPrintCheck(const TransactionRecord& transaction, QWidget* parent = nullptr);

    // Read at the first activation: the account's stored record and layout.
    const AccountRecord& account() const { return account_; }
    const CheckTexts& texts() const { return texts_; }

    void cmdPrintSetup_Click();
    void cmdPrintCheck_Click();
    void cmdFinished_Click();

    CheckPicture* imgCheck = nullptr;
    QLabel* labelAccountName = nullptr;
    QLabel* labelCheckNumber = nullptr;
    QLabel* labelDate = nullptr;
    QLabel* labelPayee = nullptr;
    QLabel* labelNumericalAmount = nullptr;
    QLabel* labelLongHandAmount = nullptr;
    QLabel* labelComment = nullptr;
    // 0 "Chk#", 1 "Date", 2 the currency sign, 3 the unit name, 4 "Payee",
    // 5 "for", 6 "X".
    std::array<QLabel*, 7> label{};
    QCheckBox* chkCheckNumber = nullptr;
    QCheckBox* chkComment = nullptr;
    ZevButton* cmdPrintSetup = nullptr;
    ZevButton* cmdPrintCheck = nullptr;
    ZevButton* cmdHelp = nullptr;
    ZevButton* cmdFinished = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    // Opens the setup window; true when it saved a layout.
    bool RunSetup();

    TwipScale twips_;
    TransactionRecord transaction_;
    AccountRecord account_;
    CheckTexts texts_;
};

}
