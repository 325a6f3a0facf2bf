// Writes the paired data files that the benchmarks read: a header and the
// given number of records, reproducible from the seed on any platform.
//
//   generate_pairs OUTPUT_FILE RECORD_COUNT [SEED]

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr std::uint64_t kDefaultSeed = 20240605;

// Values in hundredths, drawn from integers only: mt19937_64's output is fixed
// by the standard, while the standard distributions differ between libraries.
// A measurement between 60.00 and 119.99, and a second one about 0.5 lower
// with a bell-shaped spread (a sum of four uniform draws).
struct PairInHundredths {
    long first;
    long second;
};

PairInHundredths NextPair(std::mt19937_64& random) {
    const long first = 6000 + static_cast<long>(random() % 6000);
    long change = -450;  // the four draws below add 400 on average
    for (int draw = 0; draw < 4; ++draw) {
        change += static_cast<long>(random() % 201);
    }
    return {first, first + change};
}

// 7342 -> "73.42", -5 -> "-0.05": the way a spreadsheet exports two decimals.
std::string Hundredths(long value) {
    char text[32];
    const long magnitude = value < 0 ? -value : value;
    const int length = std::snprintf(text, sizeof text, "%s%ld.%02ld", value < 0 ? "-" : "",
                                     magnitude / 100, magnitude % 100);
    return std::string(text, static_cast<std::size_t>(length));
}

bool ParseUnsigned(std::string_view text, std::uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t count = 0;
    std::uint64_t seed = kDefaultSeed;
    if (argc < 3 || argc > 4 || !ParseUnsigned(argv[2], count) ||
        (argc == 4 && !ParseUnsigned(argv[3], seed))) {
        std::cerr << "usage: generate_pairs OUTPUT_FILE RECORD_COUNT [SEED]\n";
        return 2;
    }
    std::mt19937_64 random(seed);
    std::string text = "Before,After\r\n";
    for (std::uint64_t record = 0; record < count; ++record) {
        const PairInHundredths pair = NextPair(random);
        text += Hundredths(pair.first) + "," + Hundredths(pair.second) + "\r\n";
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::cerr << "generate_pairs: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
