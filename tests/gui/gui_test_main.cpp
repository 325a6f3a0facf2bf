// Runs the window tests inside a real wxWidgets application. The tests drive
// the window themselves and let events run with wxYield, so no main loop runs.

#include <cstdio>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/init.h>

#include "dialog_testing.h"

namespace {

// A failed wx assertion would otherwise open a dialog and wait for a person.
void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& message) {
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion " << cond.utf8_string() << " in "
                                          << func.utf8_string() << ": " << message.utf8_string();
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests (as the build does) needs no display.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }

    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "Cannot start the windowing system; is DISPLAY set?\n");
        return 1;
    }
    wxSetAssertHandler(FailOnAssert);
    int result = 1;
    {
        UnexpectedDialogGuard guard;
        guard.Register();
        result = RUN_ALL_TESTS();
    }
    wxEntryCleanup();
    return result;
}
