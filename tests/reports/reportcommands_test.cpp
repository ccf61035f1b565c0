// `tallyo export summary` and `tallyo print list`: their arguments, and the
// real program run on a data folder written byte by byte.
#include "../app/tallyoprocess.h"
#include "reportrows.h"
#include "testrunner.h"

#include "register/search.h"
#include "shell/commandline.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tallyo;
using namespace reportrows;
using tallyo::test::Run;

namespace {

void writeHousehold(const QTemporaryDir& folder)
{
    handmade::Account account;
    account.key = registerdata::AccountKey;
    account.name = "Bills & Co #2 100%";
    tallyo::test::writeFile(folder.filePath("Account.dex"), handmade::account(account));
    QByteArray file;
    for (const Transaction& t : QList<Transaction>{
             beginningBalance(100), transaction(on(2026, 3, 2), "1001", -10),
             transaction(on(2026, 3, 3), "1002", -20), transaction(on(2026, 3, 4), "1003", -30.5),
             withComment(transaction(on(2026, 3, 5), "Deposit", 200), "Refund"),
             transaction(on(2026, 3, 6), "VOID", 0)})
        file += handmade::transaction(t);
    tallyo::test::writeFile(folder.filePath("Account.dat"), file);
}

// The program with no print system to find, so that the default printer
// is always a PDF file in the documents folder of the home folder given.
Run runWithoutPrinter(const QStringList& arguments, const QString& home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), QStringLiteral("127.0.0.1:1"));
    environment.insert(QStringLiteral("HOME"), home);
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("TALLYO_BINARY"), arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QString pdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

}

class ReportCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void parsing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("error");
        using A = CommandLine::Action;
        QTest::newRow("summary") << QStringList{"export", "summary", "--account", "Household"} << int(A::ExportSummary) << "";
        QTest::newRow("summary needs an account")
            << QStringList{"export", "summary"} << int(A::Invalid) << "export summary needs --account NAME|KEY";
        QTest::newRow("print") << QStringList{"print", "list", "--account=Household"} << int(A::PrintList) << "";
        QTest::newRow("print everything")
            << QStringList{"print", "list", "--account", "H", "--from", "2026-03-01", "--to", "2026-03-31",
                           "--comments", "--pdf", "out.pdf"}
            << int(A::PrintList) << "";
        QTest::newRow("print needs an account")
            << QStringList{"print", "list"} << int(A::Invalid) << "print list needs --account NAME|KEY";
        QTest::newRow("print what") << QStringList{"print", "summary", "--account", "H"} << int(A::Invalid)
                                    << "print needs: check or list";
        QTest::newRow("a check needs its record") << QStringList{"print", "check", "--account", "H"}
                                                  << int(A::Invalid)
                                                  << "print check needs --account NAME|KEY and --record N";
        QTest::newRow("list options on a check")
            << QStringList{"print", "check", "--account", "H", "--record", "2", "--comments"} << int(A::Invalid)
            << "--from, --to and --comments belong to print list";
        QTest::newRow("from alone") << QStringList{"print", "list", "--account", "H", "--from", "2026-03-01"}
                                    << int(A::Invalid) << "--from and --to go together";
        QTest::newRow("backwards")
            << QStringList{"print", "list", "--account", "H", "--from", "2026-03-02", "--to", "2026-03-01"}
            << int(A::Invalid) << "--to cannot be earlier than --from";
        QTest::newRow("not a date") << QStringList{"print", "list", "--account", "H", "--from", "03/01/26", "--to", "2026-03-01"}
                                    << int(A::Invalid) << "--from needs a date YYYY-MM-DD";
        QTest::newRow("pdf without a file")
            << QStringList{"print", "list", "--account", "H", "--pdf"} << int(A::Invalid) << "--pdf needs a file name";
        QTest::newRow("summary of a search")
            << QStringList{"export", "summary", "--account", "H", "--search", "payee=smith", "--year", "2021"}
            << int(A::ExportSummary) << "";
        QTest::newRow("print list of a search")
            << QStringList{"print", "list", "--account", "H", "--search=payee=smith", "--year=2021"}
            << int(A::PrintList) << "";
        QTest::newRow("a search on a summary asks as the prompt does")
            << QStringList{"export", "summary", "--account", "H", "--search", "month=13"} << int(A::Invalid)
            << "a month search needs a month from 1 to 12, not \"13\"";
        QTest::newRow("a year on a check search of a list")
            << QStringList{"print", "list", "--account", "H", "--search", "check=12", "--year", "2021"}
            << int(A::Invalid) << "--year does not go with a check search";
        QTest::newRow("a year without a search on a list")
            << QStringList{"print", "list", "--account", "H", "--year", "2021"} << int(A::Invalid)
            << "--year belongs to --search";
        QTest::newRow("no search on a check")
            << QStringList{"print", "check", "--account", "H", "--record", "2", "--search", "payee=x"}
            << int(A::Invalid) << "--search belongs to export register, export summary and print list";
        QTest::newRow("no search on the layout")
            << QStringList{"export", "layout", "--account", "H", "--search", "payee=x"} << int(A::Invalid)
            << "--search belongs to export register, export summary and print list";
        QTest::newRow("print options on an export")
            << QStringList{"export", "summary", "--account", "H", "--comments"} << int(A::Invalid)
            << "--record, --number, --comment, --from, --to, --comments and --pdf belong to print";
        // A statement the menu entry hands over starts the program.
        QTest::newRow("statement from the desktop")
            << QStringList{"/home/u/Downloads/May 2026.OFX"} << int(A::Desktop) << "";
        QTest::newRow("relative statement and a data folder")
            << QStringList{"--data-dir", "d", "bank.qif"} << int(A::Desktop) << "";
        QTest::newRow("not a statement") << QStringList{"notes.txt"} << int(A::Invalid) << "unknown command notes.txt";
        QTest::newRow("two statements") << QStringList{"a.ofx", "b.qfx"} << int(A::Invalid) << "unknown command a.ofx";
    }
    void parsing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, error);
        const CommandLine command = ParseCommandLine(arguments);
        QCOMPARE(int(command.action), action);
        QCOMPARE(command.error, error);
        if (arguments.contains(QStringLiteral("--pdf")) && action == int(CommandLine::Action::PrintList)) {
            QCOMPARE(command.from, QDate(2026, 3, 1));
            QCOMPARE(command.to, QDate(2026, 3, 31));
            QVERIFY(command.comments);
            QCOMPARE(command.pdfFile, QStringLiteral("out.pdf"));
        }
        if (action == int(CommandLine::Action::Desktop))
            QCOMPARE(command.statementFile, QDir::current().absoluteFilePath(arguments.last()));
        if (action != int(CommandLine::Action::Invalid)) {
            QCOMPARE(command.search.has_value(), arguments.join(u' ').contains(QStringLiteral("--search")));
            if (command.search) {
                QCOMPARE(command.search->kind, int(SearchPayee));
                QCOMPARE(command.search->text, QStringLiteral("smith"));
                QCOMPARE(command.search->year, QStringLiteral("2021"));
            }
        }
    }

    // The summary of the search view: the matches only, titled as the
    // register's search titles them, without a balance line.
    void summaryOfASearch_data()
    {
        QTest::addColumn<QStringList>("search");
        QTest::addColumn<QString>("expected");
        QTest::newRow("month 3: all but the beginning balance")
            << QStringList{"month=3"}
            << QStringLiteral("\n\nSummary-\nMatches for: '03'\n\n"
                              "Total number of transactions in this summary 5\n\n"
                              "1 Total credit transactions (200.00 / average 40.00)\n"
                              "0 Total debit transactions (-60.50 / average -12.10)\n\n\n"
                              "3 Regular or Electronic checks (60.50)\n"
                              "1 Regular Deposits (200.00)\n");
        QTest::newRow("a deposit in 2026, by its menu name")
            << QStringList{"type=deposit", "--year", "2026"}
            << QStringLiteral("\n\nSummary-\nMatches for: 'Deposit     '\n\n"
                              "Total number of transactions in this summary 1\n\n"
                              "1 Total credit transactions (200.00 / average 200.00)\n"
                              "0 Total debit transactions (0.00 / average 0.00)\n\n\n"
                              "0 Regular or Electronic checks (0.00)\n");
        QTest::newRow("the beginning balance is listed but not counted")
            << QStringList{"month=12"}
            << QStringLiteral("\n\nSummary-\nMatches for: '12'\n\n"
                              "Total number of transactions in this summary 1\n\n"
                              "0 Total credit transactions (100.00 / average 100.00)\n");
        QTest::newRow("no match: the summary of nothing")
            << QStringList{"payee=nobody"}
            << QStringLiteral("\n\nSummary-\nMatches for: 'nobody'\n\n"
                              "Total number of transactions in this summary 0\n\n"
                              "0 Total credit transactions (0.00 / average 0.00)\n"
                              "0 Total debit transactions (0.00 / average 0.00)\n\n\n");
    }
    void summaryOfASearch()
    {
        QFETCH(QStringList, search);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        writeHousehold(folder);
        const Run run = test::runTallyo(
            QStringList{"export", "summary", "--account", "Bills & Co #2 100%", "--data-dir", folder.path(), "--search"}
            + search);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QString text = QString::fromUtf8(run.out);
        QVERIFY2(text.contains(expected), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("balance as of")));
        QVERIFY(text.endsWith(QStringLiteral(" Voids \n")));
        QCOMPARE(test::listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void malformedSearchesExitWithTwo()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        for (const QStringList& verb : {QStringList{"export", "summary"}, QStringList{"print", "list"}}) {
            const Run run = test::runTallyo(
                verb + QStringList{"--account", "Bills & Co #2 100%", "--data-dir", folder.path(), "--search", "year=1850"});
            QCOMPARE(run.exitCode, 2);
            QVERIFY(run.out.isEmpty());
            QVERIFY2(run.err.contains("a year search needs a year from 1900 to 2999"), run.err.constData());
        }
    }

    void printListOfASearch()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        QVERIFY(QDir().mkpath(folder.filePath("out")));
        const QString pdf = folder.filePath("out/list.pdf");
        const QStringList common{"print", "list", "--account", "Bills & Co #2 100%", "--pdf", pdf, "--data-dir",
                                 folder.path()};
        const Run run = runWithoutPrinter(
            common + QStringList{"--search", "payee=pay", "--year", "2026", "--from", "2026-03-03", "--to",
                                 "2026-03-05", "--comments"},
            folder.filePath("home"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), QStringLiteral("Printed 3 items into %1.\n").arg(pdf));
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("Matches for: 'pay'")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("End of Printout -- 3 items in this list.")));
        QVERIFY(text.contains(QStringLiteral("1002")) && text.contains(QStringLiteral("Refund")));
        QVERIFY(!text.contains(QStringLiteral("1001")));
        QVERIFY(!text.contains(QStringLiteral("Account of")));
        // The search view has no balance column and no balance closing line.
        QVERIFY(!text.contains(QStringLiteral("Balance")));
        QVERIFY(!text.contains(QStringLiteral("239.50")));

        // A search that finds nothing prints nothing and leaves the file.
        const Run none = runWithoutPrinter(common + QStringList{"--search", "payee=nobody"}, folder.filePath("home"));
        QCOMPARE(none.exitCode, 1);
        QVERIFY(none.out.isEmpty());
        QVERIFY2(none.err.endsWith("\nThe search finds no transactions: nothing was printed.\n")
                     || none.err == "The search finds no transactions: nothing was printed.\n",
                 none.err.constData());
        QCOMPARE(test::listing(folder.filePath("out")), QStringList{"list.pdf"});
        QVERIFY(pdfText(pdf).contains(QStringLiteral("Matches for: 'pay'")));
        QVERIFY(!QFileInfo::exists(folder.filePath("home/Documents")));
        QCOMPARE(test::listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void summaryOnStandardOutput()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        const Run run = test::runTallyo({"export", "summary", "--account", "bills & co #2 100%", "--data-dir", folder.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.err.isEmpty());
        const QString text = QString::fromUtf8(run.out);
        QVERIFY(!text.contains(u'\r'));
        QVERIFY(text.endsWith(QStringLiteral("1 Voids \n")));
        QVERIFY(text.contains(QStringLiteral("\n\nSummary-\nAccount of Bills & Co #2 100%\n\n"
                                             "Total number of transactions in this summary 6\n"
                                             "Current account balance as of this summary 239.50\n\n"
                                             "1 Total credit transactions (300.00 / average 50.00)\n"
                                             "0 Total debit transactions (-60.50 / average -10.08)\n\n\n"
                                             "3 Regular or Electronic checks (60.50)\n")));
        QCOMPARE(test::listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void unknownAccounts()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        for (const QStringList& verb : {QStringList{"export", "summary"}, QStringList{"print", "list"}}) {
            const Run run = test::runTallyo(verb + QStringList{"--account", "Nobody", "--data-dir", folder.path()});
            QCOMPARE(run.exitCode, 1);
            QVERIFY(run.out.isEmpty());
            QVERIFY(run.err.endsWith("No account is named or keyed \"Nobody\".\n"));
        }
        const Run missing = test::runTallyo({"export", "summary", "--account", "H", "--data-dir", folder.filePath("none")});
        QCOMPARE(missing.exitCode, 1);
    }

    void printListIntoAPdf()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        const QString pdf = folder.filePath("out/list.pdf");
        QVERIFY(QDir().mkpath(folder.filePath("out")));
        const Run run = runWithoutPrinter({"print", "list", "--account", "Bills & Co #2 100%", "--comments", "--from",
                                           "2026-03-03", "--to", "2026-03-05", "--pdf", pdf, "--data-dir", folder.path()},
                                          folder.filePath("home"));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromUtf8(run.out), QStringLiteral("Printed 3 items into %1.\n").arg(pdf));
        QCOMPARE(test::listing(folder.filePath("out")), QStringList{"list.pdf"});
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("End of Printout -- 3 items in this list.")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Account of Bills & Co #2 100%")));
        // The days asked for, not the first row's.
        QVERIFY(text.contains(QStringLiteral("(dates from 03/03/26 to 03/05/26)")));
        QVERIFY(text.contains(QStringLiteral("Refund")));
        QVERIFY(!text.contains(QStringLiteral("1001")));
        QCOMPARE(test::listing(folder.path()), (QStringList{"Account.dat", "Account.dex"}));
    }

    void printListWithoutAPrinterSavesAPdf()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        const QString documents = folder.filePath("home/Documents");
        const Run run = runWithoutPrinter({"print", "list", "--account", "Bills & Co #2 100%", "--data-dir", folder.path()},
                                          folder.filePath("home"));
        QCOMPARE(run.exitCode, 0);
        const QStringList saved = test::listing(documents);
        QCOMPARE(saved.size(), 1);
        QVERIFY(QString::fromUtf8(run.out).startsWith(QStringLiteral("Printed 6 items. No printer is installed")));
        const QString text = pdfText(QDir(documents).filePath(saved.first()));
        QVERIFY(text.contains(QStringLiteral("End of Printout -- 6 items")));
        // The whole list: from its first dated row to its last.
        QVERIFY2(text.contains(QStringLiteral("(dates from 03/02/26 to 03/06/26)")), qPrintable(text));
    }

    void printIntoAFolderThatCannotBeWritten()
    {
        QTemporaryDir folder;
        writeHousehold(folder);
        const QString pdf = folder.filePath("missing/list.pdf");
        const Run run = runWithoutPrinter(
            {"print", "list", "--account", "Bills & Co #2 100%", "--pdf", pdf, "--data-dir", folder.path()},
            folder.filePath("home"));
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.contains("could not write"), run.err.constData());
        QVERIFY(!QFileInfo::exists(pdf));
    }
};

TALLYO_TEST(ReportCommandsTest)
#include "reportcommands_test.moc"
