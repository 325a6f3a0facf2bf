#include "result_list.h"

#include "number_format.h"

void ResultList::AppendRow(double value) {
    rows_.emplace_back();
    // A row rarely holds more than the three cells a record gives it.
    rows_.back().reserve(3);
    rows_.back().push_back(value);
}

void ResultList::AppendCell(std::size_t row, double value) {
    if (row >= rows_.size()) {
        return;
    }
    rows_[row].push_back(value);
    if (row < ShownRows()) {
        RefreshRow(row);
    }
}

wxString ResultList::CellText(std::size_t row, std::size_t column) const {
    if (row >= rows_.size() || column >= rows_[row].size()) {
        return {};
    }
    return wxString::FromUTF8(FormatNumber(rows_[row][column]));
}

#ifndef __WXGTK__

ResultList::ResultList(wxWindow* parent, const wxString& name)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL, wxDefaultValidator, name) {}

void ResultList::InsertHeading(int index, const wxString& heading, int width) {
    InsertColumn(index, heading, wxLIST_FORMAT_LEFT, width);
}

void ResultList::RemoveAllHeadings() {
    DeleteAllColumns();
}

void ResultList::ShowAppendedRows() {
    if (ShownRows() != rows_.size()) {
        SetItemCount(static_cast<long>(rows_.size()));
    }
}

void ResultList::RemoveAllRows() {
    rows_.clear();
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

std::size_t ResultList::ShownRows() const {
    return static_cast<std::size_t>(GetItemCount());
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

#endif
