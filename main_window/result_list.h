#pragma once

#include <cstddef>
#include <vector>

#include <wx/listctrl.h>

// The table of values: a virtual report list over the rows it is given, so
// that tens of thousands of rows show at once. Cells are written with
// FormatNumber only when they come into view.
class ResultList : public wxListCtrl {
  public:
    ResultList(wxWindow* parent, const wxString& name);

    // Appends a row whose first cell shows the value. The list shows it
    // after the next ShowAppendedRows.
    void AppendRow(double value);
    // Appends a further cell to the 0-based row; a row that does not exist is
    // left alone.
    void AppendCell(std::size_t row, double value);
    // Shows every row appended so far. Setting the count once, not once per
    // row, matters on Windows: the native list takes milliseconds each time.
    void ShowAppendedRows();
    void RemoveAllRows();

  protected:
    wxString OnGetItemText(long item, long column) const override;

  private:
    std::vector<std::vector<double>> rows_;
};
