// ParseNumberField against the C library's strtod, an independent correctly
// rounded conversion, on arbitrary field text: a field it reads must be one
// strtod takes whole, with the same double, sign of zero included; a field of
// number characters that strtod takes whole and it refuses must lie beyond
// the largest double. (strtod also takes blanks, "inf", "nan" and hex.)

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_check.h"
#include "number_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string field(reinterpret_cast<const char*>(data), size);
    const auto read = ParseNumberField(field);
    char* end = nullptr;
    const double expected = std::strtod(field.c_str(), &end);
    const bool whole = size > 0 && end == field.c_str() + size;
    if (read) {
        FUZZ_CHECK(whole && std::memcmp(&*read, &expected, sizeof expected) == 0);
    } else if (whole && field.find_first_not_of("0123456789+-.eE") == std::string::npos) {
        FUZZ_CHECK(std::isinf(expected));
    }
    return 0;
}
