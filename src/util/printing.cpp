#include "printing.h"

namespace tallyo {

namespace {

constexpr double FirstLine = 1.0;    // inches from the top of the page
constexpr double PageBottom = 8.8;   // a page ends once the text passes this
constexpr double PageNumberY = 9.2;
constexpr double PageNumberX = 6.0;
constexpr double WrapBefore = 1.0;   // break at a space this far before the limit
constexpr double BreakWordAfter = 0.5; // break inside a word this far past it

// Works in inches and puts the caller's unit back afterwards.
class InchesWhileAlive {
public:
    explicit InchesWhileAlive(PageSurface& surface) : surface_(surface), saved_(surface.scaleUnit())
    {
        surface_.setScaleUnit(ScaleUnit::Inches);
    }
    ~InchesWhileAlive() { surface_.setScaleUnit(saved_); }
    InchesWhileAlive(const InchesWhileAlive&) = delete;
    InchesWhileAlive& operator=(const InchesWhileAlive&) = delete;

private:
    PageSurface& surface_;
    ScaleUnit saved_;
};

// Busy while alive, so that a failing printer still gives the window back.
class BusyWhileAlive {
public:
    explicit BusyWhileAlive(const BusyHook& setBusy) : setBusy_(setBusy)
    {
        if (setBusy_)
            setBusy_(true);
    }
    ~BusyWhileAlive()
    {
        if (setBusy_)
            setBusy_(false);
    }
    BusyWhileAlive(const BusyWhileAlive&) = delete;
    BusyWhileAlive& operator=(const BusyWhileAlive&) = delete;

private:
    const BusyHook& setBusy_;
};

void printTitle(PageSurface& surface, const PagedTextOptions& options)
{
    const bool wasUnderlined = surface.fontUnderline();
    if (options.underlineTitle)
        surface.setFontUnderline(true);
    if (options.centreTitle)
        surface.setCurrentX(surface.paperWidth() / 2 - surface.textWidth(options.title) / 2);
    surface.print(options.title);
    surface.setFontUnderline(wasUnderlined);
    surface.print(QString()); // a blank line under the title
    // The text below starts at the margin, like every other line.
    surface.setCurrentX(options.leftMargin);
}

void printPageNumber(PageSurface& surface, int number)
{
    surface.endLine();
    surface.setCurrentY(PageNumberY);
    surface.setCurrentX(PageNumberX);
    surface.print(QStringLiteral("(page %1)").arg(number));
}

}

void PrintPagedText(PageSurface& surface, const QString& text, const PagedTextOptions& options,
                    const BusyHook& setBusy)
{
    BusyWhileAlive busy(setBusy);
    InchesWhileAlive inches(surface);

    int pageNumber = 0;
    bool newPagePending = true;
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        if (surface.currentY() < FirstLine)
            surface.setCurrentY(FirstLine);
        if (surface.currentX() < options.leftMargin)
            surface.setCurrentX(options.leftMargin);

        if (newPagePending) {
            newPagePending = false;
            ++pageNumber;
            if (!options.title.isEmpty() && (options.titleOnEveryPage || pageNumber == 1))
                printTitle(surface, options);
        }

        const QChar character = text[i];
        if (character == QLatin1Char('\r') && i + 1 < length && text[i + 1] == QLatin1Char('\n')) {
            surface.endLine();
            ++i;
        } else {
            surface.print(QString(character), false);
        }

        const double x = surface.currentX();
        if (x > options.rightLimit - WrapBefore
            && (character == QLatin1Char(' ') || x > options.rightLimit + BreakWordAfter))
            surface.endLine();

        const bool textRemains = i + 1 < length;
        if (!textRemains || surface.currentY() > PageBottom) {
            if (pageNumber > 1)
                printPageNumber(surface, pageNumber);
            if (textRemains) {
                surface.newPage();
                newPagePending = true;
            }
        }
    }

    if (!options.keepDocumentOpen)
        surface.endDoc();
}

void PrintRuleLine(PageSurface& surface, double left, double right)
{
    InchesWhileAlive inches(surface);
    surface.setCurrentX(left);
    // A font too small to have width would never get there.
    if (surface.textWidth(QStringLiteral("_")) > 0) {
        while (surface.currentX() < right)
            surface.print(QStringLiteral("_"), false);
    }
    surface.endLine();
}

}
