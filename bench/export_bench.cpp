// The export commands as a user runs them: the whole program started,
// reading the data folder and writing its CSV (to /dev/null), beside `dd`
// reading the transaction file in 1 MB blocks, each a process of its own.
// One account of about 100,000 transactions in a file of 200,000.
#include "floors.h"

#include "store/datafiles.h"

#include <QDir>
#include <benchmark/benchmark.h>

using namespace tallyo;

namespace {

const bench::BigAccountFolder& Folder(const benchmark::State& state)
{
    return bench::BigAccountData(int(state.range(0)), int(state.range(1)));
}

// Runs a process each iteration; a failure ends the figure with its reason.
void RunEach(benchmark::State& state, const QStringList& command)
{
    try {
        for (auto _ : state)
            bench::RunProcess(command);
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void ProcessReadFloor(benchmark::State& state)
{
    const QString file = QDir(Folder(state).path).filePath(QString::fromLatin1(TransactionFileName));
    RunEach(state, {QStringLiteral("dd"), QStringLiteral("if=") + file, QStringLiteral("of=/dev/null"),
                    QStringLiteral("bs=1M"), QStringLiteral("status=none")});
}

void ExportRegister(benchmark::State& state)
{
    const bench::BigAccountFolder& folder = Folder(state);
    RunEach(state, {QStringLiteral(TALLYO_PROGRAM), QStringLiteral("export"), QStringLiteral("register"),
                    QStringLiteral("--account"), folder.data.accounts.front().key, QStringLiteral("--data-dir"),
                    folder.path});
}

void ExportAccounts(benchmark::State& state)
{
    RunEach(state, {QStringLiteral(TALLYO_PROGRAM), QStringLiteral("export"), QStringLiteral("accounts"),
                    QStringLiteral("--data-dir"), Folder(state).path});
}

}

// Processes: the time that counts is the wall clock, not this process's CPU.
BENCHMARK(ProcessReadFloor)->Args({20, 200000})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ExportRegister)->Args({20, 200000})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ExportAccounts)->Args({20, 200000})->UseRealTime()->Unit(benchmark::kMillisecond);
