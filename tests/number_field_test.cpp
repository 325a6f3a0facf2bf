#include "number_field.h"

#include <cfloat>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

TEST(NumberField, ReadsEveryWrittenFormOfANumber) {
    EXPECT_EQ(ParseNumberField("12.5"), 12.5);
    EXPECT_EQ(ParseNumberField("1e3"), 1000.0);
    EXPECT_EQ(ParseNumberField("1E3"), 1000.0);
    EXPECT_EQ(ParseNumberField("+2.5"), 2.5);
    EXPECT_EQ(ParseNumberField("-0.25"), -0.25);
    EXPECT_EQ(ParseNumberField(".5"), 0.5);
    EXPECT_EQ(ParseNumberField("5."), 5.0);
    EXPECT_EQ(ParseNumberField("2.5e-1"), 0.25);
    EXPECT_EQ(ParseNumberField("7E+02"), 700.0);
    EXPECT_EQ(ParseNumberField("0.1"), 0.1);  // nearest double, not a near miss
}

TEST(NumberField, RefusesWhatIsNotANumber) {
    for (const char* text :
         {"",         "+",    "-",     ".",   "12kg", "1,5",         "1 2", "1.2.3",
          "e5",       "1e",   "1e+",   "--1", "+-1",  "inf",         "nan", "NaN",
          "infinity", "0x1A", "1e5.5", " 1",  "1 ",   "\xEF\xBC\x91"}) {
        EXPECT_FALSE(ParseNumberField(text).has_value()) << '"' << text << '"';
    }
    EXPECT_FALSE(ParseNumberField(std::string("1\0", 2)).has_value());
}

TEST(NumberField, KeepsTheWholeDoubleRangeAndRefusesBeyondIt) {
    EXPECT_EQ(ParseNumberField("1.7976931348623157e308"), DBL_MAX);
    EXPECT_EQ(ParseNumberField("-1.7976931348623157e308"), -DBL_MAX);
    EXPECT_FALSE(ParseNumberField("1e309").has_value());
    EXPECT_FALSE(ParseNumberField("-1e309").has_value());
    EXPECT_FALSE(ParseNumberField("1e99999999999999999999").has_value());
    EXPECT_FALSE(ParseNumberField("0.0001e313").has_value());

    EXPECT_EQ(ParseNumberField("4.9e-324"), std::nextafter(0.0, 1.0));
    const auto tiny = ParseNumberField("1e-400");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0.0);
    const auto negativeTiny = ParseNumberField("-1e-99999999999999999999");
    ASSERT_TRUE(negativeTiny.has_value());
    EXPECT_TRUE(*negativeTiny == 0.0 && std::signbit(*negativeTiny));
    EXPECT_EQ(ParseNumberField("0e99999999999"), 0.0);
    EXPECT_EQ(ParseNumberField("123456789e-400"), 0.0);
}

TEST(NumberField, RoundsALongMantissaToTheNearestDouble) {
    const std::string thousandDigits = "1." + std::string(998, '0') + "1";
    EXPECT_EQ(ParseNumberField(thousandDigits), 1.0);
    const std::string third = "0." + std::string(1000, '3');
    EXPECT_EQ(ParseNumberField(third), 1.0 / 3.0);
}

// More than 100,000 leading zeros once outweighed a saturated exponent: a value
// far beyond the largest double read as 0, and a tiny one was refused.
TEST(NumberField, TellsHugeFromTinyWhateverTheFieldsLength) {
    const std::string zeros(200000, '0');
    EXPECT_FALSE(ParseNumberField("0." + zeros + "1e100000000").has_value());
    EXPECT_FALSE(ParseNumberField("-0." + zeros + "1e100000000").has_value());
    const auto tiny = ParseNumberField("1" + zeros + "e-100000000");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*tiny, 0.0);
    // In range once the zeros are counted: 1e299 and 1e-300.
    EXPECT_EQ(ParseNumberField("0." + zeros + "1e200300"), 1e299);
    EXPECT_EQ(ParseNumberField("1" + zeros + "e-200300"), 1e-300);
}
