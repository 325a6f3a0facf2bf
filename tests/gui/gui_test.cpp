// The real window in a real application whose main loop runs the tests, as
// the program runs (wxMSW delivers simulated keys only to a running event
// loop), on each platform's own controls. Dialogs are answered by the tests
// through wxWidgets' modal dialog hook, never by a person.

#include <algorithm>
#include <deque>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "layout.h"
#include "main_window.h"
#include "result_list.h"
#include "test_files.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#include <wx/button.h>
#include <wx/statbmp.h>
constexpr bool kGtk = true;
#else
constexpr bool kGtk = false;
#endif

namespace {
using Lines = std::vector<std::string>;

// Where each control is drawn at scale 1; the first six show captions.
const std::pair<const char*, wxRect> kDrawn[] = {
    {"cmdInputData", {448, 24, 137, 33}}, {"cmdResults", {448, 72, 137, 33}},
    {"cmdClear", {448, 120, 137, 33}},    {"cmdEnd", {448, 168, 137, 33}},
    {"lalResults", {16, 400, 41, 17}},    {"lalInputdata", {16, 8, 81, 17}},
    {"txtResult", {16, 424, 569, 121}},   {"lvwResult", {16, 32, 417, 353}}};

void LetEventsRun() {
    for (int i = 0; i < 3; ++i) {
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

// Each dialog takes the next answer: an Open dialog the path ("" cancels it),
// a message box OK. A dialog with no answer left fails the test.
class Dialogs : public wxModalDialogHook {
  public:
    static inline std::deque<wxString> answers;
    static inline wxString message;  // the last message box's "title: text"
    // What the last Open dialog offered.
    static inline wxString offeredPath, wildcard, title;
    static inline int filterIndex = -1;
    static inline wxDialog* shown = nullptr;  // a message box shown for real

  protected:
    int Enter(wxDialog* dialog) override {
        if (dialog == shown) {
            return wxID_NONE;  // the generic box's inner dialog
        }
        if (answers.empty()) {
            ADD_FAILURE() << "Unexpected dialog \"" << dialog->GetTitle().utf8_string() << "\"";
            return wxID_CANCEL;
        }
        const wxString answer = answers.front();
        answers.pop_front();
        if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
            message = box->GetTitle() + ": " + box->GetMessage();
            EXPECT_EQ(box->GetMessageDialogStyle() & (wxICON_MASK | wxOK | wxCANCEL | wxYES_NO),
                      wxICON_EXCLAMATION | wxOK);
            EXPECT_EQ(box->GetParent()->GetName(), "frmduvora");
#ifdef __WXGTK__
            // GTK's own box shows no icon; the generic one, shown, has its sign.
            shown = box;
            wxTheApp->CallAfter([box] {
                int signs = 0, buttons = 0;
                for (const wxWindow* part : box->GetChildren()) {
                    const auto* sign = dynamic_cast<const wxStaticBitmap*>(part);
                    signs += sign != nullptr && sign->GetBitmap().IsOk();
                    buttons += dynamic_cast<const wxButton*>(part) != nullptr;
                }
                EXPECT_EQ(std::pair(signs, buttons), std::pair(1, 1)) << "warning signs, buttons";
                box->EndModal(wxID_OK);
            });
            return wxID_NONE;
#else
            return wxID_OK;
#endif
        }
        auto* open = static_cast<wxFileDialog*>(dialog);
        // Unshown, the GTK dialog has no path yet, only the parts it was given.
        offeredPath = wxFileName(open->GetDirectory(), open->GetFilename()).GetFullPath();
        wildcard = open->GetWildcard();
        title = open->GetMessage();
        filterIndex = open->GetFilterIndex();
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
    // A cell's text, or with row -1 a heading, as a screen reader reads it.
    std::string Cell(long row, int column) const {
#ifdef __WXGTK__
        AtkTable* table = ATK_TABLE(gtk_widget_get_accessible(Table()->GtkGetTreeView()));
        AtkObject* cell = row < 0 ? atk_table_get_column_header(table, column)
                                  : atk_table_ref_at(table, int(row), column);
        const std::string text = cell != nullptr ? atk_object_get_name(cell) : "(none)";
        if (row >= 0 && cell != nullptr) {
            g_object_unref(cell);
        }
        return text;
#else
        return (row < 0 ? Table()->Heading(column) : Table()->GetItemText(row, column))
            .utf8_string();
#endif
    }
    // The headings, each row, then each line of the report; cells joined by "|".
    Lines Shown(bool withTable = true) const {
        Lines shown;
        const ResultList& table = *Table();
        for (long row = -1; withTable && table.HeadingCount() > 0 && row < long(table.ShownRows());
             ++row) {
            shown.emplace_back();
            for (int column = 0; column < table.HeadingCount(); ++column) {
                shown.back() += column > 0 ? "|" : "";
                shown.back() += Cell(row, column);
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

// Presses the key as a person would, the pointer over the window (without a window
// manager keys go to the window under it); a button shows pressed for a moment.
void Key(wxWindow* window, int key, int modifiers = wxMOD_NONE) {
    wxUIActionSimulator keys;
    keys.MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
    LetEventsRun();
    keys.Char(key, modifiers);
    for (int wait = 0; wait < (modifiers == wxMOD_ALT ? 30 : 1); ++wait) {
        wxMilliSleep(10);
        LetEventsRun();
    }
}

// Presses Ctrl with the key on the control; the clipboard's text then, "|"
// between its cells and "\n" after its lines.
std::string Copied(wxWindow* control, int key = 'c') {
    Key(control, key, wxMOD_CONTROL);
    wxTextDataObject data;
    const wxClipboardLocker clipboard;
    wxString text = !clipboard || !wxTheClipboard->GetData(data) ? "(none)" : data.GetText();
    text.Replace("\r\n", "\n");
    text.Replace("\t", "|");
    return text.utf8_string();
}

TEST_F(Window, AKeyboardUsersSession) {
    // The control, or its inner part, has the focus.
    EXPECT_TRUE(Find("cmdInputData")->IsDescendant(wxWindow::FindFocus()));
    for (const char* next :
         {"cmdResults", "cmdClear", "cmdEnd", "txtResult", "lvwResult", "cmdInputData"}) {
        Key(window_, WXK_TAB);
        EXPECT_TRUE(Find(next)->IsDescendant(wxWindow::FindFocus())) << next;
    }
    Dialogs::answers.push_back("OK");
    Key(window_, 'r', wxMOD_ALT);
    EXPECT_EQ(Dialogs::message, "Error: Incomplete data inputed, try input data again.");
    // A name with letters outside ASCII, as a person picks it in the dialog.
    const wxString path = Write("Blutdruck \xC3\xA4\xC3\xB6\xC3\xBC \xC4\x87.txt",
                                "Before,After\r\n12.5,11.0\r\n14.0,13.25\r\n9.75,10\r\n");
    Dialogs::answers.push_back(path);
    Key(window_, 'i', wxMOD_ALT);
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(Table()->HeadingWidth(column), Table()->GetSize().x / 3) << column;
    }
    Key(window_, 'r', wxMOD_ALT);
    EXPECT_EQ(Shown(),
              (Lines{"Before|After|Different", "12.5|11|1.5", "14|13.25|0.75", "9.75|10|-0.25",
                     "The Different Mean = 0.666666666666667",
                     "The Standard Deviation = 0.877971146071062", "The t value = 1.31519189844286",
                     "We will not reject the null hypothesis.",
                     "There is no differnet between Before and After at the 95% "
                     "confidence level."}));
    // Copied as a spreadsheet takes them: all rows, the rows selected, the report.
    const std::string headings = "Before|After|Different\n", first = "12.5|11|1.5\n",
                      last = "14|13.25|0.75\n9.75|10|-0.25\n";
    Table()->SetFocus();
    EXPECT_EQ(Copied(Table()), headings + first + last);
    Key(Table(), WXK_END);
    Key(Table(), WXK_UP, wxMOD_SHIFT);
    EXPECT_EQ(Copied(Table()), headings + last);
    Key(Table(), WXK_END);
    EXPECT_EQ(Copied(Table(), 'a'), headings + last);  // Ctrl+A copies nothing
    EXPECT_EQ(Copied(Table()), headings + first + last);
    Find("cmdEnd")->SetFocus();
    Key(window_, WXK_TAB);
    Key(Report(), 'a', wxMOD_CONTROL);
    EXPECT_EQ(Copied(Report()), Report()->GetValue().utf8_string());
    // Cancel, twice, reads the same file again, offered with text files selected.
    Write(wxFileName(path).GetFullName().utf8_string(), "\"C\tc\",D\n5,3\n");
    Load("");
    Load("");
    EXPECT_EQ(Dialogs::offeredPath, path);
    EXPECT_EQ(Dialogs::filterIndex, 1);
    EXPECT_EQ(Dialogs::title, "Open");  // GTK's own word, untranslated in the C locale
    // GTK matches patterns literally and with case; Windows does neither.
    EXPECT_EQ(Dialogs::wildcard, kGtk ? "All Files (*.*)|*|Text Files (*.txt)|*.[tT][xX][tT]"
                                      : "All Files (*.*)|*.*|Text Files (*.txt)|*.txt");
    EXPECT_EQ(Shown(), (Lines{"C\tc|D|Different", "5|3|2"}));
    // A tab in a heading would split its column.
    Table()->SetFocus();
    EXPECT_EQ(Copied(Table()), "C c|D|Different\n5|3|2\n");
    Key(window_, 'c', wxMOD_ALT);
    EXPECT_EQ(Shown(), Lines{});
    // Nothing to copy: the clipboard keeps its text.
    EXPECT_EQ(Copied(Table()), "C c|D|Different\n5|3|2\n");
    Key(window_, 'e', wxMOD_ALT);
    EXPECT_EQ(endRequests_, 1);
}

// Given to the program, dropped on the window, or the first of several
// dropped: a file loads as from the Open dialog, which then offers it.
TEST_F(Window, AGivenOrDroppedFileLoadsAndTheOpenDialogOffersItNext) {
    window_->Open("");  // no file named: nothing offered
    Load("");
    EXPECT_EQ(Dialogs::offeredPath, "");
    const wxString given = Write("given \xC3\xA4.txt", "A,B\n1,2\n");
    const wxString here = wxGetCwd();
    wxSetWorkingDirectory(wxString::FromUTF8(Utf8Text(files_.path)));
    window_->Open("given \xC3\xA4.txt");
    wxSetWorkingDirectory(here);
    EXPECT_EQ(Shown(), (Lines{"A|B|Different", "1|2|-1"}));
    Write("given \xC3\xA4.txt", "C,D\n5,3\n");
    Load("");
    EXPECT_EQ(Dialogs::offeredPath, given);
    EXPECT_EQ(Shown(), (Lines{"C|D|Different", "5|3|2"}));
    const wxString dropped[] = {Write("dropped.txt", "E,F\n7,1\n"), given};
    auto* target = dynamic_cast<wxFileDropTarget*>(window_->GetDropTarget());
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(target->OnDropFiles(20, 20, wxArrayString(2, dropped)));
    LetEventsRun();
    EXPECT_EQ(Shown(), (Lines{"E|F|Different", "7|1|6"}));
    Load("");
    EXPECT_EQ(Dialogs::offeredPath, dropped[0]);
}

// The real program's `--report FILE` with no display: status, output, "err:" errors.
Lines ProgramReport(const wxString& file) {
    wxExecuteEnv environment;
    wxGetEnvMap(&environment.env);
    environment.env.erase("DISPLAY");
    wxArrayString out, err;
    Lines printed{std::to_string(wxExecute("\"" DUVORA_PROGRAM "\" --report \"" + file + "\"", out,
                                           err, wxEXEC_SYNC | wxEXEC_NODISABLE, &environment))};
    for (const auto& [lines, stream] : {std::pair{&out, ""}, {&err, "err:"}}) {
        for (const wxString& line : *lines) {
            printed.push_back(stream + line.utf8_string());
        }
    }
    return printed;
}

// Every example and test file, the generated ones with numbers of every size:
// `duvora --report` prints the report the window shows, line for line and
// byte for byte, or the text of its message box; and the rows the window
// keeps after reading stopped early are the pairs the program says it used.
TEST_F(Window, ReportsAsTheWindowShowsThem) {
    const std::filesystem::path data = DUVORA_TEST_DATA_DIR;
    std::set<std::string> statuses;
    for (const auto& folder : {data, data / "generated", data / "../../examples"}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const wxString path = wxString::FromUTF8(Utf8Text(entry.path()));
            if (!entry.is_regular_file()) {
                continue;
            }
            Load(path);
            Dialogs::answers.push_back("OK");  // should Results show its message
            Press("cmdResults");
            const bool box = Dialogs::answers.empty();
            Dialogs::answers.clear();
            const Lines printed = ProgramReport(path);
            statuses.insert(printed.front());
            // Where reading stopped is no part of the window; the pairs used are its rows.
            const std::string used = "; " + std::to_string(Table()->ShownRows()) + " pair";
            const auto stop = std::find_if(printed.begin(), printed.end(), [&](const auto& line) {
                return line.find(": reading stopped: ") != line.npos &&
                       line.find(used) != line.npos;
            });
            Lines shown = Shown(false);
            shown.insert(shown.begin(), box ? "1" : stop != printed.end() ? "3" : "0");
            shown.insert(shown.end(), stop, std::min(stop + 1, printed.end()));
            if (box) {
                shown.push_back("err:" + Dialogs::message.AfterFirst(' ').utf8_string());
            }
            EXPECT_EQ(printed, shown) << path;
        }
    }
    EXPECT_EQ(statuses, (std::set<std::string>{"0", "1", "3"}));
}

struct LayoutAsDrawn : Window {
    LayoutAsDrawn() : Window(1.0) {}
};

// At scale 1 the client area is 607 x 571 pixels. The layout grows with the
// default font, but no further than the screen holds.
TEST_F(LayoutAsDrawn, EveryControlSitsWhereDrawnAndTheScaleFollowsFontAndScreen) {
    EXPECT_EQ(window_->GetClientSize(), window_->FromDIP(wxSize(607, 571)));
    for (const auto& [name, rect] : kDrawn) {
        const wxRect actual = Find(name)->GetRect(), expected(window_->FromDIP(rect.GetPosition()),
                                                              window_->FromDIP(rect.GetSize()));
        EXPECT_EQ(actual.GetPosition(), expected.GetPosition()) << name;
        // A label may take more room, as its caption needs.
        EXPECT_TRUE(name[0] == 'l' ? actual.Contains(expected) : actual == expected) << name;
    }
    EXPECT_DOUBLE_EQ(layout::FontScale(5.0, 11.0), 1.0);
    EXPECT_DOUBLE_EQ(layout::FontScale(9.0, 13.0), 1.5);
    EXPECT_DOUBLE_EQ(layout::FontScale(6.0, 26.0), 2.0);
    EXPECT_DOUBLE_EQ(layout::FitScale({1224, 2000}, {10, 0}), 2.0);
    EXPECT_DOUBLE_EQ(layout::FitScale({1366, 768}, {0, 54}), 714.0 / 571);
}

// The window with its frame, or given none the work area, as the X server
// has them on GTK: wxWidgets keeps its own idea of both.
wxRect ScreenRect(const wxWindow* window) {
#ifdef __WXGTK__
    GdkRectangle rect{};
    window != nullptr
        ? gdk_window_get_frame_extents(gtk_widget_get_window(window->GetHandle()), &rect)
        : gdk_monitor_get_workarea(gdk_display_get_monitor(gdk_display_get_default(), 0), &rect);
    return {rect.x, rect.y, rect.width, rect.height};
#else
    return window != nullptr ? window->GetScreenRect() : wxDisplay(0u).GetClientArea();
#endif
}

class OnScreen : public Window {
  protected:
    // With DUVORA_TEST_WM set, that window manager runs, set to keep a desktop
    // panel's 32 pixels along the bottom of the screen free of windows.
    static void SetUpTestSuite() {
        const wxString manager = wxGetenv("DUVORA_TEST_WM");
        if (manager.empty()) {
            return;
        }
        ASSERT_NE(wxExecute(manager, wxEXEC_ASYNC), 0) << manager;
        for (int wait = 0;
             wait < 500 && ScreenRect(nullptr).GetBottom() >= wxGetDisplaySize().y - 32; ++wait) {
            wxMilliSleep(10);
            LetEventsRun();
        }
    }
    OnScreen() {
        // Until the window, framed and placed, has fitted itself: the same for a while.
        wxRect last;
        for (int wait = 0, same = 0; wait < 500 && same < 20; ++wait) {
            wxMilliSleep(10);
            LetEventsRun();
            same = ScreenRect(window_) == last ? same + 1 : 0;
            last = ScreenRect(window_);
        }
    }
};

// Every control lies inside the client area, which lies with its frame inside
// the work area (under a panel, if any); no caption is cut off. First of its
// suite: the first window of a process cannot know its frame until shown.
TEST_F(OnScreen, TheWholeWindowFitsTheWorkAreaWithEveryControlAndCaptionWhole) {
    const wxRect frame = ScreenRect(window_), area = ScreenRect(nullptr);
    EXPECT_TRUE(area.Contains(frame)) << wxString::Format(
        "Work area %dx%d at %d,%d; window with its frame %dx%d at %d,%d; scale %.3f", area.width,
        area.height, area.x, area.y, frame.width, frame.height, frame.x, frame.y,
        window_->LayoutScale());
    for (std::size_t index = 0; index < std::size(kDrawn); ++index) {
        const char* name = kDrawn[index].first;
        const wxRect rect = Find(name)->GetRect();
        const wxSize needed = Find(name)->GetBestSize();
        EXPECT_TRUE(window_->GetClientRect().Contains(rect)) << name;
        EXPECT_TRUE(index >= 6 || (rect.width >= needed.x && rect.height >= needed.y)) << name;
    }
}

TEST_F(OnScreen, WithTheDefaultFontNoNumberOrReportLineIsClipped) {
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
#ifdef __WXGTK__
    // A row of the fixed height GTK is given is as tall as GTK measures a number.
    GtkCellRenderer* cell = Table()->GetColumn(0)->GetRenderer()->GetGtkHandle();
    int fixed = 0, measured = 0;
    gtk_cell_renderer_get_fixed_size(cell, nullptr, &fixed);
    gtk_cell_renderer_set_fixed_size(cell, -1, -1);
    g_object_set(cell, "text", "-4.94065645841247E-324", nullptr);
    gtk_cell_renderer_get_preferred_height(cell, Table()->GtkGetTreeView(), nullptr, &measured);
    EXPECT_EQ(fixed, measured);
#endif
}

// Record k of a file holds k and 2k: its row shows "k|2k|-k". The rows at both
// ends and in the middle, after a shorter file, Clear and the largest again.
TEST_F(Window, ShowsEveryRecordOfTheLargestFileAndOfEachFileAfterIt) {
    for (const int records : {32767, 1000, 0, 32767}) {
        if (records == 0) {
            Press("cmdClear");
            EXPECT_EQ(Shown(), Lines{});
            EXPECT_EQ(Table()->ShownRows(), 0u);
            continue;
        }
        std::string pairs = "Before\r\nAfter\r\n";
        for (int k = 1; k <= records; ++k) {
            pairs += std::to_string(k) + "\r\n" + std::to_string(2 * k) + "\r\n";
        }
        Load(Write("pairs.txt", pairs));
        ASSERT_EQ(Table()->ShownRows(), std::size_t(records));
        for (const int k : {1, records / 2, records}) {
            EXPECT_EQ(Cell(k - 1, 0) + "|" + Cell(k - 1, 1) + "|" + Cell(k - 1, 2),
                      std::to_string(k) + "|" + std::to_string(2 * k) + "|" + std::to_string(-k));
        }
        EXPECT_EQ(Table()->CellText(std::size_t(records), 0), "");
    }
}

#ifdef __WXGTK__
// A screen reader names the table "Data:" and the report box "Results:".
TEST_F(Window, EachLabelNamesItsControlForScreenReaders) {
    for (const auto& [label, role] :
         {std::pair{"lalInputdata", ATK_ROLE_TABLE}, std::pair{"lalResults", ATK_ROLE_TEXT}}) {
        AtkRelationSet* relations =
            atk_object_ref_relation_set(gtk_widget_get_accessible(Find(label)->GetHandle()));
        AtkRelation* names =
            atk_relation_set_get_relation_by_type(relations, ATK_RELATION_LABEL_FOR);
        ASSERT_NE(names, nullptr) << label;
        auto* named = ATK_OBJECT(g_ptr_array_index(atk_relation_get_target(names), 0));
        EXPECT_EQ(atk_object_get_role(named), role) << label;
        g_object_unref(relations);
    }
}

TEST_F(Window, ACutOffHeadingOrNumberShowsWholeOnHover) {
    const std::string heading(60, 'W');
    Load(Write("long.txt", heading + ",B\n-0.333333333333333,2\n"));
    GtkWidget* button = gtk_tree_view_column_get_button(
        GTK_TREE_VIEW_COLUMN(Table()->GetColumn(0)->GetGtkHandle()));
    gchar* tip = gtk_widget_get_tooltip_text(button);
    EXPECT_EQ(tip == nullptr ? "" : std::string(tip), heading);
    g_free(tip);
    // GTK asks as the pointer rests over the middle of the first row's cell.
    auto* tree = GTK_TREE_VIEW(Table()->GtkGetTreeView());
    Table()->GetColumn(0)->SetWidth(window_->FromDIP(40));
    LetEventsRun();
    const auto tipShown = [tree](int column) {
        GtkTreePath* path = gtk_tree_path_new_first();
        GdkRectangle cell;
        gtk_tree_view_get_cell_area(tree, path, gtk_tree_view_get_column(tree, column), &cell);
        gtk_tree_path_free(path);
        int x = 0, y = 0;
        gtk_tree_view_convert_bin_window_to_widget_coords(tree, cell.x + cell.width / 2,
                                                          cell.y + cell.height / 2, &x, &y);
        auto* tooltip = static_cast<GtkTooltip*>(g_object_new(GTK_TYPE_TOOLTIP, nullptr));
        gboolean shown = FALSE;
        g_signal_emit_by_name(tree, "query-tooltip", x, y, FALSE, tooltip, &shown);
        g_object_unref(tooltip);
        return shown;
    };
    EXPECT_TRUE(tipShown(0));
    EXPECT_FALSE(tipShown(1));
}

#endif

class TestApp : public wxApp {
  public:
    bool OnInit() override {
        // A failed assertion would otherwise open a dialog and wait for a person.
        wxSetAssertHandler([](const wxString& file, int line, const wxString&,
                              const wxString& condition, const wxString& text) {
            ADD_FAILURE_AT(file.utf8_str(), line) << condition << ": " << text;
        });
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
