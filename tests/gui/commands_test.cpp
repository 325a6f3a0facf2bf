// Results, Clear and End as a person sees them in the window.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/weakref.h>

#include "dialog_testing.h"
#include "window_fixture.h"

namespace {

using Strings = std::vector<std::string>;
using Commands = WindowTest;

TEST_F(Commands, ResultsWritesTheFiveLineReportForARetainedHypothesis) {
    Load(WriteFile("before_after.txt", "Before,After\r\n12.5,11.0\r\n14.0,13.25\r\n9.75,10\r\n"));
    Press("cmdResults");

    EXPECT_EQ(ReportLines(),
              (Strings{"The Different Mean = 0.666666666666667",
                       "The Standard Deviation = 0.877971146071062",
                       "The t value = 1.31519189844286", "We will not reject the null hypothesis.",
                       "There is no differnet between Before and After at the 95% confidence "
                       "level."}));
}

TEST_F(Commands, ResultsWritesTheFiveLineReportForARejectedHypothesis) {
    Load(WriteFile("steps.txt", "X,Y\n2,1\n4,2\n6,3\n8,4\n"));
    Press("cmdResults");

    EXPECT_EQ(ReportLines(),
              (Strings{"The Different Mean = 2.5", "The Standard Deviation = 1.29099444873581",
                       "The t value = 3.87298334620742", "We will reject the null hypothesis.",
                       "There is differnet between X and Y at the 95% confidence level."}));
}

TEST_F(Commands, FailedResultsShowsTheWarningModalToTheWindowAndLeavesTheReportEmpty) {
    Load(WriteFile("one.txt", "A,B\n1,2\n"));
    SeenMessage seen;
    wxTEST_DIALOG(Press("cmdResults"), ExpectMessage(seen));

    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, "Incomplete data inputed, try input data again.");
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.style & wxICON_MASK, wxICON_EXCLAMATION);
    EXPECT_EQ(seen.style & (wxOK | wxCANCEL | wxYES_NO), wxOK);
    EXPECT_EQ(seen.parent, window_);
    EXPECT_TRUE(Report()->IsEmpty());
    EXPECT_EQ(Table()->GetItemCount(), 1);
}

TEST_F(Commands, ClearEmptiesTableAndReportSoResultsFails) {
    Load(WriteFile("data.txt", "A,B\n1,2\n3,5\n4,9\n"));
    Press("cmdResults");
    ASSERT_FALSE(Report()->IsEmpty());

    Press("cmdClear");
    EXPECT_EQ(Table()->GetColumnCount(), 0);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_TRUE(Report()->IsEmpty());
    SeenMessage seen;
    wxTEST_DIALOG(Press("cmdResults"), ExpectMessage(seen));
    EXPECT_TRUE(seen.shown);
}

TEST_F(Commands, TheLargestFileShowsEveryRowItKept) {
    std::string content = "A,B\n";
    for (int i = 1; i <= 32768; ++i) {
        content += std::to_string(i) + ",0.5\n";
    }
    Load(WriteFile("large.txt", content));

    ASSERT_EQ(Table()->GetItemCount(), 32767);
    EXPECT_EQ(Table()->GetItemText(32766, 0), "32767");
    EXPECT_EQ(Table()->GetItemText(32766, 2), "32766.5");
}

TEST_F(Commands, EndAsksToEndTheProgramOnce) {
    Press("cmdEnd");
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(Commands, CloseBoxDestroysTheWindowWithoutAQuestion) {
    wxWeakRef<wxFrame> window(window_);
    window_->Close();
    LetEventsRun();
    EXPECT_FALSE(window);
    if (!window) {
        window_ = nullptr;
    }
}

TEST(EndOfProgram, EndWithoutAReplacementDestroysTheWindow) {
    auto* frame = new frmduvora();
    wxWeakRef<wxFrame> window(frame);
    frame->Show();
    LetEventsRun();
    frame->EndProgram();
    LetEventsRun();
    EXPECT_FALSE(window);
}

}  // namespace

namespace {

// The shipped examples must read to their end and decide as the README says.
TEST_F(Commands, ExamplesReadCompletelyAndDecideAsDescribed) {
    const struct {
        const char* file;
        long pairs;
        const char* decision;
    } examples[] = {
        {"before_after.txt", 3, "We will not reject the null hypothesis."},
        {"blood_pressure.txt", 12, "We will reject the null hypothesis."},
        {"grip_strength.txt", 10, "We will not reject the null hypothesis."},
    };
    for (const auto& example : examples) {
        Load(wxString(DUVORA_EXAMPLES_DIR "/") + example.file);
        Press("cmdResults");
        EXPECT_EQ(Table()->GetItemCount(), example.pairs) << example.file;
        const auto lines = ReportLines();
        ASSERT_EQ(lines.size(), 5u) << example.file;
        EXPECT_EQ(lines[3], example.decision) << example.file;
    }
}

}  // namespace
