#include <wx/app.h>

#include "main_window.h"

namespace {

class DuvoraApp : public wxApp {
  public:
    // wxApp::OnInit is left out on purpose: it parses the command line, and
    // the program takes no arguments, so any it is given are ignored.
    bool OnInit() override {
        auto* window = new frmduvora();
        window->Show();
        return true;
    }
};

}  // namespace

wxIMPLEMENT_APP(DuvoraApp);
