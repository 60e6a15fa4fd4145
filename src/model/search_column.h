#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "foundation/keyed_items.h"

namespace quarrion {

// A catalog element of an included type whose values the word-search rules are tried
// on.
class SearchColumn {
  public:
    // Position in the owning `SearchColumns`; -1 when new.
    long Index = -1;

    const QBXMLTagRef& Column() const { return column_; }
    // Takes the entry and derives `ElementName` from the last step of its path.
    void SetColumn(QBXMLTagRef column);
    // The plain element name records are searched by, anywhere below the record
    // (//InvoiceRet/CustomerRef/FullName gives FullName); "" without a column.
    const std::string& ElementName() const { return elementName_; }

    // IntoTarget gives `target` this column, FromTarget takes the target's. Other values do
    // nothing.
    void Copy(SearchColumn& target, CopyDirection direction);

  private:
    QBXMLTagRef column_;
    std::string elementName_;
};

// The search columns of an included type, keyed by the column's path (upper-cased),
// in the order they were added.
class SearchColumns : public KeyedItems<SearchColumn> {
  public:
    SearchColumns() = default;
    SearchColumns(const SearchColumns&) = delete;
    SearchColumns& operator=(const SearchColumns&) = delete;

    // The column for `tag`: the existing one for that path unchanged, or a new one
    // with `Index` = the running counter after the add. An empty tag adds nothing.
    SearchColumn* Add(QBXMLTagRef tag);
    SearchColumn* Add(const QBXMLTag& tag) { return Add(ShareTag(tag)); }

    // IntoTarget replaces `target`'s columns with these, in order; FromTarget the reverse.
    void Copy(SearchColumns& target, CopyDirection direction);
};

}  // namespace quarrion
