// Draws the README's picture of the window: the blood-pressure example loaded
// and its report shown. Run through scripts/screenshot.sh under Xvfb.
//
//   duvora_screenshot EXAMPLE_FILE OUTPUT_PNG

#include <cstdio>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/testing.h>

#include "main_window.h"

namespace {

void Click(wxWindow& window, const char* name) {
    auto* button = dynamic_cast<wxButton*>(wxWindow::FindWindowByName(name, &window));
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->HandleWindowEvent(click);
}

void LetEventsRun() {
    for (int i = 0; i < 5; ++i) {
        wxYield();
        wxTheApp->ProcessIdle();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: duvora_screenshot EXAMPLE_FILE OUTPUT_PNG\n");
        return 2;
    }
    const wxString example = wxString::FromUTF8(argv[1]);
    const wxString output = wxString::FromUTF8(argv[2]);
    wxApp::SetInstance(new wxApp());
    int one = 1;
    if (!wxEntryStart(one, argv)) {
        std::fprintf(stderr, "Cannot start the windowing system; is DISPLAY set?\n");
        return 1;
    }
    wxInitAllImageHandlers();

    auto* window = new frmduvora();
    window->Show();
    LetEventsRun();
    wxTEST_DIALOG(Click(*window, "cmdInputData"), wxExpectModal<wxFileDialog>(example));
    Click(*window, "cmdResults");
    LetEventsRun();
    window->Update();

    // The client area as it is on the screen; without a window manager there
    // is no frame around it.
    const wxRect area(window->ClientToScreen(wxPoint(0, 0)), window->GetClientSize());
    wxBitmap picture(area.GetSize());
    {
        wxScreenDC screen;
        wxMemoryDC memory(picture);
        memory.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
    }
    const bool saved = picture.SaveFile(output, wxBITMAP_TYPE_PNG);

    window->Destroy();
    LetEventsRun();
    wxEntryCleanup();
    if (!saved) {
        std::fprintf(stderr, "Cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
