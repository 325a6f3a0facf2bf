// The window as a keyboard user meets it: where the focus starts, where Tab
// takes it, and the access keys.

#include <vector>

#include <gtest/gtest.h>

#include <wx/uiaction.h>
#include <wx/utils.h>

#include "dialog_testing.h"
#include "window_fixture.h"

namespace {

class Keyboard : public WindowTest {
  protected:
    Keyboard() {
        for (const char* name : {"cmdInputData", "cmdResults", "cmdClear", "cmdEnd"}) {
            // Bound after the window's own handler, so called before it.
            Button(name)->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
                ++clicks_;
                event.Skip();
            });
        }
    }

    // Alt+letter, then waits for the button it names to be clicked: GTK shows
    // a button pressed for a moment before it clicks it.
    void AccessKey(char letter) {
        const int before = clicks_;
        Key(letter, wxMOD_ALT);
        for (int wait = 0; wait < 200 && clicks_ == before; ++wait) {
            wxMilliSleep(10);
            LetEventsRun();
        }
        EXPECT_EQ(clicks_, before + 1) << "Alt+" << letter << " clicked no button";
    }

    // Presses a key the way a person would, then lets the window react.
    void Key(int keyCode, int modifiers = wxMOD_NONE) {
        wxUIActionSimulator keys;
        const wxRect area = window_->GetScreenRect();
        keys.MouseMove(area.GetPosition() + wxPoint(area.width / 2, area.height / 2));
        LetEventsRun();
        keys.Char(keyCode, modifiers);
        LetEventsRun();
    }

    // The named control, or the control whose inner part, has the focus.
    static bool HasFocus(wxWindow* control) {
        for (wxWindow* focus = wxWindow::FindFocus(); focus != nullptr;
             focus = focus->GetParent()) {
            if (focus == control) {
                return true;
            }
        }
        return false;
    }

    int clicks_ = 0;
};

TEST_F(Keyboard, FocusStartsOnInputDataAndTabVisitsButtonsReportThenTable) {
    EXPECT_TRUE(HasFocus(Button("cmdInputData")));
    const std::vector<wxWindow*> order{
        Button("cmdResults"),  Button("cmdClear"), Button("cmdEnd"), Report(), Table(),
        Button("cmdInputData")};
    for (wxWindow* next : order) {
        Key(WXK_TAB);
        EXPECT_TRUE(HasFocus(next)) << "expected " << next->GetName().utf8_string();
    }
}

TEST_F(Keyboard, AltRWithNoDataShowsTheFailureMessage) {
    SeenMessage seen;
    wxTEST_DIALOG(AccessKey('r'), ExpectMessage(seen));
    EXPECT_TRUE(seen.shown);
    EXPECT_TRUE(Report()->IsEmpty());
}

TEST_F(Keyboard, AltIOpensTheFileAndAltCClearsIt) {
    const wxString path = WriteFile("data.txt", "A,B\n1,2\n3,5\n");
    wxTEST_DIALOG(AccessKey('i'), ExpectOpen(path));
    EXPECT_EQ(Table()->GetItemCount(), 2);

    AccessKey('c');
    EXPECT_EQ(Table()->GetItemCount(), 0);
    EXPECT_EQ(Table()->GetColumnCount(), 0);
}

TEST_F(Keyboard, AltEEndsTheProgram) {
    AccessKey('e');
    EXPECT_EQ(endRequests_, 1);
}

}  // namespace
