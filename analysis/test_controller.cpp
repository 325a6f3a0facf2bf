#include "test_controller.h"

#include <cmath>
#include <new>
#include <span>

#include "pair_reader.h"
#include "t_evaluation.h"

namespace {

constexpr const char* kDifferenceHeading = "Different";
constexpr const char* kFailureText = "Incomplete data inputed, try input data again.";
constexpr const char* kFailureTitle = "Error";

}  // namespace

void TestController::cmdInputData_Click() {
    InputData(nullptr);
}

void TestController::InputDataFile(const std::string& name) {
    InputData(&name);
}

void TestController::InputData(const std::string* chosen) {
    ResetRecords();
    stop_ = {};
    view_.SetResultText("");
    view_.ClearColumns();
    view_.ClearRows();
    const std::string name = chosen != nullptr ? *chosen : view_.ChooseDataFile();

    PairReader reader;
    bool complete = false;
    try {
        complete = ReadDataFile(reader, name);
    } catch (const std::bad_alloc&) {
        complete = false;  // a file too large for memory fails like any unreadable one
    }
    if (!complete) {
        TakeInputFailurePath();
    }
    reader.Close();
}

bool TestController::ReadDataFile(PairReader& reader, const std::string& name) {
    if (!reader.Open(name)) {
        return false;
    }
    auto name1 = reader.ReadText();
    if (!name1) {
        return false;
    }
    auto name2 = reader.ReadText();
    if (!name2) {
        return false;
    }
    columnName1_ = std::move(*name1);
    columnName2_ = std::move(*name2);
    view_.AddColumn(1, columnName1_);
    view_.AddColumn(2, columnName2_);
    view_.AddColumn(3, kDifferenceHeading);

    using Reason = ReadingStop::Reason;
    const auto stop = [&](Reason reason) { stop_ = {reason, reader.FieldLine()}; };
    // Why no number was read: `missing` when no field was left.
    const auto why = [&](Reason missing) {
        switch (reader.LastFailure()) {
            case PairReader::Failure::kNoField:
                return missing;
            case PairReader::Failure::kNotANumber:
                return Reason::kNotANumber;
            case PairReader::Failure::kReadError:
                break;
        }
        return Reason::kUnreadable;
    };
    while (!reader.AtEnd()) {
        // A record past the counter's limit is refused before any of it is
        // shown, so the table never holds a row that Results leaves out.
        if (pairCount_ == kMaxPairCount) {
            if (!reader.OnlyBlanksRemain()) {
                stop(Reason::kTooManyPairs);
            }
            return false;
        }
        const auto first = reader.ReadNumber();
        if (!first) {
            stop(why(Reason::kNone));  // none: only blanks after the last record
            return false;
        }
        const auto second = reader.ReadNumber();
        if (!second) {
            stop(why(Reason::kEndsInsideRecord));
            return false;
        }
        const double difference = *first - *second;
        if (!std::isfinite(difference)) {
            stop(Reason::kDifferenceOverflows);
            return false;
        }
        pairs_.push_back({*first, *second, difference});
        const int rowNumber = pairCount_ + 1;
        view_.AddRow(*first);
        view_.AddCell(rowNumber, *second);
        view_.AddCell(rowNumber, difference);
        ++pairCount_;
    }
    return true;
}

// Silent: a file that yielded no record leaves everything empty; one that
// yielded some keeps them, with their rows and headings.
void TestController::TakeInputFailurePath() {
    if (pairCount_ == 0) {
        ResetRecords();
        view_.ClearColumns();
        view_.ClearRows();
        view_.SetResultText("");
    }
}

void TestController::cmdResults_Click() {
    view_.SetResultText("");
    const auto records =
        std::span<const PairRecord>(pairs_).first(static_cast<std::size_t>(pairCount_));
    const auto statistics = Evaluate(records);
    const auto decision = statistics ? Decide(statistics->t, pairCount_) : std::nullopt;
    if (!decision) {
        view_.ShowFailureMessage(kFailureText, kFailureTitle);
        return;
    }
    tValue_ = statistics->t;
    verdict_ = decision->verdict;
    negation_ = decision->negation;
    view_.SetResultText(ComposeReport(statistics->mean, statistics->standardDeviation));
}

std::string TestController::ComposeReport(double mean, double standardDeviation) const {
    const char* lineEnd = "\r\n";
    std::string report;
    report += "The Different Mean = " + FormatNumber(mean) + lineEnd;
    report += "The Standard Deviation = " + FormatNumber(standardDeviation) + lineEnd;
    report += "The t value = " + FormatNumber(tValue_) + lineEnd;
    report += "We will " + verdict_ + " the null hypothesis." + lineEnd;
    report += "There is " + negation_ + "differnet between " + columnName1_ + " and " +
              columnName2_ + " at the 95% confidence level.";
    return report;
}

void TestController::cmdClear_Click() {
    ResetRecords();
    view_.ClearColumns();
    view_.ClearRows();
    view_.SetResultText("");
}

void TestController::cmdEnd_Click() {
    view_.EndProgram();
}

void TestController::ResetRecords() {
    pairCount_ = 0;
    pairs_.clear();
}
