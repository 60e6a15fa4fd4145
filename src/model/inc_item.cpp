#include "model/inc_item.h"

namespace quarrion {

void IncItem::SetRequestType(long requestType) {
    requestType_ = requestType;
    DisplayColumns.RequestType = requestType;
}

void IncItem::Copy(IncItem& target, CopyDirection direction) {
    if (&target == this) return;
    IncItem* from = direction == CopyDirection::IntoTarget   ? this
                    : direction == CopyDirection::FromTarget ? &target
                                                             : nullptr;
    if (!from) return;
    IncItem* to = direction == CopyDirection::IntoTarget ? &target : this;
    to->Done = from->Done;
    to->Message = from->Message;
    to->Name = from->Name;
    to->SetRequestType(from->requestType_);
    to->Response = from->Response;
    FieldExaminors.Copy(target.FieldExaminors, direction);
    SearchColumns.Copy(target.SearchColumns, direction);
    DisplayColumns.Copy(target.DisplayColumns, direction);
}

}  // namespace quarrion
