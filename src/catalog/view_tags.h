#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarrion {

class QBXMLTag;

// One candidate result column of the display-columns wizard, made from a catalog entry.
// The wizard edits `Sequence` and `Heading`; the store writes them back to the catalog
// (IOManager::UpdateTags) or the wizard turns them into a search's display columns.
class ViewTag {
  public:
    // The catalog entry; not owned, it must outlive the view tag.
    QBXMLTag* Tag() const { return tag_; }
    // Takes the entry and copies from it the user heading into `Heading`, the sequence
    // into `Sequence`, and its level and tag name.
    void SetTag(QBXMLTag* tag);

    // Position of the column in the results; 0 or less: not shown.
    int Sequence = 0;
    std::string Heading;
    // The entry's nesting depth below the record element.
    int Level = 0;
    // The entry's element path; the collection's key.
    std::string TagName;
    // 1-based order of addition.
    long Index = -1;
    // Copied from the collection when the tag is added.
    bool Protect = false;

  private:
    QBXMLTag* tag_ = nullptr;
};

// The wizard's ordered list of candidate columns, keyed by the upper-cased tag name.
class ViewTags {
  public:
    ViewTags() = default;
    ViewTags(const ViewTags&) = delete;
    ViewTags& operator=(const ViewTags&) = delete;

    // Passed to every tag added afterwards.
    bool Protect = false;

    // The view tag of `tag`: the existing one when its tag name is present already,
    // otherwise a new one appended with `Index` = the running count.
    ViewTag* Add(QBXMLTag* tag);
    // 1-based position or tag name (any letter case); nullptr when missing.
    ViewTag* Item(std::size_t position) const;
    ViewTag* Item(std::string_view tagName) const;
    std::size_t Count() const { return tags_.size(); }
    void Remove(std::size_t position);
    void Remove(std::string_view tagName);
    void Clear();

    // True when some tag is shown (`Sequence` above 0).
    bool IsSequenced() const;
    // Reorders the list: the shown tags first, by ascending `Sequence` (equal sequences
    // keep their order), then the others in their present order.
    void Sort();

    auto begin() const { return tags_.begin(); }
    auto end() const { return tags_.end(); }

  private:
    void Reindex();

    std::vector<std::unique_ptr<ViewTag>> tags_;
    std::unordered_map<std::string, std::size_t> byName_;
    long counter_ = 0;
};

}  // namespace quarrion
