// The real window in a real application whose main loop runs the tests, as
// the program runs (wxMSW delivers simulated keys only to a running event
// loop): as a keyboard user meets it, its layout, and the GTK Open dialog with
// a path typed into it. Dialogs are answered by the tests, never by a person.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "layout.h"
#include "main_window.h"
#include "result_list.h"
#include "test_files.h"

#ifdef __WXGTK__
#include <fnmatch.h>
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/statbmp.h>
#include <wx/tokenzr.h>
#endif

namespace {

#ifdef __WXGTK__
// The text a GTK widget shows, from the first label inside it.
wxString ShownText(GtkWidget* widget) {
    if (GTK_IS_LABEL(widget)) {
        return wxString::FromUTF8(gtk_label_get_text(GTK_LABEL(widget)));
    }
    wxString text;
    GList* parts =
        GTK_IS_CONTAINER(widget) ? gtk_container_get_children(GTK_CONTAINER(widget)) : nullptr;
    for (GList* part = parts; part != nullptr && text.empty(); part = part->next) {
        text = ShownText(GTK_WIDGET(part->data));
    }
    g_list_free(parts);
    return text;
}

// GTK's own message dialog shows no icon; the window's box must draw the
// warning sign beside its text, and offer OK alone.
void ExpectWarningSignAndOneButton(const wxDialog& box) {
    int signs = 0;
    int buttons = 0;
    for (const wxWindow* part : box.GetChildren()) {
        const auto* sign = dynamic_cast<const wxStaticBitmap*>(part);
        signs += sign != nullptr && sign->GetBitmap().IsOk();
        buttons += dynamic_cast<const wxButton*>(part) != nullptr;
    }
    EXPECT_EQ(signs, 1);
    EXPECT_EQ(buttons, 1);
}
#endif

using Lines = std::vector<std::string>;

// Lets pending events, paints and idle work run.
void LetEventsRun() {
    for (int i = 0; i < 3; ++i) {
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

// Each dialog takes the next answer: an Open dialog the path ("" cancels it),
// a message box OK; kShowForReal lets it show. A dialog with no answer left
// fails the test.
class Dialogs : public wxModalDialogHook {
  public:
    static inline const wxString kShowForReal = "\x01";
    static inline std::deque<wxString> answers;
    static inline wxString message;  // the last message box's "title: text"
    // What the last Open dialog offered, and on GTK its Open button's text.
    static inline wxString offeredPath, wildcard, title, openButton;
    static inline int filterIndex = -1;
    static inline wxDialog* shown = nullptr;  // the one shown for real

  protected:
    int Enter(wxDialog* dialog) override {
        if (shown != nullptr) {
            return wxID_NONE;  // opened by the dialog shown for real
        }
        auto* box = dynamic_cast<wxMessageDialogBase*>(dialog);
        auto* open = dynamic_cast<wxFileDialog*>(dialog);
        if (answers.empty() || (box == nullptr && open == nullptr)) {
            ADD_FAILURE() << "Unexpected dialog \"" << dialog->GetTitle().utf8_string() << "\"";
            return wxID_CANCEL;
        }
        const wxString answer = answers.front();
        answers.pop_front();
        if (answer == kShowForReal) {
            shown = dialog;
            return wxID_NONE;
        }
        if (box != nullptr) {
            message = box->GetTitle() + ": " + box->GetMessage();
            const long style = box->GetMessageDialogStyle();
            EXPECT_EQ(style & (wxICON_MASK | wxOK | wxCANCEL | wxYES_NO),
                      wxICON_EXCLAMATION | wxOK);
            EXPECT_EQ(box->GetParent()->GetName(), "frmduvora");
#ifdef __WXGTK__
            // The generic box builds its parts as it shows: looked at once
            // shown, then closed with OK.
            shown = box;
            wxTheApp->CallAfter([box] {
                ExpectWarningSignAndOneButton(*box);
                box->EndModal(wxID_OK);
            });
            return wxID_NONE;
#else
            return wxID_OK;
#endif
        }
        // Unshown, the GTK dialog has no path yet, only the parts it was given.
        offeredPath = wxFileName(open->GetDirectory(), open->GetFilename()).GetFullPath();
        wildcard = open->GetWildcard();
        title = open->GetMessage();
        filterIndex = open->GetFilterIndex();
#ifdef __WXGTK__
        openButton = ShownText(
            gtk_dialog_get_widget_for_response(GTK_DIALOG(open->GetHandle()), GTK_RESPONSE_ACCEPT));
#endif
        open->SetPath(answer);
        return answer.empty() ? wxID_CANCEL : wxID_OK;
    }
    void Exit(wxDialog*) override {
        shown = nullptr;
    }
};

// The window, shown, with End replaced by a counter.
class Window : public testing::Test {
  protected:
    explicit Window(std::optional<double> layoutScale = std::nullopt)
        : window_(new frmduvora({[this] { ++endRequests_; }, layoutScale})) {
        window_->Show();
        LetEventsRun();
    }
    ~Window() override {
        EXPECT_TRUE(Dialogs::answers.empty()) << "an answered dialog never showed";
        Dialogs::answers.clear();
        window_->Destroy();
        LetEventsRun();
    }

    wxWindow* Find(const char* name) const { return wxWindow::FindWindowByName(name, window_); }
    ResultList* Table() const { return static_cast<ResultList*>(Find("lvwResult")); }
    wxTextCtrl* Report() const { return static_cast<wxTextCtrl*>(Find("txtResult")); }
    // Clicks the button, synchronously.
    void Press(const char* name) const {
        wxCommandEvent click(wxEVT_BUTTON, Find(name)->GetId());
        click.SetEventObject(Find(name));
        Find(name)->HandleWindowEvent(click);
    }
    // Input Data, the Open dialog answered with the path ("" cancels it).
    void Load(const wxString& path) const {
        Dialogs::answers.push_back(path);
        Press("cmdInputData");
    }
    wxString Write(const std::string& name, const std::string& bytes) const {
        return wxString::FromUTF8(files_.Write(name, bytes));
    }
    // The headings, each row, then each line of the report; cells joined by "|".
    Lines Shown() const {
        Lines shown;
        const ResultList& table = *Table();
        for (long row = -1; table.HeadingCount() > 0 && row < long(table.ShownRows()); ++row) {
            shown.emplace_back();
            for (int column = 0; column < table.HeadingCount(); ++column) {
                const wxString text = row < 0
                                          ? table.Heading(column)
                                          : table.CellText(std::size_t(row), std::size_t(column));
                shown.back() += (column > 0 ? "|" : "") + text.utf8_string();
            }
        }
        for (int line = 0; !Report()->IsEmpty() && line < Report()->GetNumberOfLines(); ++line) {
            shown.push_back(Report()->GetLineText(line).utf8_string());
        }
        return shown;
    }

    frmduvora* window_;
    int endRequests_ = 0;
    ScratchFolder files_;
};

// Types the text and presses the key as a person would, the pointer over the
// window (without a window manager keys go to the window under it), then
// lets the window react: a button shows pressed for a moment first.
void Keys(wxWindow* window, int key, int modifiers = wxMOD_NONE, const char* text = "") {
    wxUIActionSimulator keys;
    keys.MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
    LetEventsRun();
    keys.Text(text);
    keys.Char(key, modifiers);
    for (int wait = 0; wait < (modifiers == wxMOD_ALT ? 30 : 1); ++wait) {
        wxMilliSleep(10);
        LetEventsRun();
    }
}

// The control that has the focus, or whose inner part has it.
bool HasFocus(wxWindow* control) {
    wxWindow* focus = wxWindow::FindFocus();
    while (focus != nullptr && focus != control) {
        focus = focus->GetParent();
    }
    return focus != nullptr;
}

TEST_F(Window, AKeyboardUsersSession) {
    EXPECT_TRUE(HasFocus(Find("cmdInputData")));
    for (const char* next :
         {"cmdResults", "cmdClear", "cmdEnd", "txtResult", "lvwResult", "cmdInputData"}) {
        Keys(window_, WXK_TAB);
        EXPECT_TRUE(HasFocus(Find(next))) << next;
    }
    Dialogs::answers.push_back("OK");
    Keys(window_, 'r', wxMOD_ALT);
    EXPECT_EQ(Dialogs::message, "Error: Incomplete data inputed, try input data again.");

    const wxString path =
        Write("data.txt", "Before,After\r\n12.5,11.0\r\n14.0,13.25\r\n9.75,10\r\n");
    Dialogs::answers.push_back(path);
    Keys(window_, 'i', wxMOD_ALT);
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(Table()->HeadingWidth(column), Table()->GetSize().x / 3) << column;
    }
    Keys(window_, 'r', wxMOD_ALT);
    EXPECT_EQ(Shown(),
              (Lines{"Before|After|Different", "12.5|11|1.5", "14|13.25|0.75", "9.75|10|-0.25",
                     "The Different Mean = 0.666666666666667",
                     "The Standard Deviation = 0.877971146071062", "The t value = 1.31519189844286",
                     "We will not reject the null hypothesis.",
                     "There is no differnet between Before and After at the 95% "
                     "confidence level."}));

    // Cancel reads the same file again, offered with text files selected.
    Write("data.txt", "C,D\n5,3\n");
    Load("");
    EXPECT_EQ(Dialogs::offeredPath, path);
    EXPECT_EQ(Dialogs::filterIndex, 1);
    EXPECT_EQ(Shown(), (Lines{"C|D|Different", "5|3|2"}));

    Keys(window_, 'c', wxMOD_ALT);
    EXPECT_EQ(Shown(), Lines{});
    Keys(window_, 'e', wxMOD_ALT);
    EXPECT_EQ(endRequests_, 1);
}

TEST(FontScale, FollowsTheWiderOrTallerMeasureAndNeverShrinks) {
    EXPECT_DOUBLE_EQ(layout::FontScale(5.0, 11.0), 1.0);
    EXPECT_DOUBLE_EQ(layout::FontScale(9.0, 13.0), 1.5);
    EXPECT_DOUBLE_EQ(layout::FontScale(6.0, 26.0), 2.0);
}

class LayoutAsDrawn : public Window {
  protected:
    LayoutAsDrawn() : Window(1.0) {}
};

TEST_F(LayoutAsDrawn, EveryControlSitsWhereDrawnAtFifteenTwipsToThePixel) {
    EXPECT_EQ(window_->GetClientSize(), window_->FromDIP(wxSize(607, 571)));
    const std::pair<const char*, wxRect> drawn[] = {
        {"cmdInputData", {448, 24, 137, 33}}, {"cmdResults", {448, 72, 137, 33}},
        {"cmdClear", {448, 120, 137, 33}},    {"cmdEnd", {448, 168, 137, 33}},
        {"lalResults", {16, 400, 41, 17}},    {"lalInputdata", {16, 8, 81, 17}},
        {"txtResult", {16, 424, 569, 121}},   {"lvwResult", {16, 32, 417, 353}}};
    for (const auto& [name, rect] : drawn) {
        EXPECT_EQ(Find(name)->GetRect(),
                  wxRect(window_->FromDIP(rect.GetPosition()), window_->FromDIP(rect.GetSize())))
            << name;
    }
}

TEST_F(Window, WithTheDefaultFontNoCaptionNumberOrReportLineIsClipped) {
    for (const char* name :
         {"cmdInputData", "cmdResults", "cmdClear", "cmdEnd", "lalResults", "lalInputdata"}) {
        const wxSize size = Find(name)->GetSize();
        const wxSize needed = Find(name)->GetBestSize();
        EXPECT_TRUE(size.x >= needed.x && size.y >= needed.y) << name;
    }
    // The widest number FormatNumber writes, in the narrowest column.
    Load(Write("widest.txt", "A,B\n-4.94065645841247E-324,0\n-0.333333333333333,1\n"));
    Press("cmdResults");
    const int margin = window_->FromDIP(12);  // the margins on either side of a text
    EXPECT_GE(Table()->HeadingWidth(0),
              Table()->GetTextExtent("-4.94065645841247E-324").x + margin);
    for (const std::string& line : Shown()) {
        EXPECT_LE(Report()->GetTextExtent(wxString::FromUTF8(line)).x + margin,
                  Report()->GetClientSize().x)
            << line;
    }
    EXPECT_LE(5 * Report()->GetCharHeight(), Report()->GetClientSize().y);
}

TEST_F(Window, TheWholeWindowFitsTheWorkAreaOfItsDisplay) {
    const wxRect workArea = wxDisplay(window_).GetClientArea();
    EXPECT_TRUE(workArea.Contains(window_->GetScreenRect()))
        << "window at " << window_->GetScreenRect().GetTopLeft().x << ","
        << window_->GetScreenRect().GetTopLeft().y << " sized " << window_->GetSize().x << "x"
        << window_->GetSize().y << " on a work area of " << workArea.width << "x"
        << workArea.height;
}

#ifdef __WXGTK__
// What a screen reader reads, through ATK (which GTK's AT-SPI bridge hands
// on): a table whose headers and cells carry what the table shows, the table
// labelled "Data:" and the report box "Results:".
TEST_F(Window, AScreenReaderReadsTheTableAndWhatEachLabelNames) {
    Load(Write("data.txt", "Before,After\n12.5,11\n14,13.25\n"));
    AtkObject* table = gtk_widget_get_accessible(Table()->GtkGetTreeView());
    ASSERT_TRUE(ATK_IS_TABLE(table));
    Lines read;
    for (int row = -1; row < atk_table_get_n_rows(ATK_TABLE(table)); ++row) {
        read.emplace_back();
        for (int column = 0; column < atk_table_get_n_columns(ATK_TABLE(table)); ++column) {
            AtkObject* cell = row < 0 ? atk_table_get_column_header(ATK_TABLE(table), column)
                                      : atk_table_ref_at(ATK_TABLE(table), row, column);
            read.back() += (column > 0 ? "|" : "") + std::string(atk_object_get_name(cell));
            if (row >= 0) {
                g_object_unref(cell);
            }
        }
    }
    EXPECT_EQ(read, Shown());
    for (const auto& [label, role] :
         {std::pair{"lalInputdata", ATK_ROLE_TABLE}, std::pair{"lalResults", ATK_ROLE_TEXT}}) {
        AtkRelationSet* relations =
            atk_object_ref_relation_set(gtk_widget_get_accessible(Find(label)->GetHandle()));
        AtkRelation* names =
            atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABEL_FOR);
        ASSERT_NE(names, nullptr) << label;
        EXPECT_EQ(
            atk_object_get_role(ATK_OBJECT(g_ptr_array_index(atk_relation_get_target(names), 0))),
            role)
            << label;
        g_object_unref(relations);
    }
}

TEST_F(Window, ACutOffHeadingShowsWholeOnHover) {
    const std::string heading(60, 'W');
    Load(Write("long.txt", heading + ",B\n1,2\n"));
    GtkWidget* button = gtk_tree_view_column_get_button(
        GTK_TREE_VIEW_COLUMN(Table()->GetColumn(0)->GetGtkHandle()));
    gchar* tip = gtk_widget_get_tooltip_text(button);
    EXPECT_EQ(tip == nullptr ? "" : std::string(tip), heading);
    g_free(tip);
}

// A user whose language is German: GTK's dialogs speak it, a file's numbers
// still read with a point, and the table writes the German decimal comma.
// Each test runs in a process of its own, so the locale stays with this one.
class GermanUser : public Window {
  protected:
    static void SetUpTestSuite() { wxSetEnv("LC_ALL", "de_DE.UTF-8"); }
};

TEST_F(GermanUser, SeesGtkDialogsInGermanAndNumbersWithTheDecimalComma) {
    Load(Write("data.txt", "A,B\n1.5,1\n"));
    EXPECT_EQ(Dialogs::openButton, wxString::FromUTF8("\xC3\x96"
                                                      "ffnen"));
    EXPECT_EQ(Dialogs::title, wxString::FromUTF8("\xC3\x96"
                                                 "ffnen"));
    EXPECT_EQ(Shown(), (Lines{"A|B|Different", "1,5|1|0,5"}));
}

// GTK matches a filter's patterns as fnmatch does with no flags.
bool Matches(const wxString& patterns, const char* name) {
    bool matches = false;
    for (wxStringTokenizer each(patterns, ";"); each.HasMoreTokens();) {
        matches = matches || fnmatch(each.GetNextToken().utf8_str(), name, 0) == 0;
    }
    return matches;
}

TEST_F(Window, GtkDialogIsTitledOpenFiltersAnyCaseAndReadsAFullPathTypedIntoIt) {
    Load(Write("shown/data.txt", "Shown,Folder\n1,2\n"));
    EXPECT_EQ(Dialogs::title, "Open");  // GTK's own word, untranslated in the C locale
    wxArrayString labels;
    wxArrayString patterns;
    ASSERT_EQ(wxParseCommonDialogsFilter(Dialogs::wildcard, labels, patterns), 2);
    EXPECT_EQ(labels[0] + labels[1], "All Files (*.*)Text Files (*.txt)");
    for (const char* name : {"notes", "pairs.csv", ".hidden", "DATA.TXT"}) {
        EXPECT_TRUE(Matches(patterns[0], name)) << name;
    }
    EXPECT_TRUE(Matches(patterns[1], "data.txt") && Matches(patterns[1], "Pairs.Txt"));
    EXPECT_FALSE(Matches(patterns[1], "notes") || Matches(patterns[1], "data.txt.bak"));

    // Typed while the dialog shows another folder holding a file of that name.
    const wxString typed = Write("typed/data.txt", "Typed,Path\n7,3\n");
    Dialogs::answers.push_back(Dialogs::kShowForReal);
    int ticks = 0;
    wxTimer typist;
    typist.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        // Gives the dialog a moment to map and take the keyboard; closes it
        // after 8 s should the keys never arrive. GTK centres it on the window.
        if (Dialogs::shown != nullptr && ++ticks == 3) {
            Keys(window_, WXK_RETURN, wxMOD_NONE, typed.utf8_str());
        } else if (Dialogs::shown != nullptr && ticks > 80) {
            Dialogs::shown->EndModal(wxID_CANCEL);
        }
    });
    typist.Start(100);
    Press("cmdInputData");
    typist.Stop();
    EXPECT_EQ(Shown(), (Lines{"Typed|Path|Different", "7|3|4"}));
}
#endif

// A failed wx assertion would otherwise open a dialog and wait for a person.
void FailOnAssert(const wxString& file, int line, const wxString&, const wxString& condition,
                  const wxString& text) {
    ADD_FAILURE_AT(file.utf8_str(), line) << condition.utf8_string() << ": " << text.utf8_string();
}

class TestApp : public wxApp {
  public:
    bool OnInit() override {
        wxSetAssertHandler(FailOnAssert);
        SetExitOnFrameDelete(false);
        answers_.Register();
        CallAfter([this] {
            result_ = RUN_ALL_TESTS();
            ExitMainLoop();
        });
        return true;
    }
    int OnRun() override {
        wxApp::OnRun();
        return result_;
    }

  private:
    Dialogs answers_;
    int result_ = 1;
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {  // as the build lists them, with no display
        return RUN_ALL_TESTS();
    }
    wxApp::SetInstance(new TestApp());
    return wxEntry(argc, argv);
}
