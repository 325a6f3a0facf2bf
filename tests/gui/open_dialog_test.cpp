// The Open dialog as GTK shows it: its filters, and a path typed into it.

#include <string>
#include <vector>

#include <fnmatch.h>

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/tokenzr.h>

#include <wx/timer.h>
#include <wx/uiaction.h>

#include "dialog_testing.h"
#include "window_fixture.h"

namespace {

using OpenDialogOnGtk = WindowTest;

// GTK matches a filter's patterns as fnmatch does with no flags: glob
// syntax, case-sensitive, a leading dot matched like any other character.
bool EntryShows(const wxString& patterns, const char* name) {
    wxStringTokenizer each(patterns, ";");
    while (each.HasMoreTokens()) {
        if (fnmatch(each.GetNextToken().utf8_str(), name, 0) == 0) {
            return true;
        }
    }
    return false;
}

TEST_F(OpenDialogOnGtk, IsTitledOpenAndListsAllFilesAndTextFilesOfAnyCase) {
    SeenOpenDialog seen;
    wxString title;
    seen.inspect = [&title](wxFileDialog& dialog) { title = dialog.GetMessage(); };
    wxTEST_DIALOG(Press("cmdInputData"), ExpectOpenCancelled(&seen));

    // GTK's own word for opening, untranslated in the tests' C locale.
    EXPECT_EQ(title, "Open");
    wxArrayString labels;
    wxArrayString patterns;
    ASSERT_EQ(wxParseCommonDialogsFilter(seen.wildcard, labels, patterns), 2);
    EXPECT_EQ(labels[0], "All Files (*.*)");
    EXPECT_EQ(labels[1], "Text Files (*.txt)");
    EXPECT_EQ(seen.filterIndex, 1);
    for (const char* name : {"data.txt", "notes", "DATA.TXT", "pairs.csv", ".hidden"}) {
        EXPECT_TRUE(EntryShows(patterns[0], name)) << name;
    }
    for (const char* name : {"data.txt", "DATA.TXT", "Pairs.Txt"}) {
        EXPECT_TRUE(EntryShows(patterns[1], name)) << name;
    }
    for (const char* name : {"notes", "pairs.csv", "data.txt.bak"}) {
        EXPECT_FALSE(EntryShows(patterns[1], name)) << name;
    }
}

// Notes the dialog that is about to be shown and lets it show.
class DialogSpotter : public wxModalDialogHook {
  public:
    DialogSpotter() { Register(); }
    wxDialog* dialog = nullptr;

  protected:
    int Enter(wxDialog* shown) override {
        dialog = shown;
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { dialog = nullptr; }
};

// A person who types a full path reads that file, even while the dialog shows
// another folder holding a file of the same name.
TEST_F(OpenDialogOnGtk, FullPathTypedIntoTheDialogIsTheFileRead) {
    std::filesystem::create_directory(files_.Path() / "shown");
    std::filesystem::create_directory(files_.Path() / "typed");
    Load(WriteFile("shown/data.txt", "Shown,Folder\n1,2\n"));
    const wxString typed = WriteFile("typed/data.txt", "Typed,Path\n7,3\n");

    UnexpectedDialogGuard::AllowRealDialogs realDialogs;
    DialogSpotter spotter;
    int ticks = 0;
    bool typedKeys = false;
    wxTimer typist;
    typist.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        // Give the dialog a moment to map and take the keyboard.
        if (spotter.dialog == nullptr || ++ticks < 3) {
            return;
        }
        typist.Stop();
        typedKeys = true;
        wxUIActionSimulator keys;
        // Without a window manager the keys go to the window under the
        // pointer. wx does not know where GTK put its dialog, but GTK centres
        // it on its parent.
        const wxRect area = window_->GetScreenRect();
        keys.MouseMove(area.GetPosition() + wxPoint(area.width / 2, area.height / 2));
        keys.Text(typed.utf8_str());
        keys.Char(WXK_RETURN);
    });
    // Closes the dialog should the keys never arrive, so the test fails instead
    // of waiting.
    wxTimer rescue;
    rescue.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (spotter.dialog != nullptr) {
            spotter.dialog->EndModal(wxID_CANCEL);
        }
    });
    typist.Start(100);
    rescue.StartOnce(8000);
    Press("cmdInputData");
    typist.Stop();
    rescue.Stop();

    EXPECT_TRUE(typedKeys);
    EXPECT_EQ(Headings(), (std::vector<std::string>{"Typed", "Path", "Different"}));
    EXPECT_EQ(Rows(), (std::vector<std::vector<std::string>>{{"7", "3", "4"}}));
}

}  // namespace
