#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "sample/record_layout_names.h"

namespace quarrion {

// The value type of a qbXML leaf; Group marks an element that holds other elements.
enum class ValueKind : std::uint8_t {
    Group,
    Str,
    Id,
    Amt,
    Price,
    Quan,
    Percent,
    Int,
    Float,
    Bool,
    Date,
    DateTime,
    TimeInterval,
    Enum,
    Guid,
};

// One element below a record element, as QuickBooks Desktop sends it.
struct LayoutRow {
    El name;
    std::uint8_t level;  // 1 for direct children of the record element
    ValueKind kind;
    bool repeats;             // may occur more than once in its parent
    bool optional;            // may be absent
    std::uint16_t maxLength;  // longest text QuickBooks stores; 0 where none is known
};

// The element structure of every offered type's record: the rows of a type are its
// elements in document order (a group row is followed by its descendants), the same
// elements, paths and order the shipped control file catalogs. Plain compiled tables;
// every call is cheap and thread-safe.
class RecordLayout {
  public:
    // The rows of a type's record, or an empty span for a code that is not offered.
    static std::span<const LayoutRow> Rows(std::int32_t requestType);
    // The element's qbXML name.
    static std::string_view Name(El element);
};

namespace record_layout_detail {
struct TypeRows {
    std::int32_t code;
    std::uint32_t first;
    std::uint32_t count;
};
extern const std::string_view kNames[kElementNameCount];
extern const LayoutRow kRows[];
extern const TypeRows kTypes[];
extern const std::size_t kTypeCount;
}  // namespace record_layout_detail

}  // namespace quarrion
