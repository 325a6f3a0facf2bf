// `duvora` on Linux: a run without a window is done here, in a program that
// loads no toolkit library (loading GTK's alone takes longer than a whole
// report); for a window it becomes the window program, with the same
// arguments and process. That lives at DUVORA_WINDOW_PROGRAM, relative to
// this program's folder, both in the build tree and installed.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "command_line.h"
#include "console.h"

int main(int argc, char** argv) {
    const Invocation invocation = ParseArguments(ProgramArguments(argc, argv));
    if (invocation.action != Invocation::Action::kWindow) {
        return WriteOutcome(RunWithoutWindow(invocation));
    }
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string program = (self.parent_path() / DUVORA_WINDOW_PROGRAM).string();
    if (!error) {
        ::execv(program.c_str(), argv);
        error.assign(errno, std::generic_category());
    }
    std::fprintf(stderr, "duvora: cannot start %s: %s\n", program.c_str(), error.message().c_str());
    return 1;
}
