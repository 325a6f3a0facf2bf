#include "command_line.h"

#include "report.h"

namespace {

constexpr const char* kUsage =
    "usage: duvora [FILE] | duvora --report FILE | duvora --help | duvora --version\n";

constexpr const char* kHelp =
    "Opens the window, with FILE loaded when given.\n"
    "--report FILE prints the report on FILE without a window. Exit status: 0 the\n"
    "report; 1 no report, the reason on standard error; 3 the report, but reading\n"
    "stopped before the end of FILE, where and why on standard error; 2 a usage error.\n";

}  // namespace

Invocation ParseArguments(const std::vector<std::string>& arguments) {
    using Action = Invocation::Action;
    if (arguments.empty()) {
        return {};
    }
    const std::string& first = arguments[0];
    if (first == "--report") {
        return arguments.size() == 2 ? Invocation{Action::kReport, arguments[1]}
                                     : Invocation{Action::kUsageError, {}};
    }
    if (first == "--help" || first == "-h") {
        return {Action::kHelp, {}};
    }
    if (first == "--version") {
        return {Action::kVersion, {}};
    }
    if (first == "--") {
        return {Action::kWindow, arguments.size() > 1 ? arguments[1] : std::string()};
    }
    if (first.size() > 1 && first[0] == '-') {
        return {Action::kUsageError, {}};
    }
    return {Action::kWindow, first};
}

ConsoleOutcome RunWithoutWindow(const Invocation& invocation) {
    switch (invocation.action) {
        case Invocation::Action::kReport:
            return Report(invocation.file);
        case Invocation::Action::kHelp:
            return {std::string(kUsage) + kHelp, {}, 0};
        case Invocation::Action::kVersion:
            return {"duvora " DUVORA_VERSION "\n", {}, 0};
        case Invocation::Action::kWindow:
        case Invocation::Action::kUsageError:
            break;
    }
    return {{}, kUsage, 2};
}
