// A printout that fails half way prints nothing: the PDF of a document that
// was never ended does not stay behind, one that was ended does.
#include "testrunner.h"

#include "platform/PrinterSurface.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo;

class UnfinishedDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void onlyEndedDocumentsRemain_data()
    {
        QTest::addColumn<bool>("ended");
        QTest::newRow("ended") << true;
        QTest::newRow("abandoned after two pages") << false;
    }
    void onlyEndedDocumentsRemain()
    {
        QFETCH(bool, ended);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("out.pdf"));
        {
            PrinterSurface surface(PrinterSurface::Destination::PdfFile);
            surface.setOutputFile(pdf);
            surface.print(QStringLiteral("First page"));
            surface.newPage();
            surface.print(QStringLiteral("Second page"));
            QCOMPARE(surface.savedFile(), pdf);
            if (ended)
                surface.endDoc();
        }
        QCOMPARE(QFileInfo::exists(pdf), ended);
    }
};

TALLYO_TEST(UnfinishedDocumentTest)
#include "unfinisheddocument.moc"
