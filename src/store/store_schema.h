#pragma once

namespace quarrion {

class SchemaBuilder;

// Declares the store's sixteen tables (fields, indexes) and fourteen relations to
// `builder`, in the order the store has always declared them. Every index is unique
// and every relation cascades updates and deletes, so deleting a search row takes its
// whole tree with it and a link to a missing row is refused.
void DeclareStoreSchema(SchemaBuilder& builder);

}  // namespace quarrion
