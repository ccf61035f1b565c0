#pragma once
// The register window's measures, colours and control makers, shared by the
// files that build and run the window.
#include "controls/WindowButton.h"
#include "controls/ZevButton.h"

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>

namespace tallyo::registerlook {

// Window geometry, twips.
inline constexpr int FrameMargin = 45;
inline constexpr int ButtonWidth = 810, ButtonHeight = 570, ButtonStep = 840;
// The buttons above the list carry longer captions ("Calculator" needs the
// width in the fonts of a Linux desktop).
inline constexpr int WideButtonWidth = 1020, WideButtonStep = 1050;
inline constexpr int FrameHeight = ButtonHeight + 2 * FrameMargin;
inline constexpr int GridLeft = 90, GridTop = 1110;
inline constexpr int GridHeightAllowance = 2650;  // window height less the grid's
inline constexpr int BottomGap = 100;             // between the grid and the frames below it
inline constexpr int TitleTop = 720, TitleHeight = 345;
inline constexpr int CalendarLeft = 8930;
// Below the list: the totals' frame on the right, three rows high; the
// Finished button under the transaction buttons on the left.
inline constexpr int BottomFrameHeight = 1035;
inline constexpr int TotalsRowHeight = 285;
inline constexpr int TotalsPadding = 4;  // pixels beside a caption's or value's text
inline constexpr int FinishedGap = 45, FinishedWidth = 3000, FinishedHeight = 660;

inline constexpr int DateLinePeriod = 30000;
// The older platform's timers ticked no faster than about every 15 ms,
// which gave the pulse its pace of about a second.
inline constexpr int PulseInterval = 15;

inline const QColor ShapeFill(255, 255, 255, 70);
inline const QColor ShapeEdge(96, 96, 160);

inline QColor colour(quint32 rgb)
{
    return QColor(QRgb(rgb));
}

inline ZevButton* makeButton(QWidget* frame, const char* name, const QString& caption, const QPixmap& picture)
{
    return MakeWindowButton(frame, name, caption, picture, 8);
}

inline QFrame* makeShape(QWidget* parent, const char* name)
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

inline QLabel* makeLabel(QWidget* parent, const char* name, int points, bool bold, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Tahoma"), points);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

inline void setTextColour(QLabel* label, const QColor& textColour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, textColour);
    label->setPalette(palette);
}

}
