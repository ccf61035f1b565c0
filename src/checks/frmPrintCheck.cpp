#include "frmPrintCheck.h"

#include "checkmessages.h"
#include "frmPrintCheckSetup.h"

#include "controls/ButtonPictures.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "shell/appsettings.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"
#include "util/productinfo.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace tallyo {

namespace {

// Window geometry, twips.
constexpr int WindowWidth = 9300, WindowHeight = 6240;
constexpr int CheckLeft = 240, CheckTop = 240, CheckWidth = 8820, CheckHeight = 3840;
constexpr int FieldHeight = 285;

const QColor PaperColour(232, 244, 236);
const QColor PaperEdgeColour(150, 176, 160);
const QColor LineColour(70, 90, 80);
const QColor PrintColour(0, 0, 96);

const QString crlf = QStringLiteral("\r\n");

// The lines of the check picture, twips inside the picture: where a field's
// text sits on a line, the line runs just below it.
struct PaperLine {
    int left, top, right;
};
constexpr PaperLine PaperLines[] = {
    {6840, 420, 8580},   // check number
    {6300, 870, 8580},   // date
    {900, 1530, 6420},   // payee
    {180, 2190, 7680},   // amount in words
    {600, 3270, 4500},   // for
    {5040, 3270, 8580},  // signature
};
// The box of the figures.
constexpr int FiguresLeft = 6840, FiguresTop = 1170, FiguresWidth = 1740, FiguresHeight = 390;

void ShowProblem(const QString& title, const QString& text)
{
    prompts().ask(title, IconStop, text, 1, {QStringLiteral("&Okay")});
}

QLabel* makeLabel(QWidget* parent, const QString& name, double points, bool bold, const QColor& colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Arial"), 1);
    font.setPointSizeF(points);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return label;
}

}

void InstallCheckActions()
{
    registerActions().printCheck = [](frmAccount& window) {
        ShowPrintCheckWindow(&window, window.highlightedTransaction());
    };
}

void ShowPrintCheckWindow(QWidget* parent, const TransactionRecord& transaction)
{
    frmPrintCheck window(transaction, parent);
    window.exec();
}

CheckPicture::CheckPicture(const TwipScale& twips, QWidget* parent) : QWidget(parent), twips_(twips)
{
    setObjectName(QStringLiteral("imgCheck"));
}

void CheckPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF paper = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath outline;
    outline.addRoundedRect(paper, 6, 6);
    painter.fillPath(outline, PaperColour);
    // A faint band along the top, as printed check paper has.
    painter.fillRect(QRectF(paper.left() + 2, paper.top() + 2, paper.width() - 4, twips_.toPixels(90)),
                     QColor(208, 230, 216));
    painter.setPen(QPen(PaperEdgeColour, 2));
    painter.drawPath(outline);

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(LineColour, 1));
    for (const PaperLine& line : PaperLines) {
        const int y = twips_.toPixels(line.top);
        painter.drawLine(twips_.toPixels(line.left), y, twips_.toPixels(line.right), y);
    }
    painter.setBrush(Qt::white);
    painter.drawRect(twips_.toPixels(FiguresLeft), twips_.toPixels(FiguresTop), twips_.toPixels(FiguresWidth),
                     twips_.toPixels(FiguresHeight));
}

frmPrintCheck::frmPrintCheck(const TransactionRecord& transaction, QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips()), transaction_(transaction)
{
    setObjectName(QStringLiteral("frmPrintCheck"));
    setModal(true);
    Form_Load();
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

void frmPrintCheck::Form_Load()
{
    setWindowTitle(ApplicationTitle + QStringLiteral(" - Check Printing"));
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    imgCheck = new CheckPicture(twips_, this);
    place(imgCheck, CheckLeft, CheckTop, CheckWidth, CheckHeight);

    const QStringList captions{QStringLiteral("Chk#"), QStringLiteral("Date"), QString(), QString(),
                               QStringLiteral("Payee"), QStringLiteral("for"), QStringLiteral("X")};
    for (int i = 0; i < int(label.size()); ++i) {
        label[size_t(i)] = makeLabel(imgCheck, QStringLiteral("label%1").arg(i), i == 6 ? 12 : 8, i >= 2,
                                     LineColour);
        label[size_t(i)]->setText(captions[i]);
    }
    place(label[0], 6270, 150, 540, FieldHeight);
    place(label[1], 5700, 600, 570, FieldHeight);
    place(label[2], 6600, 1230, 240, FieldHeight);
    place(label[3], 7740, 1920, 1020, FieldHeight);
    place(label[4], 180, 1260, 690, FieldHeight);
    place(label[5], 180, 3000, 400, FieldHeight);
    place(label[6], 4800, 2940, 240, 345);
    label[2]->setAlignment(Qt::AlignRight | Qt::AlignBottom);

    labelAccountName = makeLabel(imgCheck, QStringLiteral("labelAccountName"), 11, true, PrintColour);
    place(labelAccountName, 180, 120, 5400, 330);
    labelCheckNumber = makeLabel(imgCheck, QStringLiteral("labelCheckNumber"), 9, true, PrintColour);
    place(labelCheckNumber, 6900, 150, 1680, FieldHeight);
    labelDate = makeLabel(imgCheck, QStringLiteral("labelDate"), 9, true, PrintColour);
    place(labelDate, 6330, 600, 2250, FieldHeight);
    labelPayee = makeLabel(imgCheck, QStringLiteral("labelPayee"), 9, true, PrintColour);
    place(labelPayee, 930, 1260, 5490, FieldHeight);
    labelNumericalAmount = makeLabel(imgCheck, QStringLiteral("labelNumericalAmount"), 9, true, PrintColour);
    labelNumericalAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(labelNumericalAmount, FiguresLeft + 60, FiguresTop, FiguresWidth - 120, FiguresHeight);
    labelLongHandAmount = makeLabel(imgCheck, QStringLiteral("labelLongHandAmount"), 9, true, PrintColour);
    place(labelLongHandAmount, 210, 1920, 7470, FieldHeight);
    labelComment = makeLabel(imgCheck, QStringLiteral("labelComment"), 9, true, PrintColour);
    place(labelComment, 630, 3000, 3870, FieldHeight);

    const QFont boxFont(QStringLiteral("Tahoma"), 9);
    chkCheckNumber = new QCheckBox(QStringLiteral("Print the check number"), this);
    chkCheckNumber->setObjectName(QStringLiteral("chkCheckNumber"));
    chkComment = new QCheckBox(QStringLiteral("Print the `for...' comment"), this);
    chkComment->setObjectName(QStringLiteral("chkComment"));
    for (QCheckBox* box : {chkCheckNumber, chkComment}) {
        box->setFont(boxFont);
        box->setAttribute(Qt::WA_TranslucentBackground);
    }
    place(chkCheckNumber, 360, 4320, 4200, 330);
    place(chkComment, 360, 4680, 4200, 330);
    chkComment->setEnabled(false);

    cmdPrintSetup = MakeWindowButton(this, "cmdPrintSetup");
    cmdPrintCheck = MakeWindowButton(this, "cmdPrintCheck");
    cmdHelp = MakeWindowButton(this, "cmdHelp");
    cmdFinished = MakeWindowButton(this, "cmdFinished");
    const std::pair<ZevButton*, QPixmap> pictured[] = {{cmdPrintSetup, pictures::gear()},
                                                       {cmdPrintCheck, pictures::print()},
                                                       {cmdHelp, pictures::help()},
                                                       {cmdFinished, pictures::back()}};
    for (const auto& [button, picture] : pictured) {
        button->setPictureNormal(picture);
        button->setPicturePosition(0);
    }
    constexpr int ButtonTop = 5220, ButtonWidth = 2100, ButtonHeight = 720, ButtonStep = 2240;
    place(cmdPrintSetup, CheckLeft, ButtonTop, ButtonWidth, ButtonHeight);
    place(cmdPrintCheck, CheckLeft + ButtonStep, ButtonTop, ButtonWidth, ButtonHeight);
    place(cmdHelp, CheckLeft + 2 * ButtonStep, ButtonTop, ButtonWidth, ButtonHeight);
    place(cmdFinished, CheckLeft + 3 * ButtonStep, ButtonTop, CheckWidth - 3 * ButtonStep, ButtonHeight);
    cmdFinished->setCancel(true);
    connect(cmdPrintSetup, &ZevButton::clicked, this, [this] { cmdPrintSetup_Click(); });
    connect(cmdPrintCheck, &ZevButton::clicked, this, [this] { cmdPrintCheck_Click(); });
    connect(cmdHelp, &ZevButton::clicked, this, [] { OpenManual(); });
    connect(cmdFinished, &ZevButton::clicked, this, [this] { cmdFinished_Click(); });
}

void frmPrintCheck::Form_Activate()
{
    cmdPrintSetup->setCaption(QStringLiteral("&Setup") + crlf + QStringLiteral("Print Checking"));
    cmdPrintCheck->setCaption(QStringLiteral("&Print") + crlf + QStringLiteral("this Check"));
    cmdHelp->setCaption(QStringLiteral("Help") + crlf + QStringLiteral("<F1>"));
    cmdHelp->setToolTip(SharedDisplayValues().ManualHint);
    cmdFinished->setCaption(QStringLiteral("&Finished"));
    cmdFinished->setToolTip(QStringLiteral(" &Finished <Esc> "));

    // The stored record, so that the layout is the one on disk.
    try {
        account_ = ReadAccountAt(currentAccount().CurrentAccountRecord);
    } catch (const FileError& error) {
        ShowProblem(QStringLiteral("File error"), error.message());
        cmdFinished_Click();
        return;
    }

    texts_ = CheckTextsFor(transaction_, account_.AccountName);
    labelAccountName->setText(texts_.accountName);
    labelCheckNumber->setText(texts_.checkNumber);
    labelDate->setText(texts_.longDate);
    labelPayee->setText(texts_.payee);
    label[2]->setText(SharedDisplayValues().CurrencySign);
    labelNumericalAmount->setText(texts_.figures);
    labelLongHandAmount->setText(texts_.words);
    label[3]->setText(SharedDisplayValues().CurrencyUnitName);

    if (!IsLayoutSet(account_.CheckLayout)) {
        const int answer = prompts().showMessage(PrintSettingsQuestion()).result;
        if (answer != 1 || !RunSetup()) {
            cmdFinished_Click();
            return;
        }
    }

    if (!texts_.comment.isEmpty()) {
        labelComment->setText(texts_.comment);
        chkComment->setEnabled(true);
        chkComment->setChecked(true);
    }
    cmdPrintCheck->setFocus();
}

bool frmPrintCheck::RunSetup()
{
    cmdPrintSetup->setTag(QString());
    frmPrintCheckSetup setup(account_, currentAccount().CurrentAccountRecord, cmdPrintSetup, this);
    setup.exec();
    return cmdPrintSetup->tag() == u"!";
}

void frmPrintCheck::cmdPrintSetup_Click()
{
    RunSetup();
}

void frmPrintCheck::cmdPrintCheck_Click()
{
    // The window closes at its opening unless a layout is set; a layout is
    // never unset again.
    if (!IsLayoutSet(account_.CheckLayout))
        return;
    const CheckOptions options{chkCheckNumber->isChecked(), chkComment->isEnabled() && chkComment->isChecked()};
    SetBusy(*this, true);
    std::unique_ptr<PageSurface> surface = platform().newPageSurface();
    try {
        surface->setOrigin(PageOrigin::PrintableArea);
        PrintCheck(*surface, texts_, account_.CheckLayout, options);
    } catch (const FileError& error) {
        SetBusy(*this, false);
        // Nothing else changes: the window stays to try again.
        ShowProblem(QStringLiteral("Printing failed"), QStringLiteral("The check was not printed.") + crlf
                                                           + error.message());
        return;
    }
    SetBusy(*this, false);
    TellWherePrintingWent(*surface);
    cmdFinished_Click();
}

void frmPrintCheck::cmdFinished_Click()
{
    done(Accepted);
}

void frmPrintCheck::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && IsPlainKey(*event)) {
        OpenManual();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmPrintCheck::reject()
{
    cmdFinished_Click();
}

}
