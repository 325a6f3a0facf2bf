#pragma once

#include <string>

// What the controller asks of the window. Texts are UTF-8; numbers are handed
// over as doubles and shown as FormatNumber writes them.
class TestView {
  public:
    virtual ~TestView() = default;

    // The report box shows exactly this text; "" empties it.
    virtual void SetResultText(const std::string& text) = 0;
    // Removes every column heading of the table.
    virtual void ClearColumns() = 0;
    // Removes every row of the table.
    virtual void ClearRows() = 0;
    // Inserts a column at the 1-based position, one third of the table wide.
    virtual void AddColumn(int position, const std::string& heading) = 0;
    // Appends a row whose first cell shows the value.
    virtual void AddRow(double value) = 0;
    // Appends a further cell showing the value to the 1-based row.
    virtual void AddCell(int rowNumber, double value) = 0;
    // Shows the modal Open dialog; returns the name it holds when it closes, maybe "".
    virtual std::string ChooseDataFile() = 0;
    // A modal message box with a warning icon and one OK button.
    virtual void ShowFailureMessage(const std::string& text, const std::string& title) = 0;
    // Ends the program at once.
    virtual void EndProgram() = 0;
};
