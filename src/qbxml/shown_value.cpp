#include "qbxml/shown_value.h"

#include "foundation/codes.h"
#include "foundation/text_fold.h"

namespace quarrion {

std::string ShownValue(std::string value, std::int32_t dataTypeCode) {
    if (dataTypeCode != DataTypeCode::Bool) return value;
    if (EqualsIgnoringCase(value, "true")) return "Yes";
    if (EqualsIgnoringCase(value, "false")) return "No";
    return value;
}

}  // namespace quarrion
