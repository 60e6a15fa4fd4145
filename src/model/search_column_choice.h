#pragma once

#include "catalog/qbxml_tags.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/request_search_rule.h"

namespace quarrion {

// Sets how the records of an included type will be decided, replacing the item's
// field rules and search columns:
// - When the type's standing field rules (`standing`, may be null) contain data,
//   they are copied into the item and no search column is chosen: field rules alone
//   decide that type.
// - Otherwise every catalog entry of the item's request type whose data type the
//   word rules reference becomes a search column, in catalog order. Text rules thus
//   search every text element of the type; number rules every number element of the
//   kinds they cover; no word rules, no columns (and every record is found).
void ChooseSearchColumns(IncItem& item, RequestSearchRule* standing, const Examinors& examinors,
                         const QBXMLTags& catalog);

// Chooses the search columns again after a re-search changed the rules, keeping the
// item's own field rules: the columns are cleared, and only when the item has no field
// rules with data and the word rules contain data is every catalog entry of its type
// whose data type they reference added again, in catalog order.
void RebuildSearchColumns(IncItem& item, const Examinors& examinors, const QBXMLTags& catalog);

}  // namespace quarrion
