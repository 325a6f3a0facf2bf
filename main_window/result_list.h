#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <wx/string.h>

// Each platform's own list control, so that screen readers read the table as
// a table with its headings: GTK's tree view (through wxDataViewCtrl) and the
// Windows list view (wxListCtrl in report view).
#ifdef __WXGTK__
#include <wx/dataview.h>
using NativeList = wxDataViewCtrl;
#else
#include <wx/listctrl.h>
using NativeList = wxListCtrl;
#endif

// The table of values: a virtual list over the rows it is given, so that tens
// of thousands of rows show at once. Cells are written with FormatNumber only
// when they come into view.
class ResultList : public NativeList {
  public:
    ResultList(wxWindow* parent, const wxString& name);

    // Headings are added left to right: the column at `index` shows each
    // row's cell of that index.
    void InsertHeading(int index, const wxString& heading, int width);
    void RemoveAllHeadings();

    // A row holds as many cells as the table has columns at most.
    static constexpr std::size_t kCellsPerRow = 3;

    // Appends a row whose first cell shows the value. The list shows it
    // after the next ShowAppendedRows.
    void AppendRow(double value);
    // Appends a further cell to the 0-based row; a row that does not exist,
    // or already holds kCellsPerRow cells, is left alone.
    void AppendCell(std::size_t row, double value);
    // Shows every row appended so far. Setting the count once, not once per
    // row, matters on Windows: the native list takes milliseconds each time.
    void ShowAppendedRows();
    void RemoveAllRows();

    // What the table shows, the same way on every platform.
    int HeadingCount() const;
    wxString Heading(int index) const;
    int HeadingWidth(int index) const;
    std::size_t ShownRows() const { return shown_; }
    // The text of a cell, empty where the row or cell does not exist.
    wxString CellText(std::size_t row, std::size_t column) const;

    // The 0-based rows the user selected, from the top.
    std::vector<std::size_t> SelectedRows() const;
    void SelectAllRows();

  private:
    void RefreshRow(std::size_t row);

    std::size_t StoredRows() const { return filled_.size(); }
    // Forgets the rows; the memory stays for the next file.
    void ForgetRows();

    // Every cell in one block, row after row, kCellsPerRow to a row, and how
    // many of its cells each row was given: a block per row cost the largest
    // file some 100,000 allocations and frees on every Input Data.
    std::vector<double> cells_;
    std::vector<std::uint8_t> filled_;
    // The row count the native list was given, kept here: asking Windows'
    // list is a message each time, which Wine takes a microsecond to answer.
    std::size_t shown_ = 0;
#ifdef __WXGTK__
    // The label just before the list names this widget for screen readers:
    // the table inside the scrolled frame, not the frame.
    GtkWidget* GetConnectWidget() override;
    class Model;
    wxObjectDataPtr<Model> model_;
#else
    wxString OnGetItemText(long item, long column) const override;
#endif
};
