#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "sample/record_layout.h"
#include "sample/record_tree.h"

namespace quarrion {

// Writes RecordTrees of one request type as qbXML record elements, in the order of
// the type's layout: each element goes where the layout places it among its
// siblings, repeated elements keep the order they were added in. The layout decides
// what a type carries: a value the layout has no place for (an element of another
// type, a second value of an element that does not repeat, a value where a group
// belongs) is left out and counted, and a group that ends up empty is not written.
// One writer per type; not thread-safe (it keeps scratch space between records).
class RecordWriter {
  public:
    explicit RecordWriter(std::int32_t requestType);

    // Appends the record element (stem + "Ret") with its contents to `out`, one
    // element per line, indented two spaces per level starting at `depth` levels.
    void Write(const RecordTree& tree, std::string& out, int depth);

    // Appends `text` with the characters XML reserves escaped.
    static void AppendEscaped(std::string& out, std::string_view text);

  private:
    struct ChildKey {
        std::uint32_t parent;  // row index + 1 of the enclosing group; 0 = record element
        El name;
        std::uint32_t row;
    };
    struct Placed {
        std::uint32_t row;
        std::uint32_t order;
        RecordTree::NodeId node;
    };

    // Row index of the child `name` of the group keyed `parent`, or -1.
    std::int64_t FindRow(std::uint32_t parent, El name) const;
    bool WriteChildren(const RecordTree& tree, RecordTree::NodeId node, std::uint32_t parent,
                       std::string& out, int depth, std::size_t scratchLevel);

    std::span<const LayoutRow> rows_;
    std::string recordElement_;
    std::vector<ChildKey> index_;  // sorted by (parent, name)
    std::vector<std::vector<Placed>> scratch_;
};

}  // namespace quarrion
