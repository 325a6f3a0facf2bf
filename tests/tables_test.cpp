// The number grammar, the number format, the critical values and the
// decision, each checked against a table written as data in tests/data.

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "number_field.h"
#include "number_format.h"
#include "t_evaluation.h"
#include "test_files.h"

namespace {

// The rows of a tab-separated table, comments left out.
std::vector<std::vector<std::string>> Table(const std::string& name) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream file(DataFile(name));
    for (std::string line; std::getline(file, line);) {
        if (!line.starts_with("#")) {
            rows.emplace_back();
            for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
                tab = line.find('\t', start);
                rows.back().push_back(Unescape(line.substr(start, tab - start)));
            }
        }
    }
    EXPECT_GT(rows.size(), 20u) << name;
    return rows;
}

}  // namespace

TEST(Tables, NumberFieldsReadAsTheNearestDoubleOrNotAtAll) {
    for (const auto& row : Table("numbers.txt")) {
        const auto read = ParseNumberField(row.at(0));
        const std::string field = row[0].substr(0, 40);
        if (row.at(1) == "-") {
            EXPECT_FALSE(read.has_value()) << '"' << field << '"';
        } else if (!read) {
            ADD_FAILURE() << "no number: " << field;
        } else {
            const double expected = std::strtod(row[1].c_str(), nullptr);
            EXPECT_EQ(*read, expected) << field;
            EXPECT_EQ(std::signbit(*read), std::signbit(expected)) << field;
        }
    }
}

TEST(Tables, NumbersShowAsWritten) {
    for (const auto& row : Table("formats.txt")) {
        EXPECT_EQ(FormatNumber(std::strtod(row.at(0).c_str(), nullptr), row.at(1)), row.at(2));
    }
#ifndef _WIN32  // There the Region settings decide, not LC_ALL=C.UTF-8.
    EXPECT_EQ(FormatNumber(0.5), "0.5");
#endif
}

TEST(Tables, EveryCriticalValueAndTheDecisionItGives) {
    const auto rows = Table("critical_values.txt");
    ASSERT_EQ(rows.size(), 200u);
    for (const auto& row : rows) {
        const int entry = std::stoi(row.at(0));
        const double value = std::stod(row.at(1));
        EXPECT_EQ(CriticalValues.at(static_cast<std::size_t>(entry)), value) << entry;
        // n records have n - 1 degrees of freedom; from 200 records on, 1.96,
        // so no count uses entry 199.
        const int n = entry == 200 ? 32767 : entry + 1;
        for (const double sign : {1.0, -1.0}) {
            if (entry == 199) {
                break;
            }
            EXPECT_EQ(Decide(sign * value, n)->verdict, "reject") << n;
            EXPECT_EQ(Decide(sign * std::nextafter(value, 0.0), n)->negation, "no ") << n;
        }
    }
    EXPECT_EQ(Decide(1.96, 200)->verdict, "reject");
    EXPECT_FALSE(Decide(100.0, 1).has_value());
    EXPECT_FALSE(Decide(100.0, 0).has_value());
}
