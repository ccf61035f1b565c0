#include "transcript.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace tallyo::test {

namespace {

const char* const UpdateVariable = "TALLYO_UPDATE_TRANSCRIPTS";

bool fail(const QString& message, const char* file, int line)
{
    QTest::qFail(qPrintable(message), file, line);
    return false;
}

}

bool matchesTranscript(const QString& actual, const QString& dataFolder, const QString& name,
                       const char* file, int line)
{
    const QString path = QDir(dataFolder).filePath(name + QStringLiteral(".txt"));
    QFile stored(path);

    if (qEnvironmentVariable(UpdateVariable) == QStringLiteral("1")) {
        QDir().mkpath(dataFolder);
        if (!stored.open(QIODevice::WriteOnly | QIODevice::Truncate) || stored.write(actual.toUtf8()) < 0)
            return fail(QStringLiteral("Could not write %1: %2").arg(path, stored.errorString()), file, line);
        qInfo("Wrote %s", qPrintable(path));
        return true;
    }

    if (!stored.open(QIODevice::ReadOnly)) {
        return fail(QStringLiteral("No expected transcript %1.\nRun the test with %2=1 to write it "
                                   "from this output, then check it:\n%3")
                        .arg(path, QLatin1String(UpdateVariable), actual),
                    file, line);
    }
    QString expected = QString::fromUtf8(stored.readAll());
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (expected == actual)
        return true;

    const QStringList want = expected.split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    qsizetype at = 0;
    while (at < want.size() && at < got.size() && want[at] == got[at])
        ++at;
    return fail(QStringLiteral("Printed output differs from %1 at line %2:\n  expected: %3\n  actual:   %4\n"
                               "Run the test with %5=1 to accept the new output.")
                    .arg(path)
                    .arg(at + 1)
                    .arg(at < want.size() ? want[at] : QStringLiteral("(end)"),
                         at < got.size() ? got[at] : QStringLiteral("(end)"),
                         QLatin1String(UpdateVariable)),
                file, line);
}

}
