#include "sample/record_tree.h"

#include <charconv>

#include "qbxml/qbxml_value_text.h"

namespace quarrion {

void RecordTree::Clear() {
    nodes_.clear();
    text_.clear();
    nodes_.push_back(Node{El{}, true});
}

RecordTree::NodeId RecordTree::Append(NodeId parent, Node node) {
    const auto id = static_cast<NodeId>(nodes_.size());
    nodes_.push_back(node);
    Node& owner = nodes_[parent];
    if (owner.lastChild == kNone) {
        owner.firstChild = id;
    } else {
        nodes_[owner.lastChild].next = id;
    }
    owner.lastChild = id;
    return id;
}

RecordTree::NodeId RecordTree::AddGroup(NodeId parent, El name) {
    return Append(parent, Node{name, true});
}

void RecordTree::AddValue(NodeId parent, El name, std::string_view text) {
    Node node{name, false};
    node.textBegin = static_cast<std::uint32_t>(text_.size());
    node.textLength = static_cast<std::uint32_t>(text.size());
    text_.append(text);
    Append(parent, node);
}

void RecordNode::SetInt(El name, std::int64_t value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    Set(name, std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

void RecordNode::SetAmount(El name, std::int64_t cents) {
    Set(name, AmountText(cents));
}

void RecordNode::SetHundredths(El name, std::int64_t hundredths) {
    Set(name, HundredthsText(hundredths));
}

void RecordNode::SetDate(El name, std::int32_t day) {
    Set(name, DateText(day));
}

void RecordNode::SetDateTime(El name, std::int64_t localSeconds) {
    Set(name, DateTimeText(localSeconds));
}

}  // namespace quarrion
