// The window program: on Windows the one program, elsewhere the one that
// duvora_launcher.cpp starts when a window is asked for. What needs no window
// runs before any of the toolkit starts.

#include <wx/app.h>
#ifdef _WIN32
#include <wx/msw/wrapwin.h>
#endif

#include "command_line.h"
#include "console.h"
#include "main_window.h"

namespace {

class DuvoraApp : public wxApp {
  public:
    explicit DuvoraApp(std::string file) : file_(std::move(file)) {}

    // wxApp::OnInit is left out on purpose: it parses the command line, which
    // ParseArguments has read already.
    bool OnInit() override {
        (new frmduvora())->Open(file_);
        return true;
    }

  private:
    std::string file_;
};

// The window, or the status of a run without one.
int Start(const Invocation& invocation, const auto& enterToolkit) {
    if (invocation.action != Invocation::Action::kWindow) {
        return WriteOutcome(RunWithoutWindow(invocation));
    }
    wxApp::SetInstance(new DuvoraApp(invocation.file));
    return enterToolkit();
}

}  // namespace

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    return Start(ParseArguments(ProgramArguments(0, nullptr)),
                 [&] { return wxEntry(instance, previous, commandLine, show); });
}
#else
int main(int argc, char** argv) {
    return Start(ParseArguments(ProgramArguments(argc, argv)), [&] { return wxEntry(argc, argv); });
}
#endif
