// The table on Windows: the native list view in report view, virtual, so
// that it asks for each cell's text only as it shows it.

#include "result_list.h"

ResultList::ResultList(wxWindow* parent, const wxString& name)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL,
                 wxDefaultValidator, name) {}

void ResultList::InsertHeading(int index, const wxString& heading, int width) {
    InsertColumn(index, heading, wxLIST_FORMAT_LEFT, width);
}

void ResultList::RemoveAllHeadings() {
    DeleteAllColumns();
}

void ResultList::ShowAppendedRows() {
    if (ShownRows() != StoredRows()) {
        shown_ = StoredRows();
        SetItemCount(static_cast<long>(shown_));
        // Painted now rather than when idle, as the native list view paints
        // after any change of its own.
        Update();
    }
}

void ResultList::RemoveAllRows() {
    ForgetRows();
    shown_ = 0;
    DeleteAllItems();
}

int ResultList::HeadingCount() const {
    return GetColumnCount();
}

wxString ResultList::Heading(int index) const {
    wxListItem heading;
    heading.SetMask(wxLIST_MASK_TEXT);
    GetColumn(index, heading);
    return heading.GetText();
}

int ResultList::HeadingWidth(int index) const {
    return GetColumnWidth(index);
}

void ResultList::RefreshRow(std::size_t row) {
    RefreshItem(static_cast<long>(row));
}

wxString ResultList::OnGetItemText(long item, long column) const {
    if (item < 0 || column < 0) {
        return {};
    }
    return CellText(static_cast<std::size_t>(item), static_cast<std::size_t>(column));
}

std::vector<std::size_t> ResultList::SelectedRows() const {
    std::vector<std::size_t> rows;
    for (long item = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); item != -1;
         item = GetNextItem(item, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
        rows.push_back(static_cast<std::size_t>(item));
    }
    return rows;
}

void ResultList::SelectAllRows() {
    // -1: every row at once.
    SetItemState(-1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}
