// Replays every session in tests/data/sessions on the controller: commands,
// each followed by the calls it must make on the window (see README there).

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include "recording_view.h"
#include "test_controller.h"
#include "test_files.h"

namespace {

std::vector<std::string> Sessions() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataFile("sessions"))) {
        if (entry.path().extension() == ".session") {
            names.push_back(entry.path().stem().string());
        }
    }
    return names;
}

// The calls of a command against those expected; a first "..." compares the last ones.
void Check(std::vector<std::string> calls, std::vector<std::string>& expected,
           const std::string& command) {
    if (!expected.empty() && expected.front() == "...") {
        expected.erase(expected.begin());
        calls.erase(calls.begin(), calls.end() - std::min(calls.size(), expected.size()));
    }
    EXPECT_EQ(calls, expected) << command;
    expected.clear();
}

// Files this process holds open, so that a file left open fails the session.
long OpenFiles() {
#ifdef __linux__
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
#else
    return 0;
#endif
}

class Session : public testing::TestWithParam<std::string> {};

TEST_P(Session, MakesTheExpectedCalls) {
    RecordingView view;
    TestController controller{view};
    ScratchFolder folder;
    std::ifstream session(DataFile("sessions/" + GetParam() + ".session"));
    std::vector<std::string> expected;
    std::string command;
    for (std::string line; std::getline(session, line);) {
        if (line.starts_with("  ")) {
            expected.push_back(Unescape(line.substr(2)));
        } else if (!line.empty() && !line.starts_with("#")) {
            Check(view.calls, expected, command);
            command = line;
            view.calls.clear();
            std::istringstream words(line);
            std::string verb, name, rest;
            words >> verb >> name;
            std::getline(words >> std::ws, rest);
            name = Unescape(name);
            const auto written = folder.path / Utf8Path(name);
            if (verb == "write") {
                folder.Write(name, Unescape(rest));
            } else if (verb == "records") {  // COUNT [LINE_END [BLANKS_BEFORE]]
                std::istringstream numbers(rest);
                int count = 0, blanks = 0;
                std::string lineEnd = "\\r\\n";
                numbers >> count >> lineEnd >> blanks;
                std::string text = std::string(blanks, ' ') + "A,B" + Unescape(lineEnd);
                for (int k = 0; k < count; ++k) {
                    text += std::to_string(k % 97) + "," + std::to_string(k % 89) + Unescape(lineEnd);
                }
                folder.Write(name, text);
#ifndef _WIN32
            } else if (verb == "fifo") {
                ASSERT_EQ(::mkfifo(written.c_str(), 0600), 0);
#endif
            } else if (verb.starts_with("load") || verb == "cancel") {
                // A file written above, the scratch folder ".", a path, or one of tests/data.
                view.chosenFile = name.empty() || name[0] == '/' ? name
                                  : name == "." || std::filesystem::exists(written)
                                      ? Utf8Text(written)
                                      : DataFile(name);
                view.removeChosen = verb == "load-removed";
                const long open = OpenFiles();
                controller.cmdInputData_Click();
                EXPECT_EQ(OpenFiles(), open) << line;
            } else if (verb == "results") {
                controller.cmdResults_Click();
            } else if (verb == "clear") {
                controller.cmdClear_Click();
            } else if (verb == "end") {
                controller.cmdEnd_Click();
            } else if (verb == "rows") {
                EXPECT_EQ(view.rowsShown, std::stoi(name)) << line;
            } else {
                ADD_FAILURE() << "unknown command: " << line;
            }
        }
    }
    Check(view.calls, expected, command);
}

INSTANTIATE_TEST_SUITE_P(, Session, testing::ValuesIn(Sessions()),
                         [](const auto& name) { return name.param; });

}  // namespace
