#include "window_fixture.h"

#include <wx/app.h>
#include <wx/utils.h>

#include "dialog_testing.h"

void LetEventsRun() {
    for (int i = 0; i < 3; ++i) {
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

WindowTest::WindowTest(std::optional<double> layoutScale) {
    frmduvora::Options options;
    options.endProgram = [this] { ++endRequests_; };
    options.layoutScale = layoutScale;
    window_ = new frmduvora(std::move(options));
    window_->Show();
    LetEventsRun();
}

WindowTest::~WindowTest() {
    if (window_ != nullptr) {
        window_->Destroy();
        LetEventsRun();
    }
}

void WindowTest::Press(const char* name) const {
    wxButton* button = Button(name);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->HandleWindowEvent(click);
}

void WindowTest::Load(const wxString& path) const {
    wxTEST_DIALOG(Press("cmdInputData"), ExpectOpen(path));
}

std::vector<std::string> WindowTest::Headings() const {
    std::vector<std::string> headings;
    wxListCtrl* table = Table();
    for (int column = 0; column < table->GetColumnCount(); ++column) {
        wxListItem item;
        item.SetMask(wxLIST_MASK_TEXT);
        table->GetColumn(column, item);
        headings.push_back(item.GetText().utf8_string());
    }
    return headings;
}

std::vector<std::vector<std::string>> WindowTest::Rows() const {
    std::vector<std::vector<std::string>> rows;
    wxListCtrl* table = Table();
    for (long row = 0; row < table->GetItemCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < table->GetColumnCount(); ++column) {
            cells.push_back(table->GetItemText(row, column).utf8_string());
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

std::vector<std::string> WindowTest::ReportLines() const {
    std::vector<std::string> lines;
    wxTextCtrl* report = Report();
    if (report->IsEmpty()) {
        return lines;
    }
    for (int line = 0; line < report->GetNumberOfLines(); ++line) {
        lines.push_back(report->GetLineText(line).utf8_string());
    }
    return lines;
}
