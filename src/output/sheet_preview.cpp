#include "output/sheet_preview.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "foundation/calendar_day.h"
#include "foundation/leading_number.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

bool HasTotal(std::int32_t code) {
    return code == DataTypeCode::Amt || code == DataTypeCode::Int || code == DataTypeCode::Quan;
}

// The digits of a whole number with thousands separators.
std::string Grouped(std::string digits) {
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return digits;
}

// `magnitude` (not negative) with `decimals` places and grouped whole part.
std::string FixedGrouped(double magnitude, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, magnitude);
    std::string text(buffer);
    const std::size_t point = text.find('.');
    std::string whole = text.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : text.substr(point);
    return Grouped(whole) + fraction;
}

// The number as a column of `code` formats it.
std::string FormatNumber(double value, std::int32_t code) {
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    std::string shown;
    switch (code) {
        case DataTypeCode::Amt:
        case DataTypeCode::Price:
            shown = "$" + FixedGrouped(magnitude, 2);
            break;
        case DataTypeCode::Int:
        case DataTypeCode::Quan:
            if (std::round(magnitude) == 0) return "-";
            shown = FixedGrouped(magnitude, 0);
            break;
        case DataTypeCode::Percent:
            shown = FixedGrouped(magnitude * 100, 2) + "%";
            break;
        default: {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.10g", value);
            return buffer;
        }
    }
    return negative ? "(" + shown + ")" : shown;
}

// The value a cell is written with, when it is written as a number.
std::optional<double> CellNumber(std::string_view text, std::int32_t code) {
    if (code == DataTypeCode::Percent) return LeadingNumber(text) / 100;
    double value = 0;
    if (DataTypeCode::IsNumber(code) && ParseSheetNumber(text, value)) return value;
    return std::nullopt;
}

// The digits of text[at, at + count) as a number; false when one is not a digit.
bool Digits(std::string_view text, std::size_t at, std::size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::string TwoDigits(int value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

bool ParseSheetDate(std::string_view text, SheetDate& date) {
    SheetDate parsed;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, parsed.Year) ||
        !Digits(text, 5, 2, parsed.Month) || !Digits(text, 8, 2, parsed.Day)) {
        return false;
    }
    if (parsed.Year < 1900 || !ParseIsoDay(text.substr(0, 10))) return false;
    std::string_view rest = text.substr(10);
    if (!rest.empty()) {
        if (rest.size() < 9 || rest[0] != 'T' || rest[3] != ':' || rest[6] != ':' ||
            !Digits(rest, 1, 2, parsed.Hour) || !Digits(rest, 4, 2, parsed.Minute) ||
            !Digits(rest, 7, 2, parsed.Second) || parsed.Hour > 23 || parsed.Minute > 59 ||
            parsed.Second > 59) {
            return false;
        }
        std::string_view offset = rest.substr(9);
        int hours = 0;
        int minutes = 0;
        const bool offsetOk = offset.empty() || offset == "Z" ||
                              (offset.size() == 6 && (offset[0] == '+' || offset[0] == '-') &&
                               offset[3] == ':' && Digits(offset, 1, 2, hours) &&
                               Digits(offset, 4, 2, minutes) && hours <= 23 && minutes <= 59);
        if (!offsetOk) return false;
    }
    date = parsed;
    return true;
}

bool ParseSheetNumber(std::string_view text, double& value) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    std::size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
        return false;
    }
    double parsed = 0;
    auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), parsed, std::chars_format::general);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

std::string SheetCellText(std::string_view text, std::int32_t dataTypeCode) {
    SheetDate date;
    if ((dataTypeCode == DataTypeCode::Date || dataTypeCode == DataTypeCode::DateTime) &&
        ParseSheetDate(text, date)) {
        std::string shown =
            std::to_string(date.Year) + "-" + TwoDigits(date.Month) + "-" + TwoDigits(date.Day);
        if (dataTypeCode == DataTypeCode::Date) return shown;
        return shown + " " + TwoDigits(date.Hour) + ":" + TwoDigits(date.Minute) + ":" +
               TwoDigits(date.Second);
    }
    const std::optional<double> number = CellNumber(text, dataTypeCode);
    if (!number) return std::string(text);
    return FormatNumber(*number, dataTypeCode);
}

bool SheetCellNegative(std::string_view text, std::int32_t dataTypeCode) {
    const std::optional<double> number = CellNumber(text, dataTypeCode);
    return number && *number < 0;
}

std::vector<std::optional<std::string>> SheetTotals(const ResultList& list) {
    if (list.Rows.empty()) return {};
    std::vector<std::optional<std::string>> totals(list.Columns.size());
    for (std::size_t c = 0; c < list.Columns.size(); ++c) {
        const std::int32_t code = list.Columns[c].DataTypeCode;
        if (!HasTotal(code)) continue;
        double sum = 0;
        for (const ResultRow& row : list.Rows) {
            if (c < row.Cells.size()) {
                if (std::optional<double> number = CellNumber(row.Cells[c], code)) sum += *number;
            }
        }
        totals[c] = FormatNumber(sum, code);
    }
    return totals;
}

}  // namespace quarrion
