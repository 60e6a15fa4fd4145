#include "results/record_paths.h"

#include <cctype>
#include <charconv>
#include <cstring>

namespace quarrion {

std::string RecordKey(std::size_t position) {
    return "k" + std::to_string(position);
}

std::optional<std::size_t> KeyPosition(std::string_view key) {
    if (key.size() < 2 || key.front() != 'k') return std::nullopt;
    std::size_t position = 0;
    auto digits = key.substr(1);
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), position);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return position;
}

std::string RecordId(pugi::xml_node record) {
    if (auto id = record.child("TxnID")) return TypedText(id);
    if (auto id = record.child("ListID")) return TypedText(id);
    return {};
}

void AppendTypedText(pugi::xml_node node, std::string& out) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        out.append(node.value());
        return;
    }
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        AppendTypedText(child, out);
    }
}

std::string TypedText(pugi::xml_node node) {
    // Most nodes are leaves with one text child: hand it out without a walk.
    pugi::xml_node first = node.first_child();
    if (first && !first.next_sibling() && first.type() == pugi::node_pcdata) return first.value();
    std::string out;
    AppendTypedText(node, out);
    return out;
}

std::optional<std::string> RelativePath(std::string_view columnKey,
                                        std::string_view recordElementName) {
    std::string prefix = "//" + std::string(recordElementName);
    if (columnKey.size() <= prefix.size() + 1 || columnKey.substr(0, prefix.size()) != prefix ||
        columnKey[prefix.size()] != '/') {
        return std::nullopt;
    }
    return std::string(columnKey.substr(prefix.size() + 1));
}

namespace {

bool IsPlainName(std::string_view step) {
    if (step.empty()) return false;
    for (char c : step) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.')) {
            return false;
        }
    }
    return true;
}

}  // namespace

RecordPath::RecordPath(std::optional<std::string> relativePath) {
    if (!relativePath || relativePath->empty()) return;
    std::string_view rest = *relativePath;
    bool plain = true;
    while (!rest.empty()) {
        std::size_t slash = rest.find('/');
        std::string_view step = rest.substr(0, slash);
        if (!IsPlainName(step)) {
            plain = false;
            break;
        }
        steps_.emplace_back(step);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (slash != std::string_view::npos && rest.empty()) plain = false;
    }
    if (plain) {
        valid_ = true;
        return;
    }
    steps_.clear();
    try {
        query_ = std::make_shared<pugi::xpath_query>(relativePath->c_str());
        valid_ = static_cast<bool>(*query_);
    } catch (const pugi::xpath_exception&) {
        query_.reset();
    }
}

pugi::xml_node RecordPath::FirstFrom(pugi::xml_node node, std::size_t step) const {
    if (step == steps_.size()) return node;
    const char* name = steps_[step].c_str();
    for (pugi::xml_node child = node.child(name); child; child = child.next_sibling(name)) {
        if (pugi::xml_node found = FirstFrom(child, step + 1)) return found;
    }
    return {};
}

void RecordPath::AllFrom(pugi::xml_node node, std::size_t step,
                         std::vector<pugi::xml_node>& out) const {
    if (step == steps_.size()) {
        out.push_back(node);
        return;
    }
    const char* name = steps_[step].c_str();
    for (pugi::xml_node child = node.child(name); child; child = child.next_sibling(name)) {
        AllFrom(child, step + 1, out);
    }
}

pugi::xml_node RecordPath::First(pugi::xml_node record) const {
    if (!valid_ || !record) return {};
    if (query_) {
        try {
            return query_->evaluate_node(record).node();
        } catch (const pugi::xpath_exception&) {
            return {};
        }
    }
    return FirstFrom(record, 0);
}

std::vector<pugi::xml_node> RecordPath::All(pugi::xml_node record) const {
    std::vector<pugi::xml_node> out;
    if (!valid_ || !record) return out;
    if (query_) {
        try {
            for (const auto& n : query_->evaluate_node_set(record)) out.push_back(n.node());
        } catch (const pugi::xpath_exception&) {
        }
        return out;
    }
    AllFrom(record, 0, out);
    return out;
}

std::vector<pugi::xml_node> RecordElements(const pugi::xml_document& document,
                                           std::string_view recordElementName) {
    std::vector<pugi::xml_node> records;
    // Records never nest, so a match's subtree is skipped.
    pugi::xml_node node = document.first_child();
    while (node) {
        if (node.type() == pugi::node_element && recordElementName == node.name()) {
            records.push_back(node);
        } else if (pugi::xml_node child = node.first_child()) {
            node = child;
            continue;
        }
        while (node && !node.next_sibling()) {
            node = node.parent();
            if (node == document) return records;
        }
        if (node) node = node.next_sibling();
    }
    return records;
}

}  // namespace quarrion
