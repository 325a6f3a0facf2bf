// `duvora` on Linux: a run without a window is done here, in a program that
// loads no toolkit library (loading GTK's alone takes longer than a whole
// report); for a window it becomes the window program, with the same
// arguments and process. That lives at DUVORA_WINDOW_PROGRAM, relative to
// this program's folder, both in the build tree and installed.

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "command_line.h"
#include "console.h"

int main(int argc, char** argv) {
    const Invocation invocation = ParseArguments(ProgramArguments(argc, argv));
    if (invocation.action != Invocation::Action::kWindow) {
        return WriteOutcome(RunWithoutWindow(invocation));
    }
    char self[PATH_MAX] = {};
    std::string program = "/proc/self/exe";
    if (const ssize_t length = ::readlink(program.c_str(), self, sizeof self - 1); length > 0) {
        program.assign(self, static_cast<std::size_t>(length));
        program = program.substr(0, program.rfind('/') + 1) + DUVORA_WINDOW_PROGRAM;
        ::execv(program.c_str(), argv);
    }
    std::fprintf(stderr, "duvora: cannot start %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}
