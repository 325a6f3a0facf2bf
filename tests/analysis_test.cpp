// The analysis checked against data in tests/data: sessions replayed on the
// controller, and tables of numbers, formats and critical values.

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include "command_line.h"
#include "number_field.h"
#include "recording_view.h"
#include "t_evaluation.h"
#include "test_controller.h"
#include "test_files.h"

namespace {

const std::filesystem::path kData = DUVORA_TEST_DATA_DIR;

// Text as the data writes it: \r \n \t \\ and \xHH stand for their bytes, and
// {TEXT*N} for TEXT written N times.
std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t times = text.find('*', i), close = text.find('}', i);
        if (text[i] == '{' && times < close && close != std::string_view::npos) {
            const std::string once = Unescape(text.substr(i + 1, times - i - 1));
            for (int n = std::stoi(std::string(text.substr(times + 1))); n > 0; --n) {
                out += once;
            }
            i = close;
        } else if (text[i] == '\\' && text[i + 1] == 'x') {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 2, 2)), nullptr, 16));
            i += 3;
        } else if (text[i] == '\\') {
            const char c = text[++i];
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
        } else {
            out += text[i];
        }
    }
    return out;
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

std::vector<std::string> Sessions() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kData / "sessions")) {
        if (entry.path().extension() == ".session") {
            names.push_back(entry.path().stem().string());
        }
    }
    return names;
}

// The program given the line's arguments, run in the session's folder.
void RunProgram(const std::string& line, const ScratchFolder& folder,
                std::vector<std::string>& calls) {
    std::vector<std::string> arguments;
    std::istringstream words(line.substr(3));
    for (std::string word; words >> word;) {
        arguments.push_back(Unescape(word));
    }
    const Invocation invocation = ParseArguments(arguments);
    if (invocation.action == Invocation::Action::kWindow) {
        calls.push_back("window:" + invocation.file);
        return;
    }
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    const ConsoleOutcome outcome = RunWithoutWindow(invocation);
    std::filesystem::current_path(here);
    for (const auto& [stream, text] : {std::pair{"out:", outcome.out}, {"err:", outcome.err}}) {
        EXPECT_TRUE(text.empty() || text.back() == '\n') << stream << text;
        std::istringstream lines(text);
        for (std::string written; std::getline(lines, written);) {
            calls.push_back(stream + written);
        }
    }
    calls.push_back("exit:" + std::to_string(outcome.status));
}

class Session : public testing::TestWithParam<std::string> {};

TEST_P(Session, MakesTheExpectedCalls) {
    RecordingView view;
    TestController controller{view};
    ScratchFolder folder;
    std::ifstream session(kData / "sessions" / (GetParam() + ".session"));
    std::vector<std::string> expected;
    std::string command;
    for (std::string line; std::getline(session, line);) {
        if (line.starts_with("  ")) {
            expected.push_back(Unescape(line.substr(2)));
            continue;
        } else if (line.empty() || line.starts_with("#")) {
            continue;
        }
        Check(view.calls, expected, command);
        command = line;
        view.calls.clear();
        std::istringstream words(line);
        std::string verb, name, bytes;
        words >> verb >> name;
        std::getline(words >> std::ws, bytes);
        const auto written = folder.path / Utf8Path(Unescape(name));
        if (verb == "write") {
            folder.Write(Unescape(name), Unescape(bytes));
        } else if (verb == "fifo") {
#ifdef _WIN32
            // Windows has no FIFOs; a folder is no regular file either.
            ASSERT_TRUE(std::filesystem::create_directory(written));
#else
            ASSERT_EQ(::mkfifo(written.c_str(), 0600), 0);
#endif
        } else if (verb == "run") {
            RunProgram(line, folder, view.calls);
        } else if (verb == "load" || verb == "cancel" || verb == "open") {
            // A file written above, the scratch folder ".", a path, or one of tests/data.
            const bool ours = name == "." || std::filesystem::exists(written);
            view.chosenFile = ours                             ? Utf8Text(written)
                              : name.empty() || name[0] == '/' ? name
                                                               : (kData / name).string();
            const long open = OpenFiles();
            verb == "open" ? controller.InputDataFile(view.chosenFile)
                           : controller.cmdInputData_Click();
            EXPECT_EQ(OpenFiles(), open) << line;
        } else if (verb == "results") {
            controller.cmdResults_Click();
        } else if (verb == "clear") {
            controller.cmdClear_Click();
        } else if (verb == "end") {
            controller.cmdEnd_Click();
        } else {
            ADD_FAILURE() << "unknown command: " << line;
        }
    }
    Check(view.calls, expected, command);
}

INSTANTIATE_TEST_SUITE_P(, Session, testing::ValuesIn(Sessions()),
                         [](const auto& name) { return name.param; });

// The rows of a tab-separated table, comments left out.
std::vector<std::vector<std::string>> Table(const std::string& name) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream file(kData / name);
    for (std::string line, cell; std::getline(file, line);) {
        if (!line.starts_with("#")) {
            rows.emplace_back();
            for (std::istringstream cells(line); std::getline(cells, cell, '\t');) {
                rows.back().push_back(Unescape(cell));
            }
        }
    }
    EXPECT_GT(rows.size(), 20u) << name;
    return rows;
}

TEST(Tables, NumberFieldsReadAsTheNearestDoubleOrNotAtAll) {
    for (const auto& row : Table("numbers.txt")) {
        const auto read = ParseNumberField(row.at(0));
        const double expected = std::strtod(row.at(1).c_str(), nullptr);
        const std::string field = '"' + row[0].substr(0, 40) + '"';
        EXPECT_EQ(read.has_value(), row[1] != "-") << field;
        EXPECT_TRUE(!read || (*read == expected && std::signbit(*read) == std::signbit(expected)))
            << field << " reads as " << *read;
    }
}

TEST(Tables, NumbersShowAsWritten) {
    for (const auto& row : Table("formats.txt")) {
        EXPECT_EQ(FormatNumber(std::strtod(row.at(0).c_str(), nullptr), row.at(1)), row.at(2));
    }
#ifndef _WIN32  // There the Region settings decide, not LC_ALL=C.UTF-8.
    EXPECT_EQ(FormatNumber(0.5), "0.5");
#endif
}

TEST(Tables, EveryCriticalValueAndTheDecisionItGives) {
    const auto rows = Table("critical_values.txt");
    ASSERT_EQ(rows.size(), 200u);
    for (const auto& row : rows) {
        const int entry = std::stoi(row.at(0));
        const double value = std::stod(row.at(1));
        EXPECT_EQ(CriticalValues.at(static_cast<std::size_t>(entry)), value) << entry;
        // n records have n - 1 degrees of freedom; from 200 on the last entry
        // holds, so no count uses entry 199.
        const int n = entry == 200 ? 32767 : entry + 1;
        for (const double t : {value, -value}) {
            EXPECT_TRUE(entry == 199 || Decide(t, n)->verdict == "reject") << n;
            EXPECT_TRUE(entry == 199 || Decide(std::nextafter(t, 0.0), n)->negation == "no ") << n;
        }
    }
    EXPECT_EQ(Decide(1.96, 200)->verdict, "reject");
    EXPECT_FALSE(Decide(100.0, 1).has_value() || Decide(100.0, 0).has_value());
}

}  // namespace
