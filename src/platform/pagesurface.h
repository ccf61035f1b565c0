#pragma once
// A printer page as the program sees it: a pen position in inches or twips
// from the paper's top-left corner, a current font, and text printed at the
// pen. Printing text moves the pen right by the text's width; ending the line
// moves it down by one line height and back to the left edge. Pages count
// from 1; a new page puts the pen back at the top left; ending the document
// sends the pages away and starts the count again.
//
// The bookkeeping lives here so that every surface behaves alike; a surface
// only measures text and puts it on paper (or into a list, for tests).
// Surfaces that reach a device throw FileError when the device cannot be
// started or the document cannot be finished.
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tallyo {

enum class ScaleUnit { Inches, Twips };

// Where positions count from: the paper's top-left corner, or the top-left
// corner of the area the printer can print on (as check paper, laid out by
// the printer's own lines and columns, expects).
enum class PageOrigin { PaperCorner, PrintableArea };

struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 10.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const PrintFont&) const = default;
};

class PageSurface {
public:
    static constexpr double TwipsPerInch = 1440.0;

    virtual ~PageSurface() = default;

    ScaleUnit scaleUnit() const { return unit_; }
    void setScaleUnit(ScaleUnit unit) { unit_ = unit; }

    // Set before a document starts; surfaces without margins ignore it.
    PageOrigin origin() const { return origin_; }
    void setOrigin(PageOrigin origin) { origin_ = origin; }

    // The pen position in the current unit.
    double currentX() const { return toUnit(x_); }
    double currentY() const { return toUnit(y_); }
    void setCurrentX(double x) { x_ = toInches(x); }
    void setCurrentY(double y) { y_ = toInches(y); }

    const PrintFont& font() const { return font_; }
    void setFont(const PrintFont& font) { font_ = font; }
    QString fontName() const { return font_.name; }
    double fontSize() const { return font_.size; }
    bool fontBold() const { return font_.bold; }
    bool fontItalic() const { return font_.italic; }
    bool fontUnderline() const { return font_.underline; }
    void setFontName(const QString& name) { font_.name = name; }
    void setFontSize(double points) { font_.size = points; }
    void setFontBold(bool on) { font_.bold = on; }
    void setFontItalic(bool on) { font_.italic = on; }
    void setFontUnderline(bool on) { font_.underline = on; }

    // Width of one line of text, and height of the given number of lines of
    // text, in the current font and unit.
    double textWidth(const QString& text) const { return toUnit(measureWidth(text, font_)); }
    double textHeight(const QString& text = QString()) const
    {
        const qsizetype lines = qMax<qsizetype>(1, splitLines(text).size());
        return toUnit(lines * lineHeight(font_));
    }

    // Prints text at the pen and moves the pen past it; with endLine the
    // line ends afterwards. Line breaks inside the text end lines too.
    void print(const QString& text, bool endLine = true)
    {
        const QStringList lines = splitLines(text);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                newLine();
            printPiece(lines[i]);
        }
        if (endLine)
            newLine();
    }
    void endLine() { newLine(); }

    // Moves the pen to character column `column` (1 is the left edge, a
    // column is the font's average character width), on the next line when
    // the pen is already past it.
    void tab(int column)
    {
        const double target = (qMax(column, 1) - 1) * averageCharWidth(font_);
        if (x_ > target + Tolerance)
            newLine();
        x_ = target;
    }

    int page() const { return page_; }

    void newPage()
    {
        startNewPage();
        ++page_;
        x_ = y_ = 0.0;
    }

    // Ends the print document: the pages go to the printer or file.
    void endDoc()
    {
        // Reset first, so that a failure to finish still leaves a usable
        // surface for the next document.
        page_ = 1;
        x_ = y_ = 0.0;
        finishDocument();
    }

    // The paper's size in the current unit.
    double paperWidth() const { return toUnit(paperWidthInches()); }
    double paperHeight() const { return toUnit(paperHeightInches()); }

    // The file that the last document went to, when it went to a file rather
    // than to a printer; the caller tells the user where to find it.
    virtual QString savedFile() const { return QString(); }

protected:
    // Measures in inches for the given font.
    virtual double measureWidth(const QString& text, const PrintFont& font) const = 0;
    virtual double lineHeight(const PrintFont& font) const = 0;
    virtual double averageCharWidth(const PrintFont& font) const = 0;
    virtual double paperWidthInches() const = 0;
    virtual double paperHeightInches() const = 0;
    // Puts text with its top-left corner at (x, y) inches on the current page.
    virtual void drawText(double x, double y, const QString& text, const PrintFont& font) = 0;
    virtual void startNewPage() = 0;
    virtual void finishDocument() = 0;

private:
    static constexpr double Tolerance = 1e-9;

    double toUnit(double inches) const { return unit_ == ScaleUnit::Twips ? inches * TwipsPerInch : inches; }
    double toInches(double value) const { return unit_ == ScaleUnit::Twips ? value / TwipsPerInch : value; }

    static QStringList splitLines(QString text)
    {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return text.split(QLatin1Char('\n'));
    }

    void printPiece(const QString& text)
    {
        if (text.isEmpty())
            return;
        drawText(x_, y_, text, font_);
        x_ += measureWidth(text, font_);
    }

    void newLine()
    {
        x_ = 0.0;
        y_ += lineHeight(font_);
    }

    ScaleUnit unit_ = ScaleUnit::Inches;
    PageOrigin origin_ = PageOrigin::PaperCorner;
    PrintFont font_;
    double x_ = 0.0; // inches from the paper's left edge
    double y_ = 0.0; // inches from the paper's top edge
    int page_ = 1;
};

}
