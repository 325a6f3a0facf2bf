// FormatNumber takes its decimal separator from the user's Region settings.
// Windows only, in a process of its own: the separator is read once per run.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "number_format.h"

// The Arabic separator is outside every single-byte code page, so it arrives
// intact only through the wide-character settings and UTF-8. The user's own
// setting is put back.
TEST(RegionalSettings, FormatNumberWritesTheUsersDecimalSeparator) {
    wchar_t old[8] = {};
    ASSERT_GT(GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, old, 8), 0);
    ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L"\u066B"));
    const std::string text = FormatNumber(-0.25) + " " + FormatNumber(7.0);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old);
    EXPECT_EQ(text, "-0\u066B25 7");
}
