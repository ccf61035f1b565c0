#include "recordingsurface.h"

#include <cmath>

namespace tallyo {

namespace {

constexpr double PointsPerInch = 72.0;
constexpr double SameSpot = 1e-9;

QString fontFlags(const PrintFont& font)
{
    return QString(font.bold ? QLatin1Char('B') : QLatin1Char('-'))
        + (font.italic ? QLatin1Char('I') : QLatin1Char('-'))
        + (font.underline ? QLatin1Char('U') : QLatin1Char('-'));
}

QString position(double value, ScaleUnit unit)
{
    return QString::number(value, 'f', 2) + (unit == ScaleUnit::Twips ? QStringLiteral("tw") : QStringLiteral("in"));
}

}

double RecordingSurface::measureWidth(const QString& text, const PrintFont& font) const
{
    return text.size() * averageCharWidth(font);
}

double RecordingSurface::lineHeight(const PrintFont& font) const
{
    return font.size * LineFactor / PointsPerInch;
}

double RecordingSurface::averageCharWidth(const PrintFont& font) const
{
    return font.size * WidthFactor / PointsPerInch;
}

void RecordingSurface::drawText(double x, double y, const QString& text, const PrintFont& font)
{
    const bool followsOn = runOpen_ && !pieces_.isEmpty() && pieces_.last().font == font
        && pieces_.last().unit == scaleUnit() && std::abs(runY_ - y) < SameSpot
        && std::abs(runEndX_ - x) < SameSpot;
    if (followsOn) {
        pieces_.last().text += text;
    } else {
        const double scale = scaleUnit() == ScaleUnit::Twips ? TwipsPerInch : 1.0;
        pieces_.append({documentsEnded_ + 1, page(), x * scale, y * scale, scaleUnit(), font, text});
    }
    runOpen_ = true;
    runEndX_ = x + measureWidth(text, font);
    runY_ = y;
}

void RecordingSurface::startNewPage()
{
    ++pagesStarted_;
    marks_.append({pieces_.size(), QStringLiteral("-- new page")});
    breakRun();
}

void RecordingSurface::finishDocument()
{
    ++documentsEnded_;
    marks_.append({pieces_.size(), QStringLiteral("-- end of document")});
    breakRun();
}

QStringList RecordingSurface::textsOnPage(int page, int document) const
{
    QStringList texts;
    for (const PrintedPiece& piece : pieces_) {
        if (piece.page == page && piece.document == document)
            texts.append(piece.text);
    }
    return texts;
}

QString RecordingSurface::transcript() const
{
    QString out;
    qsizetype mark = 0;
    auto marksBefore = [&](qsizetype piece) {
        for (; mark < marks_.size() && marks_[mark].beforePiece <= piece; ++mark)
            out += marks_[mark].text + QLatin1Char('\n');
    };
    for (qsizetype i = 0; i < pieces_.size(); ++i) {
        marksBefore(i);
        const PrintedPiece& p = pieces_[i];
        out += QStringLiteral("%1  %2 %3  %4 %5 %6  \"%7\"\n")
                   .arg(p.page)
                   .arg(position(p.x, p.unit), position(p.y, p.unit), p.font.name,
                        QString::number(p.font.size), fontFlags(p.font), p.text);
    }
    marksBefore(pieces_.size());
    return out;
}

}
