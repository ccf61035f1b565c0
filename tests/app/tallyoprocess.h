#pragma once
// Runs the real program as a separate process, for the commands that work
// without a display, and looks at what it left in a folder.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace tallyo::test {

struct Run {
    int exitCode = -1;  // -1: crashed or did not finish
    QByteArray out;
    QByteArray err;
};

inline Run runTallyo(const QStringList& arguments, const QProcessEnvironment& environment =
                                                         QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("TALLYO_BINARY"), arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The names of the files in a folder, hidden ones included.
inline QStringList listing(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// For a test class's initTestCase: the program to run must be known, and
// printing starts Qt's graphical side, which wants a private runtime folder
// as a desktop session has.
inline void prepareProgramRuns()
{
    QVERIFY2(QFile::exists(qEnvironmentVariable("TALLYO_BINARY")), "TALLYO_BINARY is not set");
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty())
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

}
