// The data store against its floors: balances and a scan of one account
// beside a plain read, removal of a transaction beside a plain copy.
#include "floors.h"

#include "index/accountlist.h"
#include "store/datafiles.h"
#include "store/recordscan.h"
#include "store/rewrite.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace tallyo;

namespace {

// Makes the generated folder the working folder for one benchmark.
QString EnterFolder(const benchmark::State& state)
{
    const QString folder = bench::DataFolder(int(state.range(0)), int(state.range(1)));
    QDir::setCurrent(folder);
    dataFiles().reset();
    return folder;
}

void ReadFloor(benchmark::State& state)
{
    EnterFolder(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ReadWholeFile(QString::fromLatin1(TransactionFileName)));
}

void CopyFloor(benchmark::State& state)
{
    EnterFolder(state);
    for (auto _ : state)
        bench::CopyFile(QString::fromLatin1(TransactionFileName), QStringLiteral("copy.tmp"), true);
    QFile::remove(QStringLiteral("copy.tmp"));
}

void AccountBalances(benchmark::State& state)
{
    EnterFolder(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAccountList());
}

// The scan of one account: every record of the file is read and the
// account's records are kept with their number, date, amount and payee.
void ScanOneAccount(benchmark::State& state)
{
    EnterFolder(state);
    const QByteArray key = AccountKeyBytes(ReadAccountList().front().key);
    struct Found {
        qint32 number;
        double date;
        qint64 amount;
        QString payee;
    };
    for (auto _ : state) {
        std::vector<Found> found;
        ScanRecords(QString::fromLatin1(TransactionFileName), TransactionRecord::Length,
                    [&](const char* record, qint32 number) {
                        const TransactionView view(record);
                        if (view.hasKey(key))
                            found.push_back({number, view.date(), view.amount(), view.payee()});
                    });
        benchmark::DoNotOptimize(found);
    }
}

void RemoveFirstTransaction(benchmark::State& state)
{
    const QString folder = EnterFolder(state);
    const QString backup = QStringLiteral("Account.dat.bench");
    bench::CopyFile(QString::fromLatin1(TransactionFileName), backup, false);
    for (auto _ : state)
        RemoveTransaction(1);
    QFile::remove(QString::fromLatin1(TransactionFileName));
    QFile::rename(backup, QString::fromLatin1(TransactionFileName));
}

}

BENCHMARK(ReadFloor)->Args({20, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(CopyFloor)->Args({20, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(AccountBalances)->Args({20, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(ScanOneAccount)->Args({20, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(RemoveFirstTransaction)->Args({20, 100000})->Unit(benchmark::kMillisecond);
