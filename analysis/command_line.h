#pragma once

#include <string>
#include <vector>

// What the program's arguments (its own name left out) ask it to do.
struct Invocation {
    enum class Action { kWindow, kReport, kHelp, kVersion, kUsageError };
    Action action = Action::kWindow;
    std::string file;  // the window's, maybe empty, or the report's
};

// `duvora [FILE]` opens the window, loading FILE; further arguments are
// ignored. `--report FILE`, `--help` and `--version` run without a window;
// `--` ends the options, so that a file may start with "-".
Invocation ParseArguments(const std::vector<std::string>& arguments);

// What a run without a window writes, lines ending in "\n", and its status.
struct ConsoleOutcome {
    std::string out;
    std::string err;
    int status = 0;
};

// Help, version, a usage error or the report; never the window.
ConsoleOutcome RunWithoutWindow(const Invocation& invocation);
