#include "model/inc_item.h"

namespace quarrion {

void IncItem::SetRequestType(long requestType) {
    requestType_ = requestType;
    DisplayColumns.RequestType = requestType;
}

void IncItem::Copy(IncItem& target, int direction) {
    if (&target == this) return;
    IncItem* from = direction == 0 ? this : direction == 1 ? &target : nullptr;
    if (!from) return;
    IncItem* to = direction == 0 ? &target : this;
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
