#include "number_format.h"

#include <charconv>
#include <cmath>

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace {

std::string ReadUserDecimalSeparator() {
#ifdef _WIN32
    wchar_t wide[8] = {};
    const int wideLength = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, wide, 8);
    if (wideLength <= 1) {
        return ".";
    }
    char utf8[32] = {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide, wideLength - 1, utf8, sizeof utf8, nullptr, nullptr);
    return length > 0 ? std::string(utf8, static_cast<std::size_t>(length)) : std::string(".");
#else
    // A locale object of its own, from the environment: the separator is the
    // user's whatever the process's global locale is, and it stays as it is.
    const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) {
        return ".";
    }
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    std::string separator = (radix != nullptr && *radix != '\0') ? radix : ".";
    freelocale(user);
    return separator;
#endif
}

}  // namespace

const std::string& UserDecimalSeparator() {
    static const std::string separator = ReadUserDecimalSeparator();
    return separator;
}

std::string FormatNumber(double value) {
    return FormatNumber(value, UserDecimalSeparator());
}

std::string FormatNumber(double value, std::string_view decimalSeparator) {
    if (value == 0.0) {
        return "0";  // negative zero too
    }
    // Shortest form of 15 significant digits, exponent form below 1E-04 and
    // from 1E+15 on: the rules of printf's %.15G, without its locale.
    char digits[32];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    std::string text;
    text.reserve(static_cast<std::size_t>(result.ptr - digits) + decimalSeparator.size());
    for (const char* c = digits; c != result.ptr; ++c) {
        if (*c == '.') {
            text += decimalSeparator;
        } else if (*c == 'e') {
            text += 'E';
        } else {
            text += *c;
        }
    }
    return text;
}
