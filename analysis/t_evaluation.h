#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "pair_record.h"

struct PairStatistics {
    double mean = 0.0;               // of the differences
    double standardDeviation = 0.0;  // sample standard deviation, divisor n - 1
    double t = 0.0;                  // mean / (standardDeviation / sqrt(n))
};

// Both words go into the report: "We will <verdict> the null hypothesis." and
// "There is <negation>differnet between ...".
struct Decision {
    std::string_view verdict;   // "reject" or "not reject"
    std::string_view negation;  // "" or "no "
};

// Two-tailed 95% critical values of Student's t as the statistics tables print
// them, indexed from 1 like the tables: entry k for k degrees of freedom up to
// 199, entry 200 the large-sample 1.96. Entry 0 is unused.
extern const std::array<double, 201> CriticalValues;

// The paired t statistic of the records' differences, computed in a fixed order
// so that every printed digit is reproducible. Empty when any step is invalid,
// divides by zero or overflows, which includes fewer than two records and a
// standard deviation of zero.
std::optional<PairStatistics> Evaluate(std::span<const PairRecord> records);

// Rejects when |t| reaches the critical value for n - 1 degrees of freedom
// (n >= 200 uses 1.96). Empty when n < 2.
std::optional<Decision> Decide(double t, int n);
