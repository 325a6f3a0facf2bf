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
