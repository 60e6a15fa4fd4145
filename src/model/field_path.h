#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quarrion {

// A field's catalog path ("//InvoiceRet/CustomerRef/FullName") compiled once into
// XPath queries that are evaluated relative to one record element, so a field rule
// sees only the record it is given, never another record of the same response.
//
// The catalog path is rooted at the record element's name. When the record element
// carries that name (always, for the request type the path belongs to) the rest of
// the path is walked from the record element down. Any other element is searched,
// itself included, for elements of that name, which is what the path means inside a
// document that holds nothing but that record. (qbXML records never hold an element
// of their own record name, so both readings agree on them.)
//
// A path that XPath cannot read selects nothing. Evaluation allocates only when more
// than one node is selected.
class FieldPath {
  public:
    FieldPath() = default;
    explicit FieldPath(std::string_view tagName);
    FieldPath(FieldPath&&) noexcept = default;
    FieldPath& operator=(FieldPath&&) noexcept = default;

    // The nodes the path selects below (or at) `record`, in document order.
    pugi::xpath_node_set Select(pugi::xml_node record) const;

    bool Valid() const { return below_ != nullptr; }

  private:
    std::string recordName_;  // the first step of a "//" path; empty for other paths
    std::unique_ptr<pugi::xpath_query> below_;     // relative to a record of that name
    std::unique_ptr<pugi::xpath_query> anywhere_;  // relative to any other element
};

// The text of a node as the rules read it: its character data and that of every
// element below it, in document order (a leaf's value; a group's values run
// together). A leaf's text is viewed in place; otherwise it is built in `scratch`.
std::string_view NodeText(pugi::xml_node node, std::string& scratch);

}  // namespace quarrion
