// The account index: the list with balances of a large folder beside a plain
// read, and deleting an account beside a plain copy.
#include "floors.h"

#include "index/AccountListModel.h"
#include "index/accountlist.h"
#include "index/accountmaintenance.h"
#include "store/datafiles.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>

using namespace tallyo;

namespace {

const QStringList dataFileNames{"Account.dex", "Account.dat", "PayCom.lst"};

void EnterFolder(const benchmark::State& state)
{
    QDir::setCurrent(bench::DataFolder(int(state.range(0)), int(state.range(1))));
    dataFiles().reset();
}

// Reading both files the list is built from.
void ListReadFloor(benchmark::State& state)
{
    EnterFolder(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::ReadWholeFile(QString::fromLatin1(AccountIndexFileName)));
        benchmark::DoNotOptimize(bench::ReadWholeFile(QString::fromLatin1(TransactionFileName)));
    }
}

// The list as the index window builds it: names, balances and the table
// model with every cell's text asked for once.
void AccountList(benchmark::State& state)
{
    EnterFolder(state);
    AccountListModel model;
    for (auto _ : state) {
        model.setEntries(ReadAccountList());
        for (int row = 0; row < model.rowCount(); ++row)
            for (int column = 0; column < model.columnCount(); ++column)
                benchmark::DoNotOptimize(model.data(model.index(row, column)));
    }
}

// Copying the three files, as deleting an account rewrites them all.
void DeleteCopyFloor(benchmark::State& state)
{
    EnterFolder(state);
    for (auto _ : state)
        for (const QString& name : dataFileNames)
            bench::CopyFile(name, name + QStringLiteral(".copy"), true);
    for (const QString& name : dataFileNames)
        QFile::remove(name + QStringLiteral(".copy"));
}

void DeleteAccount(benchmark::State& state)
{
    EnterFolder(state);
    for (const QString& name : dataFileNames)
        bench::CopyFile(name, name + QStringLiteral(".bench"), false);
    for (auto _ : state) {
        state.PauseTiming();
        for (const QString& name : dataFileNames)
            bench::CopyFile(name + QStringLiteral(".bench"), name, false);
        const QString key = ReadAccountList().at(size_t(state.range(0) / 2)).key;
        state.ResumeTiming();
        DeleteAccountRecords(key);
    }
    for (const QString& name : dataFileNames) {
        QFile::remove(name);
        QFile::rename(name + QStringLiteral(".bench"), name);
    }
}

}

BENCHMARK(ListReadFloor)->Args({1000, 1000000})->Unit(benchmark::kMillisecond);
BENCHMARK(AccountList)->Args({1000, 1000000})->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteCopyFloor)->Args({20, 100000})->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteAccount)->Args({20, 100000})->Unit(benchmark::kMillisecond);
