#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dialog_testing.h"
#include "window_fixture.h"

namespace {

using Cells = std::vector<std::vector<std::string>>;
using Strings = std::vector<std::string>;

constexpr const char* kBeforeAfter = "Before,After\r\n12.5,11.0\r\n14.0,13.25\r\n9.75,10\r\n";

using DataLoading = WindowTest;

TEST_F(DataLoading, ShowsHeadingsInThreeEqualColumnsAndOneRowPerPair) {
    Load(WriteFile("before_after.txt", kBeforeAfter));

    EXPECT_EQ(Headings(), (Strings{"Before", "After", "Different"}));
    const int third = Table()->GetSize().GetWidth() / 3;
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(Table()->GetColumnWidth(column), third) << "column " << column;
    }
    EXPECT_EQ(Rows(),
              (Cells{{"12.5", "11", "1.5"}, {"14", "13.25", "0.75"}, {"9.75", "10", "-0.25"}}));
}

TEST_F(DataLoading, SecondFileReplacesEverythingOfTheFirst) {
    Load(WriteFile("first.txt", "Left,Right,\n1,2\n3,4\n5,6\n7,8\n"));
    Load(WriteFile("second.txt", "Morning,Evening\n10,4\n"));

    EXPECT_EQ(Headings(), (Strings{"Morning", "Evening", "Different"}));
    EXPECT_EQ(Rows(), (Cells{{"10", "4", "6"}}));
}

TEST_F(DataLoading, FailedLoadKeepsTheRowsReadBeforeTheFault) {
    Load(WriteFile("broken.txt", "A,B\n1,2\n3,4\n5,12kg\n7,8\n"));

    EXPECT_EQ(Headings(), (Strings{"A", "B", "Different"}));
    EXPECT_EQ(Rows(), (Cells{{"1", "2", "-1"}, {"3", "4", "-1"}}));
}

TEST_F(DataLoading, CancelBeforeAnyFileWasChosenEmptiesEverythingSilently) {
    SeenOpenDialog seen;
    wxTEST_DIALOG(Press("cmdInputData"), ExpectOpenCancelled(&seen));

    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(Table()->GetColumnCount(), 0);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_TRUE(Report()->IsEmpty());
}

TEST_F(DataLoading, CancelAfterALoadReadsTheSameFileAgain) {
    const wxString path = WriteFile("data.txt", "A,B\n1,2\n");
    Load(path);
    // Changed on disk, so a fresh read shows.
    WriteFile("data.txt", "C,D\n5,3\n6,1\n");

    SeenOpenDialog seen;
    wxTEST_DIALOG(Press("cmdInputData"), ExpectOpenCancelled(&seen));

    EXPECT_EQ(Headings(), (Strings{"C", "D", "Different"}));
    EXPECT_EQ(Rows(), (Cells{{"5", "3", "2"}, {"6", "1", "5"}}));
}

TEST_F(DataLoading, OpenDialogOffersTheLastFileWithTextFilesSelected) {
    const wxString path = WriteFile("data.txt", "A,B\n1,2\n");
    SeenOpenDialog first;
    wxTEST_DIALOG(Press("cmdInputData"), ExpectOpen(path, &first));
    SeenOpenDialog second;
    wxTEST_DIALOG(Press("cmdInputData"), ExpectOpenCancelled(&second));

    EXPECT_EQ(first.parent, window_);
    EXPECT_EQ(first.filterIndex, 1);
    EXPECT_TRUE(first.wildcard.StartsWith("All Files (*.*)|")) << first.wildcard;
    EXPECT_NE(first.wildcard.Find("|Text Files (*.txt)|"), wxNOT_FOUND) << first.wildcard;
    EXPECT_EQ(second.filterIndex, 1);
    EXPECT_EQ(second.offeredPath, path);
}

}  // namespace
