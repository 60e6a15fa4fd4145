#include "foundation/leading_number.h"

#include <cmath>

namespace quarrion {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t at = 0;
    const std::size_t end = text.size();
    auto skipBlanks = [&] {
        while (at < end && IsBlank(text[at])) ++at;
    };

    skipBlanks();
    bool negative = false;
    if (at < end && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }

    // Mantissa digits are gathered as an integer with a decimal exponent, so that
    // "0.1" and "1e-1" come out as the same double.
    double mantissa = 0;
    int scale = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (skipBlanks(); at < end; ++at) {
        char c = text[at];
        if (IsDigit(c)) {
            seenDigit = true;
            mantissa = mantissa * 10 + (c - '0');
            if (seenPoint) --scale;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (!IsBlank(c)) {
            break;
        }
    }
    if (!seenDigit) return 0;

    if (at < end && (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
        std::size_t mark = at++;
        skipBlanks();
        bool negativeExponent = false;
        if (at < end && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        int exponent = 0;
        bool exponentDigits = false;
        for (; at < end; ++at) {
            if (IsDigit(text[at])) {
                exponentDigits = true;
                if (exponent < 10000) exponent = exponent * 10 + (text[at] - '0');
            } else if (!IsBlank(text[at])) {
                break;
            }
        }
        if (exponentDigits) {
            scale += negativeExponent ? -exponent : exponent;
        } else {
            at = mark;
        }
    }

    double value = scale == 0  ? mantissa
                   : scale > 0 ? mantissa * std::pow(10.0, scale)
                               : mantissa / std::pow(10.0, -scale);
    return negative ? -value : value;
}

}  // namespace quarrion
