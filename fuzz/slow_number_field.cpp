#include "slow_number_field.h"

#include <locale.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

enum State : unsigned char {
    kStart,         // nothing yet
    kSign,          // "+" or "-"
    kInteger,       // digits before any period (accepting)
    kBarePeriod,    // a period with no digit yet
    kFraction,      // a period and at least one digit somewhere (accepting)
    kExponentE,     // "e" or "E" after a mantissa
    kExponentSign,  // its sign
    kExponent,      // its digits (accepting)
    kReject,
    kStateCount
};

enum Class : unsigned char { kDigit, kPeriod, kSignChar, kE, kOther, kClassCount };

Class Classify(char c) {
    if (c >= '0' && c <= '9') {
        return kDigit;
    }
    switch (c) {
        case '.':
            return kPeriod;
        case '+':
        case '-':
            return kSignChar;
        case 'e':
        case 'E':
            return kE;
        default:
            return kOther;
    }
}

// kTransitions[state][class]: the grammar
//   [+-]? ( digits "."? digits? | "." digits ) ( [eE] [+-]? digits )?
constexpr std::array<std::array<State, kClassCount>, kStateCount> kTransitions = {{
    //            digit      period       sign           e           other
    /* Start   */ {kInteger, kBarePeriod, kSign, kReject, kReject},
    /* Sign    */ {kInteger, kBarePeriod, kReject, kReject, kReject},
    /* Integer */ {kInteger, kFraction, kReject, kExponentE, kReject},
    /* Bare .  */ {kFraction, kReject, kReject, kReject, kReject},
    /* Fraction*/ {kFraction, kReject, kReject, kExponentE, kReject},
    /* E       */ {kExponent, kReject, kExponentSign, kReject, kReject},
    /* E sign  */ {kExponent, kReject, kReject, kReject, kReject},
    /* Exp     */ {kExponent, kReject, kReject, kReject, kReject},
    /* Reject  */ {kReject, kReject, kReject, kReject, kReject},
}};

bool Accepts(std::string_view field) {
    State state = kStart;
    for (const char c : field) {
        state = kTransitions[state][Classify(c)];
    }
    return state == kInteger || state == kFraction || state == kExponent;
}

}  // namespace

std::optional<double> SlowNumberField(std::string_view field) {
    if (!Accepts(field)) {
        return std::nullopt;
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string text(field);  // no NUL inside: the grammar has none
    char* end = nullptr;
    // strtod rounds to nearest whatever the length, gives +-HUGE_VAL beyond
    // the largest double and 0 or a subnormal below the smallest (with ERANGE,
    // which is not a failure here).
    const double value = strtod_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size() || std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}
