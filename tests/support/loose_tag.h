#pragma once

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"

namespace quarrion::test {

// A catalog element of its own, in no catalog: enough for a rule or a column to name.
inline QBXMLTagRef LooseTag(const char* path, const char* dataType,
                            std::int32_t code = RequestTypeCode::Invoice) {
    QBXMLTag tag;
    tag.Code = code;
    tag.SetTagName(path);
    tag.SetDataType(dataType);
    return ShareTag(tag);
}

}  // namespace quarrion::test
