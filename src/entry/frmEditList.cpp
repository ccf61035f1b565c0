#include "frmEditList.h"

#include "TextLimit.h"
#include "listtext.h"

#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "index/currentaccount.h"
#include "index/notesediting.h"
#include "platform/platform.h"
#include "store/fileerror.h"
#include "store/records.h"
#include "util/WindowHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

namespace tallyo {

namespace {

constexpr int WindowWidth = 5355, WindowHeight = 6900;


// The length a box text has once saved: line breaks as CR LF, one final
// line break.
int SavedLength(const QString& shown)
{
    return int(ListTextForStorage(NotesForStorage(shown)).size());
}

}

void ShowEditListWindow(QWidget* parent, int kind, const QString& displayName)
{
    frmEditList window(kind, displayName, parent);
    try {
        window.LoadList();
    } catch (const FileError& error) {
        ShowFileError(error);
        return;
    }
    window.exec();
}

frmEditList::frmEditList(int kind, const QString& displayName, QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips()), kind_(kind), displayName_(displayName)
{
    setObjectName(QStringLiteral("frmEditList"));
    setModal(true);
    Form_Load();
}

void frmEditList::Form_Load()
{
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    labelHeader = new QLabel(this);
    labelHeader->setObjectName(QStringLiteral("labelHeader"));
    QFont heading(QStringLiteral("Tahoma"), 10);
    heading.setBold(true);
    labelHeader->setFont(heading);
    place(labelHeader, 240, 120, 4875, 300);

    txtBox = new QPlainTextEdit(this);
    txtBox->setObjectName(QStringLiteral("txtBox"));
    txtBox->setFont(QFont(QStringLiteral("Tahoma"), 9));
    txtBox->setTabChangesFocus(true);
    txtBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    place(txtBox, 240, 480, 4875, 3900);
    limit_ = new TextLimit(txtBox, ListRecord::PayeeListWidth, SavedLength);

    labelNote = new QLabel(this);
    labelNote->setObjectName(QStringLiteral("labelNote"));
    labelNote->setFont(QFont(QStringLiteral("Tahoma"), 8));
    labelNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(labelNote, 240, 4380, 4875, 1500);

    cmdFinished = MakeWindowButton(this, "cmdFinished");
    cmdCancel = MakeWindowButton(this, "cmdCancel");
    place(cmdFinished, 240, 5990, 2340, 660);
    place(cmdCancel, 2775, 5990, 2340, 660);
    cmdCancel->hide();
    connect(cmdFinished, &ZevButton::clicked, this, [this] { cmdFinished_Click(); });
    connect(cmdCancel, &ZevButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(txtBox, &QPlainTextEdit::textChanged, this, [this] { txtBox_Change(); });
}

void frmEditList::LoadList()
{
    const AccountLists lists = EnsureAccountLists(currentAccount().CurrentAccountKey);
    record_ = lists.record;
    listText_ = ListOfKind(lists.lists, kind_);
}

bool frmEditList::event(QEvent* event)
{
    const bool handled = QDialog::event(event);
    if (event->type() == QEvent::WindowActivate) {
        if (!activated_)
            Form_Activate();
        txtBox->setFocus();
    }
    return handled;
}

void frmEditList::Form_Activate()
{
    setWindowTitle(ListEditorTitle(displayName_));
    cmdFinished->setCaption(QStringLiteral("&Return,\r\nwith no changes"));
    cmdFinished->setCancel(true);
    cmdCancel->hide();
    cmdCancel->setCaption(QStringLiteral("&Cancel, Do NOT\r\nsave the changes"));
    txtBox->setPlainText(NotesForDisplay(listText_));
    limit_->accept();
    labelHeader->setText(ListEditorHeader(displayName_, listText_.isEmpty()));
    labelNote->setText(NotesForDisplay(ListGuidelines()));
    activated_ = true;
}

bool frmEditList::isChanged() const
{
    return cmdCancel->isVisibleTo(this);
}

void frmEditList::txtBox_Change()
{
    if (!activated_)
        return;
    cmdFinished->setCaption(QStringLiteral("&Finished,\r\nsave the changes"));
    cmdCancel->show();
    cmdCancel->setCancel(true);
}

void frmEditList::cmdFinished_Click()
{
    if (isChanged()) {
        try {
            StoreList(record_, kind_, ListTextForStorage(NotesForStorage(txtBox->toPlainText())));
        } catch (const FileError& error) {
            // The text stays in the box to be saved again.
            ShowFileError(error);
            return;
        }
    }
    done(Accepted);
}

void frmEditList::cmdCancel_Click()
{
    done(Rejected);
}

void frmEditList::reject()
{
    // Esc and the window's close box act as the button that answers Esc.
    if (isChanged())
        cmdCancel_Click();
    else
        cmdFinished_Click();
}

}
