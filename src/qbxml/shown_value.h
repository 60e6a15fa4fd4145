#pragma once

#include <cstdint>
#include <string>

namespace quarrion {

// How a record's value reads wherever a list shows it (the results window, delimited
// files, the terminal tool's output, workbooks): a true/false element (data type
// `DataTypeCode::Bool`) reads "Yes" or "No", which a bookkeeper reads and a
// spreadsheet filters better than qbXML's "true" and "false" (any letter case).
// Every other value, and a true/false element holding anything else, comes back as
// qbXML carries it. Rules never see this text: they test the record itself.
std::string ShownValue(std::string value, std::int32_t dataTypeCode);

}  // namespace quarrion
