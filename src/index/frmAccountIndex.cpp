#include "frmAccountIndex.h"

#include "AccountListModel.h"
#include "accessprotection.h"
#include "accountmaintenance.h"
#include "currentaccount.h"
#include "indexcaptions.h"
#include "notesediting.h"

#include "controls/ButtonPictures.h"
#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "store/fields.h"
#include "store/fileerror.h"
#include "store/records.h"
#include "util/WindowHelpers.h"
#include "util/productinfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QTextCursor>
#include <QTimer>

#include <algorithm>

namespace tallyo {

namespace {

QPointer<frmAccountIndex> theWindow;

const QString crlf = QStringLiteral("\r\n");

// Window geometry, twips.
constexpr int WindowWidth = 6270;
constexpr int WindowHeight = 7910;
constexpr int ButtonLeft = 75, ButtonWidth = 915, ButtonHeight = 540;
constexpr int ListLeft = 1065, ListWidth = 5130;
constexpr int NameColumnWidth = 3600, BalanceColumnWidth = 1080;

// Colours.
const QColor FaceColour(206, 220, 238);
const QColor FaceOverColour(226, 236, 250);
const QColor CaptionColour(16, 32, 64);
const QColor CaptionOverColour(0, 0, 0);
const QColor NotesReadOnly(192, 255, 255);
const QColor NotesEditing(255, 255, 192);
const QColor BlinkColour(255, 0, 255);
const QColor ShapeFill(255, 255, 255, 70);
const QColor ShapeEdge(96, 96, 160);

// The pulse's interval: the older platform's timers ticked no faster than
// about every 15 ms, which gave the glow its pace of about a second.
constexpr int PulseInterval = 15;
constexpr int BlinkPause = 150;

const QString StopEditingTip = QStringLiteral(" Stop editing these notes <Esc> or <F8>");
const QString DiscardChangesTip = QStringLiteral(" Do not save changes just made to these notes <Esc> or <F8> ");

// Picture buttons as the program draws them: look 3, the window's colours.
ZevButton* makeButton(QWidget* window, const char* name, const QString& caption, const QPixmap& picture)
{
    auto* button = new ZevButton(window);
    button->setObjectName(QString::fromLatin1(name));
    button->setButtonType(3);
    button->setColorScheme(2);
    button->setBackColor(FaceColour);
    button->setBackOver(FaceOverColour);
    button->setForeColor(CaptionColour);
    button->setForeOver(CaptionOverColour);
    button->setCaption(caption);
    if (!picture.isNull()) {
        button->setPictureNormal(picture);
        button->setPicturePosition(2);
    }
    return button;
}

void setNotesLook(QPlainTextEdit& box, bool editing)
{
    QPalette palette = box.palette();
    palette.setColor(QPalette::Base, editing ? NotesEditing : NotesReadOnly);
    box.setPalette(palette);
    box.setReadOnly(!editing);
    // Read-only notes take no Tab stop, but a click still reaches them (and
    // points the user to the edit button).
    box.setFocusPolicy(editing ? Qt::StrongFocus : Qt::ClickFocus);
}

}

void ShowAccountIndexWindow()
{
    if (!theWindow)
        theWindow = new frmAccountIndex;
    theWindow->show();
    theWindow->activateWindow();
}

frmAccountIndex* AccountIndexWindow()
{
    return theWindow.data();
}

frmAccountIndex::frmAccountIndex(QWidget* parent)
    : QWidget(parent), twips_(ScreenTwips())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAccountIndex"));
    Form_Load();
    qApp->installEventFilter(this);
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

frmAccountIndex::~frmAccountIndex()
{
    qApp->removeEventFilter(this);
}

void frmAccountIndex::Form_Load()
{
    setWindowTitle(ApplicationTitle + QStringLiteral(" - Account Index"));
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);

    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    // Created first, so that they lie behind the buttons they frame.
    for (size_t i = 0; i < shape.size(); ++i) {
        shape[i] = new QFrame(this);
        shape[i]->setObjectName(QStringLiteral("shape%1").arg(i + 1));
        shape[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette palette = shape[i]->palette();
        palette.setColor(QPalette::Window, ShapeFill);
        palette.setColor(QPalette::WindowText, ShapeEdge);
        shape[i]->setPalette(palette);
        shape[i]->setAutoFillBackground(true);
        shape[i]->hide();
    }
    place(shape[0], ButtonLeft - 45, 630, ButtonWidth + 90, 1845);
    place(shape[1], ButtonLeft - 45, 4380, ButtonWidth + 90, 1845);

    cmdAddAccount = makeButton(this, "cmdAddAccount", QStringLiteral("Add"), pictures::add());
    cmdProtectAccount = makeButton(this, "cmdProtectAccount", QStringLiteral("Protect"), pictures::key());
    cmdRenameAccount = makeButton(this, "cmdRenameAccount", QStringLiteral("Rename"), pictures::modify());
    cmdDeleteAccount = makeButton(this, "cmdDeleteAccount", QStringLiteral("Delete"), pictures::remove());
    cmdProgramOptions = makeButton(this, "cmdProgramOptions", QStringLiteral("Options"), pictures::gear());
    cmdHelp = makeButton(this, "cmdHelp", QStringLiteral("Help"), pictures::help());
    cmdEditNotes = makeButton(this, "cmdEditNotes", QStringLiteral("Notes"), pictures::notepad());
    cmdSaveNotes = makeButton(this, "cmdSaveNotes", QStringLiteral("Save"), pictures::clear());
    cmdNoSaveNotes = makeButton(this, "cmdNoSaveNotes", QStringLiteral("Undo"), pictures::back());
    cmdAbout = makeButton(this, "cmdAbout", QStringLiteral("About"), pictures::letter(QStringLiteral("i")));
    cmdQuit = makeButton(this, "cmdQuit", QStringLiteral("Quit"), pictures::door());
    place(cmdAddAccount, ButtonLeft, 90, ButtonWidth, ButtonHeight);
    place(cmdProtectAccount, ButtonLeft, 675, ButtonWidth, ButtonHeight);
    place(cmdRenameAccount, ButtonLeft, 1260, ButtonWidth, ButtonHeight);
    place(cmdDeleteAccount, ButtonLeft, 1845, ButtonWidth, ButtonHeight);
    place(cmdProgramOptions, ButtonLeft, 2565, ButtonWidth, ButtonHeight);
    place(cmdHelp, ButtonLeft, 3150, ButtonWidth, ButtonHeight);
    place(cmdEditNotes, ButtonLeft, 4425, ButtonWidth, ButtonHeight);
    place(cmdSaveNotes, ButtonLeft, 5010, ButtonWidth, ButtonHeight);
    place(cmdNoSaveNotes, ButtonLeft, 5595, ButtonWidth, ButtonHeight);
    place(cmdAbout, ButtonLeft, 6690, ButtonWidth, ButtonHeight);
    place(cmdQuit, ButtonLeft, 7275, ButtonWidth, ButtonHeight);

    model = new AccountListModel(this);
    gridAccountIndex = new QTableView(this);
    gridAccountIndex->setObjectName(QStringLiteral("gridAccountIndex"));
    gridAccountIndex->setModel(model);
    gridAccountIndex->setFont(QFont(QStringLiteral("Tahoma"), 8));
    gridAccountIndex->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridAccountIndex->setSelectionMode(QAbstractItemView::SingleSelection);
    gridAccountIndex->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridAccountIndex->setTabKeyNavigation(false);
    gridAccountIndex->setWordWrap(false);
    gridAccountIndex->setCornerButtonEnabled(false);
    gridAccountIndex->verticalHeader()->hide();
    gridAccountIndex->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gridAccountIndex->verticalHeader()->setDefaultSectionSize(twips_.toPixels(285));
    gridAccountIndex->horizontalHeader()->setHighlightSections(false);
    gridAccountIndex->horizontalHeader()->setSectionsClickable(false);
    gridAccountIndex->horizontalScrollBar()->setEnabled(false);
    gridAccountIndex->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gridAccountIndex->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gridAccountIndex->setColumnWidth(AccountListModel::NameColumn, twips_.toPixels(NameColumnWidth));
    gridAccountIndex->setColumnWidth(AccountListModel::BalanceColumn, twips_.toPixels(BalanceColumnWidth));
    // The record numbers stay out of sight; the name column takes the room.
    gridAccountIndex->setColumnHidden(AccountListModel::RecordColumn, true);
    gridAccountIndex->horizontalHeader()->setSectionResizeMode(AccountListModel::NameColumn, QHeaderView::Stretch);
    gridAccountIndex->horizontalHeader()->setSectionResizeMode(AccountListModel::BalanceColumn, QHeaderView::Fixed);
    place(gridAccountIndex, ListLeft, 120, ListWidth, 3360);
    connect(gridAccountIndex->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { gridAccountIndex_RowChanged(); });
    connect(gridAccountIndex, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid() && cmdSeeAccount->isEnabled())
            cmdSeeAccount_Click();
    });

    cmdSeeAccount = makeButton(this, "cmdSeeAccount", OpenAccountTag, QPixmap());
    cmdSeeAccount->setFontBold(true);
    place(cmdSeeAccount, ListLeft, 3600, ListWidth, 660);

    txtAccountInfo = new QPlainTextEdit(this);
    txtAccountInfo->setObjectName(QStringLiteral("txtAccountInfo"));
    txtAccountInfo->setFont(QFont(QStringLiteral("Tahoma"), 9));
    txtAccountInfo->setTabChangesFocus(true);
    setNotesLook(*txtAccountInfo, false);
    place(txtAccountInfo, ListLeft, 4380, ListWidth, 3060);
    connect(txtAccountInfo, &QPlainTextEdit::textChanged, this, [this] { UpdateNotesState(); });

    lblSpaceFull = new QLabel(this);
    lblSpaceFull->setObjectName(QStringLiteral("lblSpaceFull"));
    lblSpaceFull->setFont(QFont(QStringLiteral("Tahoma"), 8));
    lblSpaceFull->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblSpaceFull->hide();
    place(lblSpaceFull, ListLeft + ListWidth - 1800, 7470, 1800, 270);

    timerFlashButton = new QTimer(this);
    timerFlashButton->setObjectName(QStringLiteral("timerFlashButton"));
    timerFlashButton->setInterval(PulseInterval);
    connect(timerFlashButton, &QTimer::timeout, this, [this] { timerFlashButton_Timer(); });

    menuGrid = new QMenu(this);
    menuGrid->setObjectName(QStringLiteral("menuGrid"));
    menuAddAccount = menuGrid->addAction(QStringLiteral("Add an Account"));
    menuGrid->addSeparator();
    menuProtection = menuGrid->addAction(QStringLiteral("Add access protection"));
    menuRenameAccount = menuGrid->addAction(QStringLiteral("Rename this Account"));
    menuGrid->addSeparator();
    menuDeleteAccount = menuGrid->addAction(QStringLiteral("Delete this account"));
    menuGrid->addSeparator();
    menuExit = menuGrid->addAction(QStringLiteral("Exit this Menu"));
    connect(menuAddAccount, &QAction::triggered, this, [this] { cmdAddAccount_Click(); });
    connect(menuProtection, &QAction::triggered, this, [this] { cmdProtectAccount_Click(); });
    connect(menuRenameAccount, &QAction::triggered, this, [this] { cmdRenameAccount_Click(); });
    connect(menuDeleteAccount, &QAction::triggered, this, [this] { cmdDeleteAccount_Click(); });

    connect(cmdSeeAccount, &ZevButton::clicked, this, [this] { cmdSeeAccount_Click(); });
    connect(cmdAddAccount, &ZevButton::clicked, this, [this] { cmdAddAccount_Click(); });
    connect(cmdProtectAccount, &ZevButton::clicked, this, [this] { cmdProtectAccount_Click(); });
    connect(cmdRenameAccount, &ZevButton::clicked, this, [this] { cmdRenameAccount_Click(); });
    connect(cmdDeleteAccount, &ZevButton::clicked, this, [this] { cmdDeleteAccount_Click(); });
    connect(cmdEditNotes, &ZevButton::clicked, this, [this] { EditNotes(); });
    connect(cmdSaveNotes, &ZevButton::clicked, this, [this] { SaveNotes(); });
    connect(cmdNoSaveNotes, &ZevButton::clicked, this, [this] { StopEditingNotes(); });
    connect(cmdProgramOptions, &ZevButton::clicked, this, [this] { cmdProgramOptions_Click(); });
    connect(cmdHelp, &ZevButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdAbout, &ZevButton::clicked, this, [this] { cmdAbout_Click(); });
    connect(cmdQuit, &ZevButton::clicked, this, [this] { cmdQuit_Click(); });

    cmdSeeAccount->setDefault(true);
    cmdQuit->setCancel(true);
    cmdSaveNotes->setEnabled(false);
    cmdNoSaveNotes->setEnabled(false);
    cmdNoSaveNotes->setTag(StopEditingTip);
    setAccountButtons(false);
    gridAccountIndex->hide();
}

void frmAccountIndex::Form_Activate()
{
    SetToolTips();
    RebuildAccountList();
}

void frmAccountIndex::SetToolTips()
{
    gridAccountIndex->setToolTip(QStringLiteral("Double-click to open this account, or right-click for options"));
    cmdSeeAccount->setToolTip(QStringLiteral(" Open this account <Enter> or <F9> "));
    cmdAddAccount->setToolTip(QStringLiteral(" Add an account to the Account Index at right <Insert> "));
    cmdProtectAccount->setToolTip(
        QStringLiteral(" 'Protected access' options for the highlighted account at right <F4> "));
    cmdRenameAccount->setToolTip(QStringLiteral(" Rename the highlighted account at right <F5> "));
    cmdDeleteAccount->setToolTip(QStringLiteral(" Delete the highlighted account at right <F12> "));
    cmdEditNotes->setToolTip(QStringLiteral(" Edit the notes at right <F6>"));
    cmdSaveNotes->setToolTip(QStringLiteral(" Save the changes made to these notes <F7> "));
    cmdNoSaveNotes->setToolTip(StopEditingTip);
    cmdNoSaveNotes->setTag(StopEditingTip);
    cmdProgramOptions->setToolTip(QStringLiteral(" Program Options <F3> "));
    cmdHelp->setToolTip(SharedDisplayValues().ManualHint);
    cmdAbout->setToolTip(QStringLiteral(" About ") + ApplicationTitle + QStringLiteral(" <F2> "));
    cmdQuit->setToolTip(QStringLiteral(" Quit <Esc> "));
}

// --- the list -------------------------------------------------------------

void frmAccountIndex::setAccountButtons(bool anyAccount)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             cmdProtectAccount, cmdRenameAccount, cmdDeleteAccount, cmdSeeAccount, cmdEditNotes,
             cmdSaveNotes, cmdNoSaveNotes, shape[0], shape[1], txtAccountInfo})
        control->setVisible(anyAccount);
    // Hidden buttons are disabled too, so that their keys cannot act on an
    // account that does not exist.
    for (ZevButton* button : {cmdProtectAccount, cmdRenameAccount, cmdDeleteAccount, cmdEditNotes})
        button->setEnabled(anyAccount);
    cmdSeeAccount->setEnabled(anyAccount && bool(navigation().openRegister));
    cmdAddAccount->setEnabled(true);
    cmdProgramOptions->setEnabled(bool(navigation().openProgramOptions));
    cmdSaveNotes->setEnabled(false);
    cmdNoSaveNotes->setEnabled(false);
    if (!anyAccount)
        lblSpaceFull->hide();
}

void frmAccountIndex::RebuildAccountList()
{
    rebuilding_ = true;
    gridAccountIndex->hide();
    gridAccountIndex->setUpdatesEnabled(false);
    txtAccountInfo->hide();
    txtAccountInfo->clear();
    stopPulse();
    setNotesLook(*txtAccountInfo, false);

    std::vector<AccountListEntry> entries;
    const bool read = runDataAction([&] { entries = ReadAccountList(); });
    const qint32 highlightRecord = std::exchange(highlightRecordOnRebuild_, 0);

    cmdSeeAccount->setTag(OpenAccountTag);
    cmdSeeAccount->setCaption(OpenAccountTag);
    cmdNoSaveNotes->setTag(StopEditingTip);
    cmdNoSaveNotes->setToolTip(StopEditingTip);
    model->setEntries(std::move(entries));
    const int count = model->rowCount();
    fitBalanceColumn();
    setAccountButtons(count > 0);
    cmdSeeAccount->setDefault(true);
    cmdQuit->setCancel(true);
    gridAccountIndex->setEnabled(true);
    gridAccountIndex->setUpdatesEnabled(true);
    rebuilding_ = false;

    CurrentAccount& current = currentAccount();
    if (count == 0) {
        current.CurrentAccountKey.clear();
        current.CurrentAccountRecord = 0;
        current.SelectedAccessQuery.clear();
        // A list that could not be read is not an empty one: the error has
        // been shown, and there is nothing to offer.
        if (read
            && prompts().ask(QStringLiteral("No accounts on file"), IconQuestion,
                             QStringLiteral("There are currently no financial accounts on file.") + crlf + crlf
                                 + QStringLiteral("Would you like to add an account to the index now?"),
                             1, {QStringLiteral("&Yes, please"), QStringLiteral("&No, not right now")})
                == 1)
            cmdAddAccount_Click();
        return;
    }

    if (highlightRecord > 0 && model->rowOfRecord(highlightRecord) >= 0)
        current.SelectedRow = model->rowOfRecord(highlightRecord) + 1;
    current.SelectedRow = std::clamp(current.SelectedRow, 1, count);
    rebuilding_ = true;
    highlightRow(current.SelectedRow - 1);
    gridAccountIndex->show();
    rebuilding_ = false;
    pace().letEventsRun();
    gridAccountIndex->setFocus();
    SelectAccount();
}

void frmAccountIndex::fitBalanceColumn()
{
    // The balance column keeps its width unless a balance needs more: a
    // balance is never shown cut short.
    const QFontMetrics metrics(gridAccountIndex->font());
    int widest = 0;
    for (const AccountListEntry& entry : model->entries())
        widest = std::max(widest, metrics.horizontalAdvance(AccountListModel::balanceText(entry)));
    const int padding = 2 * gridAccountIndex->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    gridAccountIndex->setColumnWidth(AccountListModel::BalanceColumn,
                                     std::max(twips_.toPixels(BalanceColumnWidth), widest + padding));
}

void frmAccountIndex::highlightRow(int row)
{
    const QModelIndex index = model->index(row, AccountListModel::NameColumn);
    gridAccountIndex->setCurrentIndex(index);
    gridAccountIndex->selectRow(row);
    gridAccountIndex->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void frmAccountIndex::gridAccountIndex_RowChanged()
{
    if (rebuilding_ || !gridAccountIndex->currentIndex().isValid())
        return;
    currentAccount().SelectedRow = gridAccountIndex->currentIndex().row() + 1;
    SelectAccount();
}

bool frmAccountIndex::hasAccount() const
{
    return gridAccountIndex->currentIndex().isValid() && currentAccount().CurrentAccountRecord > 0;
}

void frmAccountIndex::SelectAccount()
{
    const QModelIndex current = gridAccountIndex->currentIndex();
    if (!current.isValid())
        return;
    const AccountListEntry& entry = model->entries()[size_t(current.row())];
    CurrentAccount& account = currentAccount();
    account.CurrentAccountRecord = entry.record;
    account.CurrentAccountKey = entry.key;
    // Until the record has been read, the list's flag stands for the query,
    // so that a record that cannot be read is never treated as unprotected.
    account.SelectedAccessQuery = entry.isProtected ? QStringLiteral("?") : QString();
    cmdSeeAccount->setCaption(OpenAccountCaption(cmdSeeAccount->tag(), entry.name));
    // The notes shown are always this account's: when its record cannot be
    // read, those of the account highlighted before must not stay in view
    // (saving them would store them here).
    const bool read = runDataAction([&] {
        const AccountRecord record = ReadAccountAt(entry.record);
        cmdSeeAccount->setCaption(OpenAccountCaption(cmdSeeAccount->tag(), TrimSpaces(record.AccountName)));
        txtAccountInfo->setPlainText(NotesForDisplay(TrimSpaces(record.AccountNotes)));
        account.CurrentAccountKey = record.AccountKey;
        account.SelectedAccessQuery = TrimSpaces(record.AccessQuery);
    });
    if (!read)
        txtAccountInfo->clear();
}

bool frmAccountIndex::accessGranted()
{
    if (currentAccount().SelectedAccessQuery.isEmpty())
        return true;
    return CheckAccess(ReadAccountAt(currentAccount().CurrentAccountRecord));
}

void frmAccountIndex::gridAccountIndex_RightRelease(QPoint position)
{
    const QModelIndex index = gridAccountIndex->indexAt(position);
    if (!index.isValid() || !gridAccountIndex->isEnabled())
        return;
    if (index.row() != gridAccountIndex->currentIndex().row())
        gridAccountIndex->setCurrentIndex(model->index(index.row(), AccountListModel::NameColumn));
    pace().letEventsRun();
    menuProtection->setText(currentAccount().SelectedAccessQuery.isEmpty()
                                ? QStringLiteral("Add access protection")
                                : QStringLiteral("Change/remove access protection"));
    menuGrid->popup(gridAccountIndex->viewport()->mapToGlobal(position));
}

// --- buttons ----------------------------------------------------------------

void frmAccountIndex::cmdSeeAccount_Click()
{
    if (!hasAccount() || !navigation().openRegister)
        return;
    bool granted = false;
    runDataAction([&] { granted = accessGranted(); });
    if (!granted)
        return;
    // The current account is published by SelectAccount; the register reads it.
    const std::function<void()> openRegister = navigation().openRegister;
    closeByProgram();
    openRegister();
}

void frmAccountIndex::cmdAddAccount_Click()
{
    const QString typed = prompts().inputText(
        QStringLiteral("New Account name"),
        QStringLiteral("Type an 'Account Name' you wish to use") + crlf
            + QStringLiteral("to use to describe the account you're adding..."),
        QString());
    if (TrimSpaces(typed).isEmpty())
        return;
    qint32 record = 0;
    if (!runDataAction([&] { record = AppendAccount(typed, NewAccountNotes()); }))
        return;
    highlightRecordOnRebuild_ = record;
    RebuildAccountList();

    runDataAction([&] {
        if (OfferProtectionForNewAccount(record) && currentAccount().CurrentAccountRecord == record)
            currentAccount().SelectedAccessQuery = TrimSpaces(ReadAccountAt(record).AccessQuery);
    });
    if (OfferNotesForNewAccount())
        EditNotes();
}

void frmAccountIndex::cmdProtectAccount_Click()
{
    if (!hasAccount())
        return;
    runDataAction([] {
        CurrentAccount& account = currentAccount();
        account.SelectedAccessQuery = OfferProtectionOptions(account.CurrentAccountRecord);
    });
}

void frmAccountIndex::cmdRenameAccount_Click()
{
    if (!hasAccount())
        return;
    const qint32 record = currentAccount().CurrentAccountRecord;
    bool renamed = false;
    runDataAction([&] {
        if (!accessGranted())
            return;
        const QString oldName = model->entries()[size_t(gridAccountIndex->currentIndex().row())].name;
        const QString newName = prompts()
                                    .inputText(QStringLiteral("Rename account"),
                                               QStringLiteral("Enter a new name for this account"), oldName)
                                    .trimmed();
        if (newName.isEmpty() || newName == oldName)
            return;
        StoreAccountName(record, newName);
        renamed = true;
    });
    if (renamed) {
        // The renamed account stays highlighted wherever its new name sorts.
        highlightRecordOnRebuild_ = record;
        RebuildAccountList();
    }
}

void frmAccountIndex::cmdDeleteAccount_Click()
{
    if (!hasAccount())
        return;
    bool started = false;
    runDataAction([&] {
        if (!accessGranted())
            return;
        const QString key = currentAccount().CurrentAccountKey;
        const QString name = model->entries()[size_t(gridAccountIndex->currentIndex().row())].name;
        if (!ConfirmAccountDeletion(name, CountAccountTransactions(key)))
            return;
        started = true;
        DeleteAccountRecords(key);
        CurrentAccount& account = currentAccount();
        account.SelectedRow = std::max(1, account.SelectedRow - 1);
    });
    // Shown again even after a failure, which may have changed some files.
    if (started)
        RebuildAccountList();
}

void frmAccountIndex::cmdProgramOptions_Click()
{
    if (!navigation().openProgramOptions)
        return;
    const QPointer<frmAccountIndex> alive(this);
    cmdProgramOptions->setTag(QString());
    navigation().openProgramOptions(this);
    if (!alive)
        return;
    if (cmdProgramOptions->tag() == QStringLiteral("Restored")) {
        currentAccount().SelectedRow = 1;
        RebuildAccountList();
        cmdProgramOptions->setTag(QString());
    }
}

void frmAccountIndex::cmdHelp_Click()
{
    OpenManual();
}

void frmAccountIndex::cmdAbout_Click()
{
    prompts().ask(QStringLiteral("About ") + ApplicationTitle, IconInformation, AboutText(), 1,
                  {QStringLiteral("&Okay")});
}

void frmAccountIndex::cmdQuit_Click()
{
    const QPointer<frmAccountIndex> alive(this);
    bool leave = true;
    if (navigation().quitProgram) {
        quitting_ = true;
        leave = navigation().quitProgram();
        if (!alive)
            return;
        quitting_ = false;
    }
    if (leave)
        closeByProgram();
}

void frmAccountIndex::closeByProgram()
{
    closingByProgram_ = true;
    close();
}

void frmAccountIndex::closeEvent(QCloseEvent* event)
{
    if (closingByProgram_ || quitting_ || ProgramEnding() || qGuiApp->isSavingSession()) {
        stopPulse();
        event->accept();
        return;
    }
    // A close from the title bar asks as Quit does.
    event->ignore();
    QTimer::singleShot(0, this, [this] { cmdQuit_Click(); });
}

// --- notes ------------------------------------------------------------------

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
    cmdSaveNotes->setBackColor(FaceColour);
    cmdSaveNotes->setForeColor(CaptionColour);
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
        cmdEditNotes->setBackColor(FaceColour);
        pace().letEventsRun();
        pace().pause(BlinkPause);
    }
    if (!alive)
        return;
    blinking_ = false;
    cmdEditNotes->setFocus();
}

// --- keys, mouse and errors ---------------------------------------------------

bool frmAccountIndex::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // The window sees keys before its controls do.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this)
            return Form_KeyDown(static_cast<QKeyEvent*>(event)->key());
        break;
    case QEvent::FocusIn:
        if (watched == txtAccountInfo)
            QTimer::singleShot(0, this, [this] { txtAccountInfo_GotFocus(); });
        break;
    case QEvent::MouseButtonRelease:
        if (watched == gridAccountIndex->viewport()) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::RightButton)
                gridAccountIndex_RightRelease(mouse->position().toPoint());
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool frmAccountIndex::Form_KeyDown(int key)
{
    // A key presses its button only while that button is enabled.
    auto press = [](ZevButton* button) {
        if (!button->isEnabled())
            return false;
        button->click();
        return true;
    };
    switch (key) {
    case Qt::Key_Insert: return press(cmdAddAccount);
    case Qt::Key_F1: cmdHelp_Click(); return true;
    case Qt::Key_F2: cmdAbout_Click(); return true;
    case Qt::Key_F3: return press(cmdProgramOptions);
    case Qt::Key_F4: return press(cmdProtectAccount);
    case Qt::Key_F5: return press(cmdRenameAccount);
    case Qt::Key_F6: return press(cmdEditNotes);
    case Qt::Key_F7: return press(cmdSaveNotes);
    case Qt::Key_F8: return press(cmdNoSaveNotes);
    case Qt::Key_F9: return press(cmdSeeAccount);
    case Qt::Key_F12: return press(cmdDeleteAccount);
    default: return false;
    }
}

bool frmAccountIndex::runDataAction(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const FileError& error) {
        ShowFileError(error);
        return false;
    }
}

void frmAccountIndex::ShowFileError(const FileError& error)
{
    prompts().ask(QStringLiteral("File error"), IconStop, error.message(), 1, {QStringLiteral("&Okay")});
}

}
