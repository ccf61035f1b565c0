// The reports on sample data: the "Print Option" question, pages of a
// printed list rendered from its PDF (the first and the last), the text
// summary dialog, each kind of graph, and "No data".
#include "shots.h"

#include "platform/PrinterSurface.h"
#include "register/registerstate.h"
#include "reports/frmGraph.h"
#include "reports/listprintout.h"
#include "reports/textsummary.h"
#include "shell/appsettings.h"
#include "store/records.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QApplication>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>

namespace tallyo::shots {

namespace {

const QString Key = QStringLiteral("20260101120000");
const char* const Payees[] = {"Greenway Grocers", "City Power & Light", "Northside Mortgage", "Corner Garage",
                              "Dr. Alvarez", "Bookshop", "Harbour Logistics"};

// A beginning balance and `count` transactions from 2025-11-03 on, a few a
// week, in a mix of every kind.
RegisterRows SampleRows(int count, int view = NormalView)
{
    std::vector<TransactionRecord> records;
    TransactionRecord start;
    start.AccountKey = Key;
    start.TransactionDate = 1.0;
    start.TransactionType = QStringLiteral("Start");
    start.Cleared = true;
    start.Payee = QStringLiteral("Beginning Balance");
    start.Amount = 2500 * AmountScale;
    if (view == NormalView)
        records.push_back(start);
    const double first = StoredFromDate(QDate(2025, 11, 3)) + 0.5;
    for (int i = 0; i < count; ++i) {
        TransactionRecord t;
        t.AccountKey = Key;
        t.TransactionDate = first + i * 2 + (i % 3);
        t.Payee = QString::fromLatin1(Payees[i % 7]);
        t.Cleared = i < count * 2 / 3;
        switch (i % 6) {
        case 0: t.TransactionType = QStringLiteral("Deposit"); t.Amount = (900 + i * 7) * AmountScale; break;
        case 1: t.TransactionType = QString::number(1001 + i); t.Amount = -(120 + i * 3) * AmountScale - 4700; break;
        case 2: t.TransactionType = QStringLiteral("ATM Cash"); t.Amount = -60 * AmountScale; break;
        case 3: t.TransactionType = QStringLiteral("AutoPayment"); t.Amount = -(410 + i) * AmountScale; break;
        case 4: t.TransactionType = i % 4 ? QStringLiteral("Service Fee") : QStringLiteral("VOID");
                t.Amount = i % 4 ? -65000 : 0; break;
        default: t.TransactionType = QStringLiteral("Other Credit"); t.Amount = (35 + i) * AmountScale + 9900; break;
        }
        if (i % 5 == 0)
            t.Comment = QStringLiteral("Note for item %1").arg(i + 1);
        records.push_back(t);
    }
    RegisterRows rows;
    qint32 number = 0;
    for (const TransactionRecord& record : records)
        rows.append(record.encode().constData(), ++number);
    rows.setView(view);
    rows.order();
    rows.addUp();
    return rows;
}

int ShootMessage(const QDir& out, const QString& name, const QString& title, int icon, const QString& text,
                 int defaultButton, const QStringList& captions)
{
    return shootMessage(out, name, title, icon, text, defaultButton, false, captions);
}

// The printed list into a PDF, and its first and last pages as pictures.
int ShootPrintedList(const QDir& out)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("list.pdf"));
    const RegisterRows rows = SampleRows(110);
    ListPrintout list;
    list.rows = &rows;
    list.accountCaption = QStringLiteral("Account of Household Checking");
    list.balanceCaption = FormatAmount(rows[rows.size() - 1].balance);
    list.dateFormat = QStringLiteral("mm/dd/yy");
    list.printedAt = QDateTime(QDate(2026, 12, 7), QTime(9, 30));
    list.comments = true;
    PrinterSurface surface(PrinterSurface::Destination::PdfFile);
    surface.setOutputFile(pdf);
    PrintListPages(surface, list, rows[0].date, rows[rows.size() - 1].date);
    int written = 0;
    for (const auto& [page, name] : {std::pair{1, "print-list-page1"}, std::pair{3, "print-list-page3"}}) {
        const QString stem = out.filePath(QString::fromLatin1(name));
        const int status = QProcess::execute(QStringLiteral("pdftoppm"),
                                             {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                              QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                              QString::number(page), QStringLiteral("-singlefile"), pdf, stem});
        written += status == 0 ? 1 : 0;
    }
    return written;
}

int ShootGraph(const QDir& out, int kind, const QString& name)
{
    QPointer<frmGraph> graph = new frmGraph(kind);
    graph->setAccountCaption(QStringLiteral("Account of Household Checking"), QColor(0, 0, 192));
    graph->show();
    graph->Form_Activate();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const int written = save(*graph, out, name);
    if (graph) {
        graph->close();
        delete graph;
    }
    return written;
}

}

int reportShots(const QDir& target)
{
    const QDir out(target.absolutePath());
    SharedDisplayValues().DateFormat = QStringLiteral("mm/dd/yy");
    SharedDisplayValues().ManualHint = QStringLiteral(" Tallyo illustrated manual <F1> ");
    int written = 0;
    written += ShootMessage(out, QStringLiteral("print-option"), QStringLiteral("Print Option"), 3,
                            QStringLiteral("Do you want to print any associated comments also?"), 2,
                            {QStringLiteral("&Yes, include comments"), QStringLiteral("&No"),
                             QStringLiteral("&Cancel this print request")});
    written += ShootPrintedList(out);

    RegisterState& state = registerState();
    const RegisterRows previous = state.Rows;
    state.Rows = SampleRows(40);
    ListSummary captions{QStringLiteral("Account of Household Checking"), NormalView,
                         QStringLiteral("37,270.00"), QStringLiteral("-9,953.78"), QStringLiteral("29,816.22")};
    written += ShootMessage(out, QStringLiteral("summary"), QStringLiteral("Tallyo - Text Summary"), 5,
                            SummaryText(state.Rows, captions, QDateTime(QDate(2026, 12, 7), QTime(9, 30)),
                                        u"mm/dd/yy"),
                            2, {QStringLiteral("&Print this summary"), QStringLiteral("&Email this summary"),
                                QStringLiteral("&Return to the Account Register")});
    written += ShootGraph(out, 1, QStringLiteral("graph-xy"));
    written += ShootGraph(out, 2, QStringLiteral("graph-bars"));
    written += ShootGraph(out, 3, QStringLiteral("graph-points"));
    written += ShootGraph(out, 5, QStringLiteral("graph-balance"));
    state.Rows = previous;
    written += ShootMessage(out, QStringLiteral("graph-no-data"), QStringLiteral("No data"), 2,
                            QStringLiteral("There is no data available to graph!"), 1,
                            {QStringLiteral("&Return to the Account Register")});
    return written;
}

}
