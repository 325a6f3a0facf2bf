// Numbers as data files write them are read without the general conversion
// when their digits and power of ten allow it; every such number must still
// come out as the nearest double, exactly as the general conversion gives it.
// (The number_field fuzz target compares random fields the same way.)

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "number_field.h"

namespace {

// The nearest double by the standard library's correctly rounded conversion.
double Nearest(const std::string& text) {
    const std::string digits = text[0] == '+' ? text.substr(1) : text;
    double value = 0.0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

void ExpectNearest(const std::string& text) {
    const auto read = ParseNumberField(text);
    ASSERT_TRUE(read.has_value()) << text;
    EXPECT_EQ(*read, Nearest(text)) << text;
    EXPECT_EQ(std::signbit(*read), std::signbit(Nearest(text))) << text;
}

}  // namespace

TEST(NumberRounding, ReadsTheEdgesOfExactArithmetic) {
    for (const char* text : {"9007199254740992",       // 2^53, the largest mantissa taken as it is
                             "9007199254740993",       // 2^53 + 1 rounds to even
                             "9007199254740995",       // and up
                             "9999999999999999999",    // 19 digits
                             "99999999999999999999",   // 20 digits
                             "1234567890123456789e3",  // 19 digits times a power
                             "1e22",
                             "1e23",
                             "1e-22",
                             "1e-23",
                             "9007199254740991e22",
                             "9007199254740991e-22",
                             "0.1",
                             "0.2",
                             "0.3",
                             "123.456",
                             "-0",
                             "-0.0",
                             "+0.000",
                             "0e5",
                             "000000000000000000001",
                             "0.0000000000000000000000001",
                             "4.35",
                             "2.675",
                             "1.005",
                             "8.41e21",
                             "5e-324",
                             "17976931348623157e292",
                             "2.2250738585072014e-308"}) {
        ExpectNearest(text);
    }
}
