// Feeds arbitrary bytes as a data file through Input Data, Results and Clear
// and checks what the user would see: one row of three cells per record, the
// file closed, either the report or the one message, everything emptied by
// Clear. The same bytes behind blanks that put the reader's buffer boundary
// inside them must give the same calls.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "recording_view.h"
#include "test_controller.h"
#include "test_files.h"

namespace {

std::vector<std::string> RunCommands(const std::string& bytes) {
    static const std::string path = [] {
        char folder[] = "/tmp/duvora-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(folder) != nullptr);
        return std::string(folder) + "/data.txt";
    }();
    std::ofstream(path, std::ios::binary) << bytes;
    RecordingView view;
    TestController controller(view);
    view.chosenFile = path;
    const long open = OpenFiles();
    controller.cmdInputData_Click();
    FUZZ_CHECK(OpenFiles() == open);

    int rows = 0;
    int cells = 0;
    for (const std::string& call : view.calls) {
        rows += call.starts_with("row:");
        cells += call.starts_with("cell ");
        rows = call == "clear rows" ? 0 : rows;
    }
    FUZZ_CHECK(rows == controller.PairCount() && cells == 2 * rows);
    for (int k = 0; k < rows; ++k) {
        const PairRecord& record = controller.Pairs()[static_cast<std::size_t>(k)];
        FUZZ_CHECK(record.Difference == record.First - record.Second);
    }
    std::vector<std::string> seen = view.calls;
    view.calls.clear();
    controller.cmdResults_Click();
    FUZZ_CHECK(view.calls.size() == 2 && view.calls[0] == "text:");
    const bool report = view.calls[1].starts_with("text:The Different Mean = ");
    FUZZ_CHECK(report == (rows >= 2 && controller.Verdict() != "") &&
               (report || view.calls[1].starts_with("message Error:")));
    seen.insert(seen.end(), view.calls.begin(), view.calls.end());
    view.calls.clear();
    controller.cmdClear_Click();
    FUZZ_CHECK(controller.PairCount() == 0 && controller.Pairs().empty());
    FUZZ_CHECK(view.calls == (std::vector<std::string>{"clear columns", "clear rows", "text:"}));
    return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto plain = RunCommands(bytes);
    // Blanks before the first name are skipped; a byte-order mark counts only
    // at the very start, so such inputs are left out of the comparison.
    if (!bytes.starts_with("\xEF\xBB\xBF")) {
        const std::size_t kReaderBuffer = 64 * 1024;
        const std::string blanks(kReaderBuffer - (size / 2) % kReaderBuffer, ' ');
        FUZZ_CHECK(RunCommands(blanks + bytes) == plain);
    }
    return 0;
}
