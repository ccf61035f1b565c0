// A check's texts and its printing on the recording surface (a character
// column is 100 twips wide, a line 240 twips high in Arial 10): each field
// on its row and at its column, the two choices, a payee that runs into the
// figures' column, and the printer's unit put back afterwards.
#include "testrunner.h"
#include "transcript.h"

#include "checks/checkprint.h"
#include "platform/recordingsurface.h"
#include "store/fileerror.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;

Q_DECLARE_METATYPE(tallyo::CheckLayout)

namespace {

const CurrencyWords Dollars{QStringLiteral("$"), QStringLiteral("Dollars"), QStringLiteral("Cents")};

// Rows 2, 4, 6, 6, 8, 10.
constexpr CheckLayout Layout{2, 60, 4, 50, 6, 10, 6, 62, 8, 5, 10, 8};

TransactionRecord checkTransaction(const QString& payee, const QString& comment)
{
    TransactionRecord t;
    t.AccountKey = QStringLiteral("20260101090000");
    t.TransactionDate = StoredFromDate(QDate(2021, 3, 5));
    t.TransactionType = QStringLiteral("1042        ");
    t.Payee = payee.leftJustified(TransactionRecord::PayeeWidth);
    t.Amount = -12345600;
    t.Comment = comment.leftJustified(TransactionRecord::CommentWidth);
    return t;
}

CheckTexts textsOf(const QString& payee = QStringLiteral("City Water Works"),
                   const QString& comment = QStringLiteral("Water bill for the first quarter of the year"))
{
    return CheckTextsFor(checkTransaction(payee, comment), QStringLiteral("Household Checking"), 1, Dollars);
}

// "text@column,line" of every printed piece, columns and lines from 1.
QStringList placesOf(const RecordingSurface& surface)
{
    QStringList places;
    for (const PrintedPiece& piece : surface.pieces())
        places << QStringLiteral("%1@%2,%3").arg(piece.text.trimmed()).arg(qRound(piece.x / 100) + 1).arg(qRound(piece.y / 240) + 1);
    return places;
}

class FailingSurface : public RecordingSurface {
protected:
    void finishDocument() override
    {
        throw FileError(QStringLiteral("Printer"), QStringLiteral("print to"), QStringLiteral("out of paper"));
    }
};

}

class CheckPrintTest : public QObject {
    Q_OBJECT

private slots:
    void longDates_data()
    {
        QTest::addColumn<int>("dateDisplay");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1") << 1 << "March 5, 2021";
        QTest::newRow("2") << 2 << "5 March, 2021";
        QTest::newRow("3") << 3 << "2021, 5 March";
        QTest::newRow("4") << 4 << "2021, March 5";
    }

    void longDates()
    {
        QFETCH(int, dateDisplay);
        QFETCH(QString, expected);
        QCOMPARE(CheckTextsFor(checkTransaction("A", ""), "B", dateDisplay, Dollars).longDate, expected);
        // The display values name the choice by its short format.
        QCOMPARE(DateDisplayOfFormat(DateFormatFor(dateDisplay)), dateDisplay);
    }

    void unknownDateFormatShowsTheFirstPattern()
    {
        QCOMPARE(DateDisplayOfFormat(QString()), 1);
        QCOMPARE(DateDisplayOfFormat(QStringLiteral("dd.mm.yyyy")), 1);
    }

    void texts()
    {
        const CheckTexts texts = textsOf(QStringLiteral("  City Water Works  "));
        QCOMPARE(texts.accountName, QStringLiteral("Household Checking"));
        QCOMPARE(texts.checkNumber, QStringLiteral("1042        "));
        QCOMPARE(texts.payee, QStringLiteral("City Water Works"));
        QCOMPARE(texts.figures, QStringLiteral("1,234.56"));
        QCOMPARE(texts.words, QStringLiteral("One Thousand Two Hundred Thirty Four Dollars & 56 Cents"));
        QCOMPARE(texts.comment, QStringLiteral("Water bill for the first quarter"));
        QCOMPARE(texts.comment.size(), PreviewCommentLength);
        QCOMPARE(PrintedComment(texts), QStringLiteral("Water bill for the first qua"));
        QVERIFY(textsOf(QStringLiteral("X"), QStringLiteral("   ")).comment.isEmpty());
    }

    void printsEveryField()
    {
        RecordingSurface surface;
        PrintCheck(surface, textsOf(), Layout, {true, true});
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("check-all-fields"));
        QCOMPARE(placesOf(surface), (QStringList{"1042@60,3", "March 5, 2021@50,5", "City Water Works@10,7",
                                                 "1,234.56@62,7",
                                                 "One Thousand Two Hundred Thirty Four Dollars & 56 Cents@5,9",
                                                 "Water bill for the first qua@8,11"}));
        QCOMPARE(surface.scaleUnit(), ScaleUnit::Inches);
        QCOMPARE(surface.documentsEnded(), 1);
        for (const PrintedPiece& piece : surface.pieces()) {
            QCOMPARE(piece.unit, ScaleUnit::Twips);
            QCOMPARE(piece.font, (PrintFont{QStringLiteral("Arial"), 10, true, false, false}));
        }
    }

    // Leaving out the check number or the comment moves no other field.
    void choicesMoveNothingElse_data()
    {
        QTest::addColumn<bool>("number");
        QTest::addColumn<bool>("comment");
        QTest::newRow("no number") << false << true;
        QTest::newRow("no comment") << true << false;
        QTest::newRow("neither") << false << false;
    }

    void choicesMoveNothingElse()
    {
        QFETCH(bool, number);
        QFETCH(bool, comment);
        RecordingSurface all;
        PrintCheck(all, textsOf(), Layout, {true, true});
        QStringList expected = placesOf(all);
        if (!comment)
            expected.removeLast();
        if (!number)
            expected.removeFirst();
        RecordingSurface surface;
        PrintCheck(surface, textsOf(), Layout, {number, comment});
        QCOMPARE(placesOf(surface), expected);
    }

    void noCommentPrintsNoComment()
    {
        RecordingSurface surface;
        PrintCheck(surface, textsOf(QStringLiteral("A"), QString()), Layout, {false, true});
        QCOMPARE(placesOf(surface).size(), 4);
    }

    // The printed line of each field (check number, date, payee, figures,
    // words, comment; the page's first line is 1). A field pushed down a
    // line by the text before it on its row takes the fields after it down
    // too, so no two fields meet on a line unless the layout puts them there.
    void fieldsFlowDownTheCheck_data()
    {
        QTest::addColumn<CheckLayout>("layout");
        QTest::addColumn<int>("payeeLength");  // characters; a column is one character
        QTest::addColumn<QList<int>>("lines");
        const CheckLayout sharedRow{2, 60, 4, 50, 6, 10, 6, 30, 7, 5, 9, 8};
        QTest::newRow("payee and figures share their row") << sharedRow << 16 << QList<int>{3, 5, 7, 7, 8, 10};
        QTest::newRow("payee ending a column short of the figures") << sharedRow << 19 << QList<int>{3, 5, 7, 7, 8, 10};
        QTest::newRow("payee one past: the rest move down") << sharedRow << 21 << QList<int>{3, 5, 7, 8, 9, 11};
        QTest::newRow("words far below still move down")
            << CheckLayout{2, 60, 4, 50, 6, 10, 6, 40, 9, 5, 11, 8} << 50 << QList<int>{3, 5, 7, 8, 11, 13};
        QTest::newRow("words right of the pushed figures")
            << CheckLayout{2, 60, 4, 50, 6, 8, 6, 30, 7, 40, 9, 8} << 50 << QList<int>{3, 5, 7, 8, 9, 11};
        QTest::newRow("figures on a row of their own")
            << CheckLayout{2, 60, 4, 50, 6, 8, 7, 30, 8, 5, 9, 8} << 50 << QList<int>{3, 5, 7, 8, 9, 10};
    }

    void fieldsFlowDownTheCheck()
    {
        QFETCH(CheckLayout, layout);
        QFETCH(int, payeeLength);
        QFETCH(QList<int>, lines);
        const CheckTexts texts = textsOf(QStringLiteral("Water Works ").repeated(5).left(payeeLength));
        QCOMPARE(texts.payee.size(), payeeLength);
        RecordingSurface surface;
        PrintCheck(surface, texts, layout, {true, true});
        const QList<PrintedPiece>& pieces = surface.pieces();
        QCOMPARE(pieces.size(), 6);
        QList<int> printed;
        for (const PrintedPiece& piece : pieces)
            printed << qRound(piece.y / 240) + 1;
        QCOMPARE(printed, lines);
        for (int field = 0; field < 6; ++field)
            QCOMPARE(qRound(pieces[field].x / 100) + 1, int(layout[std::size_t(2 * field + 1)]));
    }

    // The transcript of a pushed check, as the printer gets it.
    void longPayeeTranscript()
    {
        const QString payee = QStringLiteral("The Very Long Named Municipal Water And Sewer Co.");
        RecordingSurface surface;
        PrintCheck(surface, textsOf(payee), CheckLayout{2, 60, 4, 50, 6, 10, 6, 40, 9, 5, 11, 8}, {true, true});
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("check-long-payee"));
    }

    void failingPrinterStillGivesInchesBack()
    {
        FailingSurface surface;
        QVERIFY_THROWS_EXCEPTION(FileError, PrintCheck(surface, textsOf(), Layout, {true, true}));
        QCOMPARE(surface.scaleUnit(), ScaleUnit::Inches);
    }
};

TALLYO_TEST(CheckPrintTest)
#include "checkprint_test.moc"
