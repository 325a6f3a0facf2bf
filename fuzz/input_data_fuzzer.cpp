// Feeds arbitrary bytes as a data file through the whole Input Data command,
// then Results and Clear, and checks what the user would see on every input:
// rows shown == PairCount, each counted record's Difference == First - Second,
// the table and the report consistent, and the file closed on every path.
// Each input is read twice, the second time with a reader buffer boundary
// placed inside it, and both reads must agree.

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "pair_reader.h"
#include "test_controller.h"

namespace {

// Fails the run loudly: libFuzzer keeps the input as a crash.
#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

constexpr std::size_t kReaderBuffer = 64 * 1024;  // PairReader's read size

// The window as the user sees it: headings, rows of cells (as doubles), report.
class TableView : public TestView {
  public:
    std::vector<std::string> headings;
    std::vector<std::vector<double>> rows;
    std::string report;
    std::string chosenFile;
    int messages = 0;

    void SetResultText(const std::string& text) override { report = text; }
    void ClearColumns() override { headings.clear(); }
    void ClearRows() override { rows.clear(); }
    void AddColumn(int position, const std::string& heading) override {
        FUZZ_CHECK(position == static_cast<int>(headings.size()) + 1);
        headings.push_back(heading);
    }
    void AddRow(double value) override { rows.push_back({value}); }
    void AddCell(int rowNumber, double value) override {
        FUZZ_CHECK(rowNumber >= 1 && rowNumber <= static_cast<int>(rows.size()));
        rows[static_cast<std::size_t>(rowNumber) - 1].push_back(value);
    }
    std::string ChooseDataFile() override { return chosenFile; }
    void ShowFailureMessage(const std::string& text, const std::string& title) override {
        FUZZ_CHECK(text == "Incomplete data inputed, try input data again.");
        FUZZ_CHECK(title == "Error");
        ++messages;
    }
    void EndProgram() override { std::abort(); }  // End is never pressed here
};

int OpenDescriptors() {
    int count = 0;
    DIR* folder = opendir("/proc/self/fd");
    FUZZ_CHECK(folder != nullptr);
    while (const dirent* entry = readdir(folder)) {
        count += entry->d_name[0] != '.';
    }
    closedir(folder);
    return count;
}

const std::string& ScratchFile() {
    static const std::string path = [] {
        char folder[] = "/tmp/duvora-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(folder) != nullptr);
        return std::string(folder) + "/data.txt";
    }();
    return path;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FUZZ_CHECK(fd >= 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
        FUZZ_CHECK(count > 0);
        done += static_cast<std::size_t>(count);
    }
    ::close(fd);
}

bool SameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Outcome {
    std::vector<std::string> headings;
    std::vector<std::vector<double>> rows;
    std::string report;
    int messages = 0;
};

// One Input Data, Results and Clear on the file's bytes, with every check.
Outcome RunCommands(const std::string& bytes) {
    const std::string& path = ScratchFile();
    WriteFile(path, bytes);

    TableView view;
    TestController controller(view);
    view.chosenFile = path;
    view.report = "stale";
    view.headings = {"stale"};
    view.rows = {{1.0}};

    const int descriptorsBefore = OpenDescriptors();
    controller.cmdInputData_Click();
    FUZZ_CHECK(OpenDescriptors() == descriptorsBefore);  // the file is closed on every path

    const int count = controller.PairCount();
    FUZZ_CHECK(count >= 0 && count <= TestController::kMaxPairCount);
    FUZZ_CHECK(static_cast<int>(view.rows.size()) == count);
    FUZZ_CHECK(controller.Pairs().size() >= static_cast<std::size_t>(count));
    FUZZ_CHECK(view.report.empty());
    // Either the three headings of a file whose header was read, or nothing
    // at all after a failure before the first record.
    FUZZ_CHECK(view.headings.size() == 3 || (view.headings.empty() && count == 0));
    if (view.headings.size() == 3) {
        FUZZ_CHECK(view.headings[0] == controller.ColumnName1());
        FUZZ_CHECK(view.headings[1] == controller.ColumnName2());
        FUZZ_CHECK(view.headings[2] == "Different");
    }
    for (int k = 0; k < count; ++k) {
        const PairRecord& record = controller.Pairs()[static_cast<std::size_t>(k)];
        FUZZ_CHECK(std::isfinite(record.First) && std::isfinite(record.Second));
        FUZZ_CHECK(SameDouble(record.Difference, record.First - record.Second));
        const auto& row = view.rows[static_cast<std::size_t>(k)];
        FUZZ_CHECK(row.size() == 3);
        FUZZ_CHECK(SameDouble(row[0], record.First));
        FUZZ_CHECK(SameDouble(row[1], record.Second));
        FUZZ_CHECK(SameDouble(row[2], record.Difference));
    }

    Outcome outcome{view.headings, view.rows, "", 0};

    // Results: either the five-line report or the one message, never both.
    controller.cmdResults_Click();
    FUZZ_CHECK(view.messages + !view.report.empty() == 1);
    if (!view.report.empty()) {
        FUZZ_CHECK(count >= 2);
        FUZZ_CHECK(view.report.rfind("The Different Mean = ", 0) == 0);
        std::size_t lineEnds = 0;
        for (std::size_t at = view.report.find("\r\n"); at != std::string::npos;
             at = view.report.find("\r\n", at + 2)) {
            ++lineEnds;
        }
        // The names may hold line ends of their own (quoted), never fewer.
        FUZZ_CHECK(lineEnds >= 4);
        FUZZ_CHECK(controller.Verdict() == "reject" || controller.Verdict() == "not reject");
    }
    FUZZ_CHECK(static_cast<int>(view.rows.size()) == count);  // Results leaves the table alone
    outcome.report = view.report;
    outcome.messages = view.messages;

    controller.cmdClear_Click();
    FUZZ_CHECK(controller.PairCount() == 0 && controller.Pairs().empty());
    FUZZ_CHECK(view.headings.empty() && view.rows.empty() && view.report.empty());
    return outcome;
}

// The reader on its own, the way Input Data calls it, then calls past the end:
// every call after a failure or the end must stay harmless.
void RunReader(const std::string& bytes) {
    const std::string& path = ScratchFile();
    WriteFile(path, bytes);
    const int descriptorsBefore = OpenDescriptors();
    {
        PairReader reader;
        FUZZ_CHECK(reader.Open(path));
        for (int k = 0; k < 2; ++k) {
            reader.ReadText();
        }
        int records = 0;
        while (!reader.AtEnd() && records <= TestController::kMaxPairCount) {
            const auto number = reader.ReadNumber();
            if (!number) {
                break;
            }
            FUZZ_CHECK(std::isfinite(*number));
            ++records;
        }
        reader.ReadNumber();
        reader.ReadText();
        reader.AtEnd();
        reader.Close();
        FUZZ_CHECK(!reader.IsOpen());
        FUZZ_CHECK(!reader.ReadNumber().has_value());
        FUZZ_CHECK(!reader.ReadText().has_value());
        FUZZ_CHECK(OpenDescriptors() == descriptorsBefore);
        FUZZ_CHECK(reader.Open(path));  // left open: the destructor must close it
    }
    FUZZ_CHECK(OpenDescriptors() == descriptorsBefore);
}

bool SameOutcome(const Outcome& a, const Outcome& b) {
    if (a.headings != b.headings || a.report != b.report || a.messages != b.messages ||
        a.rows.size() != b.rows.size()) {
        return false;
    }
    for (std::size_t k = 0; k < a.rows.size(); ++k) {
        if (a.rows[k].size() != b.rows[k].size()) {
            return false;
        }
        for (std::size_t c = 0; c < a.rows[k].size(); ++c) {
            if (!SameDouble(a.rows[k][c], b.rows[k][c])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    RunReader(bytes);
    const Outcome plain = RunCommands(bytes);

    // Blanks before the first name are skipped, so padding the file with them
    // must not change what is read; the padding puts the reader's buffer
    // boundary in the middle of the input. A byte-order mark is only one at
    // the very start, so such inputs are left out of the comparison.
    if (bytes.rfind("\xEF\xBB\xBF", 0) != 0) {
        const std::size_t boundary = (size / 2) % kReaderBuffer;
        const std::string padded = std::string(kReaderBuffer - boundary, ' ') + bytes;
        FUZZ_CHECK(SameOutcome(plain, RunCommands(padded)));
    }
    return 0;
}
