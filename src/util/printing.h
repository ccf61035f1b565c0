#pragma once
// Two printing helpers shared by the reports: a long text printed with word
// wrap, an optional title and page numbers, and a rule line of underscores.
// Both take positions in inches, whatever unit the surface was left in.
#include "platform/pagesurface.h"

#include <functional>

namespace tallyo {

struct PagedTextOptions {
    QString title;
    bool underlineTitle = false;
    bool centreTitle = false;
    bool titleOnEveryPage = false; // else on the first page only
    bool keepDocumentOpen = false; // else the document ends with the text
    double leftMargin = 1.0;       // inches
    double rightLimit = 7.5;       // inches
};

// Called with true before printing and with false afterwards (also when
// printing fails). Empty when the caller handles the busy state itself.
using BusyHook = std::function<void(bool busy)>;

// Prints text (CR LF line breaks) from 1 inch below the top of the page.
// A line breaks after the first space past (right limit - 1 inch); a word
// still running past (right limit + 0.5 inch) is broken where it stands. A
// page ends once the text passes 8.8 inches down; every page after the first
// carries "(page n)" at 9.2 inches down, 6 inches across.
void PrintPagedText(PageSurface& surface, const QString& text, const PagedTextOptions& options,
                    const BusyHook& setBusy = {});

// Prints "_" from left until the print position reaches right, then ends
// the line. On a line that already holds text it underlines that text.
void PrintRuleLine(PageSurface& surface, double left, double right);

}
