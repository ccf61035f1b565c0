#include "PrinterSurface.h"

#include "pdffile.h"

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
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <utility>

namespace tallyo {

namespace {

// How long the print system may take to accept a document.
constexpr int SubmitTimeoutMs = 60000;

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
    // A document that was never ended (its printout failed half way) is
    // not printed: neither sent to the printer nor left as half a PDF.
    if (painter_.isActive())
        painter_.end();
    if (!spoolFile_.isEmpty())
        QFile::remove(spoolFile_);
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
        // The print system's own client, where installed, hands the
        // document over and says whether the printer took it.
        submitWithLp_ = !toPdf_ && !QStandardPaths::findExecutable(QStringLiteral("lp")).isEmpty();
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
    if (!outputFile_.isEmpty())
        return outputFile_;
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
        // Made in memory, saved whole when the document ends; the scratch
        // file made now gives the system's own reason for a folder that
        // cannot be written.
        pdf_ = std::make_unique<PdfScratch>(target);
        device.setOutputFileName(pdf_->engineFileName());
    } else if (submitWithLp_) {
        // The pages go into a file first (the name keeps the printer's own
        // engine) and to the printer only once the document is complete.
        QTemporaryFile spool(QDir(QDir::tempPath()).filePath(programName_ + QStringLiteral("-XXXXXX.job")));
        spool.setAutoRemove(false);
        if (!spool.open())
            throw FileError(spool.fileTemplate(), QStringLiteral("write"), spool.errorString());
        spoolFile_ = spool.fileName();
        spool.close();
        device.setOutputFileName(spoolFile_);
    }
    device.setFullPage(origin() == PageOrigin::PaperCorner);
    if (!painter_.begin(&device)) {
        // A printer whose start failed stays unusable: the next document
        // gets a fresh one.
        printer_.reset();
        pdf_.reset();
        if (!spoolFile_.isEmpty())
            QFile::remove(std::exchange(spoolFile_, QString()));
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
    const QString spool = std::exchange(spoolFile_, QString());
    const std::unique_ptr<PdfScratch> pdf = std::move(pdf_);
    if (!finished) {
        if (!spool.isEmpty())
            QFile::remove(spool);
        throw FileError(target, QStringLiteral("print to"),
                        QStringLiteral("The document could not be finished."));
    }
    if (pdf)
        pdf->save();
    if (!spool.isEmpty())
        submit(spool, target);
}

void PrinterSurface::submit(const QString& spool, const QString& printerName) const
{
    QProcess lp;
    lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), printerName, QStringLiteral("-t"), programName_,
                                    QStringLiteral("--"), spool});
    const bool ended = lp.waitForFinished(SubmitTimeoutMs);
    if (!ended)
        lp.kill();
    QFile::remove(spool);
    if (ended && lp.exitStatus() == QProcess::NormalExit && lp.exitCode() == 0)
        return;
    QString reason = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
    reason.remove(QRegularExpression(QStringLiteral("^\\S*lp: *")));
    if (reason.isEmpty())
        reason = ended ? QStringLiteral("The printer did not accept the document.")
                       : QStringLiteral("The print system did not answer.");
    throw FileError(printerName, QStringLiteral("print to"), reason);
}

}
