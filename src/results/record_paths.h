#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace quarrion {

// Record keys name a record by its 0-based position among the record elements of
// its type's stored response: "k0", "k1", ... Re-examining the same response gives
// every record the same key again.
std::string RecordKey(std::size_t position);
// The position a key names; nothing for a key that is not "k" + digits.
std::optional<std::size_t> KeyPosition(std::string_view key);

// The record's TxnID text, else its ListID text, else "".
std::string RecordId(pugi::xml_node record);

// The text a node shows: its character data and that of everything below it, in
// document order (a leaf's text; a group's texts run together).
std::string TypedText(pugi::xml_node node);
// Appends TypedText(node) to `out`, reusing its buffer.
void AppendTypedText(pugi::xml_node node, std::string& out);

// A column key made relative to its record: "//InvoiceRet/CustomerRef/FullName"
// with record element "InvoiceRet" gives "CustomerRef/FullName". A key that does not
// start with the record's prefix gives nothing: such a column's cells stay empty.
std::optional<std::string> RelativePath(std::string_view columnKey,
                                        std::string_view recordElementName);

// A relative path compiled once and evaluated against many records. Plain child
// paths (the catalog's tag names) are walked directly; anything else goes through a
// compiled XPath query rooted at the record.
class RecordPath {
  public:
    // An invalid or empty path selects nothing.
    explicit RecordPath(std::optional<std::string> relativePath);

    // The first node the path selects below `record` in document order, or an empty node.
    pugi::xml_node First(pugi::xml_node record) const;
    // Every node it selects, in document order.
    std::vector<pugi::xml_node> All(pugi::xml_node record) const;

  private:
    pugi::xml_node FirstFrom(pugi::xml_node node, std::size_t step) const;
    void AllFrom(pugi::xml_node node, std::size_t step, std::vector<pugi::xml_node>& out) const;

    bool valid_ = false;
    std::vector<std::string> steps_;            // plain child steps
    std::shared_ptr<pugi::xpath_query> query_;  // anything else
};

// The record elements of a response, by element name, anywhere in the document, in
// document order.
std::vector<pugi::xml_node> RecordElements(const pugi::xml_document& document,
                                           std::string_view recordElementName);

}  // namespace quarrion
