// Duvora's side of the whole-process comparison with the tools a user would
// otherwise pick: one process that loads the named file and evaluates it
// through the real controller, as the Input Data and Results commands do,
// then prints the number of pairs, the report and the process's peak memory.
//
//   duvora_ttest DATA_FILE

#include <fstream>
#include <iostream>
#include <string>

#include "headless_view.h"
#include "test_controller.h"

namespace {

// The peak resident set of this program alone, from the kernel's count for
// the process image: a parent's memory before exec does not count here, as it
// does in the rusage that wait4 reports.
std::string PeakMemory() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return line.substr(6);
        }
    }
    return " unknown";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: duvora_ttest DATA_FILE\n";
        return 2;
    }
    HeadlessView view(argv[1]);
    TestController controller(view);
    controller.cmdInputData_Click();
    controller.cmdResults_Click();
    std::cout << "Pairs: " << controller.PairCount() << "\n";
    if (view.ResultText().empty()) {
        std::cout << view.FailureMessage() << "\n";
        return 1;
    }
    std::cout << view.ResultText() << "\n";
    std::cout << "Peak:" << PeakMemory() << "\n";
    return 0;
}
