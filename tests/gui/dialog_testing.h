#pragma once

// Dialogs in the window tests are answered by the test, never by a person, and
// a dialog nobody expected fails the test instead of waiting for a click.

#include <functional>
#include <ostream>

#include <gtest/gtest.h>

#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

// Readable failure output.
inline void PrintTo(const wxString& text, std::ostream* out) {
    *out << '"' << text.utf8_string() << '"';
}

// wxTEST_DIALOG reports unmet or wrong expectations through this class.
class GTestModalHook;
#define wxTEST_DIALOG_HOOK_CLASS GTestModalHook
#include <wx/testing.h>

class GTestModalHook : public wxTestingModalHook {
  public:
    GTestModalHook(const char* file, int line, const char* func)
        : wxTestingModalHook(file, line, func), file_(file), line_(line) {}

  protected:
    void ReportFailure(const wxString& message) override {
        ADD_FAILURE_AT(file_, line_) << message.utf8_string();
    }

  private:
    const char* file_;
    int line_;
};

// Registered once for the whole run, before any expectation: it sees only the
// dialogs that no wxTEST_DIALOG answered, fails the running test and cancels
// them.
class UnexpectedDialogGuard : public wxModalDialogHook {
  public:
    // While an instance lives, dialogs are shown for real (to be driven by
    // simulated input).
    class AllowRealDialogs {
      public:
        AllowRealDialogs() { ++allowed_; }
        ~AllowRealDialogs() { --allowed_; }
        AllowRealDialogs(const AllowRealDialogs&) = delete;
        AllowRealDialogs& operator=(const AllowRealDialogs&) = delete;
    };

  protected:
    int Enter(wxDialog* dialog) override;

  private:
    static int allowed_;
};

// What a message box was shown with.
struct SeenMessage {
    bool shown = false;
    wxString text;
    wxString title;
    long style = 0;
    wxWindow* parent = nullptr;
};

// Expects a message box, records what it shows and closes it with OK.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
  public:
    explicit ExpectMessage(SeenMessage& seen) : seen_(&seen) {}

  protected:
    int OnInvoked(wxMessageDialog* dialog) const override;

  private:
    SeenMessage* seen_;
};

// Expects the Open dialog, records how it was set up and closes it with the
// given path (OK) or with Cancel when the path is empty.
struct SeenOpenDialog {
    bool shown = false;
    // Called with the dialog before it is answered, for a closer look.
    std::function<void(wxFileDialog&)> inspect;
    wxString wildcard;
    int filterIndex = -1;
    wxString offeredPath;
    wxWindow* parent = nullptr;
};

class ExpectOpen : public wxExpectModalBase<wxFileDialog, ExpectOpen> {
  public:
    explicit ExpectOpen(wxString path, SeenOpenDialog* seen = nullptr)
        : path_(std::move(path)), seen_(seen) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override;

  private:
    wxString path_;
    SeenOpenDialog* seen_;
};

inline ExpectOpen ExpectOpenCancelled(SeenOpenDialog* seen = nullptr) {
    return ExpectOpen(wxString(), seen);
}
