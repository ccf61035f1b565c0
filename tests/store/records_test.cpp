#include "handmade.h"
#include "platform/platform.h"
#include "store/records.h"
#include "testrunner.h"

#include <QScopeGuard>
#include <QSet>
#include <QTest>
#include <cmath>
#include <limits>

using namespace tallyo;

class RecordsTest : public QObject {
    Q_OBJECT

private slots:
    void transactionLayout()
    {
        TransactionRecord r;
        r.AccountKey = "20240305070809";
        r.TransactionDate = 45356.25;
        r.TransactionType = "1042";
        r.Cleared = true;
        r.Payee = "Corner Store";
        r.Amount = -123456;  // -12.3456
        r.Comment = "milk";
        r.Notes = "line one\r\nline two";

        handmade::Transaction t{"20240305070809", 45356.25, "1042", -1, "Corner Store", -123456, "milk",
                                "line one\r\nline two"};
        const QByteArray expected = handmade::transaction(t);
        QCOMPARE(r.encode(), expected);
        // Spot checks of the hand layout itself.
        QCOMPARE(expected.mid(22, 12), QByteArray("1042        "));
        QCOMPARE(expected.mid(34, 2), QByteArray("\xFF\xFF"));
        QCOMPARE(expected.mid(86, 8), QByteArray("\xC0\x1D\xFE\xFF\xFF\xFF\xFF\xFF", 8));

        const TransactionRecord back = TransactionRecord::decode(expected.constData());
        QCOMPARE(back.AccountKey, r.AccountKey);
        QCOMPARE(back.TransactionDate, r.TransactionDate);
        QCOMPARE(back.TransactionType, QString("1042        "));
        QCOMPARE(back.Cleared, true);
        QCOMPARE(back.Payee, QString("Corner Store").leftJustified(50));
        QCOMPARE(back.Amount, r.Amount);
        QCOMPARE(back.Comment.trimmed(), QString("milk"));
        QCOMPARE(back.Notes.size(), 856);
        QVERIFY(back.Notes.startsWith("line one\r\nline two  "));
    }

    void accountLayout()
    {
        AccountRecord r;
        r.AccountKey = "20231231235959";
        r.AccountName = "Household";
        r.AccessQuery = "First pet?";
        r.AccessAnswer = "Rex";
        r.AccountNotes = "Bank: Example\r\n";
        r.CheckLayout = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 255};

        const QByteArray expected = handmade::account(
            {"20231231235959", "Household", "First pet?", "Rex", "Bank: Example\r\n",
             QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\xFF", 12)});
        QCOMPARE(r.encode(), expected);

        const AccountRecord back = AccountRecord::decode(expected.constData());
        QCOMPARE(back.AccountName, QString("Household").leftJustified(40));
        QCOMPARE(back.AccessAnswer, QString("Rex").leftJustified(15));
        QCOMPARE(back.AccountNotes.size(), 2879);
        QCOMPARE(back.CheckLayout, r.CheckLayout);
    }

    void listAndLegacyLayouts()
    {
        ListRecord lists;
        lists.AccountKey = "20240101120000";
        lists.PayeeList = "Grocer\r\nLandlord";
        lists.CommentList = "rent";
        QCOMPARE(lists.encode(), handmade::lists("20240101120000", "Grocer\r\nLandlord", "rent"));

        const QByteArray legacyBytes = handmade::legacyAccount(
            {"20200101000000", "Old", "", "", "notes", QByteArray("\x05\x06\0\0\0\0\0\0\0\0\0\x07", 12)});
        const LegacyAccountRecord legacy = LegacyAccountRecord::decode(legacyBytes.constData());
        QCOMPARE(legacy.AccountName.trimmed(), QString("Old"));
        QCOMPARE(legacy.AccountNotes.size(), 879);
        QCOMPARE(legacy.CheckLayout[0], quint8(5));
        QCOMPARE(legacy.CheckLayout[11], quint8(7));
        QCOMPARE(legacy.encode(), legacyBytes);
    }

    void textField_data()
    {
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QByteArray>("stored");

        const QString sixty = QString("0123456789").repeated(6);
        QTest::newRow("fits") << "Acme" << QByteArray("Acme");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("60 characters keep 50") << sixty << sixty.left(50).toLatin1();
        QTest::newRow("pound and e acute") << QString::fromUtf8("£5 café") << QByteArray("\xA3" "5 caf\xE9");
        QTest::newRow("euro") << QString::fromUtf8("€") << QByteArray("\x80");
        QTest::newRow("outside the code page") << QString::fromUtf8("a中b") << QByteArray("a?b");
        QTest::newRow("outside the basic plane") << QString::fromUtf8("x😀y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "z" << QByteArray("?z");
        QTest::newRow("control 1A is kept") << QString(QChar(0x1A)) << QByteArray("\x1A");
        QTest::newRow("cut after wide characters")
            << QString::fromUtf8("😀").repeated(60) << QByteArray(50, '?');
    }

    void textField()
    {
        QFETCH(QString, payee);
        QFETCH(QByteArray, stored);
        TransactionRecord r;
        r.Payee = payee;
        const QByteArray bytes = r.encode();
        QCOMPARE(bytes.size(), 1000);
        QCOMPARE(bytes.mid(36, 50), stored + QByteArray(50 - stored.size(), ' '));
        // Neighbouring fields are untouched.
        QCOMPARE(bytes.mid(86, 8), QByteArray(8, '\0'));
        const QString back = TransactionRecord::decode(bytes.constData()).Payee;
        QCOMPARE(back.size(), 50);
    }

    void singleByteTextRoundTrips()
    {
        TransactionRecord r;
        r.Comment = QString::fromUtf8("£ é");
        const QByteArray bytes = r.encode();
        QCOMPARE(bytes.mid(94, 3), QByteArray("\xA3 \xE9"));
        QCOMPARE(TransactionRecord::decode(bytes.constData()).Comment.trimmed(), QString::fromUtf8("£ é"));
    }

    void anyBytesDecodeToFieldWidth()
    {
        // Every byte value, zeros and undefined code points included.
        QByteArray bytes(1000, '\0');
        for (int i = 0; i < 1000; ++i)
            bytes[i] = char(i % 256);
        const TransactionRecord r = TransactionRecord::decode(bytes.constData());
        QCOMPARE(r.AccountKey.size(), 14);
        QCOMPARE(r.TransactionType.size(), 12);
        QCOMPARE(r.Payee.size(), 50);
        QCOMPARE(r.Comment.size(), 50);
        QCOMPARE(r.Notes.size(), 856);
        QCOMPARE(r.Notes[0xA3 - 144 + 256], QChar(0x00A3));
    }

    void numbers_data()
    {
        QTest::addColumn<double>("date");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QByteArray>("dateBytes");
        QTest::addColumn<QByteArray>("amountBytes");

        QTest::newRow("beginning balance")
            << 1.0 << qint64(10000) << QByteArray("\0\0\0\0\0\0\xF0\x3F", 8)
            << QByteArray("\x10\x27\0\0\0\0\0\0", 8);
        QTest::newRow("largest amount")
            << 0.0 << std::numeric_limits<qint64>::max() << QByteArray(8, '\0')
            << QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 8);
        QTest::newRow("smallest amount")
            << -0.5 << std::numeric_limits<qint64>::min() << QByteArray("\0\0\0\0\0\0\xE0\xBF", 8)
            << QByteArray("\0\0\0\0\0\0\0\x80", 8);
        QTest::newRow("huge date") << 1e308 << qint64(-1) << QByteArray("\xA0\xC8\xEB\x85\xF3\xCC\xE1\x7F", 8)
                                   << QByteArray(8, '\xFF');
    }

    void numbers()
    {
        QFETCH(double, date);
        QFETCH(qint64, amount);
        QFETCH(QByteArray, dateBytes);
        QFETCH(QByteArray, amountBytes);
        TransactionRecord r;
        r.TransactionDate = date;
        r.Amount = amount;
        const QByteArray bytes = r.encode();
        QCOMPARE(bytes.mid(14, 8), dateBytes);
        QCOMPARE(bytes.mid(86, 8), amountBytes);
        const TransactionRecord back = TransactionRecord::decode(bytes.constData());
        QCOMPARE(back.TransactionDate, date);
        QCOMPARE(back.Amount, amount);
    }

    void notANumberDateReadsWithoutHarm()
    {
        QByteArray bytes = handmade::transaction({});
        handmade::putInteger(bytes, 14, 8, 0x7FF8000000000001ULL);
        QVERIFY(std::isnan(TransactionRecord::decode(bytes.constData()).TransactionDate));
        QVERIFY(std::isnan(TransactionView(bytes.constData()).date()));
    }

    void clearedFlag_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("zero") << QByteArray("\0\0", 2) << false;
        QTest::newRow("minus one") << QByteArray("\xFF\xFF") << true;
        QTest::newRow("one") << QByteArray("\x01\0", 2) << true;
        QTest::newRow("high byte only") << QByteArray("\0\x80", 2) << true;
    }

    void clearedFlag()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, cleared);
        QByteArray bytes = handmade::transaction({});
        bytes.replace(34, 2, stored);
        QCOMPARE(TransactionRecord::decode(bytes.constData()).Cleared, cleared);
        QCOMPARE(TransactionView(bytes.constData()).cleared(), cleared);
    }

    void transactionTypes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("check");
        QTest::addColumn<bool>("code");
        QTest::addColumn<bool>("credit");

        QTest::newRow("stored check") << "1042        " << true << false << false;
        QTest::newRow("bare check") << "7" << true << false << false;
        QTest::newRow("signed number") << "-5" << false << false << false;
        QTest::newRow("letters in number") << "12a" << false << false << false;
        QTest::newRow("empty") << "" << false << false << false;
        QTest::newRow("blank") << "            " << false << false << false;
        QTest::newRow("start") << "Start       " << false << true << true;
        QTest::newRow("deposit trimmed") << "Deposit" << false << true << true;
        QTest::newRow("auto deposit") << "AutoDeposit " << false << true << true;
        QTest::newRow("other credit") << "Other Credit" << false << true << true;
        QTest::newRow("auto payment") << "AutoPayment " << false << true << false;
        QTest::newRow("atm") << "ATM Cash    " << false << true << false;
        QTest::newRow("fee") << "Service Fee" << false << true << false;
        QTest::newRow("other debit") << "Other Debit " << false << true << false;
        QTest::newRow("void") << "VOID        " << false << true << false;
        QTest::newRow("wrong case") << "deposit" << false << false << false;
    }

    void transactionTypes()
    {
        QFETCH(QString, type);
        QFETCH(bool, check);
        QFETCH(bool, code);
        QFETCH(bool, credit);
        QCOMPARE(IsCheckType(type), check);
        QCOMPARE(IsTypeCode(type), code);
        QCOMPARE(IsValidTransactionType(type), check || code);
        QCOMPARE(IsCreditType(type), credit);
        QCOMPARE(SignedAmount(type, -2500), credit ? 2500 : -2500);
    }

    void signedAmountOfTheSmallestValueDoesNotOverflow()
    {
        QCOMPARE(SignedAmount(TypeDeposit, std::numeric_limits<qint64>::min()),
                 std::numeric_limits<qint64>::max());
        QCOMPARE(SignedAmount(TypeVoid, 0), qint64(0));
    }

    void newAccountKeyUsesTheClock()
    {
        FixedClock fixed(QDateTime(QDate(2024, 3, 5), QTime(17, 8, 9)));
        Clock* before = platform().clock;
        platform().clock = &fixed;
        const QString key = NewAccountKey();
        platform().clock = before;
        QCOMPARE(key, QString("20240305170809"));
        QCOMPARE(AccountKeyBytes(key), QByteArray("20240305170809"));
    }

    void nextAccountKeyIsOneSecondLater_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("next");
        QTest::newRow("second") << "20240305170809" << "20240305170810";
        QTest::newRow("minute") << "20240305170859" << "20240305170900";
        QTest::newRow("hour") << "20240305175959" << "20240305180000";
        QTest::newRow("day") << "20240305235959" << "20240306000000";
        QTest::newRow("leap day") << "20240228235959" << "20240229000000";
        QTest::newRow("month") << "20240229235959" << "20240301000000";
        QTest::newRow("year") << "20241231235959" << "20250101000000";
        // A wall-clock text: the hour a daylight-saving change skips is a
        // key like any other.
        QTest::newRow("skipped local hour") << "20260308015959" << "20260308020000";
        QTest::newRow("last possible") << "99991231235959" << "99991231235959";
        QTest::newRow("not a date") << "20241331000000" << "20241331000000";
        QTest::newRow("short") << "2024030517080" << "2024030517080";
    }

    void nextAccountKeyIsOneSecondLater()
    {
        QFETCH(QString, key);
        QFETCH(QString, next);
        // In a zone where 2026-03-08 02:00 local does not exist.
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "America/New_York");
        const auto restore = qScopeGuard([&] { zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone); });
        QCOMPARE(NextAccountKey(key), next);
    }

    void freeAccountKeyMovesPastTakenKeys()
    {
        const QSet<QString> taken{"20240305235958", "20240305235959", "20240306000000",
                                  "20240306000002"};
        const auto isTaken = [&](const QString& key) { return taken.contains(key); };
        QCOMPARE(FreeAccountKey("20240305235958", isTaken), QString("20240306000001"));
        QCOMPARE(FreeAccountKey("20240306000001", isTaken), QString("20240306000001"));
        QCOMPARE(FreeAccountKey("20240306000002", isTaken), QString("20240306000003"));
        // No key after the last one: given back rather than searched for ever.
        QCOMPARE(FreeAccountKey("99991231235959", [](const QString&) { return true; }),
                 QString("99991231235959"));
    }
};

TALLYO_TEST(RecordsTest)
#include "records_test.moc"
