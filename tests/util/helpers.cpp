// The common helpers: arithmetic on loose values, the manual and the web and
// mail requests, the busy state, the tiled background and synthetic keys.
#include "testrunner.h"

#include "platform/recordingsurface.h"

#include "platform/platform.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "util/arithmetic.h"
#include "util/desktoptargets.h"
#include "util/WindowHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace tallyo;
using tallyo::test::RecordingShell;
using tallyo::test::ScriptedPrompts;

namespace {

// Remembers the key events it receives.
class KeyRecorder : public QWidget {
public:
    QList<QPair<QEvent::Type, int>> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.append({event->type(), event->key()}); }
    void keyReleaseEvent(QKeyEvent* event) override { keys.append({event->type(), event->key()}); }
};

bool touch(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4\n") > 0;
}

const QString manualTitle = QStringLiteral("Can not open Tallyo Manual");
const QString manualText = QStringLiteral("The Tallyo manual\r\n(in PDF format) is either\r\n"
                                          "missing or can not be opened...");
const QStringList manualButton{QStringLiteral("&Okay, return to the program")};

}

class HelpersTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void largerAndSmaller_data();
    void largerAndSmaller();
    void addAndSubtract();
    void wholeNumbersStopAtTheirLimits_data();
    void wholeNumbersStopAtTheirLimits();

    void webOrMailAddress_data();
    void webOrMailAddress();
    void webOrMailOpensThroughShell();
    void webOrMailFailureSaysSo_data();
    void webOrMailFailureSaysSo();

    void manualFolders();
    void findManual_data();
    void findManual();
    void openManualMissing();
    void openManualFound();
    void openManualRefusedByShell();

    void busyIsIdempotent();
    void tileRepeatsPicture();
    void pressKeyQueuesPressAndRelease();
    void pressKeyGoesToTheFocus();
    void printingToAFileIsTold();

private:
    ScriptedPrompts* prompts_ = nullptr;
    RecordingShell* shell_ = nullptr;
};

void HelpersTest::init()
{
    prompts_ = new ScriptedPrompts;
    shell_ = new RecordingShell;
    platform().prompts = prompts_;
    platform().shell = shell_;
}

void HelpersTest::cleanup()
{
    prompts_->verifyDone();
    platform().prompts = nullptr;
    platform().shell = nullptr;
    delete prompts_;
    delete shell_;
}

void HelpersTest::largerAndSmaller_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("larger");
    QTest::addColumn<double>("smaller");
    QTest::newRow("equal") << 2.0 << 2.0 << 2.0 << 2.0;
    QTest::newRow("a larger") << 3.5 << -1.0 << 3.5 << -1.0;
    QTest::newRow("b larger") << -7.0 << 0.25 << 0.25 << -7.0;
}

void HelpersTest::largerAndSmaller()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QTEST(LargerOf(a, b), "larger");
    QTEST(SmallerOf(a, b), "smaller");
}

void HelpersTest::addAndSubtract()
{
    qint64 balance = 125000; // 12.50
    AddTo(balance, -25000);
    QCOMPARE(balance, qint64(100000));
    SubtractFrom(balance, qint64(150000));
    QCOMPARE(balance, qint64(-50000));

    double day = 45000.25; // a date with a time of day
    AddTo(day, 1);
    QCOMPARE(day, 45001.25);

    int count = 0;
    AddTo(count, 1);
    AddTo(count, 1);
    QCOMPARE(count, 2);
    QCOMPARE(LargerOf(count, 1.5), 2.0); // mixed kinds compare as the wider one
}

void HelpersTest::wholeNumbersStopAtTheirLimits_data()
{
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    constexpr qint64 min = std::numeric_limits<qint64>::min();
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("added");
    QTest::addColumn<qint64>("sum");
    QTest::addColumn<qint64>("difference");
    QTest::newRow("ordinary") << qint64(10) << qint64(3) << qint64(13) << qint64(7);
    QTest::newRow("near the top") << max - 1 << qint64(5) << max << max - 6;
    QTest::newRow("near the bottom") << min + 1 << qint64(-5) << min << min + 6;
    QTest::newRow("huge both ways") << max << min << qint64(-1) << max;
}

void HelpersTest::wholeNumbersStopAtTheirLimits()
{
    QFETCH(qint64, start);
    QFETCH(qint64, added);
    qint64 value = start;
    AddTo(value, added);
    QTEST(value, "sum");
    value = start;
    SubtractFrom(value, added);
    QTEST(value, "difference");
}

void HelpersTest::webOrMailAddress_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("address");
    QTest::newRow("mail, none given") << 1 << QString() << QStringLiteral("mailto:support@tallyo.example.org");
    QTest::newRow("mail, summary") << 1 << QStringLiteral("?subject=Tallyo%20summary&body=x")
                                   << QStringLiteral("mailto:?subject=Tallyo%20summary&body=x");
    QTest::newRow("mail, own scheme") << 1 << QStringLiteral("MAILTO:me@example.org")
                                      << QStringLiteral("MAILTO:me@example.org");
    QTest::newRow("web, none given") << 2 << QString() << QStringLiteral("http://www.tallyo.example.org");
    QTest::newRow("web, path") << 2 << QStringLiteral("www.tallyo.example.org/VersionInfo/x.pdf")
                               << QStringLiteral("http://www.tallyo.example.org/VersionInfo/x.pdf");
    QTest::newRow("web, https kept") << 2 << QStringLiteral("https://example.org/a")
                                     << QStringLiteral("https://example.org/a");
    QTest::newRow("web, port is no scheme") << 2 << QStringLiteral("localhost:8080/a")
                                            << QStringLiteral("http://localhost:8080/a");
}

void HelpersTest::webOrMailAddress()
{
    QFETCH(int, kind);
    QFETCH(QString, target);
    QTEST(tallyo::webOrMailAddress(kind, target), "address");
}

void HelpersTest::webOrMailOpensThroughShell()
{
    QVERIFY(OpenWebOrMail(OpenWeb));
    QCOMPARE(shell_->targets(RecordingShell::Kind::Url), QStringList{QStringLiteral("http://www.tallyo.example.org")});
}

void HelpersTest::webOrMailFailureSaysSo_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");  // left there for the user
    const QString noMail = QStringLiteral("No mail program was found\r\nto write this e-mail.\r\n\r\n");
    QTest::newRow("web page") << 2 << QString() << "Can not open Web Page"
                              << "No web browser was found\r\nto open this page.\r\n\r\n"
                                 "Open this address in a web browser:\r\nhttp://www.tallyo.example.org"
                              << "";
    QTest::newRow("summary") << 1
                             << "?subject=Tallyo%20summary%20report&body=Summary-%0D%0ABills%20%26%20Co%20100%25%0D%0A"
                             << "Can not open E-mail"
                             << noMail + "Its text has been copied to the clipboard:\r\npaste it into a new message"
                                         "\r\nwith the subject \"Tallyo summary report\"."
                             << "Summary-\nBills & Co 100%\n";
    QTest::newRow("support mailbox") << 1 << QString() << "Can not open E-mail"
                                     << noMail + "Write a new message to support@tallyo.example.org." << "";
}

void HelpersTest::webOrMailFailureSaysSo()
{
    QFETCH(int, kind);
    QFETCH(QString, target);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);
    QGuiApplication::clipboard()->clear();
    shell_->openResult = false;
    prompts_->expectMessage(title, text, {QStringLiteral("&Okay")}, 1).expectMessageKind(IconStop);
    QVERIFY(!OpenWebOrMail(kind, target));
    QCOMPARE(shell_->targets(RecordingShell::Kind::Url), QStringList{tallyo::webOrMailAddress(kind, target)});
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
}

void HelpersTest::manualFolders()
{
    const QStringList folders = tallyo::manualFolders(QStringLiteral("/opt/tallyo/bin"),
                                                      {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share"),
                                                       QStringLiteral("/usr/share/")});
    QCOMPARE(folders, (QStringList{QStringLiteral("/opt/tallyo/bin"), QStringLiteral("/opt/tallyo/share/tallyo"),
                                   QStringLiteral("/usr/local/share/tallyo"), QStringLiteral("/usr/share/tallyo")}));
}

void HelpersTest::findManual_data()
{
    QTest::addColumn<QStringList>("present"); // "folder/name" within the temporary folder
    QTest::addColumn<QString>("found");
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("upper case") << QStringList{QStringLiteral("a/Tallyo.PDF")} << QStringLiteral("a/Tallyo.PDF");
    QTest::newRow("lower case") << QStringList{QStringLiteral("a/Tallyo.pdf")} << QStringLiteral("a/Tallyo.pdf");
    QTest::newRow("in the second folder") << QStringList{QStringLiteral("b/Tallyo.pdf")} << QStringLiteral("b/Tallyo.pdf");
    QTest::newRow("first folder wins") << QStringList{QStringLiteral("b/Tallyo.PDF"), QStringLiteral("a/Tallyo.pdf")}
                                       << QStringLiteral("a/Tallyo.pdf");
    QTest::newRow("other names ignored") << QStringList{QStringLiteral("a/tallyo.pdf"), QStringLiteral("a/Manual.PDF")}
                                         << QString();
}

void HelpersTest::findManual()
{
    QFETCH(QStringList, present);
    QFETCH(QString, found);
    QTemporaryDir temp;
    QDir(temp.path()).mkpath(QStringLiteral("a"));
    QDir(temp.path()).mkpath(QStringLiteral("b"));
    for (const QString& file : present)
        QVERIFY(touch(temp.filePath(file)));
    const QString result = tallyo::findManual({temp.filePath(QStringLiteral("a")), temp.filePath(QStringLiteral("b"))});
    QCOMPARE(result, found.isEmpty() ? QString() : temp.filePath(found));
}

void HelpersTest::openManualMissing()
{
    QTemporaryDir empty;
    prompts_->expectMessage(manualTitle, manualText, manualButton, 1).expectMessageKind(IconExclamation);
    QVERIFY(!OpenManual(QStringList{empty.path()}));
    QVERIFY(shell_->requests.isEmpty());
}

void HelpersTest::openManualFound()
{
    QTemporaryDir temp;
    QVERIFY(touch(temp.filePath(QStringLiteral("Tallyo.PDF"))));
    QVERIFY(OpenManual(QStringList{temp.path()}));
    QCOMPARE(shell_->targets(RecordingShell::Kind::Document), QStringList{temp.filePath(QStringLiteral("Tallyo.PDF"))});
}

void HelpersTest::openManualRefusedByShell()
{
    QTemporaryDir temp;
    QVERIFY(touch(temp.filePath(QStringLiteral("Tallyo.PDF"))));
    shell_->openResult = false;
    // No viewer: the message gives the file to open by hand.
    prompts_->expectMessage(manualTitle,
                            QStringLiteral("The Tallyo manual\r\n(in PDF format) can not be opened:\r\n"
                                           "no program to show PDF files was found.\r\n\r\n"
                                           "Open this file with a PDF viewer:\r\n")
                                + temp.filePath(QStringLiteral("Tallyo.PDF")),
                            manualButton, 0)
        .expectMessageKind(IconExclamation);
    QVERIFY(!OpenManual(QStringList{temp.path()}));
}

void HelpersTest::busyIsIdempotent()
{
    QWidget window;
    SetBusy(window, true);
    SetBusy(window, true);
    QVERIFY(!window.isEnabled());
    QVERIFY(QApplication::overrideCursor());
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetBusy(window, false);
    QVERIFY(window.isEnabled());
    QVERIFY(!QApplication::overrideCursor()); // one "not busy" ends it
    SetBusy(window, false);
    QVERIFY(!QApplication::overrideCursor());
}

void HelpersTest::tileRepeatsPicture()
{
    QVERIFY(!BackgroundPicture().isNull());

    // Four coloured quarters, so that a misplaced tile shows.
    QPixmap picture(20, 10);
    {
        QPainter painter(&picture);
        painter.fillRect(0, 0, 10, 5, Qt::red);
        painter.fillRect(10, 0, 10, 5, Qt::green);
        painter.fillRect(0, 5, 10, 5, Qt::blue);
        painter.fillRect(10, 5, 10, 5, Qt::yellow);
    }
    QWidget window;
    window.resize(55, 27);
    TileBackground(picture, window);
    const QImage shown = window.grab().toImage();
    const QImage tile = picture.toImage();
    for (int y = 0; y < shown.height(); y += 3)
        for (int x = 0; x < shown.width(); x += 3)
            QCOMPARE(shown.pixel(x, y), tile.pixel(x % 20, y % 10));
}

void HelpersTest::pressKeyQueuesPressAndRelease()
{
    KeyRecorder recorder;
    PressKey(Qt::Key_F4, &recorder);
    QVERIFY(recorder.keys.isEmpty()); // queued, as if typed
    QCoreApplication::processEvents();
    using Key = QPair<QEvent::Type, int>;
    QCOMPARE(recorder.keys, (QList<Key>{{QEvent::KeyPress, Qt::Key_F4}, {QEvent::KeyRelease, Qt::Key_F4}}));

}

void HelpersTest::pressKeyGoesToTheFocus()
{
    KeyRecorder recorder;
    recorder.setFocusPolicy(Qt::StrongFocus);
    recorder.show();
    recorder.activateWindow();
    if (!QTest::qWaitForWindowActive(&recorder))
        QSKIP("this platform does not activate windows");
    recorder.setFocus();
    PressKey(Qt::Key_F4);
    QTRY_COMPARE(recorder.keys.size(), 2);
    QCOMPARE(recorder.keys.last(), qMakePair(QEvent::KeyRelease, int(Qt::Key_F4)));
}

void HelpersTest::printingToAFileIsTold()
{
    // A surface that printed to paper says nothing; one that saved a PDF
    // names the file.
    struct Surface : RecordingSurface {
        QString file;
        QString savedFile() const override { return file; }
    } surface;
    TellWherePrintingWent(surface);
    QCOMPARE(prompts_->messages().size(), 0);

    surface.file = QStringLiteral("/home/me/Documents/Tallyo 2026-12-08 10-00-00.pdf");
    prompts_->expectMessage(QStringLiteral("Printed to a file"),
                            QStringLiteral("No printer is installed, so the pages were saved as\r\n")
                                + surface.file,
                            {QStringLiteral("&Okay")}, 1);
    TellWherePrintingWent(surface);
}

TALLYO_TEST(HelpersTest)
#include "helpers.moc"
