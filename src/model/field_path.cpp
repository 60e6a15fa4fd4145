#include "model/field_path.h"

namespace quarrion {

namespace {

// Compiles `expression`, or gives nothing when XPath cannot read it.
std::unique_ptr<pugi::xpath_query> Compile(const std::string& expression) {
#ifdef PUGIXML_NO_EXCEPTIONS
    auto query = std::make_unique<pugi::xpath_query>(expression.c_str());
    if (!query->result()) return nullptr;
    return query;
#else
    try {
        auto query = std::make_unique<pugi::xpath_query>(expression.c_str());
        if (!query->result()) return nullptr;
        return query;
    } catch (const pugi::xpath_exception&) {
        return nullptr;
    }
#endif
}

void AppendText(pugi::xml_node node, std::string& out) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        switch (child.type()) {
            case pugi::node_pcdata:
            case pugi::node_cdata:
                out.append(child.value());
                break;
            case pugi::node_element:
                AppendText(child, out);
                break;
            default:
                break;
        }
    }
}

}  // namespace

FieldPath::FieldPath(std::string_view tagName) {
    std::string below;
    std::string anywhere;
    if (tagName.starts_with("//")) {
        std::string_view rest = tagName.substr(2);
        std::size_t slash = rest.find('/');
        recordName_ = std::string(rest.substr(0, slash));
        below = slash == std::string_view::npos ? std::string("self::node()")
                                                : std::string(rest.substr(slash + 1));
        anywhere = "descendant-or-self::" + std::string(rest);
    } else if (tagName.starts_with("/")) {
        // Rooted at the document: inside a one-record document that is the record.
        below = "self::" + std::string(tagName.substr(1));
    } else {
        below = std::string(tagName);
    }
    if (recordName_.empty() && !below.empty()) {
        below_ = Compile(below);
        return;
    }
    if (recordName_.empty()) return;
    below_ = Compile(below);
    anywhere_ = Compile(anywhere);
    if (!below_ || !anywhere_) {
        below_.reset();
        anywhere_.reset();
    }
}

pugi::xpath_node_set FieldPath::Select(pugi::xml_node record) const {
    if (!below_ || !record) return {};
    const pugi::xpath_query* query = below_.get();
    if (anywhere_ && recordName_ != record.name()) query = anywhere_.get();
    pugi::xpath_node_set nodes = query->evaluate_node_set(record);
    nodes.sort();
    return nodes;
}

std::string_view NodeText(pugi::xml_node node, std::string& scratch) {
    pugi::xml_node first = node.first_child();
    if (!first) return node.type() == pugi::node_element ? std::string_view() : node.value();
    if (!first.next_sibling() &&
        (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata)) {
        return first.value();
    }
    scratch.clear();
    AppendText(node, scratch);
    return scratch;
}

}  // namespace quarrion
