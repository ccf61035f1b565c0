// Statement lines against the register: the matching rules, the types and
// payees the lines become, as tables.
#include "testrunner.h"

#include "statements/matching.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;

namespace {

const QDate Base(2024, 3, 15);

// "record day amount [type] [*] [#id]": a register transaction `day` days
// from the base date, cleared with "*".
RegisterEntry Entry(const QString& text)
{
    const QStringList parts = text.split(u' ');
    RegisterEntry entry;
    entry.record = parts[0].toInt();
    entry.date = StoredFromDate(Base.addDays(parts[1].toInt()));
    entry.amount = parts[2].toLongLong();
    entry.type = QStringLiteral("Other Debit");
    for (const QString& part : parts.mid(3)) {
        if (part == u"*")
            entry.cleared = true;
        else if (part.startsWith(u'#'))
            entry.bankIds.append(part.mid(1));
        else
            entry.type = part;
    }
    return entry;
}

// "day amount [check] [#id]"
StatementLine Line(const QString& text)
{
    const QStringList parts = text.split(u' ');
    StatementLine line;
    line.date = Base.addDays(parts[0].toInt());
    line.amount = parts[1].toLongLong();
    for (const QString& part : parts.mid(2)) {
        if (part.startsWith(u'#'))
            line.bankId = part.mid(1);
        else
            line.checkNumber = part;
    }
    return line;
}

QString Described(const LineMatch& match)
{
    switch (match.outcome) {
    case LineMatch::Outcome::New: return QStringLiteral("new");
    case LineMatch::Outcome::Matching: return QStringLiteral("match %1").arg(match.record);
    case LineMatch::Outcome::AlreadyThere: break;
    }
    return QStringLiteral("there %1").arg(match.record);
}

}

class StatementMatchingTest : public QObject {
    Q_OBJECT

private slots:
    void matchesLinesToTransactions_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("already there by bank id") << QStringList{"1 -9 -100 * #A1"} << QStringList{"0 -100 #A1"}
                                                  << QStringList{"there 1"};
        QTest::newRow("three days either way, not four")
            << QStringList{"2 0 -50", "3 0 -60"} << QStringList{"3 -50", "-4 -60"} << QStringList{"match 2", "new"};
        QTest::newRow("the nearest date wins") << QStringList{"1 -2 -50", "2 1 -50"} << QStringList{"0 -50"}
                                               << QStringList{"match 2"};
        QTest::newRow("each transaction once, the nearer line takes it")
            << QStringList{"1 0 -50"} << QStringList{"2 -50", "0 -50"} << QStringList{"new", "match 1"};
        QTest::newRow("a check by its number whatever the date")
            << QStringList{"1 -20 -45 1042", "2 0 -45 1043"} << QStringList{"0 -45 1042", "0 -45 1044"}
            << QStringList{"match 1", "new"};
        QTest::newRow("a check without number by date") << QStringList{"1 1 -45 1042"} << QStringList{"0 -45"}
                                                        << QStringList{"match 1"};
        QTest::newRow("a numbered line by date to a transaction without number")
            << QStringList{"1 1 -45"} << QStringList{"0 -45 1042"} << QStringList{"match 1"};
        QTest::newRow("the amount to the cent") << QStringList{"1 0 -5000"} << QStringList{"0 -5001"}
                                                << QStringList{"new"};
        QTest::newRow("a transaction with another bank id is another bank line")
            << QStringList{"1 0 -10 #Z"} << QStringList{"0 -10 #Y"} << QStringList{"new"};
        QTest::newRow("voided transactions stand for nothing") << QStringList{"1 0 0 VOID *"} << QStringList{"0 0"}
                                                               << QStringList{"new"};
        QTest::newRow("an uncleared transaction before a cleared one")
            << QStringList{"1 1 -7 *", "2 1 -7"} << QStringList{"0 -7"} << QStringList{"match 2"};
        QTest::newRow("the same id twice in a file") << QStringList{"4 0 -7 #Q"} << QStringList{"0 -7 #Q", "0 -7 #Q"}
                                                     << QStringList{"there 4", "there 4"};
    }

    void matchesLinesToTransactions()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        std::vector<RegisterEntry> registerEntries;
        for (const QString& entry : entries)
            registerEntries.push_back(Entry(entry));
        Statement statement;
        for (const QString& line : lines)
            statement.lines.push_back(Line(line));
        QStringList described;
        for (const LineMatch& match : MatchStatement(statement, registerEntries))
            described.append(Described(match));
        QCOMPARE(described, expected);
    }

    void typesComeFromTheStatement_data()
    {
        QTest::addColumn<QString>("bankType");
        QTest::addColumn<QString>("checkNumber");
        QTest::addColumn<qint64>("amount");
        QTest::addColumn<QString>("type");
        const QList<std::tuple<const char*, const char*, qint64, const char*>> rows{
            {"CHECK", "1042", -45, "1042"},        {"CHECK", "", -45, "Other Debit"},
            {"", "1042", 45, "Other Credit"},      {"DEP", "", 100, "Deposit"},
            {"DEP", "", -100, "Other Debit"},      {"DIRECTDEP", "", 100, "AutoDeposit"},
            {"ATM", "", -20, "ATM Cash"},          {"ATM", "", 20, "Other Credit"},
            {"FEE", "", -2, "Service Fee"},        {"SRVCHG", "", -2, "Service Fee"},
            {"DIRECTDEBIT", "", -9, "AutoPayment"}, {"REPEATPMT", "", -9, "AutoPayment"},
            {"INT", "", 1, "Other Credit"},        {"DIV", "", 1, "Other Credit"},
            {"CREDIT", "", 1, "Other Credit"},     {"DEBIT", "", -1, "Other Debit"},
            {"PAYMENT", "", -1, "Other Debit"},    {"POS", "", -1, "Other Debit"},
            {"XFER", "", 5, "Other Credit"},       {"", "", -5, "Other Debit"},
        };
        for (const auto& [bankType, number, amount, type] : rows)
            QTest::addRow("%s %s %lld", bankType, number, amount) << bankType << number << amount << type;
    }

    void typesComeFromTheStatement()
    {
        QFETCH(QString, bankType);
        QFETCH(QString, checkNumber);
        QFETCH(qint64, amount);
        QFETCH(QString, type);
        StatementLine line;
        line.bankType = bankType;
        line.checkNumber = checkNumber;
        line.amount = amount;
        const QString stored = TypeForLine(line);
        QCOMPARE(stored.size(), TransactionRecord::TypeWidth);
        QCOMPARE(stored.trimmed(), type);
    }

    void payeeAndComment_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("payeeName");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("payee");
        QTest::addColumn<QString>("comment");
        QTest::newRow("name and memo") << "ACME" << "" << "Invoice 7" << "ACME" << "Invoice 7";
        QTest::newRow("memo alone") << "" << "" << "Withholding Tax" << "Withholding Tax" << "";
        QTest::newRow("payee's name") << "" << "Smith" << "Rent" << "Smith" << "Rent";
        QTest::newRow("memo that repeats the name") << "ACME" << "" << "acme" << "ACME" << "";
        QTest::newRow("cut to the fields") << QString(60, u'N') << "" << QString(60, u'M') << QString(50, u'N')
                                           << QString(50, u'M');
    }

    void payeeAndComment()
    {
        QFETCH(QString, name);
        QFETCH(QString, payeeName);
        QFETCH(QString, memo);
        QFETCH(QString, payee);
        QFETCH(QString, comment);
        StatementLine line;
        line.name = name;
        line.payeeName = payeeName;
        line.memo = memo;
        QCOMPARE(PayeeForLine(line), payee);
        QCOMPARE(CommentForLine(line), comment);
    }

    // A new line becomes a cleared transaction whose notes keep its bank
    // id, which reads back from the notes.
    void newLinesKeepTheirBankId()
    {
        StatementLine line;
        line.date = Base;
        line.amount = -125000;
        line.bankId = QStringLiteral("FIT-9");
        line.bankType = QStringLiteral("POS");
        line.name = QStringLiteral("Grocer");
        const TransactionRecord record = TransactionForLine(line, QStringLiteral("20240101120000"));
        QVERIFY(record.Cleared);
        QCOMPARE(record.TransactionDate, StoredFromDate(Base));
        QCOMPARE(BankIdsInNotes(record.Notes), QStringList{"FIT-9"});
        QCOMPARE(BankIdsInNotes(u"Paid by card\r\nBank id: A\r\nBank id: B"), (QStringList{"A", "B"}));
        LineMatch match{LineMatch::Outcome::Matching, 4, StoredFromDate(Base), QStringLiteral("Grocer"), false};
        QCOMPARE(OutcomeText(match, u"mm/dd/yy"), QStringLiteral("clears the transaction of 03/15/24 Grocer"));
    }
};

TALLYO_TEST(StatementMatchingTest)
#include "matching_test.moc"
