// The entry rules without a window: both ways of typing an amount, the type
// box's accepted texts and stored forms, and the record that is built.
#include "testrunner.h"

#include "entry/amountentry.h"
#include "entry/entrysave.h"
#include "entry/typeentry.h"

#include <QTest>

using namespace tallyo;

class EntryRulesTest : public QObject {
    Q_OBJECT

private slots:
    void rightToLeftFollowsTheKeys_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("keys");  // "<" stands for Backspace
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("digits enter at the cents end")
            << QString() << "1234" << QStringList{"0.01", "0.12", "1.23", "12.34"};
        QTest::newRow("backspace and point take a digit off")
            << QString() << "1234<.<" << QStringList{"0.01", "0.12", "1.23", "12.34", "1.23", "0.12", "0.01"};
        QTest::newRow("down to nothing leaves the box empty")
            << QString() << "5<<" << QStringList{"0.05", "", ""};
        QTest::newRow("zeros alone show nothing") << QString() << "007" << QStringList{"", "", "0.07"};
        QTest::newRow("an existing amount goes on") << "1,234.56" << "7" << QStringList{"12,345.67"};
        QTest::newRow("a letter is refused") << "1.00" << "x" << QStringList{"1.00"};
        QTest::newRow("ten million and more can be typed")
            << "9,999,999.99" << "9" << QStringList{"99,999,999.99"};
        QTest::newRow("eleven digits reach the largest amount")
            << QString() << "999999999999"
            << QStringList{"0.09", "0.99", "9.99", "99.99", "999.99", "9,999.99", "99,999.99", "999,999.99",
                           "9,999,999.99", "99,999,999.99", "999,999,999.99", "999,999,999.99"};
        QTest::newRow("a stored amount past the limit can be shortened")
            << "1,234,567,890.12" << "5<" << QStringList{"1,234,567,890.12", "123,456,789.01"};
    }

    void rightToLeftFollowsTheKeys()
    {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QStringList, shown);
        RightToLeftAmount amount;
        amount.start(start);
        QStringList seen;
        for (QChar key : keys) {
            if (key == u'<')
                amount.backspace();
            else
                amount.press(key);
            seen.append(amount.text());
        }
        QCOMPARE(seen, shown);
    }

    void leftToRightTakesDigitsAndOneSeparatorEach_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << "12" << "3" << true;
        QTest::newRow("first point") << "12" << "." << true;
        QTest::newRow("second point") << "12.5" << "." << false;
        QTest::newRow("first comma") << "1" << "," << true;
        QTest::newRow("second comma") << "1,234" << "," << false;
        QTest::newRow("letter") << "12" << "a" << false;
        QTest::newRow("minus") << "" << "-" << false;
        QTest::newRow("ten million") << "1000000" << "0" << true;
        QTest::newRow("largest amount, twelve characters") << "999999999.9" << "9" << true;
        QTest::newRow("a thirteenth character") << "999999999.99" << "9" << false;
        QTest::newRow("a tenth integer digit") << "999999999" << "9" << false;
        QTest::newRow("separators are not counted") << "999,999,999.9" << "9" << true;
    }

    void leftToRightTakesDigitsAndOneSeparatorEach()
    {
        QFETCH(QString, before);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QCOMPARE(LeftToRightAccepts(before, key.front(), before + key), accepted);
    }

    void leavingTheBoxShowsTheAmountFormat_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("decimals filled") << "1234.5" << "1,234.50";
        QTest::newRow("already formatted") << "1,234.50" << "1,234.50";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("a lone point is zero") << "." << "0.00";
        QTest::newRow("pasted words stay for Save to refuse") << "twelve" << "twelve";
    }

    void leavingTheBoxShowsTheAmountFormat()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(FinishedAmountText(typed), shown);
    }

    void typeTextsAreAcceptedAndStored_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("check number") << "1234" << "1234        ";
        QTest::newRow("check prefix") << "Check# 1234" << "1234        ";
        QTest::newRow("spaces around a number") << " 1234 " << "1234        ";
        QTest::newRow("type word from the list") << "Deposit     " << "Deposit     ";
        QTest::newRow("type word without its spaces") << "Deposit" << "";
        QTest::newRow("type word in other letters") << "DEPOSIT     " << "";
        QTest::newRow("the list's first item") << "(enter chk#)" << "";
        QTest::newRow("not a plain number") << "12.5" << "";
        QTest::newRow("check number filling the field") << "123456789012" << "123456789012";
        QTest::newRow("check number too long to store") << "1234567890123" << "";
        QTest::newRow("void code") << "VOID        " << "VOID        ";
    }

    void typeTextsAreAcceptedAndStored()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const std::optional<QString> accepted = AcceptedTypeText(typed);
        QCOMPARE(accepted.has_value(), !stored.isEmpty());
        if (accepted)
            QCOMPARE(StoredEntryType(*accepted), stored);
    }

    void theRecordTakesItsSignAndCutsTheComment_data()
    {
        QTest::addColumn<QString>("storedType");  // the record modified; empty when adding
        QTest::addColumn<qint64>("storedAmount");
        QTest::addColumn<QString>("type");        // empty: the type box is disabled
        QTest::addColumn<qint64>("amount");
        QTest::newRow("check is a debit") << "" << qint64(0) << "1234" << qint64(-450000);
        QTest::newRow("deposit is a credit") << "" << qint64(0) << "Deposit     " << qint64(450000);
        QTest::newRow("service fee is a debit") << "" << qint64(0) << "Service Fee " << qint64(-450000);
        QTest::newRow("beginning balance stays positive")
            << "Start       " << qint64(10000) << "" << qint64(450000);
        QTest::newRow("overdrawn beginning balance stays below zero")
            << "Start       " << qint64(-10000) << "" << qint64(-450000);
    }

    void theRecordTakesItsSignAndCutsTheComment()
    {
        QFETCH(QString, storedType);
        QFETCH(qint64, storedAmount);
        QFETCH(QString, type);
        QFETCH(qint64, amount);
        TransactionRecord base;
        base.TransactionType = storedType;
        base.Amount = storedAmount;
        base.Cleared = true;
        EntryInput input;
        if (!type.isEmpty())
            input.type = type;
        input.amountText = QStringLiteral("45.00");
        input.comment = QStringLiteral("   ") + QString(57, u'c');
        input.notes = QStringLiteral("  a note  ");
        const EntryMode mode = storedType.isEmpty() ? EntryMode::Adding : EntryMode::Modifying;
        const TransactionRecord record = BuildEntryRecord(base, input, mode, QStringLiteral("20260101000000"));
        QCOMPARE(record.Amount, amount);
        QCOMPARE(record.Comment, QString(50, u'c'));
        QCOMPARE(record.Notes, QStringLiteral("a note"));
        QCOMPARE(record.Cleared, mode == EntryMode::Modifying);
    }

    void notesGaugeNeverShowsLessThanOnePercent_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("gauge");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one character") << "x" << " 1% full ";
        QTest::newRow("half") << QString(428, u'x') << " 50% full ";
        QTest::newRow("line breaks count twice") << QString(213, u'x') + "\n" + QString(213, u'x') << " 50% full ";
    }

    void notesGaugeNeverShowsLessThanOnePercent()
    {
        QFETCH(QString, notes);
        QFETCH(QString, gauge);
        QCOMPARE(EntryNotesGauge(notes), gauge);
    }
};

TALLYO_TEST(EntryRulesTest)
#include "entryrules_test.moc"
