#include "frmMsgBox.h"

#include "controls/ZevButton.h"
#include "util/WindowHelpers.h"
#include "util/productinfo.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QStyle>

namespace tallyo {

namespace {
// Colours of this window: buttons in a soft blue that sits well on the
// linen background, and a slightly darker band behind them.
const QColor MessageButtonFace(206, 220, 238);
const QColor MessageButtonFaceOver(226, 236, 250);
const QColor MessageButtonText(16, 32, 64);
const QColor MessageButtonTextOver(0, 0, 0);
const QColor BandColour(228, 220, 202);

// The window's own font, a little larger than the button font, measures the
// button texts; the buttons then have room for their bevel around the text.
constexpr double MeasuringScale = 1.15;

constexpr int OffWindowLeft = -500; // twips; where the cancel button waits
constexpr int TallText = 1 << 20;   // pixels; room enough for any message

QPixmap iconPicture(MessageIcon icon, const QStyle& style)
{
    const int size = style.pixelMetric(QStyle::PM_MessageBoxIconSize);
    QIcon picture;
    switch (icon) {
    case MessageIcon::None: return {};
    case MessageIcon::Application: picture = QApplication::windowIcon(); break;
    case MessageIcon::Stop: picture = style.standardIcon(QStyle::SP_MessageBoxCritical); break;
    case MessageIcon::Question: picture = style.standardIcon(QStyle::SP_MessageBoxQuestion); break;
    case MessageIcon::Exclamation: picture = style.standardIcon(QStyle::SP_MessageBoxWarning); break;
    case MessageIcon::Information: picture = style.standardIcon(QStyle::SP_MessageBoxInformation); break;
    }
    // A program without an icon of its own shows the information icon.
    if (picture.isNull())
        picture = style.standardIcon(QStyle::SP_MessageBoxInformation);
    return picture.pixmap(size, size);
}

// The dialog as assistive technology sees it: an alert, which a screen
// reader reads out whole as it appears (its title, then its text, the
// dialog's description).
QAccessibleInterface* AlertInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(frmMsgBox::staticMetaObject.className()) && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::AlertMessage);
    return nullptr;
}

QSize screenTwips(const TwipScale& twips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    return {twips.toTwips(pixels.width()), twips.toTwips(pixels.height())};
}

void showDisplayIssue(QWidget* parent)
{
    QCoreApplication::processEvents();
    QMessageBox::critical(parent, QStringLiteral("Display issue"),
                          ApplicationTitle + QStringLiteral(" is trying to display a message\n")
                              + QStringLiteral("that is too big for your screen resolution.\n\n")
                              + QStringLiteral("Please contact ") + CompanyName
                              + QStringLiteral(" about this."));
}
}

MessageDialogState& messageDialog()
{
    static MessageDialogState state;
    return state;
}

int ShowMessage(const QString& title, int iconKind, const QString& text, int defaultButton,
                bool showOption, const QStringList& captions)
{
    MessageDialogState& state = messageDialog();
    state.MessageTitle = title;
    state.MessageIconKind = iconKind;
    state.MessageText = text;
    state.MessageDefaultButton = defaultButton;
    state.MessageShowOption = showOption;
    state.MessageCaptions = captions;
    state.MessageResult = 0;
    state.MessageOptionChecked = false;

    QWidget* owner = QApplication::activeWindow();
    QPointer<frmMsgBox> box = new frmMsgBox(owner);
    if (!box->layout().fitsScreen) {
        delete box;
        showDisplayIssue(owner);
        return state.MessageResult;
    }
    box->exec();
    return state.MessageResult;
}

frmMsgBox::frmMsgBox(QWidget* parent)
    : QDialog(parent), twips_(ScreenTwips())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    static const bool alertInstalled = [] {
        QAccessible::installFactory(AlertInterface);
        return true;
    }();
    Q_UNUSED(alertInstalled);
    Form_Load();
}

ZevButton* frmMsgBox::makeButton(const QString& text)
{
    auto* button = new ZevButton(this);
    button->setButtonType(3);
    button->setColorScheme(2);
    button->setBackColor(MessageButtonFace);
    button->setBackOver(MessageButtonFaceOver);
    button->setForeColor(MessageButtonText);
    button->setForeOver(MessageButtonTextOver);
    button->setFont(QApplication::font());
    button->setCaption(text);
    button->hide();
    const int index = int(cmdMessageButton.size());
    connect(button, &ZevButton::clicked, this, [this, index] { cmdMessageButton_Click(index); });
    cmdMessageButton.append(button);
    return button;
}

void frmMsgBox::Form_Load()
{
    const MessageDialogState& state = messageDialog();
    QFont measuring = QApplication::font();
    measuring.setPointSizeF(measuring.pointSizeF() * MeasuringScale);
    setFont(measuring);

    // Created first, so that it lies behind everything else.
    shp = new QWidget(this);
    shp->setAutoFillBackground(true);
    QPalette band = shp->palette();
    band.setColor(QPalette::Window, BandColour);
    shp->setPalette(band);
    shp->hide();

    lblMessage = new QLabel(this);
    lblMessage->setFont(QApplication::font());
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QString shown = messageDisplayText(state.MessageText);
    lblMessage->setText(shown);
    setAccessibleDescription(shown);

    imgIcon = new QLabel(this);
    imgIcon->hide();

    chkDontAsk = new QCheckBox(QStringLiteral("Don't show this again"), this);
    chkDontAsk->setFont(QApplication::font());
    chkDontAsk->hide();

    MessageMeasures measures;
    measures.screen = screenTwips(twips_);
    const QFontMetrics labelMetrics(lblMessage->font());
    const int flags = Qt::AlignLeft | Qt::TextExpandTabs;
    measures.labelNatural = labelMetrics.boundingRect(QRect(0, 0, TallText, TallText), flags, shown).size();
    measures.labelNatural = {twips_.toTwips(measures.labelNatural.width()),
                             twips_.toTwips(measures.labelNatural.height())};
    measures.labelHeightAt = [this, labelMetrics, shown, flags](int width) {
        const QRect wrapped = labelMetrics.boundingRect(QRect(0, 0, twips_.toPixels(width), TallText),
                                                        flags | Qt::TextWordWrap, shown);
        return twips_.toTwips(wrapped.height());
    };
    measures.showOption = state.MessageShowOption;

    // Button 0 answers Esc and is never seen.
    ZevButton* cancel = makeButton(QString());
    cancel->setFocusPolicy(Qt::NoFocus);
    cancel->setAccessibleName(QStringLiteral("Close"));
    cancel->setAccessibleDescription(QStringLiteral("Closes the message without an answer (Esc)"));
    const QFontMetrics windowMetrics(font());
    for (const QString& caption : state.MessageCaptions) {
        const QString text = messageButtonText(caption);
        makeButton(text);
        measures.buttonTextWidths.append(twips_.toTwips(windowMetrics.horizontalAdvance(text)));
    }

    layout_ = layoutMessage(measures);
    if (!layout_.fitsScreen)
        return; // ShowMessage explains instead of showing the window

    auto pixels = [this](const QRect& r) {
        return QRect(twips_.toPixels(r.x()), twips_.toPixels(r.y()), twips_.toPixels(r.width()),
                     twips_.toPixels(r.height()));
    };

    setWindowTitle(state.MessageTitle);
    setFixedSize(twips_.toPixels(layout_.window.width()), twips_.toPixels(layout_.window.height()));

    lblMessage->setWordWrap(layout_.labelWraps);
    lblMessage->setGeometry(pixels(layout_.label));

    for (int k = 1; k < cmdMessageButton.size(); ++k) {
        cmdMessageButton[k]->setGeometry(pixels(layout_.buttons[k - 1]));
        cmdMessageButton[k]->show();
    }

    TileBackground(BackgroundPicture(), *this);
    const QPixmap icon = iconPicture(messageIconFor(state.MessageIconKind), *style());
    if (!icon.isNull()) {
        imgIcon->setPixmap(icon);
        imgIcon->setGeometry(QRect(QPoint(9, 10), icon.deviceIndependentSize().toSize()));
        imgIcon->show();
    }

    shp->setGeometry(pixels(layout_.band));
    shp->lower();
    shp->show();

    if (state.MessageShowOption) {
        chkDontAsk->setChecked(false);
        chkDontAsk->adjustSize();
        chkDontAsk->move(twips_.toPixels(layout_.optionBox.x()), twips_.toPixels(layout_.optionBox.y()));
        chkDontAsk->show();
    }
}

void frmMsgBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        Form_Activate();
        // A screen reader reads an alert's text out as it appears.
        if (QAccessible::isActive()) {
            QAccessibleEvent alert(this, QAccessible::Alert);
            QAccessible::updateAccessibility(&alert);
        }
    }
}

void frmMsgBox::Form_Activate()
{
    const MessageDialogState& state = messageDialog();
    const int chosen = state.MessageDefaultButton;
    if (chosen >= 1 && chosen < cmdMessageButton.size()) {
        cmdMessageButton[chosen]->setDefault(true);
        cmdMessageButton[chosen]->setFocus();
    }

    ZevButton* cancel = cmdMessageButton.first();
    cancel->setGeometry(twips_.toPixels(OffWindowLeft), 0, twips_.toPixels(400), twips_.toPixels(400));
    cancel->show();
    cancel->setCancel(true);

    if (messageIconFor(state.MessageIconKind) != MessageIcon::None)
        QApplication::beep();
}

void frmMsgBox::cmdMessageButton_Click(int index)
{
    MessageDialogState& state = messageDialog();
    state.MessageResult = index;
    state.MessageOptionChecked = chkDontAsk->isChecked();
    done(index);
}

}
