// `tallyo import` as a user runs it: a CSV statement of 10,000 lines, half
// of them transactions the register already holds and half new, imported
// into an account of 100,000 rows in a file of 200,000, the whole process
// from its start to its exit, beside `tallyo export register` of the same
// account in the same run. Each run starts from a fresh copy of the data
// file (copied while the clock is stopped), since an import changes it.
#include "floors.h"

#include "statements/matching.h"
#include "store/datafiles.h"
#include "util/csv.h"
#include "util/dates.h"
#include "util/formats.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tallyo;

namespace {

constexpr int StatementLines = 10000;

struct ImportFolder {
    QTemporaryDir work;   // the folder each run imports into
    QString pristine;     // the generated folder, never changed
    QString key;
    QString statement;
};

// Half the lines copy transactions spread through the account (date,
// payee, amount), the other half are dated after everything in it.
void WriteStatement(const QString& path, const std::vector<RegisterEntry>& entries)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write the statement");
    QByteArray csv = "Date,Description,Amount\r\n";
    const size_t step = qMax<size_t>(1, entries.size() / (StatementLines / 2));
    for (int i = 0; i < StatementLines / 2; ++i) {
        const RegisterEntry& entry = entries[size_t(1 + i) * step % entries.size()];
        csv += CsvRecord({FormatDate(entry.date, u"yyyy-mm-dd"), entry.payee, FormatAmountPlain(entry.amount)}).toUtf8();
    }
    for (int i = 0; i < StatementLines / 2; ++i) {
        csv += CsvRecord({QDate(2031, 1, 1).addDays(i % 365).toString(Qt::ISODate),
                          QStringLiteral("New payee %1").arg(i % 97), FormatAmountPlain(-10000 * (i % 500 + 1))})
                   .toUtf8();
    }
    file.write(csv);
}

const ImportFolder& Folder(const benchmark::State& state)
{
    static std::unique_ptr<ImportFolder> made;
    if (!made) {
        const bench::BigAccountFolder& big = bench::BigAccountData(int(state.range(0)), int(state.range(1)));
        made = std::make_unique<ImportFolder>();
        made->pristine = big.path;
        made->key = big.data.accounts.front().key;
        made->statement = made->work.filePath(QStringLiteral("statement.csv"));
        for (const char* name : {AccountIndexFileName, ListFileName})
            QFile::copy(QDir(big.path).filePath(QLatin1StringView(name)), made->work.filePath(QLatin1StringView(name)));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(big.path);
        const std::vector<RegisterEntry> entries = ReadRegisterEntries(made->key);
        QDir::setCurrent(previous);
        WriteStatement(made->statement, entries);
    }
    return *made;
}

void ImportStatement(benchmark::State& state)
{
    try {
        const ImportFolder& folder = Folder(state);
        const QString data = QString::fromLatin1(TransactionFileName);
        for (auto _ : state) {
            state.PauseTiming();
            QFile::remove(folder.work.filePath(data));
            // Flushed while the clock is stopped, so that the import's own flush
            // does not count the copy.
            bench::CopyFile(QDir(folder.pristine).filePath(data), folder.work.filePath(data), true);
            state.ResumeTiming();
            bench::RunProcess({QStringLiteral(TALLYO_PROGRAM), QStringLiteral("import"), folder.statement,
                               QStringLiteral("--account"), folder.key, QStringLiteral("--data-dir"), folder.work.path()});
        }
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

}

BENCHMARK(ImportStatement)->Args({20, 200000})->UseRealTime()->Unit(benchmark::kMillisecond);
