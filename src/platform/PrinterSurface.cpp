#include "PrinterSurface.h"

#include "store/fileerror.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace tallyo {

namespace {

bool hasDefaultPrinter()
{
    return !QPrinterInfo::availablePrinters().isEmpty() && !QPrinterInfo::defaultPrinter().isNull();
}

// Paper for a PDF: US Letter where the user's locale measures in inches,
// A4 everywhere else.
QPageSize localPaper()
{
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

}

PrinterSurface::PrinterSurface(Destination destination, QString programName)
    : destination_(destination), programName_(std::move(programName))
{
}

PrinterSurface::~PrinterSurface()
{
    // A document left open still goes out rather than being lost.
    if (painter_.isActive())
        painter_.end();
}

QPrinter& PrinterSurface::printer() const
{
    if (!printer_) {
        toPdf_ = destination_ == Destination::PdfFile || !outputFile_.isEmpty() || !hasDefaultPrinter();
        if (toPdf_) {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setPageSize(localPaper());
        } else {
            printer_ = std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        }
        // Positions count from the paper's corner, not from the printable area.
        printer_->setFullPage(true);
        printer_->setDocName(programName_);
    }
    return *printer_;
}

QFont PrinterSurface::deviceFont(const PrintFont& font) const
{
    QFont qfont(font.name);
    qfont.setPointSizeF(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    // Unhinted outlines keep widths the same at every resolution.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return QFont(qfont, &printer());
}

double PrinterSurface::measureWidth(const QString& text, const PrintFont& font) const
{
    return QFontMetricsF(deviceFont(font), &printer()).horizontalAdvance(text) / printer().resolution();
}

double PrinterSurface::lineHeight(const PrintFont& font) const
{
    return QFontMetricsF(deviceFont(font), &printer()).lineSpacing() / printer().resolution();
}

double PrinterSurface::averageCharWidth(const PrintFont& font) const
{
    return QFontMetricsF(deviceFont(font), &printer()).averageCharWidth() / printer().resolution();
}

double PrinterSurface::paperWidthInches() const
{
    return printer().pageLayout().fullRect(QPageLayout::Inch).width();
}

double PrinterSurface::paperHeightInches() const
{
    return printer().pageLayout().fullRect(QPageLayout::Inch).height();
}

QString PrinterSurface::newPdfPath() const
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw FileError(folder, QStringLiteral("create the folder"),
                        QStringLiteral("The documents folder could not be created."));
    const QString stem = programName_ + QLatin1Char(' ')
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh-mm-ss"));
    // Two printouts within one second must not overwrite each other.
    QString path = QDir(folder).filePath(stem + QStringLiteral(".pdf"));
    for (int copy = 2; QFileInfo::exists(path); ++copy)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(stem).arg(copy));
    return path;
}

void PrinterSurface::beginDocument()
{
    QPrinter& device = printer();
    QString target = device.printerName();
    if (toPdf_) {
        target = outputFile_.isEmpty() ? newPdfPath() : outputFile_;
        // Opening the file first gives the system's own reason when it fails.
        QFile probe(target);
        if (!probe.open(QIODevice::WriteOnly))
            throw FileError(target, QStringLiteral("write"), probe.errorString());
        probe.close();
        device.setOutputFileName(target);
    }
    device.setFullPage(origin() == PageOrigin::PaperCorner);
    if (!painter_.begin(&device)) {
        // A printer whose start failed stays unusable: the next document
        // gets a fresh one.
        printer_.reset();
        if (toPdf_)
            QFile::remove(target);
        throw FileError(target, QStringLiteral("print to"),
                        QStringLiteral("The printer did not accept the document."));
    }
    pdfPath_ = toPdf_ ? target : QString();
}

void PrinterSurface::drawText(double x, double y, const QString& text, const PrintFont& font)
{
    if (!painter_.isActive())
        beginDocument();
    const QFont qfont = deviceFont(font);
    const double dpi = printer().resolution();
    painter_.setFont(qfont);
    // The pen position is the top of the line; QPainter wants the baseline.
    painter_.drawText(QPointF(x * dpi, y * dpi + QFontMetricsF(qfont, &printer()).ascent()), text);
}

void PrinterSurface::startNewPage()
{
    // The document's first page starts with the document itself.
    if (!painter_.isActive())
        beginDocument();
    if (!printer().newPage())
        throw FileError(toPdf_ ? pdfPath_ : printer().printerName(), QStringLiteral("print to"),
                        QStringLiteral("The printer did not accept a new page."));
}

void PrinterSurface::finishDocument()
{
    if (!painter_.isActive())
        return; // nothing was printed: no empty page goes out
    const bool finished = painter_.end();
    const QString target = toPdf_ ? pdfPath_ : printer_->printerName();
    printer_.reset();
    if (!finished)
        throw FileError(target, QStringLiteral("print to"),
                        QStringLiteral("The document could not be finished."));
}

}
