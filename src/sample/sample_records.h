#pragma once

#include <cstdint>

#include "sample/record_tree.h"
#include "sample/sample_books.h"

namespace quarrion {

// The value rules of the sample company: fills `tree` (cleared first) with the
// elements of one planned list record or transaction, by element name and in no
// particular order; RecordWriter puts them in the type's layout order and leaves
// out whatever the type does not carry. References carry the ListID and FullName of
// the planned record they point to, links the TxnID of the linked transaction.
// `code` is the record's request type; `index` indexes books.entities for list
// types and books.txns for transaction types.
void BuildSampleRecord(const SampleBooks& books, std::int32_t code, int index, RecordTree& tree);

}  // namespace quarrion
