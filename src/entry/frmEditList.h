#pragma once
// The list editor: an account's payee or comment list as plain text, one
// entry per line. Until the text is changed, Finished (or Esc) returns
// without writing; after a change Finished saves the list and Cancel (or
// Esc) discards it.
#include "util/twips.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace tallyo {

class TextLimit;
class ZevButton;

// Opens the editor modally for the open account's list of a kind (1 payees,
// 2 comments) under its display name. A file error is shown in the message
// dialog.
void ShowEditListWindow(QWidget* parent, int kind, const QString& displayName);

class frmEditList : public QDialog {
    Q_OBJECT

public:
    frmEditList(int kind, const QString& displayName, QWidget* parent = nullptr);

    // Finds the account's lists (appending an empty record when it has none)
    // and puts the list in the text box. Throws FileError.
    void LoadList();

    void cmdFinished_Click();
    void cmdCancel_Click();
    // The text was changed since the window was first shown.
    bool isChanged() const;

    QLabel* labelHeader = nullptr;
    QPlainTextEdit* txtBox = nullptr;
    QLabel* labelNote = nullptr;
    ZevButton* cmdFinished = nullptr;
    ZevButton* cmdCancel = nullptr;

protected:
    bool event(QEvent* event) override;
    void reject() override;

private:
    void Form_Load();
    void Form_Activate();
    void txtBox_Change();

    TwipScale twips_;
    int kind_;
    QString displayName_;
    qint32 record_ = 0;
    QString listText_;
    TextLimit* limit_ = nullptr;
    bool activated_ = false;
};

}
