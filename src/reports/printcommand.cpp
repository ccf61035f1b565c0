#include "printcommand.h"

#include "listprintout.h"
#include "reportexports.h"

#include "platform/PrinterSurface.h"
#include "shell/exports.h"
#include "store/fileerror.h"
#include "util/dates.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace tallyo {

namespace {

int PrintList(const CommandLine& command, const QString& pdfFile, QTextStream& out, QTextStream& err)
{
    QString problem;
    const std::optional<AccountReport> report = LoadAccountReport(command.account, problem, command.search);
    if (!report) {
        err << problem << "\n";
        return 1;
    }
    const RegisterRows& rows = report->rows;
    if (rows.isEmpty()) {
        // The register has no list to print either: an account without
        // transactions, or a search that finds none keeps the normal view.
        err << (command.search ? "The search finds no transactions: nothing was printed.\n"
                               : "The account has no transactions to print.\n");
        return 1;
    }
    const double start = command.from.isValid() ? StoredFromDate(command.from) : rows[0].date;
    const double end = command.to.isValid() ? StoredFromDate(command.to) : rows[rows.size() - 1].date;

    ListPrintout list;
    list.rows = &rows;
    list.accountCaption = report->captions.title;
    list.balanceCaption = report->captions.balance;
    list.dateFormat = StoredDateFormat();
    list.printedAt = QDateTime::currentDateTime();
    list.comments = command.comments;

    PrinterSurface surface;
    // Saved whole: the file is replaced only by a complete document.
    if (!pdfFile.isEmpty())
        surface.setOutputFile(pdfFile);
    const qint32 printed = PrintListPages(surface, list, start, end);
    if (!pdfFile.isEmpty()) {
        out << "Printed " << printed << " items into " << QDir::toNativeSeparators(pdfFile) << ".\n";
    } else if (!surface.savedFile().isEmpty()) {
        out << "Printed " << printed << " items. No printer is installed, so the pages were saved as "
            << QDir::toNativeSeparators(surface.savedFile()) << ".\n";
    } else {
        out << "Printed " << printed << " items on the default printer.\n";
    }
    return 0;
}

}

int RunPrintCommand(const CommandLine& command, int argc, char** argv, QTextStream& out, QTextStream& err)
{
    // Nothing is shown: printing needs fonts and a printer, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The file is named from where the command was given, before the data
    // folder becomes the working folder.
    const QString pdfFile =
        command.pdfFile.isEmpty() ? QString() : QFileInfo(command.pdfFile).absoluteFilePath();
    return RunInDataFolder(command, out, err, [&] { return PrintList(command, pdfFile, out, err); });
}

}
