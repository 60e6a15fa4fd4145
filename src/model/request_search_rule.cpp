#include "model/request_search_rule.h"

#include <memory>
#include <vector>

#include "qbxml/request_type_info.h"

namespace quarrion {

void RequestSearchRule::SetRequestType(long requestType, const QBXMLTags* catalog) {
    requestType_ = requestType;
    if (RequestTypeInfo::Find(static_cast<std::int32_t>(requestType))) {
        Name = RequestTypeInfo::TypeName(static_cast<std::int32_t>(requestType));
    }
    DisplayColumns.RequestType = requestType;
    DefaultColumns.RequestType = requestType;
    if (!catalog) return;
    std::vector<QBXMLTag*> headers;
    catalog->RequestHeaders(static_cast<int>(requestType), headers);
    DefaultColumns.Clear();
    for (const QBXMLTag* tag : headers) DefaultColumns.Add(*tag);
    DefaultColumns.Copy(DisplayColumns, CopyDirection::IntoTarget);
}

void RequestSearchRule::Reset() {
    FieldExaminors.Clear();
    DefaultColumns.Copy(DisplayColumns, CopyDirection::IntoTarget);
}

RequestSearchRule* RequestSearchRules::Add(long requestType, const QBXMLTags* catalog) {
    if (!RequestTypeInfo::Find(static_cast<std::int32_t>(requestType))) return nullptr;
    std::string name = RequestTypeInfo::TypeName(static_cast<std::int32_t>(requestType));
    if (RequestSearchRule* existing = items_.Item(name)) return existing;
    auto rule = std::make_unique<RequestSearchRule>();
    rule->SetRequestType(requestType, catalog);
    rule->Index = items_.Counter() + 1;
    return items_.Add(std::move(rule), name);
}

}  // namespace quarrion
