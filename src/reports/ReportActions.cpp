#include "ReportActions.h"

#include "frmGraph.h"
#include "listprintout.h"
#include "textsummary.h"

#include "platform/platform.h"
#include "register/frmAccount.h"
#include "register/registerstate.h"
#include "shell/appsettings.h"
#include "util/WindowHelpers.h"
#include "util/desktoptargets.h"
#include "util/printing.h"
#include "util/productinfo.h"

#include <QLabel>
#include <QTableView>

namespace tallyo {

namespace {

// Busy while alive, so that a failing printer still gives the window back.
class BusyWindow {
public:
    explicit BusyWindow(QWidget& window) : window_(window) { SetBusy(window_, true); }
    ~BusyWindow() { SetBusy(window_, false); }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

private:
    QWidget& window_;
};

// The busy state takes the focus from the list: it goes back when the
// report is done, however it ends, as after the register's other actions.
class FocusListAfter {
public:
    explicit FocusListAfter(frmAccount& window) : window_(window) {}
    ~FocusListAfter()
    {
        if (window_.grid->isVisible())
            window_.grid->setFocus();
    }
    FocusListAfter(const FocusListAfter&) = delete;
    FocusListAfter& operator=(const FocusListAfter&) = delete;

private:
    frmAccount& window_;
};

void PrintSummary(frmAccount& window, const QString& text)
{
    const std::unique_ptr<PageSurface> surface = platform().newPageSurface();
    PrintFont font;
    font.name = QStringLiteral("Arial");
    font.size = 10;
    surface->setFont(font);
    PagedTextOptions options;
    options.leftMargin = 2.0;
    options.rightLimit = 7.5;
    {
        BusyWindow busy(window);
        PrintPagedText(*surface, text, options);
    }
    TellWherePrintingWent(*surface);
}

}

void InstallReportActions()
{
    RegisterActions& actions = registerActions();
    actions.printList = PrintDisplayedList;
    actions.textSummary = ShowTextSummary;
    actions.showGraph = ShowGraph;
}

void PrintDisplayedList(frmAccount& window, double startDate, double endDate)
{
    const std::optional<bool> comments = AskPrintOption();
    if (!comments)
        return;
    ListPrintout list;
    list.rows = &registerState().Rows;
    list.accountCaption = window.lblAccountName->text();
    list.balanceCaption = window.lblCurrentBalance->text();
    list.dateFormat = SharedDisplayValues().DateFormat;
    list.printedAt = clock().now();
    list.comments = *comments;
    const FocusListAfter focus(window);
    const std::unique_ptr<PageSurface> surface = platform().newPageSurface();
    {
        BusyWindow busy(window);
        PrintListPages(*surface, list, startDate, endDate);
    }
    TellWherePrintingWent(*surface);
}

void ShowTextSummary(frmAccount& window, const ListSummary& summary)
{
    const FocusListAfter focus(window);
    QString text;
    {
        BusyWindow busy(window);
        text = SummaryText(registerState().Rows, summary, clock().now(), SharedDisplayValues().DateFormat);
    }
    const int answer = prompts().ask(ApplicationTitle + QStringLiteral(" - Text Summary"), IconInformation, text, 2,
                                     {QStringLiteral("&Print this summary"), QStringLiteral("&Email this summary"),
                                      QStringLiteral("&Return to the Account Register")});
    if (answer == 1)
        PrintSummary(window, text);
    else if (answer == 2)
        OpenWebOrMail(OpenMail, SummaryMailRequest(text));
}

void ShowGraph(frmAccount& window, int kind)
{
    const FocusListAfter focus(window);
    ShowGraphWindow(&window, kind, window.lblAccountName->text(),
                    window.lblAccountName->palette().color(QPalette::WindowText));
}

}
