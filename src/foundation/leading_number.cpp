#include "foundation/leading_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quarrion {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number text gathered without its blanks, in a stack buffer for the usual short
// values and on the heap only for the rare long one.
class NumberText {
  public:
    void Push(char c) {
        if (size_ < sizeof local_) {
            local_[size_++] = c;
            return;
        }
        if (heap_.empty()) heap_.assign(local_, size_);
        heap_.push_back(c);
        ++size_;
    }
    std::size_t Size() const { return size_; }
    void Resize(std::size_t size) {
        size_ = size;
        if (!heap_.empty()) heap_.resize(size);
    }
    const char* Data() const { return heap_.empty() ? local_ : heap_.data(); }

  private:
    char local_[96];
    std::size_t size_ = 0;
    std::string heap_;
};

// The power of ten of the first significant digit of a gathered number text
// ("123.4" 2, "0.05" -2, "5e-3" -3); only its sign matters to the caller.
long long DecimalOrder(const char* first, const char* last) {
    const char* exponentMark = std::find(first, last, 'e');
    long long order = -1;
    bool beforePoint = true;
    long long position = 0;  // digits before the point count up from 0, after it down from -1
    for (const char* p = first; p != exponentMark; ++p) {
        if (*p == '.') {
            beforePoint = false;
            position = -1;
            continue;
        }
        if (*p != '0') {
            order = beforePoint ? 0 : position;
            if (beforePoint) {
                for (const char* q = p + 1; q != exponentMark && *q != '.'; ++q) ++order;
            }
            break;
        }
        if (!beforePoint) --position;
    }
    if (exponentMark != last) {
        const char* digits = exponentMark + 1;
        bool negative = digits != last && *digits == '-';
        if (digits != last && (*digits == '-' || *digits == '+')) ++digits;
        long long exponent = 0;
        for (; digits != last && exponent < 1'000'000'000; ++digits)
            exponent = exponent * 10 + (*digits - '0');
        order += negative ? -exponent : exponent;
    }
    return order;
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

    // The digits are gathered as text and converted once by a correctly rounding
    // conversion, so a value reads exactly as the same text typed into a rule does,
    // however many digits it has.
    NumberText number;
    bool seenPoint = false;
    bool seenDigit = false;
    for (skipBlanks(); at < end; ++at) {
        char c = text[at];
        if (IsDigit(c)) {
            seenDigit = true;
            number.Push(c);
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            number.Push(c);
        } else if (!IsBlank(c)) {
            break;
        }
    }
    if (!seenDigit) return 0;

    if (at < end && (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
        const std::size_t mantissaSize = number.Size();
        ++at;
        skipBlanks();
        number.Push('e');
        if (at < end && (text[at] == '+' || text[at] == '-')) number.Push(text[at++]);
        bool exponentDigits = false;
        for (; at < end; ++at) {
            if (IsDigit(text[at])) {
                exponentDigits = true;
                number.Push(text[at]);
            } else if (!IsBlank(text[at])) {
                break;
            }
        }
        if (!exponentDigits) number.Resize(mantissaSize);
    }

    double value = 0;
    const char* first = number.Data();
    const char* last = first + number.Size();
    auto [stop, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too large gives infinity, too small gives zero: both still compare, where a
        // NaN would fail every comparison.
        value = DecimalOrder(first, last) >= 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || std::isnan(value)) {
        value = 0;
    }
    return negative ? -value : value;
}

}  // namespace quarrion
