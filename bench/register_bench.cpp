// The register against its floor: assembling one account of about 100,000
// transactions out of a file of 200,000, beside a plain read of that file,
// and ordering 100,000 rows on their own.
#include "datagen.h"
#include "floors.h"

#include "index/currentaccount.h"
#include "platform/platform.h"
#include "register/assembly.h"
#include "register/registerstate.h"
#include "store/datafiles.h"

#include <QDir>
#include <benchmark/benchmark.h>

using namespace tallyo;

namespace {

// The folder whose first account holds half of the transactions, as the
// working folder.
const GeneratedData& EnterBigAccountFolder(const benchmark::State& state)
{
    const bench::BigAccountFolder& big = bench::BigAccountData(int(state.range(0)), int(state.range(1)));
    QDir::setCurrent(big.path);
    dataFiles().reset();
    return big.data;
}

EventPace noPauses(0);

void RegisterReadFloor(benchmark::State& state)
{
    EnterBigAccountFolder(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ReadWholeFile(QString::fromLatin1(TransactionFileName)));
}

// Everything the register does to show the account, its status pauses left
// out: the scan of the file, the ordering, the balances and the rows.
void LoadRegister(benchmark::State& state)
{
    const GeneratedData& data = EnterBigAccountFolder(state);
    platform().pace = &noPauses;
    ResetRegisterState();
    currentAccount().CurrentAccountKey = data.accounts.front().key;
    const AssemblyHooks hooks;
    for (auto _ : state)
        benchmark::DoNotOptimize(tallyo::LoadRegister(hooks));
    const RegisterRows& rows = registerState().Rows;
    state.counters["rows"] = double(rows.size());
    state.counters["bytes_per_row"] = double(rows.memoryUsed()) / double(qMax(1, rows.size()));
}

// The two halves of the assembly on their own: the pass over the file that
// gathers the account's rows, and their ordering.
void GatherRows(benchmark::State& state)
{
    const GeneratedData& data = EnterBigAccountFolder(state);
    const QByteArray key = AccountKeyBytes(data.accounts.front().key);
    for (auto _ : state)
        benchmark::DoNotOptimize(GatherAccountRows(key));
}

void OrderRows(benchmark::State& state)
{
    const GeneratedData& data = EnterBigAccountFolder(state);
    const RegisterRows gathered = GatherAccountRows(AccountKeyBytes(data.accounts.front().key));
    for (auto _ : state) {
        state.PauseTiming();
        RegisterRows rows = gathered;
        state.ResumeTiming();
        rows.order();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = double(gathered.size());
}

}

BENCHMARK(RegisterReadFloor)->Args({20, 200000})->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRegister)->Args({20, 200000})->Unit(benchmark::kMillisecond);
BENCHMARK(GatherRows)->Args({20, 200000})->Unit(benchmark::kMillisecond);
BENCHMARK(OrderRows)->Args({20, 200000})->Unit(benchmark::kMillisecond);
