// A long session on the real window: a thousand rounds of Input Data, Results
// and Clear must not make the program grow. Its own executable, so that the
// memory it measures is this session's alone, run with G_SLICE=always-malloc:
// GLib's slice allocator otherwise keeps freed blocks in a cache that it trims
// only every 15 seconds, a saw-tooth of about 1 MB in the heap figures.
// Unreachable blocks are LeakSanitizer's part in the sanitizer build; this
// test catches memory that stays reachable, such as rows never let go.

#include <malloc.h>

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include <wx/utils.h>

#include "window_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
#define DUVORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DUVORA_ASAN 1
#endif
#endif
#ifdef DUVORA_ASAN
// From the sanitizer runtime (GCC ships no header for it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes of heap in use by live allocations, from whichever allocator runs.
// AddressSanitizer's counts exclude its quarantine of freed blocks.
long long HeapInUse() {
#ifdef DUVORA_ASAN
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<long long>(mallinfo2().uordblks);
#endif
}

// The process's resident memory in bytes. Under AddressSanitizer the
// quarantine keeps freed memory resident on purpose, so it says nothing there.
long long ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long long kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

std::string MidSizedFile() {
    std::string text = "Morning,Evening\r\n";
    for (int k = 0; k < 2000; ++k) {
        text += std::to_string(60 + k % 37) + "." + std::to_string(k % 10) + "," +
                std::to_string(58 + k % 41) + ".25\r\n";
    }
    return text;
}

// Lets the work that GTK finishes in the background (the file dialog's
// folder and settings look-ups) come back and be freed before a measurement.
void Settle() {
    for (int k = 0; k < 20; ++k) {
        wxMilliSleep(5);
        LetEventsRun();
    }
}

using Endurance = WindowTest;

}  // namespace

TEST_F(Endurance, AThousandRoundsOfLoadResultsAndClearDoNotGrowTheProgram) {
    const char* slices = std::getenv("G_SLICE");
    ASSERT_STREQ(slices == nullptr ? "" : slices, "always-malloc")
        << "run through CTest, which sets G_SLICE=always-malloc";
    const wxString path = WriteFile("mid_sized.txt", MidSizedFile());
    int rowsSeen = 0;
    int reportsSeen = 0;
    const auto round = [&] {
        Load(path);
        rowsSeen += Table()->GetItemCount() == 2000;
        Press("cmdResults");
        reportsSeen += ReportLines().size() == 5;
        Press("cmdClear");
        LetEventsRun();
    };

    // The first rounds fill the caches that live as long as the program
    // (fonts, the dialog's settings, the allocator's pools).
    constexpr int kWarmUp = 50;
    constexpr int kRounds = 1000;
    for (int k = 0; k < kWarmUp; ++k) {
        round();
    }
    Settle();
    const long long heapAfterWarmUp = HeapInUse();
    const long long residentAfterWarmUp = ResidentBytes();
    for (int k = kWarmUp; k < kRounds; ++k) {
        round();
    }
    Settle();
    const long long heapGrowth = HeapInUse() - heapAfterWarmUp;
    const long long residentGrowth = ResidentBytes() - residentAfterWarmUp;

    EXPECT_EQ(rowsSeen, kRounds);
    EXPECT_EQ(reportsSeen, kRounds);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    // GTK's own bookkeeping drifts by some 50 bytes a round. A leak of ours
    // the size of one report (some 270 bytes) a round fails; one of a file's
    // records (2000 of 24 bytes) would keep 45 MB.
    EXPECT_LT(heapGrowth, 256 * 1024) << "heap grew by " << heapGrowth << " bytes";
#ifndef DUVORA_ASAN
    EXPECT_LT(residentGrowth, 4 * 1024 * 1024) << "resident memory grew by " << residentGrowth;
#endif
    RecordProperty("heap_growth_bytes", std::to_string(heapGrowth));
    RecordProperty("resident_growth_bytes", std::to_string(residentGrowth));
}
