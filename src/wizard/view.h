#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/view_tags.h"

namespace quarrion {

class DisplayColumns;
class QBXMLTags;

// The subject of the display-columns wizards: one request type and its candidate
// columns. Every panel reads and writes the one View its wizard holds; nothing leaves
// it before Finish.
//
// The view tags point into the catalog they were loaded from. A catalog reload (the
// store's UpdateTags ends with one) leaves them dangling until Rebind.
class View {
  public:
    View() = default;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // The request type the columns belong to; 0 until a type is chosen or loaded.
    std::int32_t RequestType = 0;
    ViewTags Tags;

    // Carried to every tag added afterwards; the panels do not consult it.
    bool Protect() const { return Tags.Protect; }
    void SetProtect(bool protect) { Tags.Protect = protect; }

    // The type's catalog entries in catalog order, each with its current sequence and
    // user heading: what the preferences wizard edits.
    void LoadCatalog(const QBXMLTags& catalog, std::int32_t requestType);

    // One search's columns of a type: every catalog entry of the columns' request type
    // (or of `requestType` when it is not 0), unshown, then each display column's entry
    // shown at the column's `Index` under the column's heading. A column whose element
    // the catalog no longer lists is left out.
    void LoadDisplayColumns(const QBXMLTags& catalog, const DisplayColumns& columns,
                            std::int32_t requestType = 0);

    // A node of the column panel's list: a tag by its path and whether it is checked.
    struct CheckedNode {
        std::string TagName;
        bool Checked = false;
    };
    // Numbers the checked nodes, in the given order, above the highest sequence any
    // tag holds now; unchecked ones get 0, so kept and new columns alike come after
    // every earlier position and only the order of the list decides theirs. Answers
    // how many were checked; with none checked the tags are still changed and the
    // caller keeps the user on the panel. Nodes naming no tag are passed over.
    int NumberChecked(const std::vector<CheckedNode>& nodes);

    // A column of the preview as the user left it: its tag's path, its 1-based display
    // position and its heading (empty when the user emptied it).
    struct PreviewColumn {
        std::string TagName;
        int Position = 0;
        std::string Heading;
    };
    // Gives each column's tag the column's position as its sequence and its heading.
    void ApplyPreview(const std::vector<PreviewColumn>& columns);

    // The shown tags (sequence above 0) in column order. Reorders `Tags` (Sort).
    std::vector<ViewTag*> ShownTags();

    // Rebuilds `columns` from the shown tags in column order, each under its heading (a
    // blank heading gives the entry's user heading, as display columns do). The
    // columns' request type stays.
    void FillDisplayColumns(DisplayColumns& columns);

    // Points every view tag at `catalog`'s entry for its path again after a reload,
    // keeping the sequence and heading the user gave it; a path the catalog lost leaves
    // the tag without an entry (stores skip such tags).
    void Rebind(const QBXMLTags& catalog);
};

// The element's path below its record element: //InvoiceRet/CustomerRef/FullName gives
// CustomerRef/FullName. A path without a record part comes back whole.
std::string ElementPath(std::string_view tagName);

}  // namespace quarrion
