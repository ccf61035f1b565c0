// `tallyo import` run as a real process: what it prints, its exit status,
// what it leaves in Account.dat, and a register exported as CSV coming back
// whole into an empty account.
#include "../app/tallyoprocess.h"
#include "../store/handmade.h"
#include "testrunner.h"

#include "platform/singleinstance.h"
#include "statements/statementimport.h"
#include "store/datafiles.h"
#include "store/fileseam.h"
#include "util/dates.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo;
using namespace tallyo::test;

namespace {

QByteArray Account(const QByteArray& key, const QByteArray& name)
{
    handmade::Account a;
    a.key = key;
    a.name = name;
    return handmade::account(a);
}

QByteArray Record(double date, const QByteArray& type, qint64 amount, const QByteArray& payee, bool cleared,
                  const QByteArray& comment = {})
{
    handmade::Transaction t;
    t.key = "20240101120000";
    t.date = date;
    t.type = type;
    t.amount = amount;
    t.payee = payee;
    t.cleared = cleared ? -1 : 0;
    t.comment = comment;
    return handmade::transaction(t);
}

QString Data(const char* name)
{
    return QStringLiteral(TALLYO_TEST_DATA "/") + QLatin1StringView(name);
}

// A folder with "Checking" (a beginning balance, a check typed in, a
// voided entry) and "Empty".
void MakeFolder(const QTemporaryDir& folder)
{
    writeFile(folder.filePath("Account.dex"), Account("20240101120000", "Checking") + Account("20240101120001", "Empty"));
    writeFile(folder.filePath("Account.dat"),
              Record(1.0, "Start", 10000000, "Beginning Balance", true)
                  + Record(StoredFromDate(QDate(2024, 1, 3)), "1042", -450000, "Plumber", false, "Sink, kitchen")
                  + Record(StoredFromDate(QDate(2023, 12, 30)), "VOID", 0, "Mistake", true));
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

Run Import(const QTemporaryDir& folder, QStringList arguments)
{
    arguments.prepend(QStringLiteral("import"));
    arguments << "--data-dir" << folder.path();
    return runTallyo(arguments);
}

// The register export without the columns an import may change (cleared,
// record numbers).
QStringList Rows(const QByteArray& csv)
{
    QStringList rows;
    for (const QString& line : QString::fromUtf8(csv).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        QStringList fields = line.split(u',');
        fields.removeLast();  // the record number
        fields.removeAt(1);   // the cleared mark
        rows.append(fields.join(u','));
    }
    return rows;
}

}

class ImportCommandTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set"); }

    void importsOnceAndSaysWhat()
    {
        QTemporaryDir folder;
        MakeFolder(folder);
        const QByteArray before = Read(folder.filePath("Account.dat"));
        const QStringList args{Data("quirks-sgml.ofx"), "--account", "Checking", "--statement", "1111"};

        const Run dry = Import(folder, args + QStringList{"--dry-run"});
        QCOMPARE(dry.exitCode, 0);
        QCOMPARE(Read(folder.filePath("Account.dat")), before);
        QCOMPARE(dry.out,
                 QByteArray("2024-01-05  1042  Smith & Sons <Plumbing>  -45.00: would clear the transaction of 2024-01-03 Plumber\n"
                            "2024-01-05  Other Debit  COFFEE SHOP 42  -12.50: would be added\n"
                            "2024-01-06  AutoDeposit  ACME PAYROLL  1500.00: would be added\n"
                            "2024-01-07  Service Fee  Monthly fee  -5.00: would be added\n"
                            "3 added, 1 cleared, 0 already in the register\n"));

        const Run done = Import(folder, args);
        QCOMPARE(done.exitCode, 0);
        QVERIFY(done.out.endsWith("3 added, 1 cleared, 0 already in the register\n"));
        QVERIFY(done.out.contains("-12.50: added\n"));
        QCOMPARE(Read(folder.filePath("Account.dat")).size(), 6000);

        const QByteArray once = Read(folder.filePath("Account.dat"));
        const Run again = Import(folder, args);
        QCOMPARE(again.exitCode, 0);
        QVERIFY(again.out.endsWith("0 added, 0 cleared, 4 already in the register\n"));
        QCOMPARE(Read(folder.filePath("Account.dat")), once);
        QCOMPARE(listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void refusesAndWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("impossible date") << QStringList{Data("bad-date.ofx"), "--account", "Checking", "--statement", "1111"}
                                         << 1 << "line 20: the date 20120231 is not a day of the calendar";
        QTest::newRow("unknown account") << QStringList{Data("bank-mdy.qif"), "--account", "Nobody"} << 1 << "Nobody";
        QTest::newRow("several statements") << QStringList{Data("quirks-sgml.ofx"), "--account", "Checking"} << 2
                                            << "--statement: 1111, 2222, 4111222233334444";
        QTest::newRow("dates of every order") << QStringList{Data("cash-ambiguous.qif"), "--account", "Checking"} << 2
                                              << "--date-order";
        QTest::newRow("no account given") << QStringList{Data("bank-mdy.qif")} << 2 << "--account";
        QTest::newRow("unknown order") << QStringList{Data("bank-mdy.qif"), "--account", "Checking", "--date-order", "dym"}
                                       << 2 << "mdy, dmy or ymd";
        QTest::newRow("unknown format") << QStringList{Data("bank-mdy.qif"), "--account", "Checking", "--format", "xls"}
                                        << 2 << "ofx, qif or csv";
        QTest::newRow("missing file") << QStringList{"/nonexistent/statement.ofx", "--account", "Checking"} << 1
                                      << "No such file";
    }

    void refusesAndWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QTemporaryDir folder;
        MakeFolder(folder);
        const QByteArray before = Read(folder.filePath("Account.dat"));
        const Run run = Import(folder, arguments);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(QString::fromUtf8(run.err).contains(said), run.err.constData());
        QCOMPARE(Read(folder.filePath("Account.dat")), before);
    }

    void refusesWhileAnotherCopyRuns()
    {
        QTemporaryDir folder;
        MakeFolder(folder);
        SingleInstance running;
        QVERIFY(running.tryLock());
        const Run run = Import(folder, {Data("bank-mdy.qif"), "--account", "Checking"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.contains("running"));
        QCOMPARE(Read(folder.filePath("Account.dat")).size(), 3000);
    }

    // The register of one account exported as CSV and imported into an
    // empty one gives the same rows: dates, types, payees, amounts,
    // balances and comments.
    void exportedRegisterComesBackWhole_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("csv") << "csv";
        QTest::newRow("qif") << "qif";
    }
    void exportedRegisterComesBackWhole()
    {
        QFETCH(QString, format);
        QTemporaryDir folder;
        MakeFolder(folder);
        QCOMPARE(Import(folder, {Data("bank-mdy.qif"), "--account", "Checking"}).exitCode, 0);
        const Run exported = runTallyo({"export", "register", "--account", "Checking", "--format", format,
                                        "--data-dir", folder.path()});
        QCOMPARE(exported.exitCode, 0);
        const QString file = QDir(folder.path()).filePath("register." + format);
        writeFile(file, exported.out);

        const Run imported = Import(folder, {file, "--account", "Empty", "--date-order", "mdy"});
        QCOMPARE(imported.exitCode, 0);
        QVERIFY2(imported.out.endsWith("7 added, 0 cleared, 0 already in the register\n"), imported.out.constData());
        const Run back = runTallyo({"export", "register", "--account", "Empty", "--data-dir", folder.path()});
        const Run original = runTallyo({"export", "register", "--account", "Checking", "--data-dir", folder.path()});
        QCOMPARE(Rows(back.out), Rows(original.out));
        QVERIFY(Import(folder, {file, "--account", "Empty", "--date-order", "mdy"})
                    .out.endsWith("0 added, 0 cleared, 7 already in the register\n"));
    }

    // An import stopped after its first write to Account.dat (the new
    // records appended, the cleared one not yet written) leaves its
    // journal; the next command, whichever it is, undoes it before reading.
    void nextCommandUndoesAStoppedImport_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("export register") << QStringList{"export", "register", "--account", "Checking"};
        QTest::newRow("export accounts") << QStringList{"export", "accounts"};
        QTest::newRow("import") << QStringList{"import", Data("bank-mdy.qif"), "--account", "Empty", "--dry-run"};
    }

    void nextCommandUndoesAStoppedImport()
    {
        QFETCH(QStringList, command);
        QTemporaryDir folder;
        MakeFolder(folder);
        const QByteArray before = Read(folder.filePath("Account.dat"));
        StatementLine check, fee;
        check.date = QDate(2024, 1, 5);
        check.amount = -450000;
        check.checkNumber = QStringLiteral("1042");
        fee.date = QDate(2024, 1, 7);
        fee.amount = -50000;
        Statement statement;
        statement.lines = {check, fee};
        struct Stopped {};
        const QString previous = QDir::currentPath();
        QDir::setCurrent(folder.path());
        SetFileStepHook([writes = 0](FileStep step, const QString& name) mutable {
            if (step == FileStep::Write && name == QLatin1String("Account.dat") && ++writes == 2)
                throw Stopped{};
        });
        const QString key = QStringLiteral("20240101120000");
        QVERIFY_THROWS_EXCEPTION(Stopped, ImportStatement(key, statement, MatchStatement(statement, ReadRegisterEntries(key))));
        SetFileStepHook({});
        dataFiles().reset();
        QDir::setCurrent(previous);
        QVERIFY(Read(folder.filePath("Account.dat")) != before);

        const Run run = runTallyo(command + QStringList{"--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(Read(folder.filePath("Account.dat")), before);
        QCOMPARE(listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }
};

TALLYO_TEST(ImportCommandTest)
#include "command_test.moc"
