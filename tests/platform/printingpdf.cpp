// The printer surface writing a real PDF into a temporary documents folder;
// pdftotext reads the words back with their boxes in points (72 to the inch).
#include "platform/PrinterSurface.h"
#include "store/fileerror.h"
#include "testrunner.h"

#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo;

namespace {

constexpr double PointsPerInch = 72.0;
constexpr double Slack = 0.05; // inches

struct Word {
    int page = 0;
    QString text;
    double left = 0, top = 0, right = 0; // inches
};

struct PdfText {
    double pageWidth = 0, pageHeight = 0; // inches
    QList<Word> words;
};

// Runs pdftotext -bbox and reads its pages and words.
PdfText readPdf(const QString& pdf, const QString& folder)
{
    PdfText result;
    const QString html = QDir(folder).filePath(QStringLiteral("words.html"));
    if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, html}) != 0)
        return result;
    QFile file(html);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression tag(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">|)re"
                       R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    int page = 0;
    for (const QRegularExpressionMatch& m : tag.globalMatch(text)) {
        if (m.capturedLength(1)) {
            ++page;
            result.pageWidth = m.captured(1).toDouble() / PointsPerInch;
            result.pageHeight = m.captured(2).toDouble() / PointsPerInch;
        } else {
            result.words.append({page, m.captured(6), m.captured(3).toDouble() / PointsPerInch,
                                 m.captured(4).toDouble() / PointsPerInch,
                                 m.captured(5).toDouble() / PointsPerInch});
        }
    }
    return result;
}

}

class PrintingPdf : public QObject {
    Q_OBJECT

    QTemporaryDir home_;
    QByteArray savedHome_;
    QByteArray savedConfig_;

    QString documents() const { return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation); }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(home_.isValid());
        // The documents folder follows HOME when no user-dirs file says otherwise.
        savedHome_ = qgetenv("HOME");
        savedConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.filePath(QStringLiteral("config"))));
        QVERIFY(documents().startsWith(home_.path()));
    }
    void cleanupTestCase()
    {
        qputenv("HOME", savedHome_);
        qputenv("XDG_CONFIG_HOME", savedConfig_);
    }
    void cleanup() { QDir(documents()).removeRecursively(); }

    void wordsLandWhereAsked()
    {
        struct Placed {
            int page;
            ScaleUnit unit;
            double x, y; // in the unit
            double size;
            bool bold;
            QString text;
        };
        const QList<Placed> placed = {
            {1, ScaleUnit::Inches, 1.0, 1.0, 10, false, "Ledger"},
            {1, ScaleUnit::Inches, 0.8, 8.8, 9, false, "Bottom"},
            {1, ScaleUnit::Inches, 5.65, 3.25, 12, true, "Amount"},
            {1, ScaleUnit::Twips, 2880, 7200, 10, true, "Twips"},
            {2, ScaleUnit::Inches, 6.0, 9.2, 10, false, "Second"},
        };

        PrinterSurface surface(PrinterSurface::Destination::PdfFile);
        QVERIFY(!surface.documentOpen());
        for (const Placed& p : placed) {
            while (surface.page() < p.page)
                surface.newPage();
            surface.setScaleUnit(p.unit);
            surface.setFontSize(p.size);
            surface.setFontBold(p.bold);
            surface.setCurrentX(p.x);
            surface.setCurrentY(p.y);
            surface.print(p.text + QStringLiteral(" "), false);
            surface.print(QStringLiteral("next"));
        }
        surface.setScaleUnit(ScaleUnit::Inches);
        surface.setFontSize(10);
        const double paperWidth = surface.paperWidth();
        const double nextAfterLedger = 1.0 + surface.textWidth(QStringLiteral("Ledger "));
        surface.endDoc();

        const QString pdf = surface.savedFile();
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(QFileInfo(pdf).absolutePath(), QDir(documents()).absolutePath());
        QVERIFY2(QRegularExpression(QStringLiteral(R"(^Tallyo \d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.pdf$)"))
                     .match(QFileInfo(pdf).fileName())
                     .hasMatch(),
                 qPrintable(pdf));

        const PdfText read = readPdf(pdf, home_.path());
        QVERIFY(qAbs(read.pageWidth - paperWidth) < 0.01);
        for (const Placed& p : placed) {
            const double perInch = p.unit == ScaleUnit::Twips ? 1440.0 : 1.0;
            const auto found = std::find_if(read.words.begin(), read.words.end(),
                                            [&](const Word& w) { return w.text == p.text; });
            QVERIFY2(found != read.words.end(), qPrintable(p.text));
            QCOMPARE(found->page, p.page);
            QVERIFY2(qAbs(found->left - p.x / perInch) < Slack, qPrintable(QString::number(found->left)));
            QVERIFY2(qAbs(found->top - p.y / perInch) < Slack, qPrintable(QString::number(found->top)));
        }
        // The measured width is the printed one: "next" follows "Ledger ".
        const auto next = std::find_if(read.words.begin(), read.words.end(),
                                       [](const Word& w) { return w.text == QStringLiteral("next"); });
        QVERIFY(next != read.words.end());
        QVERIFY2(qAbs(next->left - nextAfterLedger) < Slack, qPrintable(QString::number(next->left)));
    }

    void nothingPrintedWritesNothing()
    {
        PrinterSurface surface(PrinterSurface::Destination::PdfFile);
        surface.setCurrentY(2.0);
        QVERIFY(surface.paperWidth() > 8.0);
        surface.endDoc();
        QVERIFY(surface.savedFile().isEmpty());
        QVERIFY(QDir(documents()).entryList(QDir::Files).isEmpty());
    }

    void unwritableFolderIsReportedThenRecovers()
    {
        // A plain file where the documents folder should be.
        QDir().mkpath(QFileInfo(documents()).absolutePath());
        {
            QFile blocker(documents());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        PrinterSurface surface(PrinterSurface::Destination::PdfFile);
        QVERIFY_THROWS_EXCEPTION(FileError, surface.print(QStringLiteral("Refused")));
        QVERIFY(!surface.documentOpen());

        QFile::remove(documents());
        surface.setCurrentX(1.0);
        surface.setCurrentY(1.0);
        surface.print(QStringLiteral("Accepted"));
        surface.endDoc();
        QVERIFY(QFile::exists(surface.savedFile()));
    }

    void noPrinterInstalledFallsBackToPdf()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed here");
        PrinterSurface surface; // the default printer, if there were one
        surface.print(QStringLiteral("Fallback"));
        surface.endDoc();
        QVERIFY(surface.savedFile().endsWith(QStringLiteral(".pdf")));
        QVERIFY(QFile::exists(surface.savedFile()));
    }

    void twoDocumentsInOneSecondKeepBoth()
    {
        PrinterSurface surface(PrinterSurface::Destination::PdfFile);
        surface.print(QStringLiteral("One"));
        surface.endDoc();
        const QString first = surface.savedFile();
        surface.print(QStringLiteral("Two"));
        surface.endDoc();
        QVERIFY(surface.savedFile() != first);
        QVERIFY(QFile::exists(first));
        QVERIFY(QFile::exists(surface.savedFile()));
    }
};

TALLYO_TEST(PrintingPdf)
#include "printingpdf.moc"
