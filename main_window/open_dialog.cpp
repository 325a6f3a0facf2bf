#include "open_dialog.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/stockitem.h>
#include <wx/tokenzr.h>

#ifdef __WXGTK__
#include <glib/gi18n.h>
#endif

namespace {

// The title the platform's own Open dialogs carry.
wxString PlatformTitle() {
#ifdef __WXGTK__
    // GTK's own translation of its "_Open" button, without the mnemonic:
    // "_Open", "Ö_ffnen", or "開く(_O)" where the key follows in brackets.
    wxString title = wxString::FromUTF8(g_dgettext("gtk30", "_Open"));
    const int bracket = title.Find("(_");
    if (bracket != wxNOT_FOUND && title.EndsWith(")")) {
        title.Truncate(static_cast<size_t>(bracket));
    }
    title.Replace("_", "", false);
    return title;
#else
    // The common dialog's own title is "Open", but wxWidgets always sets a
    // title, and an empty one leaves the title bar empty.
    return wxGetStockLabel(wxID_OPEN, wxSTOCK_WITHOUT_ELLIPSIS);
#endif
}

#ifdef __WXGTK__
// GTK matches a pattern literally and with case: "*.*" would hide names
// without a dot and "*.txt" would hide "DATA.TXT".
wxString PlatformPattern(const wxString& pattern) {
    if (pattern == "*.*") {
        return "*";
    }
    wxString result;
    for (const wxUniChar c : pattern) {
        const wxUniChar lower = wxTolower(c);
        const wxUniChar upper = wxToupper(c);
        if (lower != upper) {
            result << '[' << lower << upper << ']';
        } else {
            result << c;
        }
    }
    return result;
}
#else
wxString PlatformPattern(const wxString& pattern) {
    return pattern;
}
#endif

}  // namespace

wxString PlatformFilter(const wxString& filter) {
    wxString result;
    // A final "|" closes the list and adds no entry.
    wxStringTokenizer entries(filter, "|", wxTOKEN_RET_EMPTY);
    bool isPattern = false;
    while (entries.HasMoreTokens()) {
        const wxString field = entries.GetNextToken();
        if (!isPattern && field.empty() && !entries.HasMoreTokens()) {
            break;
        }
        if (!result.empty()) {
            result << '|';
        }
        if (isPattern) {
            // Several patterns of one entry are separated by ";".
            wxStringTokenizer patterns(field, ";");
            wxString joined;
            while (patterns.HasMoreTokens()) {
                if (!joined.empty()) {
                    joined << ';';
                }
                joined << PlatformPattern(patterns.GetNextToken());
            }
            result << joined;
        } else {
            result << field;
        }
        isPattern = !isPattern;
    }
    return result;
}

wxString ChosenPath(const wxFileDialog& dialog) {
    // The directory may be the folder the dialog was showing rather than the
    // file's when a full path was typed, so it is used only where the dialog
    // gives no path at all (as when a test answers it without showing it).
    wxString path = dialog.GetPath();
    if (path.empty() && !dialog.GetFilename().empty()) {
        path = wxFileName(dialog.GetDirectory(), dialog.GetFilename()).GetFullPath();
    }
    return path;
}

OpenDialog::OpenDialog(wxWindow* parent) : parent_(parent) {}

// Out of line, where wxFileDialog is complete.
OpenDialog::~OpenDialog() = default;

const wxString& OpenDialog::ShowOpen(const wxString& filter, int filterIndex) {
    const wxString platformFilter = PlatformFilter(filter);
    if (!dialog_ || dialog_->GetWildcard() != platformFilter) {
        dialog_ = std::make_unique<wxFileDialog>(parent_, PlatformTitle(), wxEmptyString,
                                                 wxEmptyString, platformFilter, wxFD_OPEN,
                                                 wxDefaultPosition, wxDefaultSize, "CommonDialog1");
    }
    wxFileDialog& dialog = *dialog_;
    dialog.SetFilterIndex(filterIndex);
    if (!fileName_.empty()) {
        dialog.SetPath(fileName_);
    }
    if (dialog.ShowModal() == wxID_OK) {
        fileName_ = ChosenPath(dialog);
    } else if (fileName_.empty()) {
        // Until a file is chosen, each showing starts afresh in the working
        // folder rather than wherever the cancelled one was left.
        dialog_.reset();
    }
    return fileName_;
}
