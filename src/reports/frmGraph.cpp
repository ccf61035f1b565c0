#include "frmGraph.h"

#include "graphpainter.h"

#include "controls/ButtonPictures.h"
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"
#include "platform/platform.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "util/WindowHelpers.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace tallyo {

namespace {

constexpr int WindowWidth = 10815, WindowHeight = 7845;
constexpr int GraphLeft = 210, GraphTop = 1050, GraphWidth = 10305, GraphHeight = 5895;
// Two rows of captions between the title and the drawing area: the date
// range and the average on the left, high and low on the right.
constexpr int FirstRowTop = 540, SecondRowTop = 790, CaptionHeight = 240;
constexpr int CaptionWidth = 1700, CaptionGap = 75, ValueWidth = 2600;
constexpr int LeftValueLeft = GraphLeft + CaptionWidth + CaptionGap;
constexpr int RightCaptionLeft = 6300, RightValueLeft = RightCaptionLeft + CaptionWidth + CaptionGap;
constexpr int ButtonTop = 7080, ButtonHeight = 585, ButtonWidth = 1455;

const QColor GraphBackground(255, 255, 255);

QLabel* makeLabel(QWidget* window, const QString& name, bool bold, Qt::Alignment alignment)
{
    auto* label = new QLabel(window);
    label->setObjectName(name);
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

}

void GraphArea::setGraph(const GraphData& data, const GraphScale& scale)
{
    data_ = data;
    scale_ = scale;
    update();
}

void GraphArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), GraphBackground);
    DrawGraph(painter, QRectF(rect()), data_, scale_);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ShowGraphWindow(QWidget* parent, int kind, const QString& accountCaption, const QColor& captionColour)
{
    frmGraph window(kind, parent);
    window.setAccountCaption(accountCaption, captionColour);
    window.exec();
}

frmGraph::frmGraph(int kind, QWidget* parent) : QDialog(parent), twips_(ScreenTwips()), kind_(kind)
{
    setObjectName(QStringLiteral("frmGraph"));
    setModal(true);
    Form_Load();
    OnFirstActivation(*this, [this] { Form_Activate(); });
}

void frmGraph::Form_Load()
{
    setFixedSize(twips_.toPixels(WindowWidth), twips_.toPixels(WindowHeight));
    TileBackground(BackgroundPicture(), *this);
    auto place = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(twips_.toPixels(left), twips_.toPixels(top), twips_.toPixels(width),
                             twips_.toPixels(height));
    };

    lblAccountName = makeLabel(this, QStringLiteral("lblAccountName"), true, Qt::AlignLeft);
    QFont title(QStringLiteral("Tahoma"), 12);
    title.setBold(true);
    lblAccountName->setFont(title);
    place(lblAccountName, GraphLeft, 150, GraphWidth, 360);

    label[4] = makeLabel(this, QStringLiteral("label4"), true, Qt::AlignLeft);
    labelDateRange = makeLabel(this, QStringLiteral("labelDateRange"), false, Qt::AlignLeft);
    label[3] = makeLabel(this, QStringLiteral("label3"), true, Qt::AlignRight);
    labelAverageAmount = makeLabel(this, QStringLiteral("labelAverageAmount"), false, Qt::AlignLeft);
    label[1] = makeLabel(this, QStringLiteral("label1"), true, Qt::AlignLeft);
    labelHighAmount = makeLabel(this, QStringLiteral("labelHighAmount"), false, Qt::AlignLeft);
    label[2] = makeLabel(this, QStringLiteral("label2"), true, Qt::AlignLeft);
    labelLowAmount = makeLabel(this, QStringLiteral("labelLowAmount"), false, Qt::AlignLeft);
    label[4]->setText(QStringLiteral("Date Range"));
    label[3]->setText(QStringLiteral("Average Amount"));
    label[1]->setText(QStringLiteral("High Amount"));
    label[2]->setText(QStringLiteral("Low Amount"));
    place(label[4], GraphLeft, FirstRowTop, CaptionWidth, CaptionHeight);
    place(labelDateRange, LeftValueLeft, FirstRowTop, ValueWidth, CaptionHeight);
    // "Average Amount" ends just left of its value.
    place(label[3], LeftValueLeft - CaptionGap - CaptionWidth, SecondRowTop, CaptionWidth, CaptionHeight);
    place(labelAverageAmount, LeftValueLeft, SecondRowTop, ValueWidth, CaptionHeight);
    place(label[1], RightCaptionLeft, FirstRowTop, CaptionWidth, CaptionHeight);
    place(labelHighAmount, RightValueLeft, FirstRowTop, ValueWidth, CaptionHeight);
    place(label[2], RightCaptionLeft, SecondRowTop, CaptionWidth, CaptionHeight);
    place(labelLowAmount, RightValueLeft, SecondRowTop, ValueWidth, CaptionHeight);

    picGraph = new GraphArea(this);
    picGraph->setObjectName(QStringLiteral("picGraph"));
    place(picGraph, GraphLeft, GraphTop, GraphWidth, GraphHeight);

    cmdHelp = MakeWindowButton(this, "cmdHelp", QStringLiteral("Help"), pictures::help(), 8);
    cmdFinished = MakeWindowButton(this, "cmdFinished", QStringLiteral("&Finished"), pictures::back(), 8);
    place(cmdHelp, GraphLeft, ButtonTop, ButtonWidth, ButtonHeight);
    place(cmdFinished, GraphLeft + GraphWidth - ButtonWidth, ButtonTop, ButtonWidth, ButtonHeight);
    cmdFinished->setCancel(true);
    connect(cmdHelp, &ZevButton::clicked, this, [] { OpenManual(); });
    connect(cmdFinished, &ZevButton::clicked, this, [this] { cmdFinished_Click(); });
}

void frmGraph::setAccountCaption(const QString& caption, const QColor& colour)
{
    lblAccountName->setText(caption);
    QPalette palette = lblAccountName->palette();
    palette.setColor(QPalette::WindowText, colour);
    lblAccountName->setPalette(palette);
}

void frmGraph::Form_Activate()
{
    if (activated_)
        return;
    activated_ = true;
    setWindowTitle(GraphWindowTitle(kind_));
    cmdHelp->setToolTip(SharedDisplayValues().ManualHint);
    cmdFinished->setToolTip(QStringLiteral(" &Finished <Esc> "));

    SetBusy(*this, true);
    const GraphData data = CollectGraphValues(registerState().Rows, kind_);
    SetBusy(*this, false);
    const GraphLabels labels = GraphLabelsOf(data, SharedDisplayValues().DateFormat);
    labelHighAmount->setText(labels.high);
    labelLowAmount->setText(labels.low);
    labelAverageAmount->setText(labels.average);
    labelDateRange->setText(labels.dateRange);

    const GraphScale scale = GraphScaleOf(data);
    if (scale.empty) {
        prompts().ask(QStringLiteral("No data"), IconStop, QStringLiteral("There is no data available to graph!"), 1,
                      {QStringLiteral("&Return to the Account Register")});
        cmdFinished_Click();
        return;
    }
    picGraph->setGraph(data, scale);
    drawn_ = true;
}

void frmGraph::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && IsPlainKey(*event)) {
        OpenManual();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmGraph::cmdFinished_Click()
{
    done(Rejected);
}

}
