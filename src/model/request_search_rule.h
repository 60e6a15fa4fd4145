#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalog/qbxml_tags.h"
#include "foundation/keyed_items.h"
#include "model/display_column.h"
#include "model/field_examinors.h"

namespace quarrion {

// The search console's standing rules for one request type: its field rules, the
// result columns the user chose, and the columns the catalog prescribes.
class RequestSearchRule {
  public:
    RequestSearchRule() = default;
    RequestSearchRule(const RequestSearchRule&) = delete;
    RequestSearchRule& operator=(const RequestSearchRule&) = delete;

    // Position in the owning `RequestSearchRules`; -1 when new.
    long Index = -1;
    // The request type's name; the collection key.
    std::string Name;

    long RequestType() const { return requestType_; }
    // Stores the code, names the rule after the type (for a type the program knows)
    // and gives both column lists the code. With a catalog, the default columns
    // become the type's result columns in column order (each headed by its user
    // heading) and the chosen columns a copy of them; without one (`catalog` null:
    // not loaded yet) the columns are left as they are.
    void SetRequestType(long requestType, const QBXMLTags* catalog);

    quarrion::FieldExaminors FieldExaminors;
    quarrion::DisplayColumns DisplayColumns;
    quarrion::DisplayColumns DefaultColumns;

    // Forgets the field rules and goes back to the default columns.
    void Reset();
    // Takes the catalog's columns as the defaults again (the preferences wizard may
    // have changed them since); chosen columns that were still the old defaults follow,
    // columns the user chose for this search stay. A null catalog changes nothing.
    void RefreshDefaults(const QBXMLTags* catalog);

  private:
    long requestType_ = 0;
};

// One standing rule per request type the console offers, keyed by the type's name.
class RequestSearchRules : public KeyedItems<RequestSearchRule> {
  public:
    RequestSearchRules() = default;
    RequestSearchRules(const RequestSearchRules&) = delete;
    RequestSearchRules& operator=(const RequestSearchRules&) = delete;

    // The rule for the request type: the existing one for its name, or a new one set
    // up from the catalog (see `SetRequestType`) with `Index` = the running counter
    // after the add. A code the program does not know gives nullptr and adds nothing.
    RequestSearchRule* Add(long requestType, const QBXMLTags* catalog);
};

}  // namespace quarrion
