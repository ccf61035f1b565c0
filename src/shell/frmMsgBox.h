#pragma once
// The program's own message dialog: an icon, a message, a row of buttons
// whose captions the caller supplies, and on request a "Don't show this
// again" box. Every question and notice of the program goes through
// ShowMessage; callers read the answer from MessageResult (the 1-based
// number of the pressed button, 0 for Esc or a close from the title bar).
#include "messagelayout.h"
#include "util/twips.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;

namespace tallyo {

class ZevButton;

// The request and the answer of the dialog, shared by the caller and the
// window while it is shown.
struct MessageDialogState {
    QString MessageTitle;
    int MessageIconKind = 0;
    QString MessageText;            // lines separated by CR LF
    int MessageDefaultButton = 1;   // 1-based
    bool MessageShowOption = false; // show the "Don't show this again" box
    QStringList MessageCaptions;    // button k shows MessageCaptions[k - 1]
    int MessageResult = 0;          // the pressed button; 0 for Esc, a close, or no answer
    bool MessageOptionChecked = false;

    void reset() { *this = MessageDialogState(); }
};
MessageDialogState& messageDialog();

// Stores the request, clears the answer and shows the dialog modally; returns
// MessageResult once it has closed. Captions may mark an access key with "&".
int ShowMessage(const QString& title, int iconKind, const QString& text, int defaultButton,
                bool showOption, const QStringList& captions);

class frmMsgBox : public QDialog {
    Q_OBJECT

public:
    // Lays itself out from messageDialog(). The window deletes itself when it
    // closes.
    explicit frmMsgBox(QWidget* parent = nullptr);

    const MessageLayout& layout() const { return layout_; }
    const TwipScale& twips() const { return twips_; }

    QLabel* lblMessage = nullptr;
    // Button 0 is the cancel button, kept off the window: Esc presses it.
    // Buttons 1 to n carry the captions.
    QList<ZevButton*> cmdMessageButton;
    QCheckBox* chkDontAsk = nullptr;
    QLabel* imgIcon = nullptr;
    QWidget* shp = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void cmdMessageButton_Click(int index);
    ZevButton* makeButton(const QString& text);

    TwipScale twips_;
    MessageLayout layout_;
    bool activated_ = false;
};

}
