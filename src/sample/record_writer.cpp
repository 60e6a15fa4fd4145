#include "sample/record_writer.h"

#include <algorithm>
#include <cassert>

#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

void Indent(std::string& out, int depth) {
    out.append(static_cast<std::size_t>(depth) * 2, ' ');
}

bool KeyLess(std::uint32_t parentA, El nameA, std::uint32_t parentB, El nameB) {
    return parentA != parentB ? parentA < parentB : nameA < nameB;
}

}  // namespace

RecordWriter::RecordWriter(std::int32_t requestType)
    : rows_(RecordLayout::Rows(requestType)),
      recordElement_(RequestTypeInfo::RecordElementName(requestType)) {
    assert(!rows_.empty() && "the request type must be an offered one");
    // Rows come in document order, so the enclosing group of a row is the last
    // group row seen one level up.
    std::vector<std::uint32_t> openGroup(16, 0);
    std::size_t deepest = 1;
    for (std::uint32_t i = 0; i < rows_.size(); ++i) {
        const LayoutRow& row = rows_[i];
        const std::uint32_t parent = row.level <= 1 ? 0 : openGroup[row.level - 1];
        index_.push_back({parent, row.name, i});
        if (row.kind == ValueKind::Group) openGroup[row.level] = i + 1;
        deepest = std::max<std::size_t>(deepest, row.level);
    }
    std::sort(index_.begin(), index_.end(), [](const ChildKey& a, const ChildKey& b) {
        return KeyLess(a.parent, a.name, b.parent, b.name);
    });
    scratch_.resize(deepest + 1);
}

std::int64_t RecordWriter::FindRow(std::uint32_t parent, El name) const {
    auto it =
        std::lower_bound(index_.begin(), index_.end(), std::pair{parent, name},
                         [](const ChildKey& key, const std::pair<std::uint32_t, El>& wanted) {
                             return KeyLess(key.parent, key.name, wanted.first, wanted.second);
                         });
    if (it == index_.end() || it->parent != parent || it->name != name) return -1;
    return it->row;
}

void RecordWriter::Write(const RecordTree& tree, std::string& out, int depth) {
    Indent(out, depth);
    out += '<';
    out += recordElement_;
    out += ">\n";
    WriteChildren(tree, RecordTree::kRoot, 0, out, depth + 1, 0);
    Indent(out, depth);
    out += "</";
    out += recordElement_;
    out += ">\n";
}

bool RecordWriter::WriteChildren(const RecordTree& tree, RecordTree::NodeId node,
                                 std::uint32_t parent, std::string& out, int depth,
                                 std::size_t scratchLevel) {
    std::vector<Placed>& placed = scratch_[scratchLevel];
    placed.clear();
    std::uint32_t order = 0;
    for (auto child = tree.At(node).firstChild; child != RecordTree::kNone;
         child = tree.At(child).next) {
        const RecordTree::Node& item = tree.At(child);
        const std::int64_t row = FindRow(parent, item.name);
        if (row < 0 || (rows_[row].kind == ValueKind::Group) != item.group) {
            continue;
        }
        placed.push_back({static_cast<std::uint32_t>(row), order++, child});
    }
    std::sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.row != b.row ? a.row < b.row : a.order < b.order;
    });

    bool wrote = false;
    std::int64_t lastRow = -1;
    for (const Placed& p : placed) {
        const LayoutRow& row = rows_[p.row];
        if (static_cast<std::int64_t>(p.row) == lastRow && !row.repeats) {
            continue;
        }
        const std::string_view name = RecordLayout::Name(row.name);
        const RecordTree::Node& item = tree.At(p.node);
        if (!item.group) {
            Indent(out, depth);
            out += '<';
            out += name;
            out += '>';
            AppendEscaped(out, tree.Text(item));
            out += "</";
            out += name;
            out += ">\n";
            wrote = true;
            lastRow = p.row;
            continue;
        }
        const std::size_t mark = out.size();
        Indent(out, depth);
        out += '<';
        out += name;
        out += ">\n";
        // The deeper call uses the next scratch level, so `placed` stays intact.
        if (WriteChildren(tree, p.node, p.row + 1, out, depth + 1, scratchLevel + 1)) {
            Indent(out, depth);
            out += "</";
            out += name;
            out += ">\n";
            wrote = true;
            lastRow = p.row;
        } else {
            out.resize(mark);
        }
    }
    return wrote;
}

void RecordWriter::AppendEscaped(std::string& out, std::string_view text) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* entity = nullptr;
        switch (text[i]) {
            case '&':
                entity = "&amp;";
                break;
            case '<':
                entity = "&lt;";
                break;
            case '>':
                entity = "&gt;";
                break;
            default:
                continue;
        }
        out.append(text, start, i - start);
        out += entity;
        start = i + 1;
    }
    out.append(text, start, text.size() - start);
}

}  // namespace quarrion
