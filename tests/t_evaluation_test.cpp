#include "t_evaluation.h"

#include <cfloat>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "number_format.h"

namespace {

std::vector<PairRecord> FromDifferences(const std::vector<double>& differences) {
    std::vector<PairRecord> records;
    for (const double d : differences) {
        records.push_back({d, 0.0, d});
    }
    return records;
}

std::vector<PairRecord> FromPairs(const std::vector<std::pair<double, double>>& pairs) {
    std::vector<PairRecord> records;
    for (const auto& [first, second] : pairs) {
        records.push_back({first, second, first - second});
    }
    return records;
}

}  // namespace

TEST(Evaluate, GivesTheWorkedExamplesToTheLastPrintedDigit) {
    const auto beforeAfter = Evaluate(FromPairs({{12.5, 11.0}, {14.0, 13.25}, {9.75, 10.0}}));
    ASSERT_TRUE(beforeAfter.has_value());
    EXPECT_EQ(FormatNumber(beforeAfter->mean, "."), "0.666666666666667");
    EXPECT_EQ(FormatNumber(beforeAfter->standardDeviation, "."), "0.877971146071062");
    EXPECT_EQ(FormatNumber(beforeAfter->t, "."), "1.31519189844286");

    const auto rising = Evaluate(FromDifferences({1, 2, 3, 4}));
    ASSERT_TRUE(rising.has_value());
    EXPECT_EQ(rising->mean, 2.5);
    EXPECT_EQ(FormatNumber(rising->standardDeviation, "."), "1.29099444873581");
    EXPECT_EQ(FormatNumber(rising->t, "."), "3.87298334620742");

    const auto falling = Evaluate(FromDifferences({-1, -2, -3, -4}));
    ASSERT_TRUE(falling.has_value());
    EXPECT_EQ(falling->t, -rising->t);
}

TEST(Evaluate, FollowsTheFixedOrderOfOperations) {
    // Summing in another order, or with a compensated sum, changes the last
    // bits of the mean; the tool must reproduce the plain left-to-right sum.
    const std::vector<double> differences = {1e16, 1.0, -1e16, 1.0, 0.1, 0.7};
    double sum = 0.0;
    for (const double d : differences) {
        sum = sum + d;
    }
    const double mean = sum / 6.0;
    double ss = 0.0;
    for (const double d : differences) {
        ss = ss + (d - mean) * (d - mean);
    }
    const auto result = Evaluate(FromDifferences(differences));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->mean, mean);
    EXPECT_EQ(result->standardDeviation, std::sqrt(ss / 5.0));
    EXPECT_EQ(result->t, mean / (std::sqrt(ss / 5.0) / std::sqrt(6.0)));
}

TEST(Evaluate, FailsOnEveryInvalidStep) {
    EXPECT_FALSE(Evaluate({}).has_value());                                   // 0 / 0 mean
    EXPECT_FALSE(Evaluate(FromDifferences({3})).has_value());                 // n - 1 = 0
    EXPECT_FALSE(Evaluate(FromDifferences({2, 2, 2})).has_value());           // c / 0
    EXPECT_FALSE(Evaluate(FromDifferences({0, 0, 0, 0})).has_value());        // 0 / 0
    EXPECT_FALSE(Evaluate(FromDifferences({DBL_MAX, DBL_MAX})).has_value());  // sum overflows
    EXPECT_FALSE(Evaluate(FromDifferences({1e300, -1e300, 0})).has_value());  // square overflows
}

TEST(Evaluate, GivesAHugeTWhenRoundingLeavesATinySpread) {
    const auto result = Evaluate(FromDifferences({0.1, 0.1, 0.1}));
    ASSERT_TRUE(result.has_value());
    EXPECT_GT(result->standardDeviation, 0.0);
    EXPECT_GT(result->t, 1e14);
}

TEST(CriticalValues, HoldTheTableEntriesAndTheirRuns) {
    // Each run's first and last entry, where an off-by-one would show.
    const std::pair<std::size_t, double> entries[] = {
        {1, 12.706}, {2, 4.303},  {31, 2.0395}, {39, 2.0225}, {40, 2.021},
        {42, 2.021}, {43, 2.02},  {50, 2.009},  {51, 2.0045}, {59, 2.0045},
        {60, 2.0},   {80, 2.0},   {81, 1.99},   {104, 1.99},  {105, 1.98},
        {120, 1.98}, {121, 1.97}, {199, 1.97},  {200, 1.96}};
    for (const auto& [entry, value] : entries) {
        EXPECT_EQ(CriticalValues[entry], value) << "entry " << entry;
    }
    for (std::size_t k = 2; k <= 200; ++k) {
        EXPECT_LE(CriticalValues[k], CriticalValues[k - 1]) << "entry " << k;
    }
}

TEST(Decide, RejectsFromTheCriticalValueOnInBothTails) {
    const auto at = [](double t, int n) { return Decide(t, n).value().verdict; };
    EXPECT_EQ(at(4.303, 3), "reject");
    EXPECT_EQ(at(-4.303, 3), "reject");
    EXPECT_EQ(at(std::nextafter(4.303, 0.0), 3), "not reject");
    EXPECT_EQ(at(std::nextafter(-4.303, 0.0), 3), "not reject");
    EXPECT_EQ(at(1.31519189844286, 3), "not reject");
    EXPECT_EQ(at(3.87298334620742, 4), "reject");
    EXPECT_EQ(Decide(5.0, 3)->negation, "");
    EXPECT_EQ(Decide(0.0, 3)->negation, "no ");
}

TEST(Decide, LooksUpTheEntryForTheDegreesOfFreedom) {
    const auto rejectsAt = [](double t, int n) { return Decide(t, n)->verdict == "reject"; };
    EXPECT_TRUE(rejectsAt(12.706, 2));
    EXPECT_FALSE(rejectsAt(12.7, 2));
    EXPECT_FALSE(rejectsAt(2.022, 40));  // entry 39, 2.0225, not entry 40
    EXPECT_TRUE(rejectsAt(1.97, 199));   // entry 198
    EXPECT_FALSE(rejectsAt(1.969, 199));
    EXPECT_TRUE(rejectsAt(1.96, 200));  // 200 records use the last entry, not 199
    EXPECT_FALSE(rejectsAt(1.959, 200));
    EXPECT_TRUE(rejectsAt(-1.96, 32767));
    EXPECT_FALSE(Decide(100.0, 1).has_value());
    EXPECT_FALSE(Decide(100.0, 0).has_value());
}
