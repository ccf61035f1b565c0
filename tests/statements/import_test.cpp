// Importing into Account.dat in one step: new lines appended as cleared
// transactions, matched ones cleared, and on any failure the file exactly
// as it was.
#include "testenv.h"
#include "testrunner.h"

#include "../store/handmade.h"
#include "statements/statementimport.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/rewrite.h"
#include "util/dates.h"

#include <QTest>

using namespace tallyo;
using tallyo::test::TempDataFolder;

namespace {

const QString Key = QStringLiteral("20240101120000");
const QDate Day(2024, 1, 5);

QByteArray Record(const QByteArray& key, const QDate& date, const QByteArray& type, qint64 amount,
                  const QByteArray& payee, bool cleared = false)
{
    handmade::Transaction t;
    t.key = key;
    t.date = StoredFromDate(date);
    t.type = type;
    t.amount = amount;
    t.payee = payee;
    t.cleared = cleared ? -1 : 0;
    return handmade::transaction(t);
}

// The check typed in before the statement came, another account's
// transaction between, and a deposit.
QByteArray StartingFile()
{
    return Record(Key.toLatin1(), Day.addDays(-2), "1042", -450000, "Plumber")
        + Record("20230101120000", Day, "Deposit", 450000, "Elsewhere")
        + Record(Key.toLatin1(), Day, "Deposit", 100000, "Salary", true);
}

StatementLine Line(qint64 amount, const QString& id, const QString& number = {})
{
    StatementLine line;
    line.date = Day;
    line.amount = amount;
    line.bankId = id;
    line.checkNumber = number;
    line.name = QStringLiteral("Bank's name");
    return line;
}

Statement TheStatement()
{
    Statement statement;
    statement.lines = {Line(-450000, QStringLiteral("F1"), QStringLiteral("1042")), Line(-125000, QStringLiteral("F2")),
                       Line(-30000, QStringLiteral("F3"))};
    return statement;
}

std::vector<LineMatch> Matched(const Statement& statement)
{
    return MatchStatement(statement, ReadRegisterEntries(Key));
}

QByteArray DataFile()
{
    return tallyo::test::readWholeFile(QString::fromLatin1(TransactionFileName));
}

}

class StatementImportTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetRewriteStepHook({}); }

    void importsInOneStepAndOnlyOnce()
    {
        TempDataFolder folder;
        QVERIFY(tallyo::test::writeWholeFile(QString::fromLatin1(TransactionFileName), StartingFile()));
        const Statement statement = TheStatement();
        const std::vector<bool> ticked{true, true, false};
        const ImportCounts counts = ImportStatement(Key, statement, Matched(statement), ticked);
        QCOMPARE(counts, (ImportCounts{1, 1, 0}));

        const QByteArray after = DataFile();
        QCOMPARE(after.size(), 4 * TransactionRecord::Length);
        QCOMPARE(after.mid(1000, 2000), StartingFile().mid(1000, 2000));  // untouched records stay byte for byte
        const TransactionRecord check = TransactionRecord::decode(after.constData());
        QVERIFY(check.Cleared);
        QCOMPARE(check.Payee.trimmed(), QStringLiteral("Plumber"));
        QCOMPARE(BankIdsInNotes(check.Notes), QStringList{"F1"});
        const TransactionRecord added = TransactionRecord::decode(after.constData() + 3000);
        QCOMPARE(added.AccountKey, Key);
        QVERIFY(added.Cleared);
        QCOMPARE(added.Amount, qint64(-125000));
        QCOMPARE(dataFiles().TransactionFile.count(), 4);
        QVERIFY(!tallyo::test::fileExists(QString::fromLatin1(ScratchFileName)));

        // Again: the two imported lines are there, the unticked one would be new.
        const std::vector<LineMatch> again = Matched(statement);
        QCOMPARE(CountImport(again, ticked), (ImportCounts{0, 0, 2}));
        QCOMPARE(CountImport(again), (ImportCounts{1, 0, 2}));
        QCOMPARE(ImportStatement(Key, statement, again, ticked), (ImportCounts{0, 0, 2}));
        QCOMPARE(DataFile(), after);
    }

    // A rewrite that fails at any step, or a register that changed after
    // matching, leaves Account.dat exactly as it was.
    void failureLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<int>("failAt");  // -1: the register changes instead
        QTest::newRow("writing the scratch file") << int(RewriteStep::ChunkWritten);
        QTest::newRow("before the rename") << int(RewriteStep::ScratchComplete);
        QTest::newRow("register changed") << -1;
    }

    void failureLeavesTheFileAsItWas()
    {
        QFETCH(int, failAt);
        TempDataFolder folder;
        QVERIFY(tallyo::test::writeWholeFile(QString::fromLatin1(TransactionFileName), StartingFile()));
        const Statement statement = TheStatement();
        const std::vector<LineMatch> matches = Matched(statement);
        if (failAt < 0) {
            RemoveTransaction(1);  // the matched check's number now names another record
        } else {
            SetRewriteStepHook([failAt](RewriteStep step) {
                if (int(step) == failAt)
                    throw FileError(QStringLiteral("TempFile.$$$"), QStringLiteral("write"), QStringLiteral("No space left on device"));
            });
        }
        const QByteArray before = DataFile();
        QVERIFY_THROWS_EXCEPTION(FileError, ImportStatement(Key, statement, matches));
        QCOMPARE(DataFile(), before);
        QVERIFY(!tallyo::test::fileExists(QString::fromLatin1(ScratchFileName)));
    }
};

TALLYO_TEST(StatementImportTest)
#include "import_test.moc"
