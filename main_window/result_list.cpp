#include "result_list.h"

#include "number_format.h"

void ResultList::AppendRow(double value) {
    cells_.insert(cells_.end(), {value, 0.0, 0.0});
    filled_.push_back(1);
}

void ResultList::AppendCell(std::size_t row, double value) {
    if (row >= StoredRows() || filled_[row] == kCellsPerRow) {
        return;
    }
    cells_[row * kCellsPerRow + filled_[row]++] = value;
    if (row < ShownRows()) {
        RefreshRow(row);
    }
}

wxString ResultList::CellText(std::size_t row, std::size_t column) const {
    if (row >= StoredRows() || column >= filled_[row]) {
        return {};
    }
    return wxString::FromUTF8(FormatNumber(cells_[row * kCellsPerRow + column]));
}

void ResultList::ForgetRows() {
    cells_.clear();
    filled_.clear();
}
