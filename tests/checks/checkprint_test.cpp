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

    // A payee reaching past the figures' column pushes the figures to the
    // next line; the words and comment keep their rows.
    void longPayeePushesTheFigures()
    {
        const QString payee = QStringLiteral("The Very Long Named Municipal Water And Sewer Co.");
        RecordingSurface surface;
        PrintCheck(surface, textsOf(payee), CheckLayout{2, 60, 4, 50, 6, 10, 6, 40, 9, 5, 11, 8}, {true, true});
        TALLYO_COMPARE_TRANSCRIPT(surface.transcript(), QStringLiteral("check-long-payee"));
        const QStringList places = placesOf(surface);
        QCOMPARE(places[2], payee + QStringLiteral("@10,7"));
        QCOMPARE(places[3], QStringLiteral("1,234.56@40,8"));
        QVERIFY(places[4].endsWith(QStringLiteral("@5,10")));
        QVERIFY(places[5].endsWith(QStringLiteral("@8,12")));
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
