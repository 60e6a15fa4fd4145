#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "foundation/keyed_items.h"

namespace quarrion {

// A result column of an included type: the catalog element shown and its heading.
class DisplayColumn {
  public:
    // Position in the owning `DisplayColumns`; -1 when new.
    long Index = -1;

    const QBXMLTagRef& Tag() const { return tag_; }
    // Takes the entry; an empty heading becomes the entry's user heading.
    void SetTag(QBXMLTagRef tag);

    const std::string& Heading() const { return heading_; }
    // Stores a heading that holds more than blanks. A blank one is replaced by the
    // entry's user heading, or ignored while there is no entry.
    void SetHeading(std::string_view heading);

    // IntoTarget gives `target` this tag and heading, FromTarget takes the target's.
    void Copy(DisplayColumn& target, CopyDirection direction);

  private:
    QBXMLTagRef tag_;
    std::string heading_;
};

// The result columns of one request type, keyed by the column's path (upper-cased),
// in display order.
class DisplayColumns : public KeyedItems<DisplayColumn> {
  public:
    DisplayColumns() = default;
    DisplayColumns(const DisplayColumns&) = delete;
    DisplayColumns& operator=(const DisplayColumns&) = delete;

    // The request type the columns belong to; not copied by `Copy`.
    long RequestType = 0;

    // The column for `tag`: the existing one for that path unchanged, or a new one
    // (with `Index` = the running counter after the add) headed `heading`, or by the
    // entry's user heading when `heading` is blank. An empty tag adds nothing.
    DisplayColumn* Add(QBXMLTagRef tag, std::string_view heading = {});
    DisplayColumn* Add(const QBXMLTag& tag, std::string_view heading = {}) {
        return Add(ShareTag(tag), heading);
    }

    // IntoTarget replaces `target`'s columns with these (headings included), in
    // order; FromTarget the reverse. `RequestType` stays.
    void Copy(DisplayColumns& target, CopyDirection direction);
};

}  // namespace quarrion
