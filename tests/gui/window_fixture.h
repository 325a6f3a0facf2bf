#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "main_window.h"
#include "test_files.h"

// The real window, shown, with End replaced by a counter.
class WindowTest : public testing::Test {
  protected:
    explicit WindowTest(std::optional<double> layoutScale = std::nullopt);
    ~WindowTest() override;

    template <typename T>
    T* Control(const char* name) const {
        auto* control = dynamic_cast<T*>(wxWindow::FindWindowByName(name, window_));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    wxButton* Button(const char* name) const { return Control<wxButton>(name); }
    wxListCtrl* Table() const { return Control<wxListCtrl>("lvwResult"); }
    wxTextCtrl* Report() const { return Control<wxTextCtrl>("txtResult"); }

    // Clicks the button as its click event, synchronously.
    void Press(const char* name) const;
    // Input Data, answering the Open dialog with the path (Cancel when empty).
    void Load(const wxString& path) const;

    // Writes a data file into the test's scratch folder; returns its path.
    wxString WriteFile(const std::string& name, const std::string& content) const {
        return wxString::FromUTF8(files_.Write(name, content));
    }

    std::vector<std::string> Headings() const;
    // Every row as the cells' texts.
    std::vector<std::vector<std::string>> Rows() const;
    std::vector<std::string> ReportLines() const;

    frmduvora* window_ = nullptr;
    int endRequests_ = 0;
    ScratchFolder files_;
};

// Lets pending events, paints and idle work run.
void LetEventsRun();
