// Checks ParseNumberField against an independent slow reading of the same
// grammar (slow_number_field.cpp) on arbitrary field text: both must refuse
// the same fields and give bit for bit the same double, sign of zero included.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "number_field.h"
#include "slow_number_field.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view field(reinterpret_cast<const char*>(data), size);
    const auto fast = ParseNumberField(field);
    const auto slow = SlowNumberField(field);
    const bool agree = fast.has_value() == slow.has_value() &&
                       (!fast || std::memcmp(&*fast, &*slow, sizeof(double)) == 0);
    if (!agree) {
        std::fprintf(stderr, "field \"%.*s\": ParseNumberField %s %.17g, slow %s %.17g\n",
                     static_cast<int>(size < 200 ? size : 200), field.data(),
                     fast ? "reads" : "refuses", fast.value_or(0.0), slow ? "reads" : "refuses",
                     slow.value_or(0.0));
        std::abort();
    }
    return 0;
}
