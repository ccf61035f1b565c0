#include "messagelayout.h"

#include <QtGlobal>
#include <algorithm>

namespace tallyo {

namespace {
constexpr int LabelTop = 250;
constexpr int LabelLeft = 780;
constexpr int ScreenMargin = 3000;   // the label never wraps wider than screen − this
constexpr int MaxWrapWidth = 12000;
constexpr int ButtonHeight = 400;
constexpr int ButtonGap = 100;
constexpr int ButtonsBelowLabel = 400;
constexpr int LabelToWindowWidth = 1100;
constexpr int ButtonsToWindowWidth = 300;
constexpr int LabelToWindowHeight = 1300;
constexpr int OptionExtraHeight = 300;
constexpr int BandBelowLabel = 275;
constexpr int BandOverhang = 20;
constexpr int OptionBelowButtons = 100;
constexpr int OptionLeft = 100;
}

MessageLayout layoutMessage(const MessageMeasures& measures)
{
    MessageLayout layout;

    QSize label = measures.labelNatural;
    const int widest = measures.screen.width() - ScreenMargin;
    if (label.width() > widest) {
        label.setWidth(std::max(1, std::min(widest, MaxWrapWidth)));
        if (measures.labelHeightAt)
            label.setHeight(measures.labelHeightAt(label.width()));
        layout.labelWraps = true;
    }
    layout.label = QRect(QPoint(LabelLeft, LabelTop), label);

    int total = 0;
    const int buttonTop = label.height() + ButtonsBelowLabel;
    for (int width : measures.buttonTextWidths) {
        layout.buttons.append(QRect(0, buttonTop, width, ButtonHeight));
        total += width + ButtonGap;
    }

    const int windowWidth = std::max(label.width() + LabelToWindowWidth, total + ButtonsToWindowWidth);
    int windowHeight = label.height() + LabelToWindowHeight;
    if (measures.showOption)
        windowHeight += OptionExtraHeight;
    layout.window = QSize(windowWidth, windowHeight);
    layout.fitsScreen = windowHeight <= measures.screen.height()
        && windowWidth <= measures.screen.width();

    // The row is centred as a whole, the trailing gap included.
    int left = qRound(windowWidth / 2.0 - total / 2.0);
    for (QRect& button : layout.buttons) {
        button.moveLeft(left);
        left += button.width() + ButtonGap;
    }

    const int bandTop = label.height() + BandBelowLabel;
    layout.band = QRect(-BandOverhang, bandTop, windowWidth + 2 * BandOverhang,
                        windowHeight - bandTop + 100);

    // Below the bottom edge of the buttons.
    if (measures.showOption)
        layout.optionBox = QPoint(OptionLeft, buttonTop + ButtonHeight + OptionBelowButtons);
    return layout;
}

MessageIcon messageIconFor(int iconKind)
{
    switch (iconKind) {
    case 0:
    case 1: return MessageIcon::Application;
    case 2: return MessageIcon::Stop;
    case 3: return MessageIcon::Question;
    case 4: return MessageIcon::Exclamation;
    case 5: return MessageIcon::Information;
    default: return MessageIcon::None;
    }
}

QString messageDisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown + QLatin1Char('\n');
}

QString messageButtonText(const QString& caption)
{
    return QLatin1Char(' ') + caption + QLatin1Char(' ');
}

}
