// Files a user could feed Input Data by accident or on purpose, each run
// through the real command: what the window would show afterwards is checked,
// and that the file was closed. An empty file and a directory are in
// test_controller_test.cpp; the number grammar on its own in
// number_field_test.cpp.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "recording_view.h"
#include "test_controller.h"
#include "test_files.h"
#include "text_encoding.h"

namespace {

using Calls = std::vector<std::string>;

// Everything emptied, no message: a file that gave no record.
const Calls kFailedLoad = {"text:",         "clear columns", "clear rows", "choose file",
                           "clear columns", "clear rows",    "text:"};

// The table and the report box as the user would see them after the calls.
struct Screen {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    std::string report;
    int messages = 0;
};

std::string After(const std::string& call, std::size_t prefix) {
    return call.substr(call.find(':', prefix) + 1);
}

Screen Replay(const Calls& calls) {
    Screen screen;
    for (const std::string& call : calls) {
        if (call == "clear columns") {
            screen.headings.clear();
        } else if (call == "clear rows") {
            screen.rows.clear();
        } else if (call.starts_with("text:")) {
            screen.report = After(call, 0);
        } else if (call.starts_with("column ")) {
            screen.headings.push_back(After(call, 0));
        } else if (call.starts_with("row:")) {
            screen.rows.push_back({After(call, 0)});
        } else if (call.starts_with("cell ")) {
            const std::size_t row = std::stoul(call.substr(5));
            screen.rows.at(row - 1).push_back(After(call, 0));
        } else if (call.starts_with("message ")) {
            ++screen.messages;
        }
    }
    return screen;
}

using Rows = std::vector<std::vector<std::string>>;

int OpenDescriptors() {
    int count = 0;
    DIR* folder = ::opendir("/proc/self/fd");
    while (const dirent* entry = ::readdir(folder)) {
        count += entry->d_name[0] != '.';
    }
    ::closedir(folder);
    return count - 1;  // the folder's own
}

// Bytes read by this process so far, whatever the file.
long long BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

// Can delete the chosen file once the dialog has closed, before the command
// opens it.
class DeletingView : public RecordingView {
  public:
    bool deleteChosen = false;

    std::string ChooseDataFile() override {
        std::string name = RecordingView::ChooseDataFile();
        if (deleteChosen) {
            std::error_code ignored;
            std::filesystem::remove(name, ignored);
        }
        return name;
    }
};

class HostileFile : public ::testing::Test {
  protected:
    // Input Data with the dialog answering `path`; the screen it leaves.
    Screen Load(const std::string& path) {
        view.calls.clear();
        view.chosenFile = path;
        const int descriptors = OpenDescriptors();
        controller.cmdInputData_Click();
        EXPECT_EQ(OpenDescriptors(), descriptors) << "the file was left open: " << path;
        return Replay(view.calls);
    }
    Screen LoadBytes(std::string_view bytes) { return Load(folder.Write("data.txt", bytes)); }
    Screen Results() {
        view.calls.clear();
        controller.cmdResults_Click();
        return Replay(view.calls);
    }
    // A loaded file first, so that a failed load has something to empty.
    void LoadSomething() {
        LoadBytes("A,B\n1,2\n3,5\n");
        ASSERT_EQ(controller.PairCount(), 2);
    }

    DeletingView view;
    TestController controller{view};
    ScratchFolder folder;
};

const std::vector<std::string> kAB = {"A", "B", "Different"};

}  // namespace

TEST_F(HostileFile, WhatCannotBeOpenedAsAFileLeavesTheWindowEmptyWithoutWaiting) {
    const auto fifo = (folder.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto dangling = (folder.Path() / "dangling.txt").string();
    std::filesystem::create_symlink(folder.Path() / "gone.txt", dangling);
    const auto loop = (folder.Path() / "loop.txt").string();
    std::filesystem::create_symlink(loop, loop);

    for (const std::string& path :
         {fifo, std::string("/dev/zero"), std::string("/dev/null"), dangling, loop}) {
        LoadSomething();
        Load(path);
        EXPECT_EQ(view.calls, kFailedLoad) << path;
        EXPECT_EQ(controller.PairCount(), 0) << path;
    }
    // A symbolic link to a real data file reads like the file.
    const auto target = folder.Write("real.txt", "A,B\n1,2\n");
    const auto link = (folder.Path() / "link.txt").string();
    std::filesystem::create_symlink(target, link);
    EXPECT_EQ(Load(link).rows, (Rows{{"1", "2", "-1"}}));
}

TEST_F(HostileFile, AFileDeletedAfterTheDialogClosedLeavesTheWindowEmpty) {
    LoadSomething();
    const auto doomed = folder.Write("doomed.txt", "A,B\n1,2\n");
    view.deleteChosen = true;
    Load(doomed);
    EXPECT_EQ(view.calls, kFailedLoad);
    EXPECT_FALSE(std::filesystem::exists(doomed));
    EXPECT_EQ(Results().messages, 1);
}

TEST_F(HostileFile, BytesThatAreNoDataEndReadingSilently) {
    struct Case {
        const char* what;
        std::string bytes;
        Rows rows;  // what stays shown; no rows and no headings when empty
    };
    const std::string commas(10000, ',');
    const std::vector<Case> cases = {
        {"a byte-order mark alone", "\xEF\xBB\xBF", {}},
        {"a NUL in the first number", std::string("A,B\n1\0,2\n", 10), {}},
        {"a NUL in a later number", std::string("A,B\n1,2\n3,4\0\n", 14), {{"1", "2", "-1"}}},
        {"10,000 commas for the names", commas + "\n1,2\n", {}},
        {"10,000 commas after a record", "A,B\n1,2\n" + commas + "\n", {{"1", "2", "-1"}}},
        {"a quote never closed in the names", "\"A,B\n1,2\n3,4\n", {}},
        {"a quote never closed in a record", "A,B\n1,2\n\"3,4\n5,6\n", {{"1", "2", "-1"}}},
    };
    for (const Case& c : cases) {
        LoadSomething();
        const Screen screen = LoadBytes(c.bytes);
        EXPECT_EQ(screen.rows, c.rows) << c.what;
        EXPECT_EQ(controller.PairCount(), static_cast<int>(c.rows.size())) << c.what;
        EXPECT_EQ(screen.headings, c.rows.empty() ? std::vector<std::string>{} : kAB) << c.what;
        EXPECT_EQ(screen.report, "") << c.what;
        EXPECT_EQ(screen.messages, 0) << c.what;
    }
}

TEST_F(HostileFile, NamesOfAnyBytesAndLengthBecomeHeadingsTheWindowCanShow) {
    // A NUL is a character like any other: the name is taken over as read.
    const Screen nul = LoadBytes(std::string("Be\0fore,After\n1,2\n3,5\n", 23));
    EXPECT_EQ(nul.headings[0], std::string("Be\0fore", 7));
    EXPECT_EQ(nul.rows.size(), 2u);

    // Bytes that are not UTF-8 are read as Windows-1252, so the heading is
    // always text the window can show.
    const std::vector<std::string> broken = {
        "\xC3\x28",          // a lead byte without its continuation
        "\xE2\x82",          // a sequence cut short by the comma
        "\x80\xBF",          // continuations without a lead byte
        "\xC0\xAF",          // an overlong "/"
        "\xED\xA0\x80",      // a UTF-16 surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xFE\xFF",          // bytes UTF-8 never uses
    };
    for (const std::string& name : broken) {
        const Screen screen = LoadBytes(name + ",B\n1,2\n");
        ASSERT_EQ(screen.headings.size(), 3u);
        EXPECT_TRUE(IsValidUtf8(screen.headings[0])) << screen.headings[0];
        EXPECT_GE(screen.headings[0].size(), name.size());  // nothing dropped
        EXPECT_EQ(screen.rows, (Rows{{"1", "2", "-1"}}));
    }
    EXPECT_EQ(LoadBytes("\xC3\x28,B\n1,2\n").headings[0], "\xC3\x83(");  // "Ã("

    const std::string huge(10 * 1024 * 1024, 'x');
    const Screen tenMegabytes = LoadBytes(huge + ",B\n1,2\n3,5\n");
    EXPECT_EQ(tenMegabytes.headings[0], huge);
    EXPECT_EQ(tenMegabytes.rows.size(), 2u);
    const Screen report = Results();
    EXPECT_NE(report.report.find("between " + huge + " and B at"), std::string::npos);
}

TEST_F(HostileFile, AHundredMegabytesOfRecordsAreReadOnlyUpToTheRecordLimit) {
    const std::string path = (folder.Path() / "huge.txt").string();
    {
        std::ofstream file(path, std::ios::binary);
        file << "A,B\n";
        const std::string block = RecordLines(100000);  // about 1 MB
        while (file.tellp() < 100LL * 1024 * 1024) {
            file << block;
        }
    }
    const long long before = BytesRead();
    const Screen screen = Load(path);
    const long long read = BytesRead() - before;
    std::filesystem::remove(path);

    EXPECT_EQ(controller.PairCount(), TestController::kMaxPairCount);
    EXPECT_EQ(screen.rows.size(), static_cast<std::size_t>(TestController::kMaxPairCount));
    EXPECT_EQ(screen.headings, kAB);
    // The records up to the limit fill about 330 KB; nothing near 100 MB.
    EXPECT_LT(read, 4LL * 1024 * 1024);
}

TEST_F(HostileFile, LineEndsReadTheSameWhereverTheReadBufferEnds) {
    // Blanks before the first name are skipped, so they shift every later byte
    // across the reader's 64 KB buffer without changing what is read.
    constexpr std::size_t kBuffer = 64 * 1024;
    for (const std::string lineEnd : {"\r", "\r\n", "\n"}) {
        std::string records;
        for (int k = 0; k < 1000; ++k) {  // about 8 KB
            records += std::to_string(k) + "," + std::to_string(k % 7) + lineEnd;
        }
        const std::string header = "A,B" + lineEnd + lineEnd;  // and an empty line
        for (std::size_t shift = 0; shift < 12; ++shift) {
            // The buffer ends about 4 KB into the records, at each place of a line in turn.
            const std::string blanks(kBuffer - header.size() - 4000 + shift, ' ');
            const Screen screen = LoadBytes(blanks + header + records);
            ASSERT_EQ(controller.PairCount(), 1000) << "shift " << shift;
            EXPECT_EQ(screen.rows[999], (std::vector<std::string>{"999", "5", "994"}));
        }
    }
}

TEST_F(HostileFile, NumbersAtTheEdgesOfTheDoubleRangeShowOrEndReading) {
    const std::string longMantissa = "0." + std::string(999, '3');  // 1,000 digits
    const Screen screen =
        LoadBytes("Edge,Other\r\n1.7976931348623157e308,0\r\n4.9e-324,1e-400\r\n" + longMantissa +
                  ",1\r\n1e309,0\r\n5,6\r\n");
    EXPECT_EQ(screen.rows, (Rows{{"1.79769313486232E+308", "0", "1.79769313486232E+308"},
                                 {"4.94065645841247E-324", "0", "4.94065645841247E-324"},
                                 {"0.333333333333333", "1", "-0.666666666666667"}}));
    EXPECT_EQ(controller.PairCount(), 3);  // 1e309 is no number: reading ended there
    // The squares of such differences overflow: the one message, no report.
    const Screen results = Results();
    EXPECT_EQ(results.messages, 1);
    EXPECT_EQ(results.report, "");
}

TEST_F(HostileFile, APathWithNonAsciiCharactersLoads) {
    const auto subfolder = folder.Path() / "d\xC3\xA4t\xC3\xA4 \xE6\x97\xA5\xE6\x9C\xAC";
    std::filesystem::create_directories(subfolder);
    const auto path = (subfolder / "m\xC3\xA9sures \xE2\x82\xAC.txt").string();
    std::ofstream(path, std::ios::binary) << "Avant,Apr\xC3\xA8s\r\n1,2\r\n";
    const Screen screen = Load(path);
    EXPECT_EQ(screen.headings, (std::vector<std::string>{"Avant", "Apr\xC3\xA8s", "Different"}));
    EXPECT_EQ(screen.rows, (Rows{{"1", "2", "-1"}}));
}
