#include "frmAccount.h"

#include "RegisterModel.h"
#include "controls/MonthsCalendar.h"
#include "registeractions.h"
#include "registercontrols.h"
#include "registergrid.h"
#include "registerstate.h"

#include "controls/ButtonPictures.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/productinfo.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace tallyo {

namespace {

QPointer<frmAccount> theWindow;

const QString crlf = QStringLiteral("\r\n");

// Window geometry, twips.
constexpr int FrameMargin = 45;
constexpr int ButtonWidth = 810, ButtonHeight = 570, ButtonStep = 840;
// The buttons above the list carry longer captions.
constexpr int WideButtonWidth = 960, WideButtonStep = 990;
constexpr int FrameHeight = ButtonHeight + 2 * FrameMargin;
constexpr int GridLeft = 90, GridTop = 1110;
constexpr int GridHeightAllowance = 2650;  // window height less the grid's
constexpr int BottomGap = 100;             // between the grid and the frames below it
constexpr int TitleTop = 720, TitleHeight = 345;
constexpr int CalendarLeft = 8930;

constexpr int DateLinePeriod = 30000;
// The older platform's timers ticked no faster than about every 15 ms,
// which gave the pulse its pace of about a second.
constexpr int PulseInterval = 15;

const QColor FaceColour(206, 220, 238);
const QColor FaceOverColour(226, 236, 250);
const QColor CaptionColour(16, 32, 64);
const QColor CaptionOverColour(0, 0, 0);
const QColor ShapeFill(255, 255, 255, 70);
const QColor ShapeEdge(96, 96, 160);

QColor colour(quint32 rgb)
{
    return QColor(QRgb(rgb));
}

ZevButton* makeButton(QWidget* frame, const char* name, const QString& caption, const QPixmap& picture)
{
    return MakeWindowButton(frame, name, caption, picture, 8);
}

QFrame* makeShape(QWidget* parent, const char* name)
{
    auto* shape = new QFrame(parent);
    shape->setObjectName(QString::fromLatin1(name));
    shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette palette = shape->palette();
    palette.setColor(QPalette::Window, ShapeFill);
    palette.setColor(QPalette::WindowText, ShapeEdge);
    shape->setPalette(palette);
    shape->setAutoFillBackground(true);
    return shape;
}

QLabel* makeLabel(QWidget* parent, const char* name, int points, bool bold, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Tahoma"), points);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

void setTextColour(QLabel* label, const QColor& textColour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColour);
    label->setPalette(palette);
}

// Runs `work` with Account.dat open and closes it again, whatever happens.
template <class Work>
void WithTransactionsOpen(Work&& work)
{
    OpenTransactions();
    try {
        work();
    } catch (...) {
        dataFiles().TransactionFile.closeKeepingCount();
        throw;
    }
    CloseTransactions();
}

int ScreenHeightTwips(const QWidget& window, const TwipScale& twips)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? twips.toTwips(screen->geometry().height()) : RegisterMinimumHeightTwips;
}

}

void OpenRegisterWindow()
{
    if (!theWindow)
        theWindow = new frmAccount;
    theWindow->show();
    theWindow->activateWindow();
}

frmAccount* RegisterWindow()
{
    return theWindow.data();
}

frmAccount::frmAccount(QWidget* parent)
    : QWidget(parent), twips_(ScreenTwips())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAccount"));
    // The register's state lives as long as its window: rows remembered for
    // another account's list must not pick the row highlighted in this one.
    ResetRegisterState();
    Form_Load();
    qApp->installEventFilter(this);
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

frmAccount::~frmAccount()
{
    qApp->removeEventFilter(this);
}

// --- loading ------------------------------------------------------------------

void frmAccount::Form_Load()
{
    setWindowTitle(ApplicationTitle);
    TileBackground(BackgroundPicture(), *this);

    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };
    auto frame = [this](const char* name) {
        auto* widget = new QWidget(this);
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    // Buttons side by side in a frame, whose shape lies behind them.
    auto row = [&](QWidget* owner, QFrame* shape, const std::initializer_list<ZevButton*>& buttons, bool wide) {
        const int width = wide ? WideButtonWidth : ButtonWidth;
        const int step = wide ? WideButtonStep : ButtonStep;
        int left = FrameMargin;
        for (ZevButton* button : buttons) {
            place(button, left, FrameMargin, width, ButtonHeight);
            left += step;
        }
        place(shape, 0, 0, left - step + width + FrameMargin, FrameHeight);
        shape->lower();
        owner->resize(twips_.toPixels(left - step + width + FrameMargin), owner->height());
    };

    // The list-wide buttons, top left.
    frameAccountOptions = frame("frameAccountOptions");
    shapeAccountOptions = makeShape(frameAccountOptions, "shapeAccountOptions");
    cmdReconcileAccount = makeButton(frameAccountOptions, "cmdReconcileAccount", QStringLiteral("Reconcile"),
                                     pictures::reconcile());
    cmdFind = makeButton(frameAccountOptions, "cmdFind", QStringLiteral("Search"), pictures::search());
    cmdTextSummary = makeButton(frameAccountOptions, "cmdTextSummary", QStringLiteral("Summary"),
                                pictures::summary());
    cmdPrintAccount = makeButton(frameAccountOptions, "cmdPrintAccount", QStringLiteral("Print"),
                                 pictures::print());
    cmdGraph = makeButton(frameAccountOptions, "cmdGraph", QStringLiteral("Graph"), pictures::graph());
    cmdOtherOptions = makeButton(frameAccountOptions, "cmdOtherOptions", QStringLiteral("Lists"),
                                 pictures::lists());
    place(frameAccountOptions, 60, 45, 0, FrameHeight);
    row(frameAccountOptions, shapeAccountOptions,
        {cmdReconcileAccount, cmdFind, cmdTextSummary, cmdPrintAccount, cmdGraph, cmdOtherOptions}, true);

    // The window's own buttons, top right.
    frameFormOptions = frame("frameFormOptions");
    shapeFormOptions = makeShape(frameFormOptions, "shapeFormOptions");
    cmdCalculator = makeButton(frameFormOptions, "cmdCalculator", QStringLiteral("Calculator"),
                               pictures::calculator());
    cmdCalendar = makeButton(frameFormOptions, "cmdCalendar", QStringLiteral("Calendar"),
                             pictures::calendar());
    cmdHelp = makeButton(frameFormOptions, "cmdHelp", QStringLiteral("Help"), pictures::help());
    cmdReturnToAccountIndex = makeButton(frameFormOptions, "cmdReturnToAccountIndex", QStringLiteral("Return"),
                                         pictures::back());
    const int formOptionsWidth = 3 * WideButtonStep + WideButtonWidth + 2 * FrameMargin;
    place(frameFormOptions, RegisterWidthTwips - 60 - formOptionsWidth, 45, formOptionsWidth, FrameHeight);
    row(frameFormOptions, shapeFormOptions, {cmdCalculator, cmdCalendar, cmdHelp, cmdReturnToAccountIndex}, true);

    // The title line and the date line.
    lblAccountName = makeLabel(this, "lblAccountName", 12, true, Qt::AlignLeft);
    lblAccountName->setAttribute(Qt::WA_TranslucentBackground);
    place(lblAccountName, GridLeft, TitleTop, 6200, TitleHeight);
    shapeDateTime = makeShape(this, "shapeDateTime");
    place(shapeDateTime, 6420, TitleTop + 15, RegisterWidthTwips - 6420 - GridLeft, TitleHeight - 30);
    lblDateTime = makeLabel(shapeDateTime, "lblDateTime", 9, false, Qt::AlignHCenter);
    lblDateTime->setGeometry(shapeDateTime->rect());
    setTextColour(lblDateTime, QColor(0, 0, 96));
    shapeDateTime->hide();

    // The list.
    model = new RegisterModel(nullptr, this);
    grid = new QTableView(this);
    grid->setObjectName(QStringLiteral("grid"));
    const QFont gridFont(QStringLiteral("Tahoma"), 9);
    grid->setFont(gridFont);
    model->setBaseFont(gridFont);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(twips_.toPixels(255));
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette gridPalette = grid->palette();
    gridPalette.setColor(QPalette::Base, colour(GridColour::Background));
    gridPalette.setColor(QPalette::Text, colour(GridColour::Text));
    gridPalette.setColor(QPalette::Highlight, colour(GridColour::SelectionBackground));
    gridPalette.setColor(QPalette::HighlightedText, colour(GridColour::SelectionText));
    gridPalette.setColor(QPalette::Inactive, QPalette::Highlight, colour(GridColour::SelectionBackground));
    gridPalette.setColor(QPalette::Inactive, QPalette::HighlightedText, colour(GridColour::SelectionText));
    gridPalette.setColor(QPalette::Mid, colour(GridColour::Lines));
    grid->setPalette(gridPalette);
    place(grid, GridLeft, GridTop, RegisterWidthTwips - 2 * GridLeft, 4000);
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { grid_RowChanged(); });
    connect(grid, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            grid_DblClick(index.column());
    });
    grid->hide();

    lblWait = makeLabel(this, "lblWait", 14, true, Qt::AlignHCenter);
    setTextColour(lblWait, QColor(0, 0, 128));
    lblWait->setAutoFillBackground(true);
    place(lblWait, 3000, 3000, 4845, 480);
    lblWait->hide();

    // The buttons of the highlighted transaction, below the list on the left.
    frameTransactionOptions = frame("frameTransactionOptions");
    shapeTransactionOptions = makeShape(frameTransactionOptions, "shapeTransactionOptions");
    cmdAddTransaction = makeButton(frameTransactionOptions, "cmdAddTransaction", QStringLiteral("Add"),
                                   pictures::add());
    cmdModifyTransaction = makeButton(frameTransactionOptions, "cmdModifyTransaction", QStringLiteral("Modify"),
                                      pictures::modify());
    cmdDeleteTransaction = makeButton(frameTransactionOptions, "cmdDeleteTransaction", QStringLiteral("Delete"),
                                      pictures::remove());
    cmdClearTransaction = makeButton(frameTransactionOptions, "cmdClearTransaction", QStringLiteral("Clear"),
                                     pictures::clear());
    cmdVoidTransaction = makeButton(frameTransactionOptions, "cmdVoidTransaction", QStringLiteral("Void"),
                                    pictures::voidMark());
    cmdSeeNotes = makeButton(frameTransactionOptions, "cmdSeeNotes", QStringLiteral("Notes"), pictures::notes());
    cmdPrintCheck = makeButton(frameTransactionOptions, "cmdPrintCheck", QStringLiteral("Check"),
                               pictures::check());
    place(frameTransactionOptions, 60, 0, 0, FrameHeight);
    row(frameTransactionOptions, shapeTransactionOptions,
        {cmdAddTransaction, cmdModifyTransaction, cmdDeleteTransaction, cmdClearTransaction, cmdVoidTransaction,
         cmdSeeNotes, cmdPrintCheck},
        false);

    // Totals, balance and the Finished button, below the list on the right.
    frameBottom = frame("frameBottom");
    const int bottomLeft = 60 + 6 * ButtonStep + ButtonWidth + 2 * FrameMargin + 60;
    const int bottomWidth = RegisterWidthTwips - 60 - bottomLeft;
    place(frameBottom, bottomLeft, 0, bottomWidth, 1035);
    shapeBottom = makeShape(frameBottom, "shapeBottom");
    place(shapeBottom, 0, 0, bottomWidth, 1035);
    const QStringList totalsCaptions{QStringLiteral("Total Credit "), QStringLiteral("Total Debit ")};
    constexpr int CaptionWidth = 1560, ValueLeft = 1560, ValueWidth = 1320, FinishedLeft = 2970;
    for (int i = 0; i < 2; ++i) {
        lblCreditDebit[size_t(i)] = makeLabel(frameBottom, "lblCreditDebit", 9, false, Qt::AlignRight);
        lblCreditDebit[size_t(i)]->setText(totalsCaptions[i]);
        place(lblCreditDebit[size_t(i)], 0, 60 + i * 300, CaptionWidth, 285);
    }
    lblTotalCredit = makeLabel(frameBottom, "lblTotalCredit", 9, false, Qt::AlignRight);
    lblTotalDebit = makeLabel(frameBottom, "lblTotalDebit", 9, false, Qt::AlignRight);
    setTextColour(lblTotalCredit, colour(0x0000C0));
    setTextColour(lblTotalDebit, colour(0xC00000));
    place(lblTotalCredit, ValueLeft, 60, ValueWidth, 285);
    place(lblTotalDebit, ValueLeft, 360, ValueWidth, 285);
    lblBalance = makeLabel(frameBottom, "lblBalance", 9, false, Qt::AlignRight);
    lblCurrentBalance = makeLabel(frameBottom, "lblCurrentBalance", 10, true, Qt::AlignRight);
    place(lblBalance, 0, 690, CaptionWidth, 285);
    place(lblCurrentBalance, ValueLeft, 690, ValueWidth, 285);
    cmdFinished = makeButton(frameBottom, "cmdFinished", QString(), QPixmap());
    cmdFinished->setFontBold(true);
    place(cmdFinished, FinishedLeft, 90, bottomWidth - FinishedLeft - 90, 855);
    cmdFinished->hide();

    // The browsing calendar lies just above the client area, out of sight;
    // only its drop-down is ever seen.
    BrowsingCalendar = new MonthsCalendar(6, 3, 6, this);
    BrowsingCalendar->setObjectName(QStringLiteral("BrowsingCalendar"));
    BrowsingCalendar->setDate(clock().now().date());
    BrowsingCalendar->adjustSize();
    BrowsingCalendar->move(twips_.toPixels(CalendarLeft), -BrowsingCalendar->height() - twips_.toPixels(10));
    BrowsingCalendar->hide();
    // Closed, or left for another control: hidden again, the grid takes over.
    connect(BrowsingCalendar, &MonthsCalendar::popupClosed, this, [this] { BrowsingCalendar_Closed(); });
    connect(BrowsingCalendar, &MonthsCalendar::focusLeft, this, [this] { BrowsingCalendar_Closed(); });

    timerShowDate = new QTimer(this);
    timerShowDate->setObjectName(QStringLiteral("timerShowDate"));
    timerShowDate->setInterval(DateLinePeriod);
    connect(timerShowDate, &QTimer::timeout, this, [this] { timerShowDate_Timer(); });
    timerFlashButton = new QTimer(this);
    timerFlashButton->setObjectName(QStringLiteral("timerFlashButton"));
    timerFlashButton->setInterval(PulseInterval);
    connect(timerFlashButton, &QTimer::timeout, this, [this] { timerFlashButton_Timer(); });

    BuildMenus();

    connect(cmdAddTransaction, &ZevButton::clicked, this, [this] { runAction(registerActions().addTransaction); });
    connect(cmdModifyTransaction, &ZevButton::clicked, this,
            [this] { runAction(registerActions().modifyTransaction); });
    connect(cmdDeleteTransaction, &ZevButton::clicked, this,
            [this] { runAction(registerActions().deleteTransaction); });
    connect(cmdClearTransaction, &ZevButton::clicked, this, [this] { runAction(registerActions().clearTransaction); });
    connect(cmdVoidTransaction, &ZevButton::clicked, this, [this] { runAction(registerActions().voidTransaction); });
    connect(cmdSeeNotes, &ZevButton::clicked, this, [this] { runAction(registerActions().seeNotes); });
    connect(cmdPrintCheck, &ZevButton::clicked, this, [this] { runAction(registerActions().printCheck); });
    connect(cmdCalculator, &ZevButton::clicked, this, [this] { runAction(registerActions().startCalculator); });
    connect(cmdFind, &ZevButton::clicked, this, [this] { runAction(registerActions().search); });
    connect(cmdReconcileAccount, &ZevButton::clicked, this, [this] { cmdReconcileAccount_Click(); });
    connect(cmdTextSummary, &ZevButton::clicked, this, [this] { cmdTextSummary_Click(); });
    connect(cmdCalendar, &ZevButton::clicked, this, [this] { cmdCalendar_Click(); });
    connect(cmdHelp, &ZevButton::clicked, this, [] { OpenManual(); });
    connect(cmdReturnToAccountIndex, &ZevButton::clicked, this, [this] { close(); });
    connect(cmdFinished, &ZevButton::clicked, this, [this] { cmdFinished_Click(); });

    SetHints();
    for (QWidget* hidden : {frameAccountOptions, frameBottom, frameFormOptions, frameTransactionOptions})
        hidden->hide();

    // Size: the fixed width, and a height within its limits, centred on the
    // screen; the height last used when one was saved.
    const int screenTwips = ScreenHeightTwips(*this, twips_);
    setFixedWidth(twips_.toPixels(RegisterWidthTwips));
    setMinimumHeight(twips_.toPixels(RegisterMinimumHeightTwips));
    setMaximumHeight(twips_.toPixels(RegisterMaximumHeightTwips(screenTwips)));
    const int height = RegisterHeightTwips(
        SavedRegisterHeight(SettingText(SettingKey::FormHeight)).value_or(RegisterDefaultHeightTwips(screenTwips)),
        screenTwips);
    resize(twips_.toPixels(RegisterWidthTwips), twips_.toPixels(height));
    if (const QScreen* screen = this->screen()) {
        const QRect room = screen->geometry();
        move(room.left() + (room.width() - width()) / 2, room.top() + (room.height() - this->height()) / 2);
    }
    layoutBottom();
}

void frmAccount::SetHints()
{
    cmdModifyTransaction->setToolTip(QStringLiteral(" Edit the highlighted transaction... "));
    cmdDeleteTransaction->setToolTip(QStringLiteral(" Delete the highlighted transaction... "));
    cmdClearTransaction->setToolTip(QStringLiteral(" Clear/unclear the highlighted transaction "));
    cmdVoidTransaction->setToolTip(QStringLiteral(" Void the highlighted transaction "));
    cmdSeeNotes->setToolTip(QStringLiteral(" See the notes associated with the highlighted transaction "));
    cmdPrintCheck->setToolTip(QStringLiteral(" Print a check for the highlighted transaction... "));
    cmdReconcileAccount->setToolTip(QStringLiteral(" Reconcile this account <F2>"));
    cmdFind->setToolTip(QStringLiteral(" Search the account... "));
    cmdTextSummary->setToolTip(QStringLiteral(" Generate a text summary of this list of transactions <F3> "));
    cmdPrintAccount->setToolTip(QStringLiteral(" Print this display of transactions... "));
    cmdGraph->setToolTip(QStringLiteral(" Graph this display of transactions... "));
    cmdOtherOptions->setToolTip(QStringLiteral(" Manage payee and comments lists... "));
    cmdCalculator->setToolTip(QStringLiteral(" Calculator "));
    cmdCalendar->setToolTip(QStringLiteral(" Browse a 6-month calendar "));
    cmdHelp->setToolTip(SharedDisplayValues().ManualHint);
    cmdReturnToAccountIndex->setToolTip(QStringLiteral(" Return to the Account Index <Esc> "));
}

void frmAccount::Form_Activate()
{
    layoutBottom();
    // Each column keeps its width unless the font needs more for the
    // column's widest usual text: dates, type words and amounts are never
    // shown cut short.
    const QFontMetrics metrics(grid->font());
    const int padding = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    const QString widestDate = FormatShortDate(StoredFromDate(QDate(2088, 12, 28)), SharedDisplayValues().DateFormat);
    const std::pair<int, QString> widest[] = {
        {DateColumn, widestDate},           {ClearedColumn, QStringLiteral("*")},
        {TypeColumn, QStringLiteral("AutoPayment")}, {DebitColumn, QStringLiteral("-9,999,999.99")},
        {CreditColumn, QStringLiteral("9,999,999.99")}, {BalanceColumn, QStringLiteral("-9,999,999.99")}};
    for (const auto& [column, text] : widest) {
        grid->setColumnWidth(column, std::max(twips_.toPixels(ColumnWidthTwips(column)),
                                              metrics.horizontalAdvance(text) + padding));
        grid->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Fixed);
    }
    // The payee column takes the room left, which keeps the record number
    // and comment columns out of sight; they stay readable in the model.
    grid->setColumnWidth(PayeeColumn, twips_.toPixels(ColumnWidthTwips(PayeeColumn)));
    grid->horizontalHeader()->setSectionResizeMode(PayeeColumn, QHeaderView::Stretch);
    grid->setColumnHidden(RecordColumn, true);
    grid->setColumnHidden(CommentColumn, true);
    runDataAction([this] {
        accountName_ = ReadAccountAt(currentAccount().CurrentAccountRecord).AccountName;
    });
    LoadRegister();
}

void frmAccount::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!isMinimized())
        layoutBottom();
}

void frmAccount::layoutBottom()
{
    // The list grows with the window; the frames below it follow.
    const int gridHeight = twips_.toTwips(height()) - GridHeightAllowance;
    grid->resize(grid->width(), twips_.toPixels(std::max(gridHeight, 1000)));
    const int bottomTop = twips_.toPixels(GridTop + BottomGap) + grid->height();
    frameBottom->move(frameBottom->x(), bottomTop);
    frameTransactionOptions->move(frameTransactionOptions->x(), bottomTop);
}

void frmAccount::closeEvent(QCloseEvent* event)
{
    if (theWindow == this)
        SetSettingNumber(SettingKey::FormHeight, twips_.toTwips(height()));
    timerShowDate->stop();
    stopPulse();
    BrowsingCalendar->hidePopup();
    event->accept();
    theWindow = nullptr;
    if (!ProgramEnding() && navigation().showAccountIndex)
        navigation().showAccountIndex();
}

// --- the list ------------------------------------------------------------------

AssemblyHooks frmAccount::assemblyHooks()
{
    AssemblyHooks hooks;
    hooks.showStatus = [this](const QString& text) {
        lblWait->setText(text);
        lblWait->setVisible(!text.isEmpty());
        lblWait->raise();
        lblWait->repaint();
    };
    model->connectHooks(hooks);
    for (ZevButton* marked : {cmdAddTransaction, cmdModifyTransaction}) {
        if (!marked->tag().isEmpty())
            hooks.saveMarkers.append(marked->tag());
    }
    return hooks;
}

void frmAccount::setBusyLook(bool busy)
{
    if (busy) {
        assembling_ = true;
        grid->hide();
        pace().letEventsRun();
        SetBusy(*this, true);
        return;
    }
    SetBusy(*this, false);
    lblAccountName->show();
    for (QWidget* frame : {frameAccountOptions, frameBottom, frameFormOptions, frameTransactionOptions})
        frame->show();
    grid->setEnabled(true);
    assembling_ = false;
}

void frmAccount::LoadRegister()
{
    for (QWidget* hidden : {frameAccountOptions, frameBottom, frameFormOptions, frameTransactionOptions,
                            static_cast<QWidget*>(lblAccountName)})
        hidden->hide();
    setBusyLook(true);
    std::optional<ShownList> shown;
    const bool read = runDataAction([&] { shown = tallyo::LoadRegister(assemblyHooks()); });
    setBusyLook(false);
    if (shown) {
        shapeDateTime->show();
        timerShowDate->start();
        timerShowDate_Timer();
        showShownList(*shown);
    } else if (read) {
        NewAccountDialogue();
    } else {
        // The list could not be read: what is left stays usable.
        grid->show();
        UpdateControls();
    }
}

void frmAccount::ShowList()
{
    setBusyLook(true);
    std::optional<ShownList> shown;
    runDataAction([&] { shown = tallyo::ShowList(assemblyHooks()); });
    setBusyLook(false);
    if (shown) {
        showShownList(*shown);
    } else {
        grid->show();
        UpdateControls();
    }
}

void frmAccount::ReconcileList()
{
    const bool wasReconciling = registerState().RegisterView == ReconcileView;
    const qint32 row = currentRow();
    setBusyLook(true);
    std::optional<ShownList> shown;
    runDataAction([&] { shown = tallyo::ReconcileList(row, assemblyHooks()); });
    setBusyLook(false);
    if (shown) {
        showShownList(*shown);
    } else if (wasReconciling) {
        // The last uncleared transaction is gone: back to the whole account.
        cmdFinished_Click();
    } else {
        grid->show();
        grid->setFocus();
    }
}

void frmAccount::showShownList(const ShownList& shown)
{
    highlighted_ = shown.highlighted;
    const RegisterCaptions captions = CaptionsOf(registerState());
    lblTotalCredit->setText(captions.totalCredit);
    lblTotalDebit->setText(captions.totalDebit);
    lblBalance->setVisible(captions.balanceVisible);
    lblCurrentBalance->setVisible(captions.balanceVisible);
    lblBalance->setText(captions.balanceCaption);
    lblCurrentBalance->setText(captions.balanceText);
    setTextColour(lblCurrentBalance, colour(captions.balanceColour));
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: %1; color: %2; border: 1px solid %3; "
                       "padding: 1px; font-weight: normal; }")
            .arg(colour(captions.headerColour).name(), colour(GridColour::HeaderText).name(),
                 colour(GridColour::HeaderLines).name()));
    grid->show();
    highlightRow(shown.row);
    UpdateControls();
    updateClearHint();
}

void frmAccount::highlightRow(qint32 row)
{
    if (row < 1 || row > model->rowCount())
        return;
    assembling_ = true;
    const QModelIndex index = model->index(row - 1, DateColumn);
    grid->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid->scrollTo(index, QAbstractItemView::PositionAtTop);
    assembling_ = false;
}

qint32 frmAccount::currentRow() const
{
    const QModelIndex current = grid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

qint32 frmAccount::currentRecordNumber() const
{
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return 0;
    return model->index(current.row(), RecordColumn).data().toInt();
}

void frmAccount::UpdateControls()
{
    const RegisterState& state = registerState();
    const RegisterActions& actions = registerActions();
    const RegisterControlStates states =
        ControlStatesFor(state.RegisterView, state.DisplayedCount, highlighted_, accountName_, state.SearchText);
    const bool listed = state.DisplayedCount > 0;

    cmdAddTransaction->setEnabled(bool(actions.addTransaction));
    cmdAddTransaction->setToolTip(states.addHint);
    cmdModifyTransaction->setEnabled(listed && bool(actions.modifyTransaction));
    cmdReconcileAccount->setEnabled(states.reconcile);
    cmdFind->setEnabled(states.reconcile && bool(actions.search));
    cmdGraph->setEnabled(states.graph && bool(actions.showGraph));
    cmdTextSummary->setEnabled(states.textSummary && bool(actions.textSummary));
    cmdPrintAccount->setEnabled(states.printAccount && bool(actions.printList));
    cmdOtherOptions->setEnabled(bool(actions.editList) || bool(actions.findReplace));
    cmdSeeNotes->setEnabled(listed && states.seeNotes && bool(actions.seeNotes));
    cmdDeleteTransaction->setEnabled(listed && states.deleteTransaction && bool(actions.deleteTransaction));
    cmdClearTransaction->setEnabled(listed && states.clearTransaction && bool(actions.clearTransaction));
    cmdVoidTransaction->setEnabled(listed && states.clearTransaction && bool(actions.voidTransaction));
    cmdPrintCheck->setEnabled(listed && states.printCheck && bool(actions.printCheck));
    cmdCalculator->setEnabled(bool(actions.startCalculator));

    cmdReturnToAccountIndex->setCancel(states.returnAnswersEsc);
    if (states.finishedVisible) {
        cmdFinished->setCaption(states.finishedCaption);
        cmdFinished->show();
        cmdFinished->setCancel(true);
        if (!timerFlashButton->isActive())
            timerFlashButton->start();
    } else {
        stopPulse();
        cmdFinished->hide();
    }

    lblAccountName->setText(states.title);
    setTextColour(lblAccountName, colour(states.titleColour));
    lblAccountName->show();
    if (grid->isVisible())
        grid->setFocus();
}

void frmAccount::updateClearHint()
{
    if (!cmdClearTransaction->isEnabled())
        return;
    const QModelIndex current = grid->currentIndex();
    const bool cleared =
        current.isValid() && model->index(current.row(), ClearedColumn).data().toString() == u"*";
    cmdClearTransaction->setToolTip(ClearHint(cleared));
}

void frmAccount::grid_RowChanged()
{
    if (assembling_ || !grid->isVisible() || !grid->currentIndex().isValid())
        return;
    const qint32 number = currentRecordNumber();
    runDataAction([&] { WithTransactionsOpen([&] { highlighted_ = ReadTransactionRecord(number); }); });
    UpdateControls();
    updateClearHint();
}

void frmAccount::grid_DblClick(int column)
{
    // The date and the cleared mark toggle the mark; any other column opens
    // the transaction for changing.
    if (column == DateColumn || column == ClearedColumn) {
        if (cmdClearTransaction->isEnabled())
            runAction(registerActions().clearTransaction);
    } else if (cmdModifyTransaction->isEnabled()) {
        runAction(registerActions().modifyTransaction);
    }
}

void frmAccount::runAction(const std::function<void(frmAccount&)>& action)
{
    if (!action)
        return;
    // A copy: the action may replace the hooks while it runs.
    const std::function<void(frmAccount&)> run = action;
    runDataAction([&] { run(*this); });
}

bool frmAccount::runDataAction(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const FileError& error) {
        prompts().ask(QStringLiteral("File error"), IconStop, error.message(), 1, {QStringLiteral("&Okay")});
        return false;
    }
}

// --- the new account -------------------------------------------------------------

void frmAccount::NewAccountDialogue()
{
    const int answer = prompts().ask(
        QStringLiteral("New Account"), IconQuestion,
        QStringLiteral("This is a new account--") + crlf + crlf + QStringLiteral("Are you ready to enter to establish")
            + crlf + QStringLiteral("a beginning balance for this account?"),
        1, {QStringLiteral("&Yes, continue"), QStringLiteral("&No, not right now")});
    if (answer != 1) {
        close();
        return;
    }
    std::optional<qint64> amount;
    while (!amount) {
        const QString typed = prompts().inputText(QStringLiteral("Please enter"),
                                                  QStringLiteral("What is the beginning balance for this account?"),
                                                  FormatAmount(0));
        if (typed.trimmed().isEmpty()) {
            close();
            return;
        }
        amount = BeginningBalanceAnswer(typed);
    }
    const TransactionRecord start = BeginningBalanceRecord(currentAccount().CurrentAccountKey, *amount);
    if (!runDataAction([&] { WithTransactionsOpen([&] { WriteTransactionRecord(TransactionCount() + 1, start); }); })) {
        close();
        return;
    }
    LoadRegister();
}

// --- buttons ----------------------------------------------------------------------

void frmAccount::cmdReconcileAccount_Click()
{
    if (cmdReconcileAccount->isEnabled())
        ReconcileList();
}

void frmAccount::cmdTextSummary_Click()
{
    const RegisterActions& actions = registerActions();
    if (!cmdTextSummary->isEnabled() || !actions.textSummary)
        return;
    ListSummary summary;
    summary.title = lblAccountName->text();
    summary.view = registerState().RegisterView;
    summary.totalCredit = lblTotalCredit->text();
    summary.totalDebit = lblTotalDebit->text();
    if (summary.view != SearchView)
        summary.balance = lblCurrentBalance->text();
    const auto run = actions.textSummary;
    runDataAction([&] { run(*this, summary); });
}

void frmAccount::cmdFinished_Click()
{
    stopPulse();
    cmdFinished->hide();
    LoadRegister();
}

void frmAccount::cmdCalendar_Click()
{
    BrowsingCalendar->show();
    BrowsingCalendar->setFocus();
    // Dropped down as by its own key, as soon as events run.
    PressKey(Qt::Key_F4, BrowsingCalendar);
    pace().letEventsRun();
}

void frmAccount::BrowsingCalendar_Closed()
{
    BrowsingCalendar->hide();
    if (grid->isVisible())
        grid->setFocus();
}

// --- timers ------------------------------------------------------------------------

void frmAccount::timerShowDate_Timer()
{
    lblDateTime->setText(RegisterDateLine(clock().now(), SettingChoice(SettingKey::DateDisplay).value_or(0)));
}

void frmAccount::timerFlashButton_Timer()
{
    if (!SharedDisplayValues().FlashButtons) {
        timerFlashButton->stop();
        return;
    }
    pulse_.tick();
    const int b = std::clamp<int>(pulse_.background, 0, 255);
    const int a = std::clamp<int>(pulse_.text, 0, 255);
    cmdFinished->setBackColor(QColor(b, b, 0));
    cmdFinished->setForeColor(QColor(a, a, 0));
}

void frmAccount::stopPulse()
{
    if (!timerFlashButton->isActive())
        return;
    timerFlashButton->stop();
    cmdFinished->setBackColor(FaceColour);
    cmdFinished->setForeColor(CaptionColour);
}

// --- keys ---------------------------------------------------------------------------

bool frmAccount::eventFilter(QObject* watched, QEvent* event)
{
    // The window sees keys before its controls do.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->window() == this && isEnabled())
        return Form_KeyDown(static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

bool frmAccount::Form_KeyDown(int key)
{
    // A key presses its button only while that button is enabled.
    auto press = [](ZevButton* button) {
        if (!button->isEnabled() || button->isHidden())
            return false;
        button->click();
        return true;
    };
    switch (key) {
    case Qt::Key_F1: OpenManual(); return true;
    case Qt::Key_F2: return press(cmdReconcileAccount);
    case Qt::Key_F3: return press(cmdTextSummary);
    case Qt::Key_Insert: return press(cmdAddTransaction);
    case Qt::Key_Escape:
        return press(registerState().RegisterView == NormalView ? cmdReturnToAccountIndex : cmdFinished);
    default: return false;
    }
}

}
