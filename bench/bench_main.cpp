// Runs the benchmarks, then prints each figure beside its floor (measured
// in the same run) as a ratio.
#include "util/allocation.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QtGlobal>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Remembers the real time per iteration of every benchmark it reports.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "mean")
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
};

// Figures and their floors, by benchmark name: figure, floor, goal.
struct Comparison {
    const char* figure;
    const char* floor;
    double goal;
};

const Comparison comparisons[] = {
    {"AccountBalances/20/100000", "ReadFloor/20/100000", 1.5},
    {"ScanOneAccount/20/100000", "ReadFloor/20/100000", 1.5},
    {"RemoveFirstTransaction/20/100000", "CopyFloor/20/100000", 2.0},
    {"AccountList/1000/1000000", "ListReadFloor/1000/1000000", 2.0},
    {"DeleteAccount/20/100000", "DeleteCopyFloor/20/100000", 2.0},
    {"LoadRegister/20/200000", "RegisterReadFloor/20/200000", 2.0},
    {"ExportRegister/20/200000/real_time", "ProcessReadFloor/20/200000/real_time", 3.0},
    {"ExportAccounts/20/200000/real_time", "ProcessReadFloor/20/200000/real_time", 2.0},
    {"ImportStatement/20/200000/real_time", "ExportRegister/20/200000/real_time", 3.0},
};

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tallyo::KeepLargeBlocksForReuse();  // as the program does
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-36s %12s %12s %8s %6s\n", "figure", "time (ms)", "floor (ms)", "ratio", "goal");
    for (const Comparison& c : comparisons) {
        const auto figure = reporter.seconds.find(c.figure);
        const auto floor = reporter.seconds.find(c.floor);
        if (figure == reporter.seconds.end() || floor == reporter.seconds.end())
            continue;
        const double ratio = figure->second / floor->second;
        std::printf("%-36s %12.2f %12.2f %7.2fx %5.1fx%s\n", c.figure, figure->second,
                    floor->second, ratio, c.goal, ratio <= c.goal ? "" : "  (above goal)");
    }
    benchmark::Shutdown();
    return 0;
}
