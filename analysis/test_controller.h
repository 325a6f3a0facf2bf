#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "number_format.h"
#include "pair_record.h"
#include "test_view.h"

class PairReader;

// Where and why Input Data stopped reading before the end of its file. Blanks
// and line ends after the last record are no data, so stopping at them is none.
struct ReadingStop {
    enum class Reason {
        kNone,
        kNotANumber,
        kEndsInsideRecord,
        kDifferenceOverflows,
        kTooManyPairs,
        kUnreadable
    };
    Reason reason = Reason::kNone;
    std::int64_t line = 0;  // 1-based
};

// The program's whole working state and the four commands a user can give.
// It reaches the window only through TestView, which must outlive it.
class TestController {
  public:
    // A 16-bit count, as the records are counted.
    static constexpr int kMaxPairCount = std::numeric_limits<std::int16_t>::max();

    explicit TestController(TestView& view) : view_(view) {}
    TestController(const TestController&) = delete;
    TestController& operator=(const TestController&) = delete;

    // Reads a data file the user chooses and shows it; fails silently.
    void cmdInputData_Click();
    // Input Data with the file already chosen (given to the program or
    // dropped on it): the same calls but for the dialog's.
    void InputDataFile(const std::string& name);
    // Evaluates the records and shows the report, or the failure message.
    void cmdResults_Click();
    // Empties the records, the table and the report.
    void cmdClear_Click();
    // Ends the program.
    void cmdEnd_Click();

    std::int16_t PairCount() const { return pairCount_; }
    // Elements past PairCount() never take part in Results.
    const std::vector<PairRecord>& Pairs() const { return pairs_; }
    const std::string& ColumnName1() const { return columnName1_; }
    const std::string& ColumnName2() const { return columnName2_; }
    double TValue() const { return tValue_; }
    const std::string& Verdict() const { return verdict_; }
    const std::string& Negation() const { return negation_; }
    // Of the last Input Data; the window shows no sign of it.
    const ReadingStop& LastStop() const { return stop_; }

  private:
    // The dialog is asked for the name when none is given.
    void InputData(const std::string* chosen);
    // True when the file was read to its end.
    bool ReadDataFile(PairReader& reader, const std::string& name);
    void TakeInputFailurePath();
    void ResetRecords();
    std::string ComposeReport(double mean, double standardDeviation) const;

    TestView& view_;
    std::int16_t pairCount_ = 0;
    std::vector<PairRecord> pairs_;
    std::string columnName1_;
    std::string columnName2_;
    double tValue_ = 0.0;
    std::string verdict_;
    std::string negation_;
    ReadingStop stop_;
};
