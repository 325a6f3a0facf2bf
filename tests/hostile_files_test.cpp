// Files a user could feed Input Data by accident or on purpose that only a
// Linux file system makes, or that are too large to write as a session.

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "recording_view.h"
#include "test_controller.h"
#include "test_files.h"

namespace {

// Bytes read by this process so far, whatever the file.
long long BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value && key != "rchar:") {
    }
    return value;
}

class HostileFile : public ::testing::Test {
  protected:
    // Input Data with the dialog answering `path`; the rows it left shown.
    int Load(const std::string& path) {
        view.calls.clear();
        view.chosenFile = path;
        controller.cmdInputData_Click();
        return view.rowsShown;
    }

    RecordingView view;
    TestController controller{view};
    ScratchFolder folder;
};

}  // namespace

TEST_F(HostileFile, WhatIsNoRegularFileLeavesTheWindowEmptyWithoutWaiting) {
    const auto path = [&](const char* name) { return (folder.Path() / name).string(); };
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(path("gone.txt"), path("dangling.txt"));
    std::filesystem::create_symlink(path("loop.txt"), path("loop.txt"));
    const std::vector<std::string> emptied = {"text:",         "clear columns", "clear rows",
                                              "choose file",   "clear columns", "clear rows",
                                              "text:"};
    for (const std::string& name :
         {path("fifo"), std::string("/dev/zero"), path("dangling.txt"), path("loop.txt")}) {
        Load(folder.Write("real.txt", "A,B\n1,2\n"));
        EXPECT_EQ(Load(name), 0) << name;
        EXPECT_EQ(view.calls, emptied) << name;
    }
    std::filesystem::create_symlink(path("real.txt"), path("link.txt"));
    EXPECT_EQ(Load(path("link.txt")), 1);
}

TEST_F(HostileFile, AHundredMegabytesAreReadOnlyUpToTheRecordLimit) {
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
    EXPECT_EQ(Load(path), TestController::kMaxPairCount);
    // The records up to the limit fill about 330 KB; nothing near 100 MB.
    EXPECT_LT(BytesRead() - before, 4LL * 1024 * 1024);
}

TEST_F(HostileFile, LineEndsAndNamesReadTheSameWhereverTheReadBufferEnds) {
    // Blanks before the first name shift every later byte across the reader's
    // 64 KB buffer without changing what is read.
    for (const std::string lineEnd : {"\r", "\r\n", "\n"}) {
        const std::string header = "A,B" + lineEnd + lineEnd;  // and an empty line
        for (std::size_t shift = 0; shift < 12; ++shift) {
            // The buffer ends about 4 KB into the records, at each place of a line in turn.
            const std::string blanks(64 * 1024 - header.size() - 4000 + shift, ' ');
            std::string records;
            for (int k = 0; k < 1000; ++k) {
                records += std::to_string(k) + "," + std::to_string(k % 7) + lineEnd;
            }
            ASSERT_EQ(Load(folder.Write("data.txt", blanks + header + records)), 1000) << shift;
            EXPECT_EQ(view.calls.back(), "cell 1000:994");
        }
    }
    const std::string huge(10 * 1024 * 1024, 'x');
    EXPECT_EQ(Load(folder.Write("name.txt", "\"" + huge + " \"" + huge + " ,B\n1,2\n")), 1);
    EXPECT_EQ(view.calls[4], "column 1:" + huge + " " + huge);
}
