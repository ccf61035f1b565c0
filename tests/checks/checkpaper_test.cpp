// A check printed through the real printer path into a PDF file and read
// back with pdftotext -bbox: every field's first word on its printed line
// and at its character column, measured from the printable area's corner in
// the printer's own Arial 10 bold, with the check number ticked and
// unticked, and a check whose long payee pushes the figures down printed by
// `tallyo print check`.
#include "../app/tallyoprocess.h"
#include "../store/handmade.h"
#include "testrunner.h"

#include "checks/checkprint.h"
#include "platform/PrinterSurface.h"
#include "util/dates.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo;

namespace {

struct Word {
    QString text;
    double x = 0; // points from the page's left edge
    double y = 0; // points from the page's top edge
};

// The words of the first page with their top-left corners.
QList<Word> wordsOf(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<Word> words;
    for (const QRegularExpressionMatch& match : word.globalMatch(html))
        words.append({match.captured(3).replace(QStringLiteral("&amp;"), QStringLiteral("&")),
                      match.captured(1).toDouble(), match.captured(2).toDouble()});
    return words;
}

// Line height, character column and printable-area corner of a PDF
// printer, in points, taken from Qt's own metrics of the font.
struct PaperMetrics {
    double line = 0;
    double column = 0;
    QPointF origin;
};

PaperMetrics paperMetrics()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setFullPage(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(QFont(font, &printer), &printer);
    const double toPoints = 72.0 / printer.resolution();
    return {metrics.lineSpacing() * toPoints, metrics.averageCharWidth() * toPoints,
            printer.pageLayout().paintRectPoints().topLeft()};
}

// Where a field is expected: its first word, printed line and column.
struct Expected {
    QString firstWord;
    int line;
    int column;
};

// Compares each field's first word in the PDF with where it is expected.
void expectFields(const QList<Word>& words, const QList<Expected>& expected)
{
    QVERIFY2(!words.isEmpty(), "pdftotext found no words");
    const PaperMetrics paper = paperMetrics();
    QCOMPARE(words.first().text, expected.first().firstWord);
    for (const Expected& field : expected) {
        const auto found =
            std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == field.firstWord; });
        QVERIFY2(found != words.end(), qPrintable(field.firstWord));
        const double line = (found->y - paper.origin.y()) / paper.line + 1;
        const double column = (found->x - paper.origin.x()) / paper.column + 1;
        QVERIFY2(std::abs(line - field.line) < 0.3,
                 qPrintable(QStringLiteral("%1 on line %2").arg(field.firstWord).arg(line)));
        QVERIFY2(std::abs(column - field.column) < 0.3,
                 qPrintable(QStringLiteral("%1 at column %2").arg(field.firstWord).arg(column)));
    }
}

}

class CheckPaperTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        // The program prints through Qt's graphical side, which wants a
        // private runtime folder as a desktop session has.
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (!runtime.isEmpty())
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void fieldsLandOnTheirLinesAndColumns_data()
    {
        QTest::addColumn<bool>("number");
        QTest::newRow("check number ticked") << true;
        QTest::newRow("check number unticked") << false;
    }

    void fieldsLandOnTheirLinesAndColumns()
    {
        QFETCH(bool, number);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("check.pdf"));

        TransactionRecord t;
        t.TransactionDate = StoredFromDate(QDate(2021, 3, 5));
        t.TransactionType = QStringLiteral("1042        ");
        t.Payee = QStringLiteral("City Water Works");
        t.Amount = -12345600;
        t.Comment = QStringLiteral("Quarterly bill");
        const CheckTexts texts = CheckTextsFor(
            t, QStringLiteral("Household"), 1, {QStringLiteral("$"), QStringLiteral("Dollars"), QStringLiteral("Cents")});
        // Rows 2, 4, 6, 6, 8, 10 at known columns.
        const CheckLayout layout{2, 60, 4, 50, 6, 10, 6, 62, 8, 5, 10, 8};
        {
            PrinterSurface surface;
            surface.setOutputFile(pdf);
            surface.setOrigin(PageOrigin::PrintableArea);
            PrintCheck(surface, texts, layout, {number, true});
            QCOMPARE(surface.savedFile(), pdf);
        }

        QList<Expected> expected{{"March", 5, 50}, {"City", 7, 10}, {"1,234.56", 7, 62}, {"One", 9, 5},
                                 {"Quarterly", 11, 8}};
        if (number)
            expected.prepend({"1042", 3, 60});
        const QList<Word> words = wordsOf(pdf);
        expectFields(words, expected);
        QVERIFY(number == std::any_of(words.begin(), words.end(), [](const Word& w) { return w.text == u"1042"; }));
    }

    // Payee on row 6 at column 8, figures on row 6 at column 30, words on
    // row 7 at column 45: the payee pushes the figures onto the words' row,
    // and the words and the comment move down a line with them.
    void longPayeePushesTheRestDown()
    {
        QTemporaryDir folder, out;
        handmade::Account account;
        account.name = "Checking";
        account.checkLayout = QByteArray("\x02\x3C\x04\x32\x06\x08\x06\x1E\x07\x2D\x09\x08", 12);
        test::writeFile(folder.filePath("Account.dex"), handmade::account(account));
        handmade::Transaction check;
        check.date = 44260;  // 2021-03-05
        check.type = "1042";
        check.payee = "The Very Long Named Municipal Water And Sewer Co.";
        check.amount = -9999999900;  // 999,999.99
        check.comment = "Quarterly bill";
        test::writeFile(folder.filePath("Account.dat"), handmade::transaction(check));

        const QString pdf = out.filePath("check.pdf");
        const test::Run run = test::runTallyo({"print", "check", "--account", "Checking", "--record", "1", "--number",
                                               "--comment", "--pdf", pdf, "--data-dir", folder.path()});
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.exitCode, 0);
        expectFields(wordsOf(pdf), {{"1042", 3, 60}, {"March", 5, 50}, {"The", 7, 8}, {"999,999.99", 8, 30},
                                    {"Nine", 9, 45}, {"Quarterly", 11, 8}});
    }
};

TALLYO_TEST(CheckPaperTest)
#include "checkpaper_test.moc"
