#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <wx/frame.h>

#include "open_dialog.h"
#include "test_view.h"

class ResultList;
class TestController;
class wxButton;
class wxPanel;
class wxStaticText;
class wxTextCtrl;

// The program's one window: the table of pairs, the report box, two labels and
// the four command buttons. It owns the controller and carries out what the
// controller asks of the view. Its controls carry their design names, so they can be
// found with wxWindow::FindWindowByName.
class frmduvora : public wxFrame, public TestView {
  public:
    struct Options {
        // Ends the program. By default the window is destroyed and the main
        // loop left; tests pass their own so that the test process lives on.
        std::function<void()> endProgram;
        // Replaces the scale derived from the default font (tests pin it).
        std::optional<double> layoutScale;
    };

    explicit frmduvora(Options options = {});
    ~frmduvora() override;

    // The factor by which the layout was enlarged for the default font.
    double LayoutScale() const { return scale_; }

    // Shows the window, with the file named on the command line loaded
    // when there is one.
    void Open(const std::string& file);
    // Loads a file given to the program or dropped on the window as Input
    // Data does once its dialog has closed; the dialog then offers the file,
    // taken from the working folder when relative.
    void InputDataFile(const wxString& path);

    void SetResultText(const std::string& text) override;
    void ClearColumns() override;
    void ClearRows() override;
    void AddColumn(int position, const std::string& heading) override;
    void AddRow(double value) override;
    void AddCell(int rowNumber, double value) override;
    std::string ChooseDataFile() override;
    void ShowFailureMessage(const std::string& text, const std::string& title) override;
    void EndProgram() override;

  private:
    void CreateControls();
    // Sizes and places every control, the client area and the window for the
    // frame the window has now.
    void PlaceControls();
    void Form_Load();

    std::function<void()> endProgram_;
    std::optional<double> pinnedScale_;
    double fontScale_ = 1.0;
    double scale_ = 1.0;
    // The frame's edges that the layout was fitted with.
    wxSize frameEdges_;

    wxPanel* panel_ = nullptr;
    wxButton* cmdInputData = nullptr;
    wxButton* cmdResults = nullptr;
    wxButton* cmdClear = nullptr;
    wxButton* cmdEnd = nullptr;
    wxStaticText* lalResults = nullptr;
    wxStaticText* lalInputdata = nullptr;
    wxTextCtrl* txtResult = nullptr;
    ResultList* lvwResult = nullptr;
    OpenDialog CommonDialog1;

    std::unique_ptr<TestController> controller_;
};
