#include "t_evaluation.h"

#include <cmath>
#include <cstddef>

namespace {

// The table as runs of equal entries, which keeps it short enough to check
// by eye: from `first` on, up to the next run, every entry holds `value`.
struct Run {
    int first;
    double value;
};

constexpr Run kRuns[] = {
    {1, 12.706},  {2, 4.303},  {3, 3.182},   {4, 2.776},   {5, 2.571},   {6, 2.447},  {7, 2.365},
    {8, 2.306},   {9, 2.262},  {10, 2.228},  {11, 2.201},  {12, 2.179},  {13, 2.16},  {14, 2.145},
    {15, 2.131},  {16, 2.12},  {17, 2.11},   {18, 2.101},  {19, 2.093},  {20, 2.086}, {21, 2.08},
    {22, 2.074},  {23, 2.069}, {24, 2.064},  {25, 2.06},   {26, 2.056},  {27, 2.052}, {28, 2.048},
    {29, 2.045},  {30, 2.042}, {31, 2.0395}, {32, 2.037},  {33, 2.0345}, {34, 2.032}, {35, 2.03},
    {36, 2.028},  {37, 2.026}, {38, 2.024},  {39, 2.0225}, {40, 2.021},  {43, 2.02},  {47, 2.009},
    {51, 2.0045}, {60, 2.0},   {81, 1.99},   {105, 1.98},  {121, 1.97},  {200, 1.96},
};

constexpr std::array<double, 201> ExpandRuns() {
    std::array<double, 201> table{};
    std::size_t run = 0;
    for (int entry = 1; entry <= 200; ++entry) {
        if (run + 1 < std::size(kRuns) && kRuns[run + 1].first == entry) {
            ++run;
        }
        table[static_cast<std::size_t>(entry)] = kRuns[run].value;
    }
    return table;
}

// Every step is checked: an invalid operation, a division by zero and an
// overflow all leave an infinity or a NaN behind.
bool IsUsable(double value) {
    return std::isfinite(value);
}

}  // namespace

const std::array<double, 201> CriticalValues = ExpandRuns();

std::optional<PairStatistics> Evaluate(std::span<const PairRecord> records) {
    const auto n = static_cast<double>(records.size());

    double sum = 0.0;
    for (const PairRecord& record : records) {
        sum = sum + record.Difference;
        if (!IsUsable(sum)) {
            return std::nullopt;
        }
    }
    const double mean = sum / n;
    if (!IsUsable(mean)) {
        return std::nullopt;
    }

    double ss = 0.0;
    for (const PairRecord& record : records) {
        const double deviation = record.Difference - mean;
        const double square = deviation * deviation;
        ss = ss + square;
        if (!IsUsable(deviation) || !IsUsable(square) || !IsUsable(ss)) {
            return std::nullopt;
        }
    }
    const double variance = ss / (n - 1.0);
    const double standardDeviation = std::sqrt(variance);
    const double standardError = standardDeviation / std::sqrt(n);
    const double t = mean / standardError;
    if (!IsUsable(variance) || !IsUsable(standardDeviation) || !IsUsable(standardError) ||
        !IsUsable(t)) {
        return std::nullopt;
    }
    return PairStatistics{mean, standardDeviation, t};
}

std::optional<Decision> Decide(double t, int n) {
    if (n < 2 || !IsUsable(t)) {
        return std::nullopt;
    }
    const double critical = CriticalValues[static_cast<std::size_t>(n >= 200 ? 200 : n - 1)];
    if (t >= critical || t <= -critical) {
        return Decision{"reject", ""};
    }
    return Decision{"not reject", "no "};
}
