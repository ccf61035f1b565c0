// What every command does with its output: a PDF that cannot be written
// whole leaves the file asked for as it was, a full output exits 1 with the
// reason, and a closed pipe ends the command by SIGPIPE once its work is done.
#include "../store/handmade.h"
#include "tallyoprocess.h"
#include "testrunner.h"

#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallyo::test;

namespace {

constexpr char Key[] = "20240101120000";

// Checking, with a check layout: 1 beginning balance, 2 check 1042.
void writeData(const QString& folder)
{
    handmade::Account a;
    a.key = Key;
    a.name = "Checking";
    a.checkLayout = QByteArray("\x02\x3C\x04\x32\x06\x0A\x06\x3E\x08\x05\x0A\x08", 12);
    writeFile(folder + "/Account.dex", handmade::account(a));
    handmade::Transaction t;
    t.key = Key;
    t.date = 44260;
    t.type = "Start";
    t.amount = 10000000;
    t.payee = "City Water Works";
    QByteArray file = handmade::transaction(t);
    t.type = "1042";
    t.amount = -12345600;
    writeFile(folder + "/Account.dat", file + handmade::transaction(t));
}

// Where standard output goes.
enum class Output { File, Full, ClosedPipe };

struct Outcome {
    int status = -1;  // the exit status, or -1 when a signal ended it
    int signal = 0;
    QByteArray out;
    QByteArray err;
};

// Runs the program with standard output where asked, a file size limit
// (0: none) and environment additions; no print system is found, so the
// default printer is a PDF in $HOME/Documents.
Outcome run(const QStringList& arguments, Output output, const QString& scratch, rlim_t sizeLimit = 0)
{
    const QByteArray program = qgetenv("TALLYO_BINARY");
    QList<QByteArray> args{program};
    for (const QString& a : arguments)
        args << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray outName = (output == Output::Full ? QString("/dev/full") : scratch + "/stdout").toLocal8Bit();
    const QByteArray errName = (scratch + "/stderr").toLocal8Bit();
    const QByteArray home = ("HOME=" + scratch + "/home").toLocal8Bit();
    int pipeEnds[2] = {-1, -1};
    if (output == Output::ClosedPipe) {
        if (::pipe(pipeEnds) != 0)
            return {};
        ::close(pipeEnds[0]);  // the reader has gone before anything is written
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = output == Output::ClosedPipe ? pipeEnds[1] : ::open(outName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errName.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (sizeLimit > 0) {
            const rlimit limit{sizeLimit, sizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails with EFBIG
        }
        ::putenv(const_cast<char*>(home.constData()));
        ::putenv(const_cast<char*>("CUPS_SERVER=127.0.0.1:1"));
        ::execv(program.constData(), argv.data());
        ::_exit(127);
    }
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    Outcome outcome;
    if (WIFEXITED(status))
        outcome.status = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.signal = WTERMSIG(status);
    QFile out(scratch + "/stdout"), err(errName);
    if (output == Output::File && out.open(QIODevice::ReadOnly))
        outcome.out = out.readAll();
    if (err.open(QIODevice::ReadOnly))
        outcome.err = err.readAll();
    return outcome;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// The commands that print something on standard output, {data} standing
// for the data folder and {out} for a folder to write into.
void commandRows()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("help") << QStringList{"--help"};
    QTest::newRow("words") << QStringList{"words", "1234.56"};
    QTest::newRow("export accounts") << QStringList{"export", "accounts", "--data-dir", "{data}"};
    QTest::newRow("export register") << QStringList{"export", "register", "--account", "Checking", "--data-dir", "{data}"};
    QTest::newRow("export summary") << QStringList{"export", "summary", "--account", "Checking", "--data-dir", "{data}"};
    QTest::newRow("export layout") << QStringList{"export", "layout", "--account", "Checking", "--data-dir", "{data}"};
    QTest::newRow("print list") << QStringList{"print", "list", "--account", "Checking", "--pdf", "{out}/list.pdf", "--data-dir", "{data}"};
    QTest::newRow("print check") << QStringList{"print", "check", "--account", "Checking", "--record", "2", "--pdf", "{out}/check.pdf", "--data-dir", "{data}"};
    QTest::newRow("backup") << QStringList{"backup", "{out}", "--data-dir", "{data}"};
}

QStringList filledIn(QStringList arguments, const QTemporaryDir& data, const QTemporaryDir& out)
{
    arguments.replaceInStrings("{data}", data.path());
    arguments.replaceInStrings("{out}", out.path());
    return arguments;
}

}

class CommandOutputTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { prepareProgramRuns(); }

    // Every PDF the program writes goes through one scratch file: a write
    // past a real file-size limit exits 1 with the system's reason, and the
    // file asked for (or the documents folder) is left as it was.
    void aPdfThatCannotBeWrittenLeavesTheFileAsItWas_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("target");  // relative to the output folder; empty: the documents folder
        QTest::newRow("print list --pdf")
            << QStringList{"print", "list", "--account", "Checking", "--pdf", "{out}/list.pdf", "--data-dir", "{data}"}
            << "list.pdf";
        QTest::newRow("print check --pdf")
            << QStringList{"print", "check", "--account", "Checking", "--record", "2", "--pdf", "{out}/check.pdf",
                           "--data-dir", "{data}"}
            << "check.pdf";
        QTest::newRow("no printer: documents folder")
            << QStringList{"print", "list", "--account", "Checking", "--data-dir", "{data}"} << QString();
    }

    void aPdfThatCannotBeWrittenLeavesTheFileAsItWas()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, target);
        QTemporaryDir data, out, scratch;
        writeData(data.path());
        QVERIFY(QDir().mkpath(scratch.filePath("home/Documents")));
        const QString file = target.isEmpty() ? QString() : out.filePath(target);
        const QByteArray before("an older file of the user's");
        if (!file.isEmpty())
            writeFile(file, before);

        // A PDF is larger than 2,000 bytes: its write fails with EFBIG.
        const Outcome failed = run(filledIn(arguments, data, out), Output::File, scratch.path(), 2000);
        QCOMPARE(failed.status, 1);
        QVERIFY2(failed.err.contains(": could not write: File too large\n"), failed.err.constData());
        QVERIFY(!failed.err.contains("printer"));
        QVERIFY(failed.out.isEmpty());
        if (!file.isEmpty()) {
            QCOMPARE(readAll(file), before);
            QCOMPARE(listing(out.path()), QStringList{target});
        }
        QCOMPARE(listing(scratch.filePath("home/Documents")), QStringList{});

        // Without the limit the same command writes a whole PDF in its place.
        const Outcome done = run(filledIn(arguments, data, out), Output::File, scratch.path());
        QCOMPARE(done.status, 0);
        const QString written = file.isEmpty()
            ? scratch.filePath("home/Documents/") + listing(scratch.filePath("home/Documents")).value(0)
            : file;
        const QByteArray pdf = readAll(written);
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        QCOMPARE(listing(QFileInfo(written).absolutePath()).size(), 1);
    }

    // A full output (/dev/full) exits 1 with the reason, for every command.
    void aFullOutputExitsOneWithTheReason_data() { commandRows(); }

    void aFullOutputExitsOneWithTheReason()
    {
        QFETCH(QStringList, arguments);
        if (!QFile::exists("/dev/full"))
            QSKIP("/dev/full is not available");
        QTemporaryDir data, out, scratch;
        writeData(data.path());
        const Outcome outcome = run(filledIn(arguments, data, out), Output::Full, scratch.path());
        QCOMPARE(outcome.status, 1);
        QCOMPARE(outcome.err, QByteArray("tallyo: standard output: could not write: No space left on device\n"));
    }

    // A closed pipe: the work is done, nothing is said on standard error, and
    // the process ends by SIGPIPE as the usual tools do.
    void aClosedPipeEndsTheCommandBySigpipe_data() { commandRows(); }

    void aClosedPipeEndsTheCommandBySigpipe()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir data, out, scratch;
        writeData(data.path());
        const Outcome outcome = run(filledIn(arguments, data, out), Output::ClosedPipe, scratch.path());
        QCOMPARE(outcome.signal, SIGPIPE);
        QCOMPARE(outcome.err, QByteArray());
        // The work itself was not cut short by the closed pipe.
        if (arguments.contains("--pdf"))
            QVERIFY(readAll(out.filePath(arguments.contains("check") ? "check.pdf" : "list.pdf")).startsWith("%PDF-"));
        if (arguments.first() == "backup")
            QCOMPARE(readAll(out.filePath("Account.dat")), readAll(data.filePath("Account.dat")));
    }
};

TALLYO_TEST(CommandOutputTest)
#include "commandoutput.moc"
