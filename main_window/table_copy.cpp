#include "table_copy.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/event.h>

#include "result_list.h"

namespace {

// What other programs take as a line end when they paste.
#ifdef __WXMSW__
constexpr const char* kLineEnd = "\r\n";
#else
constexpr const char* kLineEnd = "\n";
#endif

// A heading is the data file's text: a tab or line break in it would break
// its column in two when pasted.
wxString OneCell(wxString text) {
    for (const char* separator : {"\t", "\r", "\n"}) {
        text.Replace(separator, " ");
    }
    return text;
}

void CopyRows(const ResultList& table) {
    const wxString text = TabSeparatedRows(table, table.SelectedRows());
    // An empty table leaves the clipboard as it was.
    if (text.empty()) {
        return;
    }
    const wxClipboardLocker clipboard;
    if (!clipboard) {
        return;
    }
    wxTheClipboard->SetData(new wxTextDataObject(text));
    // Still there to paste once the program has ended.
    wxTheClipboard->Flush();
}

}  // namespace

wxString TabSeparatedRows(const ResultList& table, const std::vector<std::size_t>& rows) {
    wxString text;
    const int columns = table.HeadingCount();
    const std::size_t count = rows.empty() ? table.ShownRows() : rows.size();
    // Line 0 is the headings'.
    for (std::size_t line = 0; columns > 0 && line <= count; ++line) {
        for (int column = 0; column < columns; ++column) {
            text << (column > 0 ? "\t" : "");
            if (line == 0) {
                text << OneCell(table.Heading(column));
            } else {
                text << table.CellText(rows.empty() ? line - 1 : rows[line - 1],
                                       static_cast<std::size_t>(column));
            }
        }
        text << kLineEnd;
    }
    return text;
}

void EnableCopy(ResultList& table) {
    table.Bind(wxEVT_KEY_DOWN, [&table](wxKeyEvent& key) {
        if (key.GetModifiers() == wxMOD_CONTROL && key.GetKeyCode() == 'A') {
            table.SelectAllRows();
        } else if (key.GetModifiers() == wxMOD_CONTROL && key.GetKeyCode() == 'C') {
            CopyRows(table);
        } else {
            key.Skip();
        }
    });
}
