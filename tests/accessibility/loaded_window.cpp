// The real window with a data file loaded through Input Data, left open for
// a screen reader to read. It prints the headings and the first rows as the
// table holds them, one line of tab-separated texts each, then "ready".
// Usage: loaded_window FILE ROWS

#include <cstdio>
#include <string>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/testing.h>

#include "main_window.h"
#include "result_list.h"

namespace {

class LoadedWindowApp : public wxApp {
  public:
    bool OnInit() override {
        if (argc != 3) {
            return false;
        }
        const wxString path = argv[1];
        const long rows = std::stol(argv[2].ToStdString());
        auto* window = new frmduvora();
        window->Show();
        CallAfter([window, path, rows] {
            auto* button = wxStaticCast(window->FindWindow("cmdInputData"), wxButton);
            wxCommandEvent click(wxEVT_BUTTON, button->GetId());
            click.SetEventObject(button);
            wxTEST_DIALOG(button->ProcessWindowEvent(click), wxExpectModal<wxFileDialog>(path));
            const auto* table = wxStaticCast(window->FindWindow("lvwResult"), ResultList);
            wxString headings;
            for (unsigned column = 0; column < table->GetColumnCount(); ++column) {
                headings << (column == 0 ? "" : "\t") << table->GetColumn(column)->GetTitle();
            }
            std::printf("%s\n", static_cast<const char*>(headings.utf8_str()));
            for (long row = 0; row < rows; ++row) {
                wxString line;
                for (std::size_t cell = 0; cell < 3; ++cell) {
                    line << (cell == 0 ? "" : "\t")
                         << table->CellText(static_cast<std::size_t>(row), cell);
                }
                std::printf("%s\n", static_cast<const char*>(line.utf8_str()));
            }
            std::printf("ready\n");
            std::fflush(stdout);
        });
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP(LoadedWindowApp);
