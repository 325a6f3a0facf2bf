// The window's geometry: as drawn when the font is the one it was drawn for,
// and large enough for every caption and number with the platform's font.

#include <gtest/gtest.h>

#include <wx/textctrl.h>

#include "dialog_testing.h"
#include "layout.h"
#include "window_fixture.h"

namespace {

TEST(FontScale, IsOneForTheFontTheWindowWasDrawnForOrSmaller) {
    EXPECT_DOUBLE_EQ(layout::FontScale(6.0, 13.0), 1.0);
    EXPECT_DOUBLE_EQ(layout::FontScale(5.0, 11.0), 1.0);
}

TEST(FontScale, FollowsTheWiderOrTallerOfTheTwoMeasures) {
    EXPECT_DOUBLE_EQ(layout::FontScale(9.0, 13.0), 1.5);
    EXPECT_DOUBLE_EQ(layout::FontScale(6.0, 26.0), 2.0);
}

class LayoutAsDrawn : public WindowTest {
  protected:
    LayoutAsDrawn() : WindowTest(1.0) {}

    wxRect Dip(int left, int top, int width, int height) const {
        return {window_->FromDIP(wxPoint(left, top)), window_->FromDIP(wxSize(width, height))};
    }
};

TEST_F(LayoutAsDrawn, EveryControlSitsWhereDrawnAtFifteenTwipsToThePixel) {
    EXPECT_EQ(window_->GetClientSize(), window_->FromDIP(wxSize(607, 571)));
    EXPECT_EQ(Button("cmdInputData")->GetRect(), Dip(448, 24, 137, 33));
    EXPECT_EQ(Button("cmdResults")->GetRect(), Dip(448, 72, 137, 33));
    EXPECT_EQ(Button("cmdClear")->GetRect(), Dip(448, 120, 137, 33));
    EXPECT_EQ(Button("cmdEnd")->GetRect(), Dip(448, 168, 137, 33));
    EXPECT_EQ(Control<wxWindow>("lalResults")->GetRect(), Dip(16, 400, 41, 17));
    EXPECT_EQ(Control<wxWindow>("lalInputdata")->GetRect(), Dip(16, 8, 81, 17));
    EXPECT_EQ(Report()->GetRect(), Dip(16, 424, 569, 121));
    EXPECT_EQ(Table()->GetRect(), Dip(16, 32, 417, 353));
}

using LayoutForTheDefaultFont = WindowTest;

TEST_F(LayoutForTheDefaultFont, NoCaptionIsClipped) {
    for (const char* name :
         {"cmdInputData", "cmdResults", "cmdClear", "cmdEnd", "lalResults", "lalInputdata"}) {
        const wxWindow* control = Control<wxWindow>(name);
        const wxSize needed = control->GetBestSize();
        EXPECT_GE(control->GetSize().x, needed.x) << name;
        EXPECT_GE(control->GetSize().y, needed.y) << name;
    }
}

TEST_F(LayoutForTheDefaultFont, LongestNumbersAndReportLinesFitTheirBoxes) {
    Load(WriteFile("thirds.txt", "A,B\n-0.333333333333333,-0.333333333333333\n1,2\n"));
    // Room for the cell's margins on either side.
    const int margin = window_->FromDIP(12);
    const int widest = Table()->GetTextExtent("-0.333333333333333").x;
    for (int column = 0; column < 3; ++column) {
        EXPECT_GE(Table()->GetColumnWidth(column), widest + margin) << "column " << column;
    }

    Press("cmdResults");
    const int reportWidth = Report()->GetClientSize().x;
    for (const std::string& line : ReportLines()) {
        EXPECT_LE(Report()->GetTextExtent(wxString::FromUTF8(line)).x + margin, reportWidth)
            << line;
    }
    EXPECT_LE(5 * Report()->GetCharHeight(), Report()->GetClientSize().y);
}

}  // namespace
