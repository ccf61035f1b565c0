#include "frmTitlePage.h"

#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "shell/quit.h"
#include "shell/updatecheck.h"
#include "store/conversion.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"
#include "util/desktoptargets.h"
#include "util/productinfo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace tallyo {

namespace {

QPointer<frmTitlePage> titleWindow;

// Window size and places, in twips.
constexpr int WindowWidth = 8200;
constexpr int WindowHeight = 4320;
const QRect TitlePlace(0, 260, WindowWidth, 900);
const QRect DescriptionPlace(0, 1160, WindowWidth, 480);
const QRect VersionPlace(0, 1660, WindowWidth, 330);
const QRect UpdateCheckPlace(420, 2400, 2500, 760);
const QRect ContinuePlace(3200, 2400, 1800, 760);
const QRect WindowsNoticePlace(5280, 2400, 2500, 760);
const QRect QuitPlace(3200, 3400, 1800, 480);

// Continue grows by this much, half of it upwards, once it is pressed.
constexpr int PressedGrowth = 50;

const QColor TitleInk(24, 40, 88);
const QColor TitleButtonFace(214, 226, 242);
const QColor ButtonText(16, 32, 64);
const QColor ButtonTextOver(0, 0, 0);
// Hover colours: those of the pulse make Continue and the update notice
// pulse in their own hue; Quit keeps a soft red of its own.
const QColor ContinueOver(PulseYellow.red, PulseYellow.green, PulseYellow.blue);
const QColor UpdateCheckOver(PulseMagenta.red, PulseMagenta.green, PulseMagenta.blue);
const QColor WindowsNoticeOver(PulseCyan.red, PulseCyan.green, PulseCyan.blue);
const QColor QuitOver(255, 200, 200);

const QString Description = QStringLiteral("Financial Account Manager");

// The overview offered to a new user on leaving the title window.
const QString NewUserOverview = QStringLiteral(
    "Tallyo is designed to maintain your financial accounts. Although primarily designed for "
    "checking accounts, Tallyo can handle savings, credit union, credit card, and other financial "
    "accounts as well.\r\n\r\n"
    "Tallyo can handle any number of separate accounts, and each account can have any number of "
    "transactions.\r\n\r\n"
    "If you've ever tried other checking account programs, you'll immediately notice that Tallyo "
    "is designed to look and feel like a personal checkbook register-- very easy to use.\r\n\r\n"
    "Yet it has very powerful features-- it does all calculations automatically, of course, and "
    "it reconciles your accounts automatically, too! And prints your checks! And shows you graphs "
    "of your spending patterns! And it will find any one entry-- or group of entries-- instantly! "
    "You'll quickly find Tallyo indispensable, especially around tax time!\r\n\r\n"
    "Thanks for discovering and using yet another powerful, easy-to-use program by Zev Software!");

const QString NoShow = QStringLiteral("NoShow");

QColor toColor(const PulseRgb& rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QLabel* makeLabel(QWidget* parent, double pointSize, bool bold, bool italic)
{
    auto* label = new QLabel(parent);
    QFont font = QApplication::font();
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, TitleInk);
    label->setPalette(palette);
    return label;
}

}

frmTitlePage::frmTitlePage(QWidget* parent)
    : QWidget(parent),
      twips_(ScreenTwips()),
      timerRule_(SharedDisplayValues().FlashButtons, SharedDisplayValues().QuickStartOn)
{
    setAttribute(Qt::WA_DeleteOnClose);
    Form_Load();
}

frmTitlePage::~frmTitlePage() = default;

QRect frmTitlePage::pixels(const QRect& r) const
{
    return QRect(twips_.toPixels(r.x()), twips_.toPixels(r.y()), twips_.toPixels(r.width()),
                 twips_.toPixels(r.height()));
}

ZevButton* frmTitlePage::makeButton(const QRect& twipsRect)
{
    auto* button = new ZevButton(this);
    button->setButtonType(3);
    button->setColorScheme(2);
    button->setBackColor(TitleButtonFace);
    button->setForeColor(ButtonText);
    button->setForeOver(ButtonTextOver);
    button->setFont(QApplication::font());
    button->setGeometry(pixels(twipsRect));
    return button;
}

void frmTitlePage::Form_Load()
{
    setWindowTitle(ApplicationTitle + QStringLiteral(" - Title Window"));
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);

    const double base = QApplication::font().pointSizeF();
    labelAppTitle = makeLabel(this, base * 3.4, true, false);
    labelAppTitle->setGeometry(pixels(TitlePlace));
    labelAppDescription = makeLabel(this, base * 1.6, false, true);
    labelAppDescription->setGeometry(pixels(DescriptionPlace));
    labelVersion = makeLabel(this, base, false, false);
    labelVersion->setTextFormat(Qt::RichText);
    labelVersion->setGeometry(pixels(VersionPlace));

    cmdUpdateCheck = makeButton(UpdateCheckPlace);
    cmdUpdateCheck->setBackOver(UpdateCheckOver);
    cmdContinue = makeButton(ContinuePlace);
    cmdContinue->setBackOver(ContinueOver);
    cmdContinue->setFontBold(true);
    cmdContinue->setFontSize(cmdContinue->fontSize() * 1.25);
    cmdWindowsNotice = makeButton(WindowsNoticePlace);
    cmdWindowsNotice->setBackOver(WindowsNoticeOver);
    cmdQuit = makeButton(QuitPlace);
    cmdQuit->setBackOver(QuitOver);

    connect(cmdContinue, &ZevButton::clicked, this, &frmTitlePage::cmdContinue_Click);
    connect(cmdQuit, &ZevButton::clicked, this, &frmTitlePage::cmdQuit_Click);
    connect(cmdUpdateCheck, &ZevButton::clicked, this, &frmTitlePage::cmdUpdateCheck_Click);
    connect(cmdWindowsNotice, &ZevButton::clicked, this, &frmTitlePage::cmdWindowsNotice_Click);

    timerFlashButton = new QTimer(this);
    timerFlashButton->setInterval(TitleTimerRule::FirstIntervalMs);
    connect(timerFlashButton, &QTimer::timeout, this, &frmTitlePage::timerFlashButton_Timer);
}

void frmTitlePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (activated_)
        return;
    activated_ = true;
    Form_Activate();
}

void frmTitlePage::Form_Activate()
{
    labelAppTitle->setText(ApplicationTitle);
    labelAppDescription->setText(Description);
    labelVersion->setText(VersionLabelText(ProgramVersion()));

    cmdContinue->setCaption(QStringLiteral("&Continue"));
    cmdContinue->setDefault(true);
    cmdContinue->setFocus();
    // Without the account index in this build there is nowhere to go on to.
    cmdContinue->setEnabled(bool(navigation().showAccountIndex));
    cmdQuit->setCaption(QStringLiteral("Exit ") + ApplicationTitle);
    cmdQuit->setCancel(true);
    cmdUpdateCheck->setCaption(QStringLiteral("Version History\r\nfor this software"));
    cmdUpdateCheck->setToolTip(QStringLiteral(" Internet connection required "));
    cmdWindowsNotice->setCaption(QStringLiteral("About Linux..."));
    cmdWindowsNotice->setToolTip(
        QStringLiteral(" Click here for important information (internet connection required) "));

    // The version check may wait up to its limit: the window is painted
    // first, and the pulse starts once the answer is in.
    QTimer::singleShot(0, this, [this] {
        CheckForUpdate();
        if (!leaving_ && !ProgramEnding())
            timerFlashButton->start(TitleTimerRule::FirstIntervalMs);
    });
}

void frmTitlePage::CheckForUpdate()
{
    QPointer<frmTitlePage> self(this);
    const std::optional<QString> text = shell().fetchText(VersionCheckUrl(), VersionCheckTimeoutMs);
    if (!self || !UpdateNoticeDue(text, ProgramVersion()))
        return;

    updateAvailable_ = true;
    cmdUpdateCheck->setCaption(QStringLiteral("An updated version of\r\n") + ApplicationTitle
                               + QStringLiteral(" is available!"));
    cmdUpdateCheck->setToolTip(QStringLiteral(" Click here for details "));
    // The next start waits for the user, who may want to read about it.
    SetSettingText(SettingKey::QuickStart, QStringLiteral("0"));
    cmdQuit->setCancel(false);
}

void frmTitlePage::timerFlashButton_Timer()
{
    // While a message dialog is open (the quit question, a connection
    // error) the timer waits: the quick start must not pull the window away
    // beneath it.
    if (QApplication::activeModalWidget())
        return;

    const TitleTimerRule::Step step = timerRule_.tick(updateAvailable_, clock().now());
    switch (step.action) {
    case TitleTimerRule::Action::Stop:
        timerFlashButton->stop();
        return;
    case TitleTimerRule::Action::StartPulse:
        pulseTarget_ = updateAvailable_ ? cmdUpdateCheck : cmdContinue;
        break;
    case TitleTimerRule::Action::Pulse:
        PulseStep();
        break;
    case TitleTimerRule::Action::Continue:
        ContinueFromTitle();
        return;
    }
    timerFlashButton->setInterval(step.intervalMs);
}

void frmTitlePage::PulseStep()
{
    if (!pulseTarget_)
        return;
    pulse_.tick();
    const QColor hover = pulseTarget_->backOver();
    const std::optional<PulseColours> colours =
        PulseColoursFor({hover.red(), hover.green(), hover.blue()}, pulse_);
    if (!colours)
        return;
    pulseTarget_->setBackColor(toColor(colours->background));
    pulseTarget_->setForeColor(toColor(colours->text));
}

void frmTitlePage::ContinueFromTitle()
{
    if (continuing_ || !navigation().showAccountIndex)
        return;
    continuing_ = true;

    timerFlashButton->stop();
    timerFlashButton->setInterval(0);
    pulseTarget_ = nullptr;
    if (!pressedLook_) {
        pressedLook_ = true;
        cmdContinue->setForeColor(cmdContinue->foreOver());
        cmdContinue->setBackColor(cmdContinue->backOver());
        const QRect place = cmdContinue->geometry();
        const int up = twips_.toPixels(PressedGrowth / 2);
        cmdContinue->setGeometry(place.x(), place.y() - up, place.width(),
                                 place.height() + twips_.toPixels(PressedGrowth));
    }

    if (SettingText(SettingKey::NewUser) != NoShow) {
        const MessageAnswer answer = prompts().showMessage(
            {u' ' + ApplicationTitle + QStringLiteral(" - New User Overview"), IconInformation,
             QStringLiteral("Welcome! Are you a new user? ")
                 + QStringLiteral("If so, then let's take a moment for a quick overview.")
                 + QStringLiteral("\r\n\r\n") + NewUserOverview,
             1, true, {QStringLiteral("&Continue")}});
        if (answer.optionChecked)
            SetSettingText(SettingKey::NewUser, NoShow);
    }

    if (!ConvertOldIndex()) {
        // The old index is still there and no new one was made: going on
        // would open an empty index. The user may try again or quit.
        continuing_ = false;
        return;
    }

    leaving_ = true;
    close();
    navigation().showAccountIndex();
}

bool frmTitlePage::ConvertOldIndex()
{
    if (!AccountIndexNeedsConversion())
        return true;

    // Continue shows the number of each account as it is converted.
    SetBusy(*this, true);
    cmdContinue->setTag(cmdContinue->caption());
    pace().letEventsRun();
    QString failure;
    try {
        ConvertAccountIndex([this](qint32 converted) {
            cmdContinue->setCaption(QString::number(converted));
            pace().letEventsRun();
        });
    } catch (const FileError& error) {
        failure = ConversionFailureMessage(error.message());
    }
    cmdContinue->setCaption(cmdContinue->tag());
    SetBusy(*this, false);

    if (!failure.isEmpty()) {
        prompts().ask(QStringLiteral("File Error"), IconStop, failure, 1, {QStringLiteral("&Okay")});
        return false;
    }
    prompts().ask(QStringLiteral("Good News!"), IconInformation,
                  QStringLiteral("The Account Index File\r\nhas been successfully updated!"), 1,
                  {QStringLiteral("&Continue to the Account Index Window")});
    return true;
}

void frmTitlePage::cmdContinue_Click()
{
    ContinueFromTitle();
}

void frmTitlePage::cmdQuit_Click()
{
    QuitProgram();
}

void frmTitlePage::cmdUpdateCheck_Click()
{
    OpenWebOrMail(OpenWeb, ProductWebAddress + QStringLiteral("/VersionInfo/VersionInfo-") + ApplicationTitle
                               + QStringLiteral(".pdf"));
}

void frmTitlePage::cmdWindowsNotice_Click()
{
    OpenWebOrMail(OpenWeb, ProductWebAddress + QStringLiteral("/url_text_files/windowsnotice.pdf"));
}

void frmTitlePage::closeEvent(QCloseEvent* event)
{
    // A close from the title bar means Quit. Closes by the program itself,
    // or while the program or the session ends, go through quietly.
    if (!leaving_ && !ProgramEnding() && !QuitProgram()) {
        event->ignore();
        return;
    }
    timerFlashButton->stop();
    pulseTarget_ = nullptr;
    event->accept();
}

void frmTitlePage::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && IsPlainKey(*event)) {
        OpenManual();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ShowTitleWindow()
{
    if (!titleWindow)
        titleWindow = new frmTitlePage;
    titleWindow->show();
    titleWindow->activateWindow();
}

frmTitlePage* TitleWindow()
{
    return titleWindow;
}

}
