// Replays every input kept in fuzz/regressions/<target>/ and
// fuzz/corpus/<target>/ through its target, built with the normal compiler:
// an input that once crashed or hung a target must pass for good.
// Prints one line per target and exits 1 when a folder names no target.
#include "targets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

using namespace tallyo::fuzz;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FUZZ-FOLDER\n", argv[0]);
        return 2;
    }
    PrepareFuzzing();
    const QDir root(QFile::decodeName(argv[1]));
    int status = 0, replayed = 0;
    for (const char* kind : {"regressions", "corpus"}) {
        const QDir folder(root.filePath(QString::fromLatin1(kind)));
        for (const QString& targetName : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const FuzzTarget* target = FindFuzzTarget(targetName.toLatin1().constData());
            if (!target) {
                std::fprintf(stderr, "%s/%s: no such fuzz target\n", kind, qPrintable(targetName));
                status = 1;
                continue;
            }
            const QDir inputs(folder.filePath(targetName));
            QElapsedTimer timer;
            timer.start();
            int count = 0;
            for (const QString& name : inputs.entryList(QDir::Files)) {
                QFile file(inputs.filePath(name));
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                const QByteArray bytes = file.readAll();
                target->run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
                ++count;
            }
            replayed += count;
            std::printf("%s/%s: %d inputs in %lld ms\n", kind, qPrintable(targetName), count, timer.elapsed());
        }
    }
    std::printf("%d inputs replayed\n", replayed);
    return status;
}
