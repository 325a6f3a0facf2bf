// Runs every session in tests/data/sessions: commands given to the controller,
// each followed by the calls it must make on the window (see README there).

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "recording_view.h"
#include "test_controller.h"
#include "test_files.h"

namespace {

// Open files, so that a file left open fails the session.
int OpenFiles() {
#ifdef __linux__
    return static_cast<int>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                          std::filesystem::directory_iterator()));
#else
    return 0;
#endif
}

std::vector<std::string> Sessions() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataFile("sessions"))) {
        if (entry.path().extension() == ".session") {
            names.push_back(entry.path().stem().string());
        }
    }
    return names;
}

class Session : public testing::TestWithParam<std::string> {
  protected:
    // Compares the calls of the last command with the lines given for it; a
    // first line "..." compares only the last calls.
    void Check(const std::string& command, std::vector<std::string>& expected) {
        std::vector<std::string> calls = view.calls;
        if (!expected.empty() && expected.front() == "...") {
            expected.erase(expected.begin());
            calls.erase(calls.begin(), calls.end() - std::min(calls.size(), expected.size()));
        }
        EXPECT_EQ(calls, expected) << command;
        expected.clear();
    }

    // A name written in the session, "" (Cancel), a path, or a file of tests/data.
    std::string Resolve(const std::string& name) const {
        if (name.empty() || name.front() == '/') {
            return name;
        }
        const auto written = folder.Path() / Utf8Path(name);
        return std::filesystem::exists(written) || name == "." ? Utf8Text(written)
                                                               : DataFile(name);
    }

    RecordingView view;
    TestController controller{view};
    ScratchFolder folder;
};

TEST_P(Session, MakesTheExpectedCalls) {
    std::ifstream session(DataFile("sessions/" + GetParam() + ".session"));
    std::vector<std::string> expected;
    std::string command;
    for (std::string line; std::getline(session, line);) {
        if (line.starts_with("  ")) {
            expected.push_back(Unescape(line.substr(2)));
            continue;
        }
        if (line.empty() || line.starts_with("#")) {
            continue;
        }
        Check(command, expected);
        command = line;
        std::istringstream words(line);
        std::string verb;
        std::string name;
        std::string rest;
        words >> verb >> name;
        std::getline(words >> std::ws, rest);
        name = Unescape(name);
        view.calls.clear();
        if (verb == "write") {  // write NAME BYTES
            folder.Write(name, Unescape(rest));
        } else if (verb == "records") {  // records NAME COUNT: a header and COUNT records
            folder.Write(name, "A,B\r\n" + RecordLines(std::stoi(rest)));
        } else if (verb == "load" || verb == "load-removed" || verb == "cancel") {
            view.chosenFile = Resolve(name);
            view.removeChosen = verb == "load-removed";
            const int open = OpenFiles();
            controller.cmdInputData_Click();
            EXPECT_EQ(OpenFiles(), open) << "left open by " << line;
        } else if (verb == "results") {
            controller.cmdResults_Click();
        } else if (verb == "clear") {
            controller.cmdClear_Click();
        } else if (verb == "end") {
            controller.cmdEnd_Click();
        } else if (verb == "rows") {  // rows COUNT: the rows the table shows
            EXPECT_EQ(view.rowsShown, std::stoi(name)) << line;
        } else {
            ADD_FAILURE() << "unknown command: " << line;
        }
    }
    Check(command, expected);
}

INSTANTIATE_TEST_SUITE_P(, Session, testing::ValuesIn(Sessions()),
                         [](const auto& name) { return name.param; });

}  // namespace
