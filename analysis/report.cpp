#include "report.h"

#include "test_controller.h"

namespace {

// Keeps what the window would show in its report box or message box.
class ReportView : public TestView {
  public:
    std::string report;
    std::string failure;

    void SetResultText(const std::string& text) override { report = text; }
    void ClearColumns() override {}
    void ClearRows() override {}
    void AddColumn(int, const std::string&) override {}
    void AddRow(double) override {}
    void AddCell(int, double) override {}
    std::string ChooseDataFile() override { return {}; }
    void ShowFailureMessage(const std::string& text, const std::string&) override {
        failure = text;
    }
    void EndProgram() override {}
};

const char* Why(ReadingStop::Reason reason) {
    using Reason = ReadingStop::Reason;
    switch (reason) {
        case Reason::kNotANumber:
            return "a value is not a number";
        case Reason::kEndsInsideRecord:
            return "the file ends inside a record";
        case Reason::kDifferenceOverflows:
            return "a difference is too large for a number";
        case Reason::kTooManyPairs:
            return "more pairs than the 32767 a table holds";
        case Reason::kNone:
        case Reason::kUnreadable:
            break;
    }
    return "the file could not be read further";
}

}  // namespace

ConsoleOutcome Report(const std::string& file) {
    ReportView view;
    TestController controller(view);
    controller.InputDataFile(file);
    controller.cmdResults_Click();

    ConsoleOutcome outcome;
    const ReadingStop& stop = controller.LastStop();
    const bool dataLeft = stop.reason != ReadingStop::Reason::kNone && controller.PairCount() > 0;
    if (dataLeft) {
        const int pairs = controller.PairCount();
        outcome.err = file + ":" + std::to_string(stop.line) +
                      ": reading stopped: " + Why(stop.reason) + "; " + std::to_string(pairs) +
                      (pairs == 1 ? " pair used\n" : " pairs used\n");
    }
    if (!view.failure.empty()) {
        outcome.err += view.failure + "\n";
        outcome.status = 1;
        return outcome;
    }
    // One line each, as the report box shows them.
    outcome.out = view.report + "\n";
    for (std::size_t at; (at = outcome.out.find("\r\n")) != std::string::npos;) {
        outcome.out.replace(at, 2, "\n");
    }
    outcome.status = dataLeft ? 3 : 0;
    return outcome;
}
