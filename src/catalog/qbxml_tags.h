#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "catalog/qbxml_tag.h"
#include "foundation/keyed_collection.h"

namespace quarrion {

// The catalog of qbXML elements per request type, in the order it was loaded.
//
// One catalog serves the whole program; whoever owns the application state owns it
// and hands it out by reference, so tests make catalogs of their own. Entries are
// keyed by the upper-cased `QBXMLTag::Key`, so look-ups ignore letter case. A full
// load clears the catalog and adds everything again, so `Index` equals an entry's
// position, and pointers handed out stay valid until the entry is removed or the
// catalog is cleared (callers that keep tags across a reload must look them up again).
class QBXMLTags {
  public:
    QBXMLTags() = default;
    QBXMLTags(const QBXMLTags&) = delete;
    QBXMLTags& operator=(const QBXMLTags&) = delete;

    // The entry for `code` and `tagName`. When the key exists already the existing
    // entry comes back and none of the arguments is applied. A new entry gets the
    // values in a fixed order: the flags first, then the tag name, so a name, desc or
    // memo element is made searchable whatever flags were given. Version flags are
    // left for the loader to set on the returned entry.
    QBXMLTag* Add(int code, std::string_view reference, int defaultSequence, int sequence,
                  std::string_view tagName, std::string_view defaultHeading, int level,
                  std::string_view userHeading, bool searchable, std::string_view searchGroup,
                  std::string_view dataType, std::int32_t id);

    // 1-based position, or key (decimal code followed by tag name, any letter case).
    // nullptr when missing.
    QBXMLTag* Item(std::size_t position) const { return tags_.Item(position); }
    QBXMLTag* Item(std::string_view key) const { return tags_.Item(key); }
    // The entry of an element of a request type: `Item` of code followed by path.
    QBXMLTag* Item(int code, std::string_view tagName) const;

    std::size_t Count() const { return tags_.Count(); }
    // Nothing happens for a missing position or key.
    void Remove(std::size_t position) { tags_.Remove(position); }
    void Remove(std::string_view key) { tags_.Remove(key); }
    // Empties the catalog; the next `Add` gets `Index` 1 again.
    void Clear() { tags_.Clear(); }

    // True when some entry of the request type is a result column (`Sequence` > 0).
    bool RequestIsSequenced(int code) const;

    // Fills `tags` with the result columns of the request type in column order: by
    // `Sequence`, entries of equal sequence in catalog order. Answers false and
    // leaves `tags` empty when the type has no result column, which callers avoid
    // by asking `RequestIsSequenced` first.
    bool RequestHeaders(int code, std::vector<QBXMLTag*>& tags) const;

    auto begin() const { return tags_.begin(); }
    auto end() const { return tags_.end(); }

  private:
    KeyedCollection<QBXMLTag> tags_;
};

}  // namespace quarrion
