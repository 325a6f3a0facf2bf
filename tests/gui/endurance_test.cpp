// A long session on the real window: a thousand rounds of Input Data, Results
// and Clear must not make the program grow. Its own executable, so that the
// memory it measures is this session's alone.

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "window_fixture.h"
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/dialog.h>

#if defined(__SANITIZE_ADDRESS__)
#define DUVORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DUVORA_ASAN 1
#endif
#endif
#ifdef DUVORA_ASAN
#include <sanitizer/allocator_interface.h>
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

using Endurance = WindowTest;

}  // namespace

TEST_F(Endurance, AThousandRoundsOfLoadResultsAndClearDoNotGrowTheProgram) {
    const wxString path = files_.Write("mid_sized.txt", MidSizedFile());
    int rowsSeen = 0;
    int reportsSeen = 0;
    const std::string mode = getenv("MODE") ? getenv("MODE") : "LRCI";
    const auto round = [&] {
        if (mode.find('L') != std::string::npos)
            Load(path);
        rowsSeen += Table()->GetItemCount() == 2000;
        if (mode.find('R') != std::string::npos)
            Press("cmdResults");
        reportsSeen += ReportLines().size() == 5;
        if (mode.find('C') != std::string::npos)
            Press("cmdClear");
        if (mode.find('T') != std::string::npos)
            Report()->SetValue("abc\r\ndef");
        if (mode.find('E') != std::string::npos)
            Report()->SetValue("");
        if (mode.find('I') != std::string::npos)
            LetEventsRun();
    };

    // The first rounds fill the caches that live as long as the program
    // (fonts, the dialog's settings, the allocator's pools).
    constexpr int kWarmUp = 50;
    constexpr int kRounds = 1000;
    for (int k = 0; k < kWarmUp; ++k) {
        round();
    }
    const long long heapAfterWarmUp = HeapInUse();
    const long long residentAfterWarmUp = ResidentBytes();
    for (int k = kWarmUp; k < kRounds; ++k) {
        round();
        if (k % 50 == 0)
            fprintf(stderr, "round %d heap %lld rss %lld\n", k, HeapInUse(), ResidentBytes());
        if (getenv("LEAK"))
            (void)new char[100];
    }
    const long long heapGrowth = HeapInUse() - heapAfterWarmUp;
    const long long residentGrowth = ResidentBytes() - residentAfterWarmUp;

    EXPECT_EQ(rowsSeen, kRounds);
    EXPECT_EQ(reportsSeen, kRounds);
    EXPECT_EQ(Table()->GetItemCount(), 0);
    // 64 bytes kept per round would already be 60 KB; one file's rows
    // (2000 records of 24 bytes) kept per round would be 45 MB.
    EXPECT_LT(heapGrowth, 48 * 1024) << "heap grew by " << heapGrowth << " bytes";
#ifndef DUVORA_ASAN
    EXPECT_LT(residentGrowth, 2 * 1024 * 1024) << "resident memory grew by " << residentGrowth;
#endif
    RecordProperty("heap_growth_bytes", std::to_string(heapGrowth));
    RecordProperty("resident_growth_bytes", std::to_string(residentGrowth));
}
