#include "frmProgramOptions.h"

#include "WindowHelpers.h"
#include "productinfo.h"

#include "controls/ButtonPictures.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "shell/appsettings.h"
#include "store/datafiles.h"
#include "store/fileio.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPointer>
#include <QRadioButton>

namespace tallyo {

namespace {

QPointer<frmProgramOptions> theWindow;

constexpr int WindowWidth = 7620, WindowHeight = 5160;

const QColor FrameCaptionColour(0, 0, 64);

ZevButton* makeButton(QWidget* parent, const QString& name, const QPixmap& picture = {})
{
    return MakeWindowButton(parent, name.toLatin1().constData(), {}, picture);
}

QGroupBox* makeFrame(QWidget* window, const char* name, const QString& title)
{
    auto* frame = new QGroupBox(title, window);
    frame->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setBold(true);
    frame->setFont(font);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, FrameCaptionColour);
    frame->setPalette(palette);
    return frame;
}

template <typename Box>
Box* makeChoice(QGroupBox* frame, const QString& name, const QString& caption)
{
    auto* box = new Box(caption, frame);
    box->setObjectName(name);
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setBold(false);  // not the frame's bold caption
    box->setFont(font);
    return box;
}

}

void ShowProgramOptionsWindow(QWidget* owner)
{
    frmProgramOptions window(owner);
    window.exec();
}

frmProgramOptions* ProgramOptionsWindow()
{
    return theWindow.data();
}

frmProgramOptions::frmProgramOptions(QWidget* owner)
    : QDialog(owner), twips_(ScreenTwips()), owner_(owner)
{
    setObjectName(QStringLiteral("frmProgramOptions"));
    setModal(true);
    theWindow = this;
    Form_Load();
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

frmProgramOptions::~frmProgramOptions()
{
    if (theWindow == this)
        theWindow = nullptr;
}

void frmProgramOptions::Form_Load()
{
    setWindowTitle(u' ' + ApplicationTitle + QStringLiteral(" - ") + QStringLiteral(" Program Options"));
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    frameDateFormat = makeFrame(this, "frameDateFormat", QStringLiteral("Date display options"));
    place(frameDateFormat, 180, 120, 3420, 1140);
    const QStringList dateFormats{QString(), QStringLiteral("mm/dd/yy"), QStringLiteral("dd/mm/yy"),
                                  QStringLiteral("yy/dd/mm"), QStringLiteral("yy/mm/dd")};
    for (int i = 1; i <= 4; ++i) {
        optDateFormat[size_t(i)] =
            makeChoice<QRadioButton>(frameDateFormat, QStringLiteral("optDateFormat%1").arg(i), dateFormats[i]);
        place(optDateFormat[size_t(i)], i % 2 ? 240 : 1800, i <= 2 ? 360 : 720, 1440, 300);
        connect(optDateFormat[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                dateIndex_ = i;
        });
    }

    frameCurrencySymbol = makeFrame(this, "frameCurrencySymbol", QStringLiteral("Currency symbol options"));
    place(frameCurrencySymbol, 180, 1380, 3420, 1140);
    for (int i = 1; i <= 2; ++i) {
        optCurrencySymbol[size_t(i)] =
            makeChoice<QRadioButton>(frameCurrencySymbol, QStringLiteral("optCurrencySymbol%1").arg(i), QString());
        place(optCurrencySymbol[size_t(i)], 240, i == 1 ? 360 : 720, 3060, 300);
        connect(optCurrencySymbol[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                currencyIndex_ = i;
        });
    }
    optCurrencySymbol[1]->setText(QStringLiteral("'$' Dollar Sign (U.S. Style)"));
    optCurrencySymbol[2]->setText(QStringLiteral("'\u00A3' Pound Sign (U.K. Style)"));

    frameAmountEntryMethod = makeFrame(this, "frameAmountEntryMethod", QStringLiteral("Amount entry method"));
    place(frameAmountEntryMethod, 180, 2640, 3420, 1140);
    const QStringList methods{QStringLiteral("Left to right, enter decimal point"),
                              QStringLiteral("Right to left, auto-formatting")};
    for (int i = 0; i <= 1; ++i) {
        optAmountEntryMethod[size_t(i)] = makeChoice<QRadioButton>(
            frameAmountEntryMethod, QStringLiteral("optAmountEntryMethod%1").arg(i), methods[i]);
        place(optAmountEntryMethod[size_t(i)], 240, i == 0 ? 360 : 720, 3060, 300);
        connect(optAmountEntryMethod[size_t(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                amountIndex_ = i;
        });
    }

    frameOtherOptions = makeFrame(this, "frameOtherOptions", QStringLiteral("Other options"));
    place(frameOtherOptions, 3720, 120, 3720, 1500);
    chkQuickStart = makeChoice<QCheckBox>(frameOtherOptions, QStringLiteral("chkQuickStart"),
                                          QStringLiteral("Automatically close the Title Window"));
    chkConfirmQuit = makeChoice<QCheckBox>(frameOtherOptions, QStringLiteral("chkConfirmQuit"),
                                           QStringLiteral("Confirm when quitting program"));
    chkFlashingButton = makeChoice<QCheckBox>(frameOtherOptions, QStringLiteral("chkFlashingButton"),
                                              QStringLiteral("Enable the 'Flashing Button' effect"));
    place(chkQuickStart, 240, 360, 3360, 300);
    place(chkConfirmQuit, 240, 720, 3360, 300);
    place(chkFlashingButton, 240, 1080, 3360, 300);

    frameBackupRestore = makeFrame(this, "frameBackupRestore", QStringLiteral("Backup/Restore options"));
    place(frameBackupRestore, 3720, 1740, 3720, 2040);
    for (int i = 1; i <= 2; ++i) {
        cmdBackupRestore[size_t(i)] = makeButton(frameBackupRestore, QStringLiteral("cmdBackupRestore%1").arg(i));
        place(cmdBackupRestore[size_t(i)], 420, i == 1 ? 360 : 1140, 2880, 660);
        connect(cmdBackupRestore[size_t(i)], &ZevButton::clicked, this, [this, i] { cmdBackupRestore_Click(i); });
    }

    cmdHelp = makeButton(this, QStringLiteral("cmdHelp"), pictures::help());
    cmdHelp->setCaption(QStringLiteral("Help"));
    place(cmdHelp, 180, 4080, 1500, 780);
    cmdFinished = makeButton(this, QStringLiteral("cmdFinished"), pictures::back());
    cmdFinished->setCaption(QStringLiteral("&Finished"));
    cmdFinished->setCancel(true);
    place(cmdFinished, 5940, 4080, 1500, 780);
    connect(cmdHelp, &ZevButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdFinished, &ZevButton::clicked, this, [this] { cmdFinished_Click(); });
}

void frmProgramOptions::Form_Activate()
{
    if (activated_)
        return;
    activated_ = true;
    // Checking an option runs its toggle, so the remembered indexes start at
    // the stored choices.
    const ProgramOptions stored = StoredProgramOptions();
    optAmountEntryMethod[size_t(stored.amountEntryMethod)]->setChecked(true);
    optDateFormat[size_t(stored.dateDisplay)]->setChecked(true);
    optCurrencySymbol[size_t(stored.currencySymbol)]->setChecked(true);
    chkQuickStart->setChecked(stored.quickStart);
    chkConfirmQuit->setChecked(stored.confirmQuit);
    chkFlashingButton->setChecked(stored.flashingButton);

    cmdHelp->setToolTip(SharedDisplayValues().ManualHint);
    cmdFinished->setToolTip(QStringLiteral(" &Finished <Esc> "));
    cmdBackupRestore[1]->setCaption(QStringLiteral("Backup ") + ApplicationTitle + QStringLiteral(" data"));
    cmdBackupRestore[2]->setCaption(QStringLiteral("Restore ") + ApplicationTitle + QStringLiteral(" data"));
    // Nothing to back up without an account index.
    cmdBackupRestore[1]->setEnabled(FileExists(QString::fromLatin1(AccountIndexFileName)));
    cmdBackupRestore[2]->setEnabled(true);
}

void frmProgramOptions::cmdFinished_Click()
{
    if (finished_)
        return;
    finished_ = true;
    ProgramOptions options;
    options.quickStart = chkQuickStart->isChecked();
    options.confirmQuit = chkConfirmQuit->isChecked();
    options.flashingButton = chkFlashingButton->isChecked();
    options.amountEntryMethod = amountIndex_;
    options.dateDisplay = dateIndex_;
    options.currencySymbol = currencyIndex_;
    SaveProgramOptions(options);
    done(Accepted);
}

void frmProgramOptions::cmdBackupRestore_Click(int index)
{
    if (index == 1) {
        BackupData(*this);
        return;
    }
    if (index != 2 || !RestoreData(*this).restored)
        return;
    // Restored data can be backed up again at once.
    cmdBackupRestore[1]->setEnabled(FileExists(QString::fromLatin1(AccountIndexFileName)));
    // The owner reloads its list once this window has closed.
    if (owner_) {
        if (auto* button = owner_->findChild<ZevButton*>(QStringLiteral("cmdProgramOptions")))
            button->setTag(QStringLiteral("Restored"));
    }
}

void frmProgramOptions::cmdHelp_Click()
{
    OpenManual();
}

QString frmProgramOptions::caption() const
{
    return windowTitle();
}

void frmProgramOptions::setCaption(const QString& caption)
{
    setWindowTitle(caption);
    repaint();
}

void frmProgramOptions::setBusy(bool busy)
{
    SetBusy(*this, busy);
}

void frmProgramOptions::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && IsPlainKey(*event)) {
        cmdHelp_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmProgramOptions::reject()
{
    cmdFinished_Click();
}

}
