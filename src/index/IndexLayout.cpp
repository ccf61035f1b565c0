// The account index window's controls: where they lie, how they look, and
// what each one runs.
#include "frmAccountIndex.h"

#include "AccountListModel.h"
#include "IndexWindowLook.h"
#include "indexcaptions.h"

#include "controls/ButtonPictures.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "shell/appsettings.h"
#include "util/WindowHelpers.h"
#include "util/productinfo.h"

#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

namespace tallyo {

using namespace indexwindow;

namespace {

// Window geometry, twips.
constexpr int WindowWidth = 6270;
constexpr int WindowHeight = 7910;
constexpr int ButtonLeft = 75, ButtonWidth = 915, ButtonHeight = 540;
constexpr int ListLeft = 1065, ListWidth = 5130;
constexpr int NameColumnWidth = 3600;

const QColor ShapeFill(255, 255, 255, 70);
const QColor ShapeEdge(96, 96, 160);

// The pulse's interval: the older platform's timers ticked no faster than
// about every 15 ms, which gave the glow its pace of about a second.
constexpr int PulseInterval = 15;

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

    cmdAddAccount = MakeWindowButton(this, "cmdAddAccount", QStringLiteral("Add"), pictures::add());
    cmdProtectAccount = MakeWindowButton(this, "cmdProtectAccount", QStringLiteral("Protect"), pictures::key());
    cmdRenameAccount = MakeWindowButton(this, "cmdRenameAccount", QStringLiteral("Rename"), pictures::modify());
    cmdDeleteAccount = MakeWindowButton(this, "cmdDeleteAccount", QStringLiteral("Delete"), pictures::remove());
    cmdProgramOptions = MakeWindowButton(this, "cmdProgramOptions", QStringLiteral("Options"), pictures::gear());
    cmdHelp = MakeWindowButton(this, "cmdHelp", QStringLiteral("Help"), pictures::help());
    cmdEditNotes = MakeWindowButton(this, "cmdEditNotes", QStringLiteral("Notes"), pictures::notepad());
    cmdSaveNotes = MakeWindowButton(this, "cmdSaveNotes", QStringLiteral("Save"), pictures::clear());
    cmdNoSaveNotes = MakeWindowButton(this, "cmdNoSaveNotes", QStringLiteral("Undo"), pictures::back());
    cmdAbout = MakeWindowButton(this, "cmdAbout", QStringLiteral("About"), pictures::letter(QStringLiteral("i")));
    cmdQuit = MakeWindowButton(this, "cmdQuit", QStringLiteral("Quit"), pictures::door());
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

    cmdSeeAccount = MakeWindowButton(this, "cmdSeeAccount", OpenAccountTag, QPixmap());
    cmdSeeAccount->setFontBold(true);
    place(cmdSeeAccount, ListLeft, 3600, ListWidth, 660);

    txtAccountInfo = new QPlainTextEdit(this);
    txtAccountInfo->setObjectName(QStringLiteral("txtAccountInfo"));
    txtAccountInfo->setFont(QFont(QStringLiteral("Tahoma"), 9));
    txtAccountInfo->setTabChangesFocus(true);
    // The window shows no caption for the notes: a screen reader hears this.
    txtAccountInfo->setAccessibleName(QStringLiteral("Notes of the highlighted account"));
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

}
