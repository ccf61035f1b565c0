// The reports from the register window: F3 and the summary's three
// buttons, the print menu with its question and a failing printer, and the
// graph window with its captions and "No data".
#include "modalwindows.h"
#include "reportrows.h"
#include "../register/registerwindow.h"
#include "recordingshell.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "windowseams.h"

#include "index/accountmaintenance.h"
#include "index/currentaccount.h"
#include "platform/platform.h"
#include "platform/recordingsurface.h"
#include "register/frmAccount.h"
#include "register/registeractions.h"
#include "register/registerstate.h"
#include "reports/ReportActions.h"
#include "reports/frmGraph.h"
#include "shell/appsettings.h"
#include "shell/navigation.h"
#include "store/fileerror.h"
#include "util/WindowHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tallyo;
using namespace reportrows;
using tallyo::test::ScriptedPrompts;

namespace {

// What the surfaces of the program's printouts recorded before they went
// away.
struct Printouts {
    int surfaces = 0;
    int documents = 0;
    QString transcript;
    QList<PrintedPiece> pieces;
};

class KeptSurface : public RecordingSurface {
public:
    explicit KeptSurface(Printouts& into) : into_(into) { ++into_.surfaces; }
    ~KeptSurface() override
    {
        into_.documents += documentsEnded();
        into_.transcript += transcript();
        into_.pieces += pieces();
    }

private:
    Printouts& into_;
};

// A printer that refuses the document at its first text.
class OfflineSurface : public RecordingSurface {
protected:
    void drawText(double, double, const QString&, const PrintFont&) override
    {
        throw FileError(QStringLiteral("Office printer"), QStringLiteral("print to"),
                        QStringLiteral("The printer did not accept the document."));
    }
};

QList<Transaction> household()
{
    return {beginningBalance(1000), transaction(on(2026, 3, 2), "1001", -25.5, true, "Corner Shop"),
            withComment(transaction(on(2026, 3, 3), "Deposit", 1200, false, "Employer"), "March salary"),
            transaction(on(2026, 3, 4), "VOID", 0, false, "Spoiled check"),
            transaction(on(2026, 4, 5), "ATM Cash", -60, true, "Bank")};
}

const QStringList SummaryButtons{QStringLiteral("&Print this summary"), QStringLiteral("&Email this summary"),
                                 QStringLiteral("&Return to the Account Register")};

}

class ReportWindowsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowSeams> seams_;
    ScriptedPrompts* prompts_ = nullptr;
    Printouts printouts_;

    frmAccount* open(const QList<Transaction>& transactions)
    {
        return registerdata::openRegister(transactions);
    }

    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Runs `inspect` on the modal graph window once it is up and drawn,
    // then closes it with Esc (the shared way out closes it when a check
    // fails).
    static void whenGraphShows(const std::function<void(frmGraph&)>& inspect)
    {
        test::whenShown<frmGraph>(
            [inspect](frmGraph& graph) {
                inspect(graph);
                QTest::keyClick(&graph, Qt::Key_Escape);
            },
            [](frmGraph& graph) { return graph.isDrawn(); });
    }

private slots:
    void init()
    {
        seams_ = std::make_unique<test::WindowSeams>(QDateTime(QDate(2024, 1, 1), QTime(12, 0, 0)));
        prompts_ = &seams_->prompts;
        printouts_ = Printouts();
        platform().newPageSurface = [this] { return std::make_unique<KeptSurface>(printouts_); };
        navigation() = Navigation();
        navigation().showAccountIndex = [] {};
        ResetCurrentAccount();
        ResetRegisterState();
        ResetRegisterActions();
        ResetDisplayValues();
        LoadDisplayValues();
        InstallReportActions();
    }

    void cleanup()
    {
        if (frmAccount* window = RegisterWindow())
            window->close();
        settle();
        navigation() = Navigation();
        ResetRegisterActions();
        platform().newPageSurface = nullptr;
        seams_.reset();
    }

    void summaryOpensWithF3_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("return") << 3;
        QTest::newRow("closed") << 0;
    }
    void summaryOpensWithF3()
    {
        QFETCH(int, button);
        frmAccount* window = open(household());
        QVERIFY(window);
        prompts_->expectMessage(QStringLiteral("Tallyo - Text Summary"), button).expectMessageKind(IconInformation);
        QTest::keyClick(window->grid, Qt::Key_F3);
        QVERIFY(prompts_->verifyDone());
        const MessageRequest& shown = prompts_->messages().last();
        QCOMPARE(shown.captions, SummaryButtons);
        QCOMPARE(shown.defaultButton, 2);
        QVERIFY(shown.text.startsWith(QStringLiteral("Date - 01/01/24\r\n\r\nSummary-\r\nAccount of Household\r\n")));
        QVERIFY(shown.text.contains(QStringLiteral("Total number of transactions in this summary 5\r\n")));
        QVERIFY(shown.text.contains(QStringLiteral("Current account balance as of this summary 2,114.50\r\n")));
        QVERIFY(shown.text.contains(QStringLiteral("1 Regular or Electronic checks (25.50)\r\n")));
        QCOMPARE(printouts_.surfaces, 0);
        QVERIFY(seams_->shell.requests.isEmpty());
        QVERIFY(window->isEnabled());
    }

    void summaryPrints()
    {
        frmAccount* window = open(household());
        QVERIFY(window);
        prompts_->expectMessage(QStringLiteral("Tallyo - Text Summary"), 1);
        QTest::keyClick(window->grid, Qt::Key_F3);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(printouts_.documents, 1);
        QVERIFY(!printouts_.pieces.isEmpty());
        const PrintedPiece& first = printouts_.pieces.first();
        QCOMPARE(first.text, QStringLiteral("Date - 01/01/24"));
        QCOMPARE(first.x, 2.0);
        QCOMPARE(first.y, 1.0);
        QCOMPARE(first.font.name, QStringLiteral("Arial"));
        QCOMPARE(first.font.size, 10.0);
        QVERIFY(window->isEnabled());
    }

    void summaryMails()
    {
        frmAccount* window = open(household());
        QVERIFY(window);
        prompts_->expectMessage(QStringLiteral("Tallyo - Text Summary"), 2);
        QTest::keyClick(window->grid, Qt::Key_F3);
        QVERIFY(prompts_->verifyDone());
        const QStringList urls = seams_->shell.targets(test::RecordingShell::Kind::Url);
        QCOMPARE(urls.size(), 1);
        QVERIFY(urls.first().startsWith(
            QStringLiteral("mailto:?subject=Tallyo%20summary%20report&body=Summary-%0D%0AAccount%20of%20Household%0D%0A")));
        QCOMPARE(printouts_.surfaces, 0);
    }

    void printMenuAsksThenPrintsTheWholeList_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<bool>("comment");
        QTest::newRow("with comments") << 1 << true << true;
        QTest::newRow("without comments") << 2 << true << false;
        QTest::newRow("cancelled") << 3 << false << false;
    }
    void printMenuAsksThenPrintsTheWholeList()
    {
        QFETCH(int, answer);
        QFETCH(bool, printed);
        QFETCH(bool, comment);
        frmAccount* window = open(household());
        QVERIFY(window);
        prompts_->expectMessage(QStringLiteral("Print Option"), answer);
        window->menuPrint_Click(1);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(printouts_.documents, printed ? 1 : 0);
        QCOMPARE(printouts_.transcript.contains(QStringLiteral("End of Printout -- 5 items in this list.")), printed);
        QCOMPARE(printouts_.transcript.contains(QStringLiteral("\"March salary\"")), comment);
        QCOMPARE(printouts_.transcript.contains(QStringLiteral("Current Balance: 2,114.50")), printed);
        QVERIFY(window->isEnabled());
    }

    void printMenuPrintsARangeOfDates()
    {
        frmAccount* window = open(household());
        QVERIFY(window);
        prompts_->expectInput(QStringLiteral("Print List - Starting Date"), QStringLiteral("03/03/26"))
            .expectInput(QStringLiteral("Print List - Ending Date"), QStringLiteral("03/04/26"))
            .expectMessage(QStringLiteral("Print Option"), 1);
        window->menuPrint_Click(2);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(printouts_.documents, 1);
        // Both days whole, whatever the time of day the entries carry.
        QVERIFY(printouts_.transcript.contains(QStringLiteral("End of Printout -- 2 items in this list.")));
        QVERIFY(printouts_.transcript.contains(QStringLiteral("\"Spoiled check\"")));
        QVERIFY(printouts_.transcript.contains(QStringLiteral("\"March salary\"")));
        QVERIFY(!printouts_.transcript.contains(QStringLiteral("\"Corner Shop\"")));
    }

    void printerFailureIsOneMessageAndTheRegisterGoesOn()
    {
        platform().newPageSurface = [] { return std::make_unique<OfflineSurface>(); };
        frmAccount* window = open(household());
        QVERIFY(window);
        prompts_->expectMessage(QStringLiteral("Print Option"), 2);
        prompts_->expectMessage(QStringLiteral("File error"), 1).expectMessageKind(IconStop);
        window->menuPrint_Click(1);
        QVERIFY(prompts_->verifyDone());
        QCOMPARE(prompts_->messages().last().text,
                 QStringLiteral("Could not print to Office printer:\r\nThe printer did not accept the document."));
        QVERIFY(window->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        // And the register still answers its keys.
        prompts_->expectMessage(QStringLiteral("Tallyo - Text Summary"), 3);
        QTest::keyClick(window->grid, Qt::Key_F3);
        QVERIFY(prompts_->verifyDone());
    }

    void graphWindowShowsItsKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("high");
        QTest::newRow("xy") << 1 << "XY graph analysis - credit/debit values" << "1,200.00";
        QTest::newRow("bars") << 2 << "Vertical Bar graph analysis - credit/debit values" << "1,200.00";
        QTest::newRow("points") << 3 << "Scatter Point graph analysis - credit/debit values" << "1,200.00";
        QTest::newRow("balance") << 5 << "Account Balance graph analysis" << "2,174.50";
    }
    void graphWindowShowsItsKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, high);
        frmAccount* window = open(household());
        QVERIFY(window);
        QString seenTitle, seenHigh, seenRange, seenName;
        whenGraphShows([&](frmGraph& graph) {
            seenTitle = graph.windowTitle();
            seenHigh = graph.labelHighAmount->text();
            seenRange = graph.labelDateRange->text();
            seenName = graph.lblAccountName->text();
            QCOMPARE(graph.size(), QSize(ScreenTwips().toPixels(10815), ScreenTwips().toPixels(7845)));
        });
        window->menuGraph_Click(kind);
        QCOMPARE(seenTitle, title);
        QCOMPARE(seenHigh, high);
        QCOMPARE(seenRange, QStringLiteral("03/02/26 to 04/05/26"));
        QCOMPARE(seenName, QStringLiteral("Account of Household"));
        settle();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void graphOfNothingSaysNoData()
    {
        frmAccount* window = open({beginningBalance(500), transaction(on(2026, 3, 2), "VOID", 0),
                                   transaction(on(2026, 3, 3), "Deposit", 0.4),
                                   transaction(on(2026, 3, 4), "1001", -0.25)});
        QVERIFY(window);
        prompts_->expectMessage(QStringLiteral("No data"), QStringLiteral("There is no data available to graph!"),
                                {QStringLiteral("&Return to the Account Register")}, 1)
            .expectMessageKind(IconStop);
        window->menuGraph_Click(2);
        QVERIFY(prompts_->verifyDone());
        settle();
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(window->isEnabled());
    }

    // F1 opens the manual only unmodified; here it cannot, which shows a message.
    void graphManualKeyActsOnlyUnmodified()
    {
        frmGraph graph(1);
        seams_->shell.openResult = false;
        QTest::keyClick(&graph, Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(&graph, Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(prompts_->verifyDone());
        prompts_->expectMessage(QStringLiteral("Can not open Tallyo Manual"), 1);
        QTest::keyClick(&graph, Qt::Key_F1);
        QVERIFY(prompts_->verifyDone());
    }
};

TALLYO_TEST(ReportWindowsTest)
#include "reportwindows_test.moc"
