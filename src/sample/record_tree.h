#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sample/record_layout.h"

namespace quarrion {

// The values of one qbXML record before they are put in order: groups and leaves
// by element name, children in the order they were added. A builder fills the tree
// in whatever order suits it; RecordWriter then writes it in the order of the
// type's layout. Clear() keeps the memory, so one tree serves a whole document.
class RecordTree {
  public:
    using NodeId = std::uint32_t;
    static constexpr NodeId kRoot = 0;
    static constexpr NodeId kNone = 0xFFFFFFFFu;

    struct Node {
        El name;
        bool group;
        NodeId firstChild = kNone;
        NodeId lastChild = kNone;
        NodeId next = kNone;
        std::uint32_t textBegin = 0;
        std::uint32_t textLength = 0;
    };

    RecordTree() { Clear(); }

    // Forgets every node but the root.
    void Clear();

    // A new group element as the last child of `parent`.
    NodeId AddGroup(NodeId parent, El name);
    // A new leaf element holding `text` as the last child of `parent`.
    void AddValue(NodeId parent, El name, std::string_view text);

    const Node& At(NodeId id) const { return nodes_[id]; }
    std::string_view Text(const Node& node) const {
        return std::string_view(text_).substr(node.textBegin, node.textLength);
    }
    std::size_t Size() const { return nodes_.size(); }

  private:
    NodeId Append(NodeId parent, Node node);

    std::vector<Node> nodes_;
    std::string text_;
};

// A handle on one group of a RecordTree (or its root) with the setters builders use.
// Valid while the tree is not cleared.
class RecordNode {
  public:
    RecordNode(RecordTree& tree, RecordTree::NodeId id) : tree_(&tree), id_(id) {}

    RecordNode Group(El name) { return {*tree_, tree_->AddGroup(id_, name)}; }
    void Set(El name, std::string_view text) { tree_->AddValue(id_, name, text); }
    // Leaves the element out when the text is empty, as QuickBooks does.
    void SetIfAny(El name, std::string_view text) {
        if (!text.empty()) Set(name, text);
    }
    void SetInt(El name, std::int64_t value);
    void SetBool(El name, bool value) { Set(name, value ? "true" : "false"); }
    void SetAmount(El name, std::int64_t cents);
    void SetHundredths(El name, std::int64_t hundredths);
    void SetDate(El name, std::int32_t day);
    void SetDateTime(El name, std::int64_t localSeconds);

  private:
    RecordTree* tree_;
    RecordTree::NodeId id_;
};

}  // namespace quarrion
