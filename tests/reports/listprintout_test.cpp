// The printed list on the recording surface (a character is half the font
// size wide, a line 1.2 times the font size high), compared with stored
// transcripts, and the "Print Option" question.
#include "reportrows.h"
#include "scriptedprompts.h"
#include "testrunner.h"
#include "transcript.h"

#include "platform/platform.h"
#include "platform/recordingsurface.h"
#include "reports/listprintout.h"
#include "util/formats.h"

#include <QRegularExpression>
#include <QTest>

using namespace tallyo;
using namespace reportrows;

namespace {

const QDateTime PrintedAt(QDate(2026, 12, 8), QTime(14, 5, 30));

ListPrintout listOf(const RegisterRows& rows, bool comments = false)
{
    ListPrintout list;
    list.rows = &rows;
    list.accountCaption = QStringLiteral("  Account of Household  ");
    list.balanceCaption = QStringLiteral("1,234.56");
    list.dateFormat = QStringLiteral("mm/dd/yy");
    list.printedAt = PrintedAt;
    list.comments = comments;
    return list;
}

QList<Transaction> shortList()
{
    return {
        beginningBalance(1000),
        transaction(on(2026, 3, 2), "1001", -25.5, true, "Corner Shop"),
        withComment(transaction(on(2026, 3, 3), "Deposit", 1200, false, "Employer"), "March salary"),
        transaction(on(2026, 3, 4), "VOID", 0, false, "Spoiled check"),
        withComment(transaction(on(2026, 3, 5), "ATM Cash", -60, true, "Bank"), "   "),
    };
}

qint32 print(RecordingSurface& surface, const RegisterRows& rows, bool comments = false)
{
    return PrintListPages(surface, listOf(rows, comments), rows[0].date, rows[rows.size() - 1].date);
}

// The page headers' first lines, in order.
QStringList headerLines(const RecordingSurface& surface)
{
    QStringList found;
    for (const PrintedPiece& piece : surface.pieces()) {
        if (piece.text.startsWith(QStringLiteral("Tallyo Printout")))
            found << QStringLiteral("%1:%2").arg(piece.page).arg(piece.text);
    }
    return found;
}

const PrintedPiece* pieceWith(const RecordingSurface& surface, const QString& text)
{
    for (const PrintedPiece& piece : surface.pieces()) {
        if (piece.text == text)
            return &piece;
    }
    return nullptr;
}

}

class PrintedListTest : public QObject {
    Q_OBJECT

private slots:
    void transcripts_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("comments");
        QTest::addColumn<QString>("name");
        QTest::newRow("normal view") << int(NormalView) << false << "list-normal";
        QTest::newRow("normal view with comments") << int(NormalView) << true << "list-normal-comments";
        QTest::newRow("reconcile view") << int(ReconcileView) << false << "list-reconcile";
        QTest::newRow("search view with comments") << int(SearchView) << true << "list-search";
    }
    void transcripts()
    {
        QFETCH(int, view);
        QFETCH(bool, comments);
        QFETCH(QString, name);
        QList<Transaction> list = shortList();
        if (view != NormalView)
            list.removeFirst();  // only the normal view lists the beginning balance
        const RegisterRows rows = rowsOf(list, view);
        RecordingSurface surface;
        QCOMPARE(print(surface, rows, comments), rows.size());
        QCOMPARE(surface.documentsEnded(), 1);
        QCOMPARE(surface.pagesStarted(), 0);
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), name);
    }

    void threePagesRepeatHeadersAndCountPages()
    {
        const RegisterRows rows = rowsOf(longList(100));
        RecordingSurface surface;
        QCOMPARE(print(surface, rows, true), 101);
        QCOMPARE(surface.pagesStarted(), 2);
        QCOMPARE(headerLines(surface),
                 (QStringList{"1:Tallyo Printout -- 12/08/26 14:05 -- Page 1",
                              "2:Tallyo Printout -- 12/08/26 14:05 -- Page 2",
                              "3:Tallyo Printout -- 12/08/26 14:05 -- Page 3"}));
        for (int page = 1; page <= 3; ++page) {
            const QStringList texts = surface.textsOnPage(page);
            QVERIFY(texts.contains(QStringLiteral("Account of Household")));
            QVERIFY(texts.contains(QStringLiteral("(dates from 01/05/26 to 02/23/26)")));
            QVERIFY(texts.contains(QStringLiteral("Payee/Creditor")));
            QVERIFY(texts.contains(QStringLiteral("Balance")));
        }
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("list-three-pages"));
    }

    void linesStopAtThePageBottom()
    {
        const RegisterRows rows = rowsOf(longList(120));
        RecordingSurface surface;
        print(surface, rows, true);
        // Every row starts above the bottom; a page breaks after the line
        // that passed 8.8 inches.
        for (const PrintedPiece& piece : surface.pieces()) {
            if (piece.text.startsWith(QStringLiteral("End of Printout")) || piece.text.startsWith(QStringLiteral("Total Debit")))
                continue;
            QVERIFY2(piece.y <= 8.8 + 0.15 + 1e-9, qPrintable(piece.text));
            QVERIFY(piece.y >= 1.0 - 1e-9);
        }
    }

    void columnsStandWhereStated()
    {
        const RegisterRows rows = rowsOf(shortList());
        RecordingSurface surface;
        print(surface, rows);
        const PrintedPiece* date = pieceWith(surface, QStringLiteral("03/02/26  *"));
        QVERIFY(date);
        QCOMPARE(date->x, 0.8);
        const PrintedPiece* amount = pieceWith(surface, QStringLiteral("-25.50"));
        QVERIFY(amount);
        QCOMPARE(amount->x + 6 * 9 * RecordingSurface::WidthFactor / 72.0, 6.1);
        const PrintedPiece* balance = pieceWith(surface, QStringLiteral("974.50"));
        QVERIFY(balance);
        QCOMPARE(balance->x + 6 * 9 * RecordingSurface::WidthFactor / 72.0, 7.2);
        QVERIFY(pieceWith(surface, QStringLiteral("     ---")));
        QCOMPARE(pieceWith(surface, QStringLiteral("ATM Cash    "))->x, 1.5);
        QCOMPARE(pieceWith(surface, QStringLiteral("Corner Shop"))->x, 2.4);
        QCOMPARE(pieceWith(surface, QStringLiteral("Corner Shop"))->font.size, 9.0);
        QCOMPARE(pieceWith(surface, QStringLiteral("Corner Shop"))->font.name, QStringLiteral("Arial"));
    }

    void closingLinesCountPrintedItemsAndTotals()
    {
        const RegisterRows rows = rowsOf(shortList());
        RecordingSurface surface;
        // From the deposit's day to the void's: two of five rows.
        QCOMPARE(PrintListPages(surface, listOf(rows), on(2026, 3, 3), StoredFromDate(QDate(2026, 3, 4))), 2);
        const QStringList texts = surface.textsOnPage(1);
        QVERIFY(texts.contains(QStringLiteral("End of Printout -- 2 items in this list.")));
        QVERIFY(texts.contains(
            QStringLiteral("Total Debit: 0.00  Total Credit: 1,200.00  Current Balance: 1,234.56")));
        // The ending day counts whole, whatever the time of its entries.
        QVERIFY(texts.contains(QStringLiteral("Spoiled check")));
        QVERIFY(!texts.contains(QStringLiteral("Bank")));
        QVERIFY(!texts.contains(QStringLiteral("Corner Shop")));
    }

    // The header names the first and last day asked for; a whole list,
    // which starts at the beginning balance's placeholder date, names the
    // first dated row it prints.
    void headerNamesTheDaysAskedFor_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<double>("start");  // 0: the first row's date
        QTest::addColumn<double>("end");
        QTest::addColumn<QString>("header");
        const double end = on(2026, 3, 5);
        QTest::newRow("whole list") << int(NormalView) << 0.0 << end << "(dates from 03/02/26 to 03/05/26)";
        QTest::newRow("range") << int(NormalView) << on(2026, 3, 3) << on(2026, 3, 4)
                               << "(dates from 03/03/26 to 03/04/26)";
        QTest::newRow("range from a day without rows") << int(NormalView) << on(2026, 3, 1) << end
                                                      << "(dates from 03/01/26 to 03/05/26)";
        QTest::newRow("search view with the beginning balance") << int(SearchView) << 0.0 << end
                                                               << "(dates from 03/02/26 to 03/05/26)";
        QTest::newRow("reconcile range") << int(ReconcileView) << on(2026, 3, 4) << end
                                         << "(dates from 03/04/26 to 03/05/26)";
        QTest::newRow("only the beginning balance") << int(NormalView) << 0.0 << 1.0
                                                   << "(dates from 12/31/99 to 12/31/99)";
    }
    void headerNamesTheDaysAskedFor()
    {
        QFETCH(int, view);
        QFETCH(double, start);
        QFETCH(double, end);
        QList<Transaction> list = shortList();
        if (view == ReconcileView)
            list.removeFirst();
        const RegisterRows rows = rowsOf(list, view);
        RecordingSurface surface;
        PrintListPages(surface, listOf(rows), start == 0.0 ? rows[0].date : start, end);
        QTEST(surface.textsOnPage(1).value(2), "header");
    }

    void rangeOfTheBeginningBalanceOnly()
    {
        const RegisterRows rows = rowsOf(shortList());
        RecordingSurface surface;
        QCOMPARE(PrintListPages(surface, listOf(rows), 1.0, 1.0), 1);
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("list-beginning-only"));
    }

    void printOptionAnswers_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("expected");  // 1 comments, 0 none, -1 cancelled
        QTest::newRow("comments") << 1 << 1;
        QTest::newRow("no comments") << 2 << 0;
        QTest::newRow("cancel") << 3 << -1;
        QTest::newRow("closed") << 0 << -1;
    }
    void printOptionAnswers()
    {
        QFETCH(int, button);
        QFETCH(int, expected);
        test::ScriptedPrompts prompts;
        platform().prompts = &prompts;
        prompts
            .expectMessage(QStringLiteral("Print Option"), QStringLiteral("Do you want to print any associated comments also?"),
                           {QStringLiteral("&Yes, include comments"), QStringLiteral("&No"),
                            QStringLiteral("&Cancel this print request")},
                           button)
            .expectMessageKind(IconQuestion);
        const std::optional<bool> answer = AskPrintOption();
        QCOMPARE(answer.has_value() ? int(*answer) : -1, expected);
        QCOMPARE(prompts.messages().value(0).defaultButton, 2);
        prompts.verifyDone();
        platform().prompts = nullptr;
    }
};

TALLYO_TEST(PrintedListTest)
#include "listprintout_test.moc"
