#pragma once

#include <cstddef>
#include <vector>

#include <wx/string.h>

class ResultList;

// The headings and the given rows of the table (every row when none is
// given) as a spreadsheet takes them when pasted: cells apart by tabs, one
// line per row, each number as the table shows it.
wxString TabSeparatedRows(const ResultList& table, const std::vector<std::size_t>& rows);

// Ctrl+A in the table selects every row; Ctrl+C puts the selected rows, or
// every row when none is selected, on the clipboard.
void EnableCopy(ResultList& table);
