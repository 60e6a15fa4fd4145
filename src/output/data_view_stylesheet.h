#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace quarrion {

class QBXMLTags;

// The texts of a record's data view: the XML file holding the record and the XSL
// stylesheet generated for that very record, which together make the HTML page.
//
// Every line of both files ends with CR LF; stylesheet lines are indented with TABs
// by nesting depth. Values are selected by the record's element paths, so the
// stylesheet fits the one record it was made for. Headings are the catalog's user
// headings of the request type (`QBXMLTags::Item(code, path)`), escaped once for the
// stylesheet; an element the catalog does not know gets a non-breaking space.
//
// Elements are sorted by name: a leaf has exactly one child node, a text node; a
// plain name ends with none of "Ref", "ID", "Ret" and contains none of
// "timecreated", "timemodified", "editsequence" (any case); a reference ends with
// "Ref"; an address ends with "Address"; a group is repeated when the record holds
// two or more elements at its path. The page shows:
//   - the plain leaves and references (each by its first plain leaf) of the record,
//     two label/value pairs per row of four cells;
//   - each address as a small titled table;
//   - each group occurring once as a table of its plain leaves and references;
//   - each repeated group as one table looping over its occurrences, with the
//     columns of all occurrences in order of first appearance.
// Groups nest: a group's own addresses and groups follow inside its table. A field
// the catalog knows as true/false shows Yes or No, as result lists show it.
//
// `old` adds the note about opening the record in QuickBooks, with its script.

// The stylesheet for `record` (an element) of request type `requestType`.
std::string DataViewStylesheet(const pugi::xml_node& record, std::int32_t requestType, bool old,
                               const QBXMLTags& tags);

// The same page's stylesheet for rendering here: every value outside the loops over
// repeated groups is written in as text (what its xsl:value-of gives for `record`), so
// the transformation does not look each one up through the record, which would grow
// with the square of the record's width. Transforming the record with it gives the
// same page as with DataViewStylesheet.
std::string DataViewRenderingStylesheet(const pugi::xml_node& record, std::int32_t requestType,
                                        bool old, const QBXMLTags& tags);

// The XML file: a version line, the stylesheet instruction naming `xslFileName`
// (a name in the same folder), then the record as it serialises, unindented.
std::string DataViewXml(const pugi::xml_node& record, std::string_view xslFileName);

// The window caption: the request type's name, a blank, and the text of the first
// of FullName, Name, CustomerRef/FullName, CustomerRef/Name, VendorRef/FullName,
// RefNumber that the record holds ("" when none).
std::string DataViewCaption(const pugi::xml_node& record, std::int32_t requestType);

// The note an `old` page shows on opening the record in QuickBooks.
std::string DataViewNote(std::int32_t requestType);

// The text with & < > ' " replaced by their predefined entities, each once.
std::string EscapeXml(std::string_view text);

}  // namespace quarrion
