#pragma once
// A page surface that prints nothing and keeps every piece of text with its
// document, page, position and font, so that printed output can be checked
// as data and compared with stored transcripts.
//
// Its text metrics are fixed, not taken from installed fonts, so that a
// transcript is the same on every machine: every character is half the font
// size wide (WidthFactor) and a line is 1.2 times the font size high
// (LineFactor), both in points, 72 to the inch. That is close to Arial's
// average letter and line spacing. The paper is US Letter unless set.
#include "pagesurface.h"

#include <QList>

namespace tallyo {

struct PrintedPiece {
    int document = 1;
    int page = 1;
    double x = 0.0; // in the unit in force when it was printed
    double y = 0.0;
    ScaleUnit unit = ScaleUnit::Inches;
    PrintFont font;
    QString text;
};

class RecordingSurface : public PageSurface {
public:
    static constexpr double WidthFactor = 0.5;
    static constexpr double LineFactor = 1.2;

    RecordingSurface(double paperWidthInches = 8.5, double paperHeightInches = 11.0)
        : paperWidth_(paperWidthInches), paperHeight_(paperHeightInches)
    {
    }

    // The pieces in printing order. Text printed right where the previous
    // piece ended, on the same line and in the same font, extends that piece,
    // so a line printed a character at a time reads as one piece.
    const QList<PrintedPiece>& pieces() const { return pieces_; }
    // All recorded text of one page of the current or a finished document.
    QStringList textsOnPage(int page, int document = 1) const;
    int documentsEnded() const { return documentsEnded_; }
    int pagesStarted() const { return pagesStarted_; }

    // One line per piece ("page  x y  font size flags  "text""), positions
    // to two decimals, with lines for new pages and ends of documents.
    QString transcript() const;

protected:
    double measureWidth(const QString& text, const PrintFont& font) const override;
    double lineHeight(const PrintFont& font) const override;
    double averageCharWidth(const PrintFont& font) const override;
    double paperWidthInches() const override { return paperWidth_; }
    double paperHeightInches() const override { return paperHeight_; }
    void drawText(double x, double y, const QString& text, const PrintFont& font) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    struct Mark {
        qsizetype beforePiece;
        QString text;
    };

    void breakRun() { runOpen_ = false; }

    double paperWidth_;
    double paperHeight_;
    QList<PrintedPiece> pieces_;
    QList<Mark> marks_;
    int documentsEnded_ = 0;
    int pagesStarted_ = 0;
    // Where the last piece ended, in inches, to join pieces that follow on.
    bool runOpen_ = false;
    double runEndX_ = 0.0;
    double runY_ = 0.0;
};

}
