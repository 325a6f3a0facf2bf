#pragma once

#include <memory>

#include <wx/string.h>

class wxFileDialog;
class wxWindow;

// The file-open dialog as a component that keeps its file name from one use
// to the next: the dialog offers it again, and a cancelled dialog leaves it as
// it was.
class OpenDialog {
  public:
    explicit OpenDialog(wxWindow* parent);
    ~OpenDialog();
    OpenDialog(const OpenDialog&) = delete;
    OpenDialog& operator=(const OpenDialog&) = delete;

    // Shows the modal Open dialog with the filter list ("Label|pattern|..."),
    // the 0-based filter selected, and returns FileName() afterwards.
    const wxString& ShowOpen(const wxString& filter, int filterIndex);

    // The full path of the file chosen last in this run; empty before the first.
    const wxString& FileName() const { return fileName_; }
    // A file chosen elsewhere, offered next time as if chosen here.
    void SetFileName(const wxString& path) { fileName_ = path; }

  private:
    wxWindow* parent_;
    wxString fileName_;
    // Kept from one use to the next once a file was chosen: GTK takes
    // milliseconds to tear its file chooser down, and the table's rows would
    // wait for that each time.
    std::unique_ptr<wxFileDialog> dialog_;
};

// The filter list with its patterns made to mean what they mean in a Windows
// Open dialog: "*.*" every file, and letters in any case. Labels stay as given.
wxString PlatformFilter(const wxString& filter);

// The path the closed dialog holds.
wxString ChosenPath(const wxFileDialog& dialog);
