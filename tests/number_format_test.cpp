#include "number_format.h"

#include <cfloat>
#include <cmath>

#include <gtest/gtest.h>

TEST(FormatNumber, WritesPlainNumbersWithoutTrailingZeros) {
    EXPECT_EQ(FormatNumber(2.5, "."), "2.5");
    EXPECT_EQ(FormatNumber(5.0, "."), "5");
    EXPECT_EQ(FormatNumber(-0.25, "."), "-0.25");
    EXPECT_EQ(FormatNumber(11.0, "."), "11");
    EXPECT_EQ(FormatNumber(100.0, "."), "100");
    EXPECT_EQ(FormatNumber(0.1 + 0.2, "."), "0.3");
}

TEST(FormatNumber, RoundsToFifteenSignificantDigits) {
    EXPECT_EQ(FormatNumber(2.0 / 3.0, "."), "0.666666666666667");
    EXPECT_EQ(FormatNumber(-1.0 / 3.0, "."), "-0.333333333333333");
    EXPECT_EQ(FormatNumber(999999999999999.0, "."), "999999999999999");
    EXPECT_EQ(FormatNumber(123456789.123456789, "."), "123456789.123457");
    EXPECT_EQ(FormatNumber(9.9999999999999999, "."), "10");
}

TEST(FormatNumber, SwitchesToTheExponentFormForVeryLargeAndSmallMagnitudes) {
    EXPECT_EQ(FormatNumber(1e15, "."), "1E+15");
    EXPECT_EQ(FormatNumber(9999999999999999.0, "."), "1E+16");
    EXPECT_EQ(FormatNumber(123456789012345678.0, "."), "1.23456789012346E+17");
    EXPECT_EQ(FormatNumber(0.0001, "."), "0.0001");
    EXPECT_EQ(FormatNumber(0.00001, "."), "1E-05");
    EXPECT_EQ(FormatNumber(-2.5e-7, "."), "-2.5E-07");
    EXPECT_EQ(FormatNumber(DBL_MAX, "."), "1.79769313486232E+308");
    EXPECT_EQ(FormatNumber(std::nextafter(0.0, 1.0), "."), "4.94065645841247E-324");
}

TEST(FormatNumber, ShowsNegativeZeroAsZero) {
    EXPECT_EQ(FormatNumber(-0.0, "."), "0");
    EXPECT_EQ(FormatNumber(0.0, "."), "0");
}

TEST(FormatNumber, UsesTheRegionalDecimalSeparator) {
    EXPECT_EQ(FormatNumber(-0.25, ","), "-0,25");
    EXPECT_EQ(FormatNumber(1.5e-9, ","), "1,5E-09");
    EXPECT_EQ(FormatNumber(1234.5, "\xD9\xAB"),
              "1234\xD9\xAB"
              "5");  // Arabic separator
    EXPECT_EQ(FormatNumber(7.0, ","), "7");
}

// On Windows the Region settings decide instead of LC_ALL; see
// regional_settings_test.cpp.
#ifndef _WIN32
TEST(FormatNumber, DefaultsToTheUserSeparatorOfTheCLocaleHere) {
    // The tests run with LC_ALL=C.UTF-8, whose separator is the period.
    EXPECT_EQ(UserDecimalSeparator(), ".");
    EXPECT_EQ(FormatNumber(0.5), "0.5");
}
#endif
