#include "result_list.h"

#include "number_format.h"

ResultList::ResultList(wxWindow* parent, const wxString& name)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL, wxDefaultValidator, name) {}

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
    if (static_cast<long>(row) < GetItemCount()) {
        RefreshItem(static_cast<long>(row));
    }
}

void ResultList::ShowAppendedRows() {
    if (GetItemCount() != static_cast<long>(rows_.size())) {
        SetItemCount(static_cast<long>(rows_.size()));
    }
}

void ResultList::RemoveAllRows() {
    rows_.clear();
    DeleteAllItems();
}

wxString ResultList::OnGetItemText(long item, long column) const {
    if (item < 0 || column < 0 || static_cast<std::size_t>(item) >= rows_.size()) {
        return {};
    }
    const auto& cells = rows_[static_cast<std::size_t>(item)];
    if (static_cast<std::size_t>(column) >= cells.size()) {
        return {};
    }
    return wxString::FromUTF8(FormatNumber(cells[static_cast<std::size_t>(column)]));
}
