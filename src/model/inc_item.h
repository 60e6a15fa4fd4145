#pragma once

#include <string>

#include "foundation/codes.h"
#include "model/display_column.h"
#include "model/field_examinors.h"
#include "model/search_column.h"

namespace quarrion {

// One request type included in a search: how its records are decided (its field
// rules, or else its search columns tried against the search's word rules), which
// columns its results show, and what the search run has received for it.
class IncItem {
  public:
    IncItem() = default;
    IncItem(const IncItem&) = delete;
    IncItem& operator=(const IncItem&) = delete;

    // Position in the owning `IncItems` (also the type's results tab); -1 when new.
    long Index = -1;
    // The request type's name; the collection key.
    std::string Name;

    long RequestType() const { return requestType_; }
    // Stores the code and hands it on to `DisplayColumns`.
    void SetRequestType(long requestType);

    // Written by the search run: the response has been examined; the response text
    // kept for re-search and display; the latest status or error text.
    bool Done = false;
    std::string Response;
    std::string Message;

    quarrion::SearchColumns SearchColumns;
    quarrion::FieldExaminors FieldExaminors;
    quarrion::DisplayColumns DisplayColumns;

    // IntoTarget copies this into `target`, FromTarget the target into this: `Done`,
    // `Message`, `Name`, the request type, `Response`, and the field rules, search
    // columns and display columns deeply. `Index` stays. Other values do nothing.
    void Copy(IncItem& target, CopyDirection direction);

  private:
    long requestType_ = 0;
};

}  // namespace quarrion
