#include "wizard/view.h"

#include <algorithm>

#include "catalog/qbxml_tags.h"
#include "model/display_column.h"

namespace quarrion {

void View::LoadCatalog(const QBXMLTags& catalog, std::int32_t requestType) {
    RequestType = requestType;
    Tags.Clear();
    for (QBXMLTag& tag : catalog) {
        if (tag.Code == requestType) Tags.Add(&tag);
    }
}

void View::LoadDisplayColumns(const QBXMLTags& catalog, const DisplayColumns& columns,
                              std::int32_t requestType) {
    LoadCatalog(catalog,
                requestType != 0 ? requestType : static_cast<std::int32_t>(columns.RequestType));
    for (const auto& tag : Tags) tag->Sequence = 0;
    for (const DisplayColumn& column : columns) {
        if (!column.Tag()) continue;
        ViewTag* tag = Tags.Item(std::string_view(column.Tag()->TagName()));
        if (!tag) continue;
        tag->Sequence = static_cast<int>(column.Index);
        tag->Heading = column.Heading();
    }
}

int View::NumberChecked(const std::vector<CheckedNode>& nodes) {
    int highest = 0;
    for (const auto& tag : Tags) highest = std::max(highest, tag->Sequence);
    int checked = 0;
    for (const CheckedNode& node : nodes) {
        ViewTag* tag = Tags.Item(std::string_view(node.TagName));
        if (!tag) continue;
        if (node.Checked) {
            ++checked;
            tag->Sequence = ++highest;
        } else {
            tag->Sequence = 0;
        }
    }
    return checked;
}

void View::ApplyPreview(const std::vector<PreviewColumn>& columns) {
    for (const PreviewColumn& column : columns) {
        ViewTag* tag = Tags.Item(std::string_view(column.TagName));
        if (!tag) continue;
        tag->Sequence = column.Position;
        tag->Heading = column.Heading;
    }
}

std::vector<ViewTag*> View::ShownTags() {
    Tags.Sort();
    std::vector<ViewTag*> shown;
    for (const auto& tag : Tags) {
        if (tag->Sequence > 0) shown.push_back(tag.get());
    }
    return shown;
}

void View::FillDisplayColumns(DisplayColumns& columns) {
    std::vector<ViewTag*> shown = ShownTags();
    columns.Clear();
    for (ViewTag* tag : shown) {
        if (tag->Tag()) columns.Add(*tag->Tag(), tag->Heading);
    }
}

void View::Rebind(const QBXMLTags& catalog) {
    for (const auto& tag : Tags) {
        const int sequence = tag->Sequence;
        std::string heading = tag->Heading;
        tag->SetTag(catalog.Item(RequestType, tag->TagName));
        tag->Sequence = sequence;
        tag->Heading = std::move(heading);
    }
}

std::string ElementPath(std::string_view tagName) {
    const std::size_t start = tagName.starts_with("//") ? 2 : 0;
    const std::size_t slash = tagName.find('/', start);
    return std::string(slash == std::string_view::npos ? tagName : tagName.substr(slash + 1));
}

}  // namespace quarrion
