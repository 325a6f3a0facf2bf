// Micro-benchmarks of the analysis code on the generated files: the reader,
// the evaluation with its decision, the number format, and the two commands
// whose speed a user feels (Input Data and Results) without a window.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "headless_view.h"
#include "number_format.h"
#include "pair_reader.h"
#include "t_evaluation.h"
#include "test_controller.h"

namespace {

std::string DataFile(std::int64_t records) {
    return std::string(DUVORA_BENCH_DATA_DIR) + "/pairs_" + std::to_string(records) + ".txt";
}

// The records of a file as the controller holds them after Input Data.
std::vector<PairRecord> LoadRecords(const std::string& file) {
    HeadlessView view(file);
    TestController controller(view);
    controller.cmdInputData_Click();
    return {controller.Pairs().begin(), controller.Pairs().begin() + controller.PairCount()};
}

bool SkipWithoutFile(benchmark::State& state, const std::string& file) {
    if (std::filesystem::is_regular_file(file)) {
        return false;
    }
    state.SkipWithError(("missing " + file + ": build the bench_data target").c_str());
    return true;
}

// Open, both names, every record, Close: what Input Data asks of the reader.
void BM_ReadPairFile(benchmark::State& state) {
    const std::string file = DataFile(state.range(0));
    if (SkipWithoutFile(state, file)) {
        return;
    }
    PairReader reader;
    std::int64_t records = 0;
    for (auto _ : state) {
        if (!reader.Open(file) || !reader.ReadText() || !reader.ReadText()) {
            state.SkipWithError("the file cannot be read");
            break;
        }
        while (!reader.AtEnd()) {
            const auto first = reader.ReadNumber();
            const auto second = reader.ReadNumber();
            if (!first || !second) {
                state.SkipWithError("a record cannot be read");
                break;
            }
            benchmark::DoNotOptimize(*first - *second);
            ++records;
        }
        reader.Close();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(file)));
    state.SetItemsProcessed(records);
}
BENCHMARK(BM_ReadPairFile)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

void BM_EvaluateAndDecide(benchmark::State& state) {
    const std::string file = DataFile(state.range(0));
    if (SkipWithoutFile(state, file)) {
        return;
    }
    const std::vector<PairRecord> records = LoadRecords(file);
    const int n = static_cast<int>(records.size());
    for (auto _ : state) {
        const auto statistics = Evaluate(records);
        const auto decision = statistics ? Decide(statistics->t, n) : std::nullopt;
        benchmark::DoNotOptimize(decision);
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_EvaluateAndDecide)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

// Every number of the 32,767-record file's table: the values the list writes
// as rows come into view, and the report's long fractions.
void BM_FormatNumber(benchmark::State& state) {
    const std::string file = DataFile(32767);
    if (SkipWithoutFile(state, file)) {
        return;
    }
    std::vector<double> values;
    for (const PairRecord& record : LoadRecords(file)) {
        values.insert(values.end(), {record.First, record.Second, record.Difference});
    }
    values.insert(values.end(), {0.666666666666667, 0.877971146071062, 1.31519189844286});
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatNumber(values[next]));
        next = next + 1 == values.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatNumber)->Unit(benchmark::kNanosecond);

// The Input Data command of the real controller, dialog closed to the last
// row handed to the view: the analysis code's share of the window's figure.
void BM_InputDataCommand(benchmark::State& state) {
    const std::string file = DataFile(state.range(0));
    if (SkipWithoutFile(state, file)) {
        return;
    }
    HeadlessView view(file);
    TestController controller(view);
    for (auto _ : state) {
        controller.cmdInputData_Click();
        if (controller.PairCount() != state.range(0)) {
            state.SkipWithError("not every record was read");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_InputDataCommand)->Arg(1)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

// The Results command after a load: evaluation, decision and the report.
void BM_ResultsCommand(benchmark::State& state) {
    const std::string file = DataFile(state.range(0));
    if (SkipWithoutFile(state, file)) {
        return;
    }
    HeadlessView view(file);
    TestController controller(view);
    controller.cmdInputData_Click();
    for (auto _ : state) {
        controller.cmdResults_Click();
        if (view.ResultText().empty()) {
            state.SkipWithError("Results showed the failure message");
            break;
        }
    }
}
BENCHMARK(BM_ResultsCommand)->Arg(1000)->Arg(32767)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
