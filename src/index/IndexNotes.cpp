// The account index window's notes: editing in place, saving, the gauge,
// the pulse of the Save button and the hint when the read-only notes are
// clicked.
#include "frmAccountIndex.h"

#include "IndexWindowLook.h"
#include "accountmaintenance.h"
#include "currentaccount.h"
#include "notesediting.h"

#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "store/fields.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace tallyo {

using namespace indexwindow;

namespace {

const QColor NotesReadOnly(192, 255, 255);
const QColor NotesEditing(255, 255, 192);
const QColor BlinkColour(255, 0, 255);
constexpr int BlinkPause = 150;

const QString DiscardChangesTip = QStringLiteral(" Do not save changes just made to these notes <Esc> or <F8> ");

}

void indexwindow::setNotesLook(QPlainTextEdit& box, bool editing)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, editing ? NotesEditing : NotesReadOnly);
    box.setPalette(palette);
    box.setReadOnly(!editing);
    // Read-only notes take no Tab stop, but a click still reaches them (and
    // points the user to the edit button).
    box.setFocusPolicy(editing ? Qt::StrongFocus : Qt::ClickFocus);
}

bool frmAccountIndex::isEditingNotes() const
{
    return !txtAccountInfo->isReadOnly();
}

void frmAccountIndex::EditNotes()
{
    if (!hasAccount() || isEditingNotes())
        return;
    for (ZevButton* button : {cmdAddAccount, cmdDeleteAccount, cmdEditNotes, cmdProgramOptions,
                              cmdProtectAccount, cmdRenameAccount, cmdSaveNotes, cmdSeeAccount})
        button->setEnabled(false);
    cmdSeeAccount->setDefault(false);
    gridAccountIndex->setEnabled(false);
    cmdNoSaveNotes->setEnabled(true);
    cmdNoSaveNotes->setCancel(true);
    notesStartingText_ = TrimSpaces(txtAccountInfo->toPlainText());
    setNotesLook(*txtAccountInfo, true);
    txtAccountInfo->setFocus();
}

void frmAccountIndex::UpdateNotesState()
{
    if (limitingNotes_)
        return;
    QString text = txtAccountInfo->toPlainText();
    // No more than the field holds: what was just typed or pasted beyond it
    // is taken out again.
    const int excess = StoredNotesLength(text) - NotesMaxLength;
    if (excess > 0 && isEditingNotes()) {
        limitingNotes_ = true;
        QTextCursor cursor = txtAccountInfo->textCursor();
        const int end = cursor.position();
        cursor.setPosition(std::max(0, end - excess));
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        text = txtAccountInfo->toPlainText();
        // A line break counts twice; cut more when taking characters was not enough.
        while (StoredNotesLength(text) > NotesMaxLength) {
            text.chop(1);
            txtAccountInfo->setPlainText(text);
            txtAccountInfo->moveCursor(QTextCursor::End);
        }
        limitingNotes_ = false;
    }

    if (isEditingNotes())
        cmdSaveNotes->setEnabled(NotesChanged(text, notesStartingText_));
    if (cmdSaveNotes->isEnabled()) {
        cmdNoSaveNotes->setToolTip(DiscardChangesTip);
        if (!timerFlashButton->isActive())
            timerFlashButton->start();
    } else {
        cmdNoSaveNotes->setToolTip(cmdNoSaveNotes->tag());
        stopPulse();
    }

    const QString gauge = NotesGaugeCaption(text);
    lblSpaceFull->setText(gauge);
    lblSpaceFull->setVisible(!gauge.isEmpty() && txtAccountInfo->isVisibleTo(this));
}

void frmAccountIndex::SaveNotes()
{
    if (!isEditingNotes() || !cmdSaveNotes->isEnabled())
        return;
    bool granted = false;
    if (!runDataAction([&] { granted = accessGranted(); }))
        return;
    if (!granted) {
        StopEditingNotes();
        return;
    }
    // The text is stored as shown, spaces at its ends included. When it cannot
    // be written, editing goes on so that nothing typed is lost.
    if (!runDataAction([&] {
            StoreAccountNotes(currentAccount().CurrentAccountRecord, NotesForStorage(txtAccountInfo->toPlainText()));
        }))
        return;
    stopEditing(true);
}

void frmAccountIndex::StopEditingNotes()
{
    stopEditing(false);
}

void frmAccountIndex::stopEditing(bool keepText)
{
    if (isEditingNotes() && !keepText)
        txtAccountInfo->setPlainText(notesStartingText_);
    setNotesLook(*txtAccountInfo, false);
    for (ZevButton* button :
         {cmdAddAccount, cmdDeleteAccount, cmdEditNotes, cmdProtectAccount, cmdRenameAccount})
        button->setEnabled(true);
    cmdProgramOptions->setEnabled(bool(navigation().openProgramOptions));
    cmdSaveNotes->setEnabled(false);
    stopPulse();
    cmdNoSaveNotes->setEnabled(false);
    cmdNoSaveNotes->setToolTip(cmdNoSaveNotes->tag());
    cmdSeeAccount->setDefault(true);
    cmdSeeAccount->setEnabled(bool(navigation().openRegister));
    cmdQuit->setCancel(true);
    gridAccountIndex->setEnabled(true);
    pace().letEventsRun();
    gridAccountIndex->setFocus();
}

void frmAccountIndex::timerFlashButton_Timer()
{
    if (!SharedDisplayValues().FlashButtons) {
        timerFlashButton->stop();
        return;
    }
    pulse_.tick();
    const int w = pulse_.background;
    const int v = pulse_.text;
    cmdSaveNotes->setBackColor(QColor(std::max(0, w - 128), std::clamp(w, 0, 255), std::max(0, w - 128)));
    cmdSaveNotes->setForeColor(QColor(std::max(0, v - 64), std::min(255, v), std::max(0, v - 64)));
}

void frmAccountIndex::stopPulse()
{
    if (!timerFlashButton->isActive())
        return;
    timerFlashButton->stop();
    pace().letEventsRun();
    // Both colours come back: the pulse changed the caption's colour too.
    cmdSaveNotes->setBackColor(WindowButtonColour::Face);
    cmdSaveNotes->setForeColor(WindowButtonColour::Caption);
}

void frmAccountIndex::txtAccountInfo_GotFocus()
{
    if (isEditingNotes() || blinking_ || !cmdEditNotes->isEnabled())
        return;
    // The read-only notes were clicked: point to the button that edits them.
    blinking_ = true;
    const QPointer<frmAccountIndex> alive(this);
    for (int blink = 0; blink < 3 && alive; ++blink) {
        cmdEditNotes->setBackColor(BlinkColour);
        pace().letEventsRun();
        pace().pause(BlinkPause);
        if (!alive)
            return;
        cmdEditNotes->setBackColor(WindowButtonColour::Face);
        pace().letEventsRun();
        pace().pause(BlinkPause);
    }
    if (!alive)
        return;
    blinking_ = false;
    cmdEditNotes->setFocus();
}

}
