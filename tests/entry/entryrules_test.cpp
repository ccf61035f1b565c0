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

    // Keys and pastes alike: the text before and after the change.
    void leftToRightTakesAChangeAsTypedCharacters_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << "12" << "123" << true;
        QTest::newRow("first point") << "12" << "12." << true;
        QTest::newRow("second point") << "12.5" << "12.5." << false;
        QTest::newRow("first comma") << "1" << "1," << true;
        QTest::newRow("second comma") << "1,234" << "1,234," << false;
        QTest::newRow("letter") << "12" << "12a" << false;
        QTest::newRow("minus") << "" << "-" << false;
        QTest::newRow("a digit other than 0-9") << "1" << QString::fromUtf8("1\uff11") << false;
        QTest::newRow("ten million") << "1000000" << "10000000" << true;
        QTest::newRow("largest amount, twelve characters") << "999999999.9" << "999999999.99" << true;
        QTest::newRow("a thirteenth character") << "999999999.99" << "999999999.999" << false;
        QTest::newRow("a third decimal") << "1.23" << "1.234" << false;
        QTest::newRow("a tenth integer digit") << "999999999" << "9999999999" << false;
        QTest::newRow("separators are not counted") << "999,999,999.9" << "999,999,999.99" << true;
        QTest::newRow("paste above the largest amount") << "" << "123456789012" << false;
        QTest::newRow("paste of a billion") << "" << "1000000000" << false;
        QTest::newRow("paste of the largest amount") << "" << "999999999.99" << true;
        QTest::newRow("paste of a grouped amount") << "" << "1,234.56" << true;
        QTest::newRow("paste in the box's own format") << "" << "1,234,567.89" << true;
        QTest::newRow("paste with two commas out of format") << "" << "1,234,5678.89" << false;
        QTest::newRow("paste with two points") << "" << "12.3.4" << false;
        QTest::newRow("paste with a sign") << "" << "-5" << false;
        QTest::newRow("paste with a space") << "" << " 5" << false;
        QTest::newRow("paste of words") << "" << "ten" << false;
        QTest::newRow("paste into the middle") << "1.50" << "1,000.50" << true;
        QTest::newRow("paste over a selection") << "12.34" << "99" << true;
        QTest::newRow("cut") << "1,234.50" << "1,2.50" << true;
        QTest::newRow("taking the point out past the largest amount") << "99999999.99" << "9999999999" << false;
        QTest::newRow("shortening an amount already too large")
            << "1,234,567,890.12" << "1,234,567,89.12" << true;
    }

    void leftToRightTakesAChangeAsTypedCharacters()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, accepted);
        QCOMPARE(LeftToRightAccepts(before, after), accepted);
    }

    // Pasted into right-to-left entry: digits as typed, else nothing.
    void rightToLeftTakesPastedDigitsWhole_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits enter at the cents end") << "" << "1234" << "12.34";
        QTest::newRow("onto an amount") << "9.99" << "9" << "99.99";
        QTest::newRow("a point is refused whole") << "1.00" << "12.34" << "1.00";
        QTest::newRow("too large is refused whole") << "" << "123456789012" << "";
        QTest::newRow("nothing") << "5.00" << "" << "5.00";
    }

    void rightToLeftTakesPastedDigitsWhole()
    {
        QFETCH(QString, start);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        RightToLeftAmount amount;
        amount.start(start);
        QCOMPARE(amount.insert(pasted), shown != start);
        QCOMPARE(amount.text(), shown);
    }

    void saveRefusesWhatIsNoAmountOrTooLarge_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("an amount") << "12.50" << "";
        QTest::newRow("the largest amount") << "999,999,999.99" << "";
        QTest::newRow("one cent more") << "1,000,000,000.00" << "The 'Amount' entry is more\r\nthan 999,999,999.99...";
        QTest::newRow("a comma first") << ",5" << "The 'Amount' entry\r\nis not a number...";
    }

    void saveRefusesWhatIsNoAmountOrTooLarge()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        QCOMPARE(AmountEntryError(text), error);
    }

    void leavingTheBoxShowsTheAmountFormat_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("decimals filled") << "1234.5" << "1,234.50";
        QTest::newRow("already formatted") << "1,234.50" << "1,234.50";
        QTest::newRow("empty stays empty") << "" << "";
        QTest::newRow("a lone point is zero") << "." << "0.00";
        QTest::newRow("a comma first stays for Save to refuse") << ",5" << ",5";
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
        QTest::addColumn<int>("item");        // the list item it picks
        QTest::addColumn<QString>("stored");  // empty: refused
        QTest::newRow("check number") << "1234" << -1 << "1234        ";
        QTest::newRow("check prefix") << "Check# 1234" << -1 << "1234        ";
        QTest::newRow("spaces around a number") << " 1234 " << -1 << "1234        ";
        QTest::newRow("type word from the list") << "Deposit     " << 1 << "Deposit     ";
        QTest::newRow("type word without its spaces") << "Deposit" << 1 << "Deposit     ";
        QTest::newRow("type word in other letters") << "DEPOSIT  " << 1 << "Deposit     ";
        QTest::newRow("two words") << "Service Fee" << 5 << "Service Fee ";
        QTest::newRow("a unique beginning") << "atm" << 4 << "ATM Cash    ";
        QTest::newRow("a longer unique beginning") << "other c" << 6 << "Other Credit";
        QTest::newRow("a beginning two items share") << "Auto" << -1 << "";
        QTest::newRow("another shared beginning") << "Other " << -1 << "";
        QTest::newRow("the list's first item") << "(enter chk#)" << 0 << "";
        QTest::newRow("a beginning of the first item") << "(ent" << -1 << "";
        QTest::newRow("not a plain number") << "12.5" << -1 << "";
        QTest::newRow("nothing") << "" << -1 << "";
        QTest::newRow("check number filling the field") << "123456789012" << -1 << "123456789012";
        QTest::newRow("check number too long to store") << "1234567890123" << -1 << "";
        QTest::newRow("void code") << "VOID        " << -1 << "VOID        ";
        QTest::newRow("void typed as a word") << "void" << -1 << "";
        QTest::newRow("beginning balance code") << "Start       " << -1 << "Start       ";
    }

    void typeTextsAreAcceptedAndStored()
    {
        QFETCH(QString, typed);
        QFETCH(int, item);
        QFETCH(QString, stored);
        QCOMPARE(TypeItemFor(typed), item);
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
