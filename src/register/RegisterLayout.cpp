// The register window's controls, built in code and placed in twips, and
// their places when the window is resized.
#include "frmAccount.h"

#include "RegisterLook.h"
#include "RegisterModel.h"
#include "registergrid.h"
#include "registeractions.h"
#include "registercontrols.h"
#include "registerstate.h"

#include "controls/ButtonPictures.h"
#include "controls/MonthsCalendar.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "util/WindowHelpers.h"
#include "util/dates.h"
#include "util/formats.h"
#include "util/productinfo.h"

#include <QGuiApplication>
#include <QFontMetrics>
#include <QStyle>
#include <QHeaderView>
#include <QScreen>
#include <QMenu>
#include <QTableView>
#include <QTimer>

namespace tallyo {

using namespace registerlook;

namespace {

int ScreenHeightTwips(const QWidget& window, const TwipScale& twips)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? twips.toTwips(screen->geometry().height()) : RegisterMinimumHeightTwips;
}

}

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

    // Totals and balance, below the list on the right; their captions and
    // values take the widths their fonts need (layoutTotals).
    frameBottom = frame("frameBottom");
    const int bottomLeft = 60 + 6 * ButtonStep + ButtonWidth + 2 * FrameMargin + 60;
    const int bottomWidth = RegisterWidthTwips - 60 - bottomLeft;
    place(frameBottom, bottomLeft, 0, bottomWidth, BottomFrameHeight);
    shapeBottom = makeShape(frameBottom, "shapeBottom");
    place(shapeBottom, 0, 0, bottomWidth, BottomFrameHeight);
    const QStringList totalsCaptions{QStringLiteral("Total Credit "), QStringLiteral("Total Debit ")};
    for (int i = 0; i < 2; ++i) {
        lblCreditDebit[size_t(i)] = makeLabel(frameBottom, "lblCreditDebit", 9, false, Qt::AlignRight);
        lblCreditDebit[size_t(i)]->setText(totalsCaptions[i]);
    }
    lblTotalCredit = makeLabel(frameBottom, "lblTotalCredit", 9, false, Qt::AlignRight);
    lblTotalDebit = makeLabel(frameBottom, "lblTotalDebit", 9, false, Qt::AlignRight);
    setTextColour(lblTotalCredit, colour(0x0000C0));
    setTextColour(lblTotalDebit, colour(0xC00000));
    lblBalance = makeLabel(frameBottom, "lblBalance", 9, false, Qt::AlignRight);
    lblCurrentBalance = makeLabel(frameBottom, "lblCurrentBalance", 10, true, Qt::AlignRight);
    layoutTotals();

    // The Finished button of the reconcile and search views, under the
    // buttons of the highlighted transaction: beside the totals there is no
    // room left once they are wide enough for the largest balance.
    cmdFinished = makeButton(this, "cmdFinished", QString(), QPixmap());
    cmdFinished->setFontBold(true);
    place(cmdFinished, 60, 0, FinishedWidth, FinishedHeight);
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
    cmdFinished->move(cmdFinished->x(), bottomTop + twips_.toPixels(FrameHeight + FinishedGap));
}

void frmAccount::sizeColumns()
{
    // Each column keeps its width unless the font needs more for the
    // column's widest text: dates, type words and amounts up to the largest
    // balance are never shown cut short, bold or not.
    QFont bold = grid->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int padding = 2 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 8;
    const QString widestDate =
        FormatShortDate(StoredFromDate(QDate(2088, 12, 28)), SharedDisplayValues().DateFormat);
    const std::pair<int, QString> widest[] = {
        {DateColumn, widestDate},
        {ClearedColumn, QStringLiteral("*")},
        {TypeColumn, QStringLiteral("AutoPayment")},
        {DebitColumn, WidestAmountText(DebitColumn)},
        {CreditColumn, WidestAmountText(CreditColumn)},
        {BalanceColumn, WidestAmountText(BalanceColumn)}};
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
}

void frmAccount::layoutTotals()
{
    // Captions right-aligned against their values, values against the
    // frame's right edge; each as wide as its font needs for its longest
    // text (the balance is bold and larger than the totals).
    const auto widthOf = [](const QLabel* label, const QStringList& texts) {
        int widest = 0;
        for (const QString& text : texts)
            widest = std::max(widest, label->fontMetrics().horizontalAdvance(text));
        return widest + TotalsPadding;
    };
    const QStringList balanceCaptions{QStringLiteral("Current  balance"), QStringLiteral("Adjusted Balance")};
    const QStringList values{WidestTotalText()};
    const int captionWidth = std::max({widthOf(lblCreditDebit[0], {lblCreditDebit[0]->text()}),
                                       widthOf(lblCreditDebit[1], {lblCreditDebit[1]->text()}),
                                       widthOf(lblBalance, balanceCaptions)});
    const int valueWidth = std::max({widthOf(lblTotalCredit, values), widthOf(lblTotalDebit, values),
                                     widthOf(lblCurrentBalance, values)});
    const int valueLeft = std::max(captionWidth, frameBottom->width() - twips_.toPixels(90) - valueWidth);
    const int captionLeft = valueLeft - captionWidth;
    const int rowHeight = twips_.toPixels(TotalsRowHeight);
    const int rows[] = {twips_.toPixels(60), twips_.toPixels(360), twips_.toPixels(690)};
    lblCreditDebit[0]->setGeometry(captionLeft, rows[0], captionWidth, rowHeight);
    lblCreditDebit[1]->setGeometry(captionLeft, rows[1], captionWidth, rowHeight);
    lblBalance->setGeometry(captionLeft, rows[2], captionWidth, rowHeight);
    lblTotalCredit->setGeometry(valueLeft, rows[0], valueWidth, rowHeight);
    lblTotalDebit->setGeometry(valueLeft, rows[1], valueWidth, rowHeight);
    lblCurrentBalance->setGeometry(valueLeft, rows[2], valueWidth, rowHeight);
}

}
