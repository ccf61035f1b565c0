// `tallyo export register --format qif` run as a real process, its output
// read back by an independent QIF reader (Perl's Finance::QIF) and compared
// field by field; and the --format option's place on the command line.
#include "../register/registerdata.h"
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo::test;

namespace {

using registerdata::AccountKey;
using registerdata::OtherKey;

handmade::Transaction withComment(handmade::Transaction t, const QByteArray& comment)
{
    t.comment = comment;
    return t;
}

// What Finance::QIF reads from the file, one line per record.
QByteArray readBack(const QString& path)
{
    QProcess perl;
    perl.start(QStringLiteral("perl"), {QStringLiteral(TALLYO_TEST_DATA "/readqif.pl"), path});
    if (!perl.waitForFinished(30000) || perl.exitStatus() != QProcess::NormalExit || perl.exitCode() != 0)
        return "perl failed: " + perl.readAllStandardError();
    return perl.readAllStandardOutput();
}

}

class ExportQifTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    Run exportRegister(const QStringList& more)
    {
        return runTallyo(QStringList{"export", "register", "--account", "Checking", "--data-dir", folder_.path()}
                         + more);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set");
        QProcess probe;
        probe.start(QStringLiteral("perl"), {QStringLiteral("-MFinance::QIF"), QStringLiteral("-e1")});
        QVERIFY2(probe.waitForFinished(30000) && probe.exitCode() == 0,
                 "Perl's Finance::QIF is missing: tools/install-deps.sh installs libfinance-qif-perl");
        handmade::Account checking, savings;
        checking.key = AccountKey;
        checking.name = "Checking";
        savings.key = OtherKey;
        savings.name = "Savings";
        writeFile(folder_.filePath("Account.dex"), handmade::account(checking) + handmade::account(savings));
        QByteArray transactions;
        // Days since 1899-12-30: 45365 is 2024-03-14.
        for (const handmade::Transaction& t : {
                 registerdata::beginningBalance(1000),
                 withComment(registerdata::transaction(45366.5, "Deposit", 1234.5, false, "Employer, \"Inc.\""),
                             "March salary"),
                 withComment(registerdata::transaction(45365, "1042", -45, true, "Caf\xE9 Lumi\xE8re"), "Dinner"),
                 registerdata::transaction(45365, "1001", -0.1, false, "Other account", OtherKey),
                 withComment(registerdata::transaction(45367, "VOID", 0, true, "Spoiled check"), "Wrong amount"),
                 registerdata::transaction(45368, "AutoPayment", -80, false, "Insurer"),
             })
            transactions += handmade::transaction(t);
        writeFile(folder_.filePath("Account.dat"), transactions);
    }

    void aQifReaderReadsEveryField()
    {
        const Run run = exportRegister({"--format", "qif"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        QVERIFY(run.out.startsWith("!Type:Bank\r\n"));
        const QString path = folder_.filePath("out.qif");
        writeFile(path, run.out);
        QCOMPARE(readBack(path),
                 QByteArray("Type:Bank\t03/14/2024\t1000.00\t*\t\tOpening Balance\t\t[Checking]\n"
                            "Type:Bank\t03/14/2024\t-45.00\t*\t1042\tCaf\xC3\xA9 Lumi\xC3\xA8re\tDinner\t\n"
                            "Type:Bank\t03/15/2024\t1234.50\t\tDEP\tEmployer, \"Inc.\"\tMarch salary\t\n"
                            "Type:Bank\t03/16/2024\t0.00\t*\t\t**VOID**Spoiled check\tWrong amount\t\n"
                            "Type:Bank\t03/17/2024\t-80.00\t\tEFT\tInsurer\t\t\n"));
    }

    void aSearchKeepsItsMatches()
    {
        const Run run = exportRegister({"--format=qif", "--search", "payee=caf"});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("!Type:Bank\r\nD03/14/2024\r\nT-45.00\r\nC*\r\nN1042\r\n"
                                     "PCaf\xC3\xA9 Lumi\xC3\xA8re\r\nMDinner\r\n^\r\n"));
    }

    void csvStaysTheDefault()
    {
        const Run plain = exportRegister({});
        const Run csv = exportRegister({"--format", "csv"});
        QCOMPARE(plain.exitCode, 0);
        QCOMPARE(csv.exitCode, 0);
        QVERIFY(plain.out.startsWith("Date,Cleared,Type,Payee,Debit,Credit,Balance,Comment,Record\r\n"));
        QCOMPARE(csv.out, plain.out);
    }

    void theFormatIsCheckedAndBelongsToTheRegisterExport_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("unknown format") << QStringList{"export", "register", "--account", "Checking", "--format", "ofx"}
                                        << QByteArray("--format needs csv or qif");
        QTest::newRow("no format") << QStringList{"export", "register", "--account", "Checking", "--format"}
                                   << QByteArray("--format needs csv or qif");
        QTest::newRow("accounts") << QStringList{"export", "accounts", "--format", "qif"}
                                  << QByteArray("--format belongs to export register");
        QTest::newRow("summary") << QStringList{"export", "summary", "--account", "Checking", "--format", "csv"}
                                 << QByteArray("--format belongs to export register");
    }
    void theFormatIsCheckedAndBelongsToTheRegisterExport()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, reason);
        const Run run = runTallyo(arguments + QStringList{"--data-dir", folder_.path()});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains(reason), run.err.constData());
    }
};

TALLYO_TEST(ExportQifTest)
#include "exportqif.moc"
