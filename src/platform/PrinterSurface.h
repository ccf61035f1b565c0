#pragma once
// The page surface on paper: the system's default printer (through CUPS),
// or, where no printer is installed, a PDF file in the user's documents
// folder named after the program and the time ("Tallyo 2026-12-08
// 13-45-10.pdf"). Positions are measured from the paper's top-left corner.
//
// A PDF is saved whole (platform/pdffile.h): the file asked for is replaced
// only by a complete document, and a write that fails gives the system's
// reason. A document starts with its first printed text (or new page) and
// ends with endDoc(); each document gets a fresh printer, so one that failed to start
// never spoils the next. Where the print system's client (lp) is installed,
// a printer document is handed over only once it is complete, and a
// printer that refuses it throws FileError with the print system's reason.
// A printer or file that cannot be started throws FileError, which the
// window shows to the user.
#include "pagesurface.h"

#include <QPainter>
#include <memory>

class QFont;
class QPrinter;

namespace tallyo {

class PdfScratch;

class PrinterSurface : public PageSurface {
public:
    enum class Destination {
        DefaultPrinter, // the default printer, or a PDF file when there is none
        PdfFile,        // always a PDF file in the documents folder
    };

    explicit PrinterSurface(Destination destination = Destination::DefaultPrinter,
                            QString programName = QStringLiteral("Tallyo"));
    ~PrinterSurface() override;
    PrinterSurface(const PrinterSurface&) = delete;
    PrinterSurface& operator=(const PrinterSurface&) = delete;

    // Sends every document into this PDF file instead (replacing it once
    // the document is complete), whatever the destination. Set it before anything is printed or measured.
    void setOutputFile(const QString& path) { outputFile_ = path; }

    // The PDF file of the current or last document; empty when it went to a
    // printer.
    QString savedFile() const override { return pdfPath_; }
    // True while a document has been started and not yet ended.
    bool documentOpen() const { return painter_.isActive(); }

protected:
    double measureWidth(const QString& text, const PrintFont& font) const override;
    double lineHeight(const PrintFont& font) const override;
    double averageCharWidth(const PrintFont& font) const override;
    double paperWidthInches() const override;
    double paperHeightInches() const override;
    void drawText(double x, double y, const QString& text, const PrintFont& font) override;
    void startNewPage() override;
    void finishDocument() override;

private:
    QPrinter& printer() const;
    QFont deviceFont(const PrintFont& font) const;
    QString newPdfPath() const;
    void beginDocument();
    // Hands a finished document to the printer; throws FileError with the
    // print system's reason when it is refused.
    void submit(const QString& spool, const QString& printerName) const;

    Destination destination_;
    QString programName_;
    // Made on first use: page sizes and text metrics are asked for before
    // the document starts.
    mutable std::unique_ptr<QPrinter> printer_;
    mutable bool toPdf_ = false;
    QPainter painter_;
    QString pdfPath_;
    // A PDF document: made in memory, saved whole over pdfPath_ at its end.
    std::unique_ptr<PdfScratch> pdf_;
    QString outputFile_;
    // Printer documents: the file the pages go to until the document is
    // handed to the print system.
    mutable bool submitWithLp_ = false;
    QString spoolFile_;
};

}
