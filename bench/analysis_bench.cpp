// The analysis code under Google Benchmark, on the files run_bench.py writes
// into $DUVORA_BENCH_DATA: the reader, the two commands a user feels (Input
// Data and Results, on the tests' fake window recording nothing, as the real
// window formats no number until it shows it), and the number format.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "number_format.h"
#include "pair_reader.h"
#include "recording_view.h"
#include "t_evaluation.h"
#include "test_controller.h"

namespace {

std::string DataFile(std::int64_t records) {
    const char* folder = std::getenv("DUVORA_BENCH_DATA");
    return std::string(folder != nullptr ? folder : ".") + "/pairs_" + std::to_string(records) +
           ".txt";
}

// Open, both names, every record, Close: what Input Data asks of the reader.
void BM_ReadPairFile(benchmark::State& state) {
    PairReader reader;
    for (auto _ : state) {
        reader.Open(DataFile(state.range(0)));
        reader.ReadText();
        reader.ReadText();
        while (!reader.AtEnd() && reader.ReadNumber() && reader.ReadNumber()) {
        }
        reader.Close();
    }
}
BENCHMARK(BM_ReadPairFile)->Arg(32767)->Unit(benchmark::kMicrosecond);

// A command of the real controller on a file that loads whole.
void RunCommand(benchmark::State& state, void (TestController::*command)()) {
    RecordingView view;
    view.chosenFile = DataFile(state.range(0));
    view.record = false;
    TestController controller(view);
    controller.cmdInputData_Click();
    for (auto _ : state) {
        (controller.*command)();
    }
    if (controller.PairCount() != state.range(0)) {
        state.SkipWithError("the file did not load whole");
    }
}
void BM_InputDataCommand(benchmark::State& state) {
    RunCommand(state, &TestController::cmdInputData_Click);
}
BENCHMARK(BM_InputDataCommand)->Arg(1)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);
void BM_ResultsCommand(benchmark::State& state) {
    RunCommand(state, &TestController::cmdResults_Click);
}
BENCHMARK(BM_ResultsCommand)->Arg(32767)->Unit(benchmark::kMicrosecond);

void BM_FormatNumber(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(0.877971146071062));
    }
}
BENCHMARK(BM_FormatNumber);

}  // namespace

BENCHMARK_MAIN();
