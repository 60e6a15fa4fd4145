#include "output/data_view_stylesheet.h"

#include <cmath>
#include <sstream>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/text_fold.h"
#include "output/rep_items.h"
#include "qbxml/request_type_info.h"
#include "qbxml/shown_value.h"

namespace quarrion {

namespace {

constexpr std::string_view kNoHeading = "&#160;";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool IsElement(const pugi::xml_node& node) {
    return node.type() == pugi::node_element;
}

// One child node and that node a text node. A CDATA section is a node of its own
// kind, so an element holding one is laid out as a group, not a leaf.
bool IsLeaf(const pugi::xml_node& node) {
    pugi::xml_node only = node.first_child();
    if (!only || only.next_sibling()) return false;
    return only.type() == pugi::node_pcdata;
}

bool IsPlain(std::string_view name) {
    if (EndsWith(name, "Ref") || EndsWith(name, "ID") || EndsWith(name, "Ret")) return false;
    std::string folded = FoldCase(name);
    for (std::string_view bookkeeping : {"timecreated", "timemodified", "editsequence"}) {
        if (folded.find(bookkeeping) != std::string::npos) return false;
    }
    return true;
}

bool IsPlainLeaf(const pugi::xml_node& node) {
    return IsLeaf(node) && IsPlain(node.name());
}
bool IsReference(const pugi::xml_node& node) {
    return EndsWith(node.name(), "Ref");
}
bool IsAddress(const pugi::xml_node& node) {
    return EndsWith(node.name(), "Address");
}

// The first child that is a plain leaf, or an empty node.
pugi::xml_node FirstPlainLeaf(const pugi::xml_node& node) {
    for (pugi::xml_node child : node.children()) {
        if (IsElement(child) && IsPlainLeaf(child)) return child;
    }
    return {};
}

// Half-way spans go to the even neighbour: 2 for three, four or five columns.
int AddressSpan(int columns) {
    return static_cast<int>(std::nearbyint(columns / 2.0));
}

std::string Quote(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

std::string ValueOf(std::string_view select) {
    return "<xsl:value-of select=" + Quote(select) + "/>";
}

// What a true/false field shows: Yes or No in place of qbXML's true or false (any
// letter case, as lists show them), anything else as it is.
std::string YesNoOf(std::string_view select) {
    const std::string folded = "translate(" + std::string(select) + ",'TRUEFALS','truefals')";
    return "<xsl:choose><xsl:when test=" + Quote(folded + "='true'") +
           ">Yes</xsl:when><xsl:when test=" + Quote(folded + "='false'") +
           ">No</xsl:when><xsl:otherwise>" + ValueOf(select) + "</xsl:otherwise></xsl:choose>";
}

// A cell showing one field. A field path can be empty (a reference without a plain
// leaf); an empty select is not valid XSL and would make the whole stylesheet fail, so
// such a field deliberately gets an empty cell instead.
std::string ValueCell(std::string_view select) {
    if (select.empty()) return "<td></td>";
    return "<td>" + ValueOf(select) + "</td>";
}

class StylesheetBuilder {
  public:
    StylesheetBuilder(const pugi::xml_node& record, std::int32_t requestType, bool old,
                      const QBXMLTags& tags, bool valuesWrittenIn = false)
        : record_(record),
          requestType_(requestType),
          old_(old),
          valuesWrittenIn_(valuesWrittenIn),
          tags_(tags),
          recordPath_("//" + std::string(record.name())),
          typeName_(RequestTypeInfo::TypeName(requestType)) {
        IndexElements(record_, recordPath_);
    }

    std::string Build() {
        Line(0, "<?xml version=" + Quote("1.0") + "?>");
        Line(0, "<xsl:stylesheet version=" + Quote("1.0") +
                    " xmlns:xsl=" + Quote("http://www.w3.org/1999/XSL/Transform") + ">");
        Line(1, "<xsl:output method=" + Quote("html") + " omit-xml-declaration=" + Quote("yes") +
                    "/>");
        Line(1, "<xsl:template match=" + Quote(recordPath_) + ">");
        Line(2, "<html>");
        Line(3, "<head>");
        Line(4, "<title></title>");
        Line(4, "<style>");
        for (std::string_view rule : {
                 "BODY {font-family:Verdana, Arial, Sans-serif;font-size:10px;",
                 "color:#000000; background:url(../dataview.gif);}",
                 "TH {font-size:10px;color:#FFFFFF;background-color:dimgray;text-align:center;",
                 "text-transform:uppercase;}",
                 ".th_left {font-size:10px;color:#FFFFFF;background-color:dimgray;text-align:left;",
                 "text-transform:uppercase;}",
                 "TD {font-size:10px;text-align:left;vertical-align:top;}",
                 ".td_center {font-size:10px;text-align:center;vertical-align:top;}",
                 ".title {font-weight:bold;font-size:18px;color:#009999;text-align:left;"
                 "vertical-align:top;}",
                 ".innertable {width:100%;}",
                 ".table_dtl {margin:0; padding:0; width:100%;}",
                 ".td_dtl {margin:0; padding:0; text-align:left; vertical-align:top;}",
                 ".th_dtl {margin:0; padding:0; text-align:left; vertical-align:top; "
                 "background-color:#006666;",
                 "color:#FFFFFF;}",
                 ".imgright {display:inline;float:right;}",
                 ".note {font-size:10px;font-style:italic;color:red;cursor:hand;}",
             }) {
            Line(5, rule);
        }
        Line(4, "</style>");
        if (old_) NoteScript(4);
        Line(3, "</head>");
        Line(3, old_ ? "<body onload=" + Quote("javascript:initnote();") + ">" : "<body>");
        Line(4, "<p><img src=" + Quote("../xml_globe_00_tn.jpg") + " class=" + Quote("imgright") +
                    "/>");
        Line(5, "<font class=" + Quote("title") + ">" + typeName_ + " Data View" + "</font>");
        if (old_) {
            Line(5,
                 "<br><div id=" + Quote("div_note") + " class=" + Quote("note") + "></div></br>");
        }
        Line(4, "</p>");
        Line(4, "<table border=" + Quote("1") + ">");
        MainRows(5);
        AddressRows(record_, 4, 5);
        SingleGroupRows(record_, 4, 5);
        RepeatedGroupRows(record_, 4, 5);
        Line(4, "</table>");
        Line(3, "</body>");
        Line(2, "</html>");
        Line(1, "</xsl:template>");
        Line(0, "</xsl:stylesheet>");
        return std::move(out_);
    }

  private:
    // Element paths and, per path, every element of the record at it (document order):
    // the paths give headings and selects, the lists decide repeated groups and give
    // their occurrences.
    void IndexElements(const pugi::xml_node& node, const std::string& path) {
        paths_[node.internal_object()] = path;
        occurrences_[path].push_back(node);
        for (pugi::xml_node child : node.children()) {
            if (IsElement(child)) IndexElements(child, path + "/" + child.name());
        }
    }

    const std::string& PathOf(const pugi::xml_node& node) const {
        return paths_.at(node.internal_object());
    }

    bool IsRepeated(const pugi::xml_node& node) const {
        return occurrences_.at(PathOf(node)).size() >= 2;
    }

    std::string Heading(const pugi::xml_node& node) const {
        const QBXMLTag* tag = tags_.Item(requestType_, PathOf(node));
        return tag ? EscapeXml(tag->UserHeading()) : std::string(kNoHeading);
    }

    std::string FieldHeading(const pugi::xml_node& node) const {
        if (IsLeaf(node)) return Heading(node);
        pugi::xml_node leaf = FirstPlainLeaf(node);
        return leaf ? Heading(leaf) : std::string();
    }

    std::string FieldPath(const pugi::xml_node& node) const {
        if (IsLeaf(node)) return PathOf(node);
        pugi::xml_node leaf = FirstPlainLeaf(node);
        return leaf ? PathOf(leaf) : std::string();
    }

    // The value shown for `select`, which names the elements at `path` (the first of
    // them in document order, as xsl:value-of takes it). Written in as text when the
    // builder makes the rendering copy: each select would otherwise be looked up
    // through the whole record by the transformation, which grows with the square of
    // the record's width.
    std::string Value(std::string_view select, const std::string& path) const {
        const bool yesNo = IsTrueFalse(path);
        if (!valuesWrittenIn_) return yesNo ? YesNoOf(select) : ValueOf(select);
        std::string text = StringValue(occurrences_.at(path).front());
        if (yesNo) text = ShownValue(std::move(text), DataTypeCode::Bool);
        return "<xsl:text>" + TextLiteral(text) + "</xsl:text>";
    }

    // True when the catalog knows the field at `path` as a true/false field.
    bool IsTrueFalse(const std::string& path) const {
        const QBXMLTag* tag = path.empty() ? nullptr : tags_.Item(requestType_, path);
        return tag && tag->DataTypeCode() == DataTypeCode::Bool;
    }

    std::string Cell(const std::string& path) const {
        if (path.empty()) return ValueCell(path);
        return "<td>" + Value(path, path) + "</td>";
    }

    // All text below `node` in document order: what xsl:value-of gives for it.
    static std::string StringValue(const pugi::xml_node& node) {
        std::string text;
        for (pugi::xml_node n = node.first_child(); n;) {
            if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
            if (n.first_child()) {
                n = n.first_child();
                continue;
            }
            while (n && n != node && !n.next_sibling()) n = n.parent();
            if (!n || n == node) break;
            n = n.next_sibling();
        }
        return text;
    }

    // Text as the content of a stylesheet element. Line ends are written as they are:
    // read back they become line feeds, as they do in the record's own XML file.
    static std::string TextLiteral(std::string_view text) { return EscapeXml(text); }

    void Line(int depth, std::string_view text) {
        out_.append(static_cast<std::size_t>(depth), '\t');
        out_.append(text);
        out_.append("\r\n");
    }

    void NoteScript(int depth) {
        const std::string note = DataViewNote(requestType_);
        Line(depth, "<script language=" + Quote("javascript") + ">");
        for (const std::string& line : {
                 "var gnoteimg = '<img src=" + Quote("../clip_anime.gif") + "/>';",
                 "var gnoteimg_a = '<img src=" + Quote("../clip06.GIF") + "/>';",
                 "var gnote = '" + note + "';",
                 std::string("var gx = 0;"),
                 std::string("function initnote()"),
                 std::string("{"),
                 std::string("var vobj = document.all['div_note'];"),
                 std::string("if (gx == 0) vobj.innerHTML = gnoteimg;"),
                 std::string("else vobj.innerHTML = gnoteimg_a;"),
                 std::string("vobj.onclick = shownote;"),
                 std::string("}"),
                 std::string("function shownote()"),
                 std::string("{"),
                 std::string("var vobj = document.all['div_note'];"),
                 std::string("vobj.innerHTML = gnote;"),
                 std::string("vobj.onclick = initnote;"),
                 std::string("gx++;"),
                 std::string("}"),
             }) {
            Line(depth + 1, line);
        }
        Line(depth, "</script>");
    }

    // Two label/value pairs per row of four cells.
    void MainRows(int depth) {
        int counter = 0;
        for (pugi::xml_node child : record_.children()) {
            if (!IsElement(child)) continue;
            if (counter == 4) {
                Line(depth, "</tr>");
                counter = 0;
            }
            if (IsPlainLeaf(child)) {
                if (counter == 0) Line(depth, "<tr>");
                counter += 2;
                Line(depth + 1, "<td class=" + Quote("th_left") + ">" + Heading(child) + "</td>");
                Line(depth + 1, "<td>" + Value(child.name(), PathOf(child)) + "</td>");
            } else if (IsReference(child)) {
                if (counter == 0) Line(depth, "<tr>");
                counter += 2;
                if (pugi::xml_node leaf = FirstPlainLeaf(child)) {
                    Line(depth + 1,
                         "<td class=" + Quote("th_left") + ">" + Heading(leaf) + "</td>");
                    Line(depth + 1, "<td>" + Value(PathOf(leaf), PathOf(leaf)) + "</td>");
                }
            }
        }
        if (counter > 0) {
            if (counter < 4) {
                Line(depth + 1, "<td colspan=" + Quote(std::to_string(4 - counter)) + "></td>");
            }
            Line(depth, "</tr>");
        }
    }

    // Addresses side by side, each spanning half the columns.
    void AddressRows(const pugi::xml_node& parent, int columns, int depth) {
        const int span = AddressSpan(columns);
        int counter = 0;
        auto pad = [&] {
            // Only a short row is padded: a full row deliberately gets no padding cell,
            // since a cell spanning zero columns is not valid HTML.
            if (counter < columns) {
                Line(depth + 1,
                     "<td colspan=" + Quote(std::to_string(columns - counter)) + "></td>");
            }
            Line(depth, "</tr>");
            counter = 0;
        };
        for (pugi::xml_node child : parent.children()) {
            if (!IsElement(child) || !IsAddress(child)) continue;
            if (counter > 0 && counter + span > columns) pad();
            if (counter == 0) Line(depth, "<tr>");
            counter += span;
            Line(depth + 1, "<td colspan=" + Quote(std::to_string(span)) + ">");
            AddressBlock(child, depth + 2);
            Line(depth + 1, "</td>");
        }
        if (counter > 0) pad();
    }

    void AddressBlock(const pugi::xml_node& address, int depth) {
        std::string_view name = address.name();
        std::string title = name.size() > 7
                                ? std::string(name.substr(0, name.size() - 7)) + "&#160;Address"
                                : std::string(name);
        Line(depth, "<table class=" + Quote("innertable") + ">");
        Line(depth + 1, "<tr>");
        Line(depth + 2, "<th>");
        Line(depth + 3, title);
        Line(depth + 2, "</th>");
        Line(depth + 1, "</tr>");
        for (pugi::xml_node child : address.children()) {
            if (!IsElement(child) || !IsPlainLeaf(child)) continue;
            Line(depth + 1, "<tr>");
            Line(depth + 2, "<td>");
            Line(depth + 3, Value(PathOf(child), PathOf(child)));
            Line(depth + 2, "</td>");
            Line(depth + 1, "</tr>");
        }
        Line(depth, "</table>");
    }

    static bool IsField(const pugi::xml_node& node) {
        return IsElement(node) && (IsReference(node) || IsPlainLeaf(node));
    }

    // Groups that occur once: one table each, headings over values.
    void SingleGroupRows(const pugi::xml_node& parent, int columns, int depth) {
        for (pugi::xml_node child : parent.children()) {
            if (!IsElement(child) || IsLeaf(child) || IsAddress(child) || IsReference(child) ||
                IsRepeated(child)) {
                continue;
            }
            Line(depth, "<tr>");
            Line(depth + 1, "<td colspan=" + Quote(std::to_string(columns)) + ">");
            GroupTable(child, depth + 2);
            Line(depth + 1, "</td>");
            Line(depth, "</tr>");
        }
    }

    void GroupTable(const pugi::xml_node& group, int depth) {
        Line(depth, "<table border=" + Quote("1") + ">");
        Line(depth + 1, "<tr>");
        int fields = 0;
        for (pugi::xml_node child : group.children()) {
            if (!IsField(child)) continue;
            ++fields;
            Line(depth + 2, "<th>" + FieldHeading(child) + "</th>");
        }
        Line(depth + 1, "</tr>");
        Line(depth + 1, "<tr>");
        for (pugi::xml_node child : group.children()) {
            if (IsField(child)) Line(depth + 2, Cell(FieldPath(child)));
        }
        Line(depth + 1, "</tr>");
        AddressRows(group, fields, depth + 1);
        SingleGroupRows(group, fields, depth + 1);
        RepeatedGroupRows(group, fields, depth + 1);
        Line(depth, "</table>");
    }

    // Groups that occur more than once: one table per distinct path, looping over
    // every occurrence in the record.
    void RepeatedGroupRows(const pugi::xml_node& parent, int columns, int depth) {
        std::unordered_set<std::string> handled;
        for (pugi::xml_node child : parent.children()) {
            if (!IsElement(child) || !IsRepeated(child) || IsLeaf(child) || IsAddress(child) ||
                IsReference(child)) {
                continue;
            }
            if (!handled.insert(PathOf(child)).second) continue;
            Line(depth, "<tr>");
            Line(depth + 1, "<td colspan=" + Quote(std::to_string(columns)) + ">");
            RepeatedTable(child, depth + 2);
            Line(depth + 1, "</td>");
            Line(depth, "</tr>");
        }
    }

    void RepeatedTable(const pugi::xml_node& first, int depth) {
        const std::string& groupPath = PathOf(first);
        RepItems columns;
        std::unordered_set<std::string> yesNoColumns;
        for (const pugi::xml_node& occurrence : occurrences_.at(groupPath)) {
            std::string previous;
            for (pugi::xml_node child : occurrence.children()) {
                if (!IsField(child)) continue;
                const std::string path = FieldPath(child);
                std::string name = RelativePath(path, groupPath);
                if (IsTrueFalse(path)) yesNoColumns.insert(name);
                columns.Add(name, FieldHeading(child), previous);
                previous = std::move(name);
            }
        }
        Line(depth, "<table class=" + Quote("table_dtl") + " border=" + Quote("1") + ">");
        Line(depth + 1, "<tr>");
        for (const auto& column : columns) Line(depth + 2, "<th>" + column->Heading + "</th>");
        Line(depth + 1, "</tr>");
        Line(depth + 1, "<xsl:for-each select=" + Quote(groupPath) + ">");
        Line(depth + 2, "<tr>");
        for (const auto& column : columns) {
            Line(depth + 3, yesNoColumns.count(column->Name) != 0
                                ? "<td>" + YesNoOf(column->Name) + "</td>"
                                : ValueCell(column->Name));
        }
        Line(depth + 2, "</tr>");
        Line(depth + 1, "</xsl:for-each>");
        const int count = static_cast<int>(columns.Count());
        AddressRows(first, count, depth + 1);
        SingleGroupRows(first, count, depth + 1);
        RepeatedGroupRows(first, count, depth + 1);
        Line(depth, "</table>");
    }

    // The field's path with the group's own path replaced by "." ("./ItemRef/FullName").
    static std::string RelativePath(const std::string& fieldPath, const std::string& groupPath) {
        if (fieldPath.compare(0, groupPath.size(), groupPath) == 0) {
            return "." + fieldPath.substr(groupPath.size());
        }
        return fieldPath;
    }

    const pugi::xml_node record_;
    const std::int32_t requestType_;
    const bool old_;
    const bool valuesWrittenIn_;
    const QBXMLTags& tags_;
    const std::string recordPath_;
    const std::string typeName_;
    std::unordered_map<const void*, std::string> paths_;
    std::unordered_map<std::string, std::vector<pugi::xml_node>> occurrences_;
    std::string out_;
};

}  // namespace

std::string EscapeXml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped.append("&amp;");
                break;
            case '<':
                escaped.append("&lt;");
                break;
            case '>':
                escaped.append("&gt;");
                break;
            case '\'':
                escaped.append("&apos;");
                break;
            case '"':
                escaped.append("&quot;");
                break;
            default:
                escaped.push_back(c);
        }
    }
    return escaped;
}

std::string DataViewStylesheet(const pugi::xml_node& record, std::int32_t requestType, bool old,
                               const QBXMLTags& tags) {
    return StylesheetBuilder(record, requestType, old, tags).Build();
}

std::string DataViewRenderingStylesheet(const pugi::xml_node& record, std::int32_t requestType,
                                        bool old, const QBXMLTags& tags) {
    return StylesheetBuilder(record, requestType, old, tags, true).Build();
}

std::string DataViewXml(const pugi::xml_node& record, std::string_view xslFileName) {
    std::ostringstream out;
    out << "<?xml version=" << Quote("1.0") << "?>\r\n";
    out << "<?xml-stylesheet href=" << Quote(xslFileName) << " type=" << Quote("text/xsl")
        << "?>\r\n";
    record.print(out, "", pugi::format_raw);
    return std::move(out).str();
}

std::string DataViewNote(std::int32_t requestType) {
    return "If you had QuickBooks 2004, and open, Quarrion would click through to QuickBooks "
           "and display the actual " +
           RequestTypeInfo::TypeName(requestType) + ", inside QuickBooks.";
}

std::string DataViewCaption(const pugi::xml_node& record, std::int32_t requestType) {
    std::string text;
    for (const char* path : {"FullName", "Name", "CustomerRef/FullName", "CustomerRef/Name",
                             "VendorRef/FullName", "RefNumber"}) {
        if (pugi::xml_node found = record.first_element_by_path(path)) {
            text = found.child_value();
            break;
        }
    }
    return RequestTypeInfo::TypeName(requestType) + " " + text;
}

}  // namespace quarrion
