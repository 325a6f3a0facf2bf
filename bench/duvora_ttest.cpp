// Duvora's side of the whole-process comparison with the tools a user would
// otherwise pick: loads the named file and evaluates it through the real
// controller, as Input Data and Results do, and prints the pairs and t.
//
//   duvora_ttest DATA_FILE

#include <cstdio>

#include "recording_view.h"
#include "test_controller.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: duvora_ttest DATA_FILE\n");
        return 2;
    }
    RecordingView view;
    view.chosenFile = argv[1];
    view.record = false;
    TestController controller(view);
    controller.cmdInputData_Click();
    controller.cmdResults_Click();
    std::printf("Pairs: %d\nt: %.17g\n%s\n", controller.PairCount(), controller.TValue(),
                view.calls.back().c_str());
    return view.calls.back().starts_with("text:The Different Mean") ? 0 : 1;
}
