#include "test_controller.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "recording_view.h"
#include "test_files.h"

namespace {

using Calls = std::vector<std::string>;

const Calls kEmptying = {"text:", "clear columns", "clear rows", "choose file"};
const Calls kFailedLoad = {"text:",         "clear columns", "clear rows", "choose file",
                           "clear columns", "clear rows",    "text:"};
const std::string kFailureMessage = "message Error:Incomplete data inputed, try input data again.";

class Controller : public ::testing::Test {
  protected:
    // Input Data with the dialog answering `path`; returns the calls it made.
    Calls Load(const std::string& path) {
        view.calls.clear();
        view.chosenFile = path;
        controller.cmdInputData_Click();
        return view.calls;
    }
    Calls Results() {
        view.calls.clear();
        controller.cmdResults_Click();
        return view.calls;
    }

    RecordingView view;
    TestController controller{view};
    ScratchFolder folder;
};

}  // namespace

TEST_F(Controller, InputDataShowsHeadingsAndOneRowPerRecord) {
    const Calls expected = {
        "text:",          "clear columns",      "clear rows",  "choose file", "column 1:Before",
        "column 2:After", "column 3:Different", "row:12.5",    "cell 1:11",   "cell 1:1.5",
        "row:14",         "cell 2:13.25",       "cell 2:0.75", "row:9.75",    "cell 3:10",
        "cell 3:-0.25",
    };
    EXPECT_EQ(Load(DataFile("before_after_crlf.txt")), expected);
    EXPECT_EQ(controller.PairCount(), 3);
    EXPECT_EQ(controller.ColumnName1(), "Before");
    EXPECT_EQ(controller.ColumnName2(), "After");
}

TEST_F(Controller, ResultsReportsANotRejectedHypothesis) {
    Load(DataFile("before_after_crlf.txt"));
    const std::string report =
        "The Different Mean = 0.666666666666667\r\n"
        "The Standard Deviation = 0.877971146071062\r\n"
        "The t value = 1.31519189844286\r\n"
        "We will not reject the null hypothesis.\r\n"
        "There is no differnet between Before and After at the 95% confidence level.";
    EXPECT_EQ(Results(), (Calls{"text:", "text:" + report}));
    EXPECT_EQ(controller.Verdict(), "not reject");
    EXPECT_EQ(controller.Negation(), "no ");
    EXPECT_EQ(FormatNumber(controller.TValue(), "."), "1.31519189844286");
}

TEST_F(Controller, ResultsReportsARejectedHypothesis) {
    Load(folder.Write("rising.txt", "Left,Right\n1,0\n2,0\n3,0\n4,0\n"));
    const std::string report =
        "The Different Mean = 2.5\r\n"
        "The Standard Deviation = 1.29099444873581\r\n"
        "The t value = 3.87298334620742\r\n"
        "We will reject the null hypothesis.\r\n"
        "There is differnet between Left and Right at the 95% confidence level.";
    EXPECT_EQ(Results(), (Calls{"text:", "text:" + report}));
}

TEST_F(Controller, ResultsShowsTheFailureMessageWhenNothingCanBeEvaluated) {
    EXPECT_EQ(Results(), (Calls{"text:", kFailureMessage}));  // nothing loaded

    Load(DataFile("header_only.txt"));
    EXPECT_EQ(Results(), (Calls{"text:", kFailureMessage}));

    Load(folder.Write("one.txt", "A,B\n5,3\n"));
    EXPECT_EQ(Results(), (Calls{"text:", kFailureMessage}));

    Load(folder.Write("same.txt", "A,B\n5,3\n7,5\n9,7\n"));  // standard deviation 0
    EXPECT_EQ(Results(), (Calls{"text:", kFailureMessage}));
    EXPECT_EQ(controller.PairCount(), 3);  // the records stay
    EXPECT_EQ(controller.TValue(), 0.0);
    EXPECT_EQ(controller.Verdict(), "");
}

TEST_F(Controller, AFailedFirstRecordEmptiesEverything) {
    EXPECT_EQ(Load(DataFile("blank_inside_number.txt")),
              (Calls{"text:", "clear columns", "clear rows", "choose file", "column 1:A",
                     "column 2:B", "column 3:Different", "clear columns", "clear rows", "text:"}));
    EXPECT_EQ(controller.PairCount(), 0);
    EXPECT_TRUE(controller.Pairs().empty());

    EXPECT_EQ(Load(""), kFailedLoad);  // cancelled before any file was chosen
    EXPECT_EQ(Load(DataFile("empty.txt")), kFailedLoad);
    EXPECT_EQ(Load(folder.Path().string()), kFailedLoad);
}

TEST_F(Controller, AFailedLaterRecordKeepsTheRecordsBeforeIt) {
    const Calls calls = Load(DataFile("odd_values.txt"));
    EXPECT_EQ(calls.back(), "cell 2:-1");  // nothing undone, no message
    EXPECT_EQ(controller.PairCount(), 2);
    EXPECT_EQ(view.rowsShown, 2);

    // A difference that overflows is a failure too.
    Load(folder.Write("overflow.txt", "A,B\n1,2\n3,1\n1e308,-1e308\n"));
    EXPECT_EQ(controller.PairCount(), 2);
    EXPECT_EQ(view.rowsShown, 2);
    EXPECT_EQ(view.calls.back(), "cell 2:2");
}

TEST_F(Controller, ReadsAtMostTheCounterLimitAndShowsOnlyCountedRows) {
    const std::string header = "A,B\r\n";
    Load(folder.Write("full.txt", header + RecordLines(TestController::kMaxPairCount)));
    EXPECT_EQ(controller.PairCount(), TestController::kMaxPairCount);
    EXPECT_EQ(view.rowsShown, TestController::kMaxPairCount);
    EXPECT_EQ(view.calls.back(), "cell 32767:" + FormatNumber(32766 % 97 - 32766 % 89, "."));

    Load(folder.Write("over.txt", header + RecordLines(TestController::kMaxPairCount + 5)));
    EXPECT_EQ(controller.PairCount(), TestController::kMaxPairCount);
    EXPECT_EQ(view.rowsShown, TestController::kMaxPairCount);
    EXPECT_EQ(Results().size(), 2u);
    EXPECT_NE(view.calls.back(), kFailureMessage);
}

TEST_F(Controller, ASecondFileReplacesTheFirst) {
    Load(DataFile("odd_values.txt"));
    const Calls calls = Load(DataFile("before_after_lf.txt"));
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 4), kEmptying);
    EXPECT_EQ(controller.PairCount(), 3);
    EXPECT_EQ(controller.Pairs().size(), 3u);
    EXPECT_EQ(view.rowsShown, 3);
}

TEST_F(Controller, ClearEmptiesRecordsTableAndReportButKeepsTheNames) {
    Load(DataFile("before_after_crlf.txt"));
    view.calls.clear();
    controller.cmdClear_Click();
    EXPECT_EQ(view.calls, (Calls{"clear columns", "clear rows", "text:"}));
    EXPECT_EQ(controller.PairCount(), 0);
    EXPECT_TRUE(controller.Pairs().empty());
    EXPECT_EQ(controller.ColumnName1(), "Before");
    EXPECT_EQ(Results(), (Calls{"text:", kFailureMessage}));
}

TEST_F(Controller, EndAsksTheWindowToEnd) {
    controller.cmdEnd_Click();
    EXPECT_EQ(view.calls, (Calls{"end"}));
}
