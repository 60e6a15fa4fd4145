#pragma once

#include <cstdint>
#include <string>

namespace quarrion {

// The texts qbXML carries for typed values, as QuickBooks writes them. Money and
// quantities are kept as integers (cents, hundredths) so sums stay exact.

// Cents as an amount: 123456 -> "1234.56", -5 -> "-0.05".
std::string AmountText(std::int64_t cents);
// Hundredths as a quantity or percentage without trailing zeros: 300 -> "3",
// 250 -> "2.5", 125 -> "1.25".
std::string HundredthsText(std::int64_t hundredths);
// Day number (days since 1970-01-01) as "YYYY-MM-DD".
std::string DateText(std::int32_t day);
// Seconds since 1970-01-01 00:00 on the company's wall clock (US Eastern time) as
// a qbXML date-time with that moment's offset: "2026-11-02T10:15:00-05:00".
std::string DateTimeText(std::int64_t localSeconds);
// The same moment as Unix time, which QuickBooks uses in IDs and edit sequences.
std::int64_t UnixTimeOf(std::int64_t localSeconds);
// Minutes as a qbXML time interval: 195 -> "PT3H15M0S".
std::string DurationText(std::int64_t minutes);
inline const char* BoolText(bool value) {
    return value ? "true" : "false";
}

}  // namespace quarrion
