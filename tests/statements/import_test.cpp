// Importing into Account.dat in one step: new lines appended as cleared
// transactions, matched ones cleared, and on any failure the file exactly
// as it was.
#include "testenv.h"
#include "testrunner.h"

#include "../store/handmade.h"
#include "statements/statementimport.h"
#include "store/datafiles.h"
#include "store/fileerror.h"
#include "store/fileseam.h"
#include "store/recordjournal.h"
#include "store/rewrite.h"
#include "store/switchjournal.h"
#include "util/dates.h"

#include <QDir>
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

// As the command matches: only the transactions that can match are read.
std::vector<LineMatch> Matched(const Statement& statement)
{
    return MatchStatement(statement, ReadRegisterEntries(Key, &statement));
}

enum How { ErrorAtStep, StopAtStep, RegisterChanged };
struct Stopped {};  // the process ending at a file step

QByteArray DataFile()
{
    return tallyo::test::readWholeFile(QString::fromLatin1(TransactionFileName));
}

}

class StatementImportTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetFileStepHook({}); }

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
        // The matched check: only its cleared flag and notes changed.
        constexpr int flagEnd = TransactionRecord::ClearedAt + 2;
        QCOMPARE(after.left(TransactionRecord::ClearedAt), StartingFile().left(TransactionRecord::ClearedAt));
        QCOMPARE(after.mid(flagEnd, TransactionRecord::NotesAt - flagEnd),
                 StartingFile().mid(flagEnd, TransactionRecord::NotesAt - flagEnd));
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

    // An I/O error at any file step of the import, or a stop there (the
    // journal stays, and opening the folder undoes the import), leaves
    // Account.dat byte for byte as it was, with no journal behind; so does a
    // register that changed after matching.
    void failureLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("how");
        QTest::newRow("an error at each step") << StartingFile() << int(ErrorAtStep);
        QTest::newRow("a stop at each step") << StartingFile() << int(StopAtStep);
        QTest::newRow("a stop, last record cut short") << StartingFile() + QByteArray(400, 'x') << int(StopAtStep);
        QTest::newRow("register changed") << StartingFile() << int(RegisterChanged);
    }

    void failureLeavesTheFileAsItWas()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, how);
        TempDataFolder folder;
        const QString data = QString::fromLatin1(TransactionFileName);
        const Statement statement = TheStatement();
        // Run 0 has no fault and gives the new file and the number of steps.
        QByteArray after;
        int steps = 0;
        for (int at = 0; at <= steps; ++at) {
            QVERIFY(tallyo::test::writeWholeFile(data, start));
            const std::vector<LineMatch> matches = Matched(statement);
            if (how == RegisterChanged)
                RemoveTransaction(1);  // the matched check's number now names another record
            const QByteArray before = DataFile();
            SetFileStepHook([how, at, &steps, reached = 0](FileStep step, const QString& name) mutable {
                if (at == 0)
                    ++steps;
                if (++reached != at)
                    return;
                if (how == StopAtStep)
                    throw Stopped{};
                throw FileError(name, QString::fromLatin1(FileStepName(step)), QStringLiteral("Input/output error"));
            });
            bool failed = true;
            try {
                ImportStatement(Key, statement, matches);
                failed = false;
            } catch (const FileError&) {
                QVERIFY(how != StopAtStep);
            } catch (const Stopped&) {
                SetFileStepHook({});
                UndoUnfinishedRecordChanges(QDir::currentPath());
            }
            SetFileStepHook({});
            const QString where = QStringLiteral("a fault at step %1 of %2").arg(at).arg(steps);
            QVERIFY(!tallyo::test::fileExists(RecordJournalNameOf(data)));
            QVERIFY(!tallyo::test::fileExists(ScratchNameOf(RecordJournalNameOf(data))));
            if (at == 0) {
                QCOMPARE(failed, how == RegisterChanged);
                after = DataFile();
                if (failed)
                    QCOMPARE(after, before);
                continue;
            }
            // An error is reported with the file as it was (or, once the
            // import is on disk, passed over); a stop leaves the file old or
            // new once the folder is opened again.
            if (how == ErrorAtStep)
                QVERIFY2(failed ? DataFile() == before : DataFile() == after, qPrintable(where));
            else
                QVERIFY2(DataFile() == before || DataFile() == after, qPrintable(where));
        }
        QVERIFY(how == RegisterChanged || steps >= 10);  // journal, data file and removal all stepped through
    }
};

TALLYO_TEST(StatementImportTest)
#include "import_test.moc"
