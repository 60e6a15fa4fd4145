#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quarrion {

// One column of a repeated-group table in the data view.
struct RepItem {
    std::int32_t Index = 0;  // 1-based order of creation (not the position)
    std::string Heading;     // already escaped for the stylesheet
    std::string Name;        // the column's path relative to the group ("./ItemRef/FullName")
};

// The columns of a repeated-group table: an ordered collection keyed by the
// upper-cased `Name`. Unlike the program's other collections an entry can be placed
// right after another, so a column first seen in a later line of a group lands next
// to the column it followed there. Pointers stay valid until the entry is removed or
// the collection cleared.
class RepItems {
  public:
    RepItems() = default;
    RepItems(const RepItems&) = delete;
    RepItems& operator=(const RepItems&) = delete;

    void Clear();
    // The item keyed by `name`. When the key exists the existing item is returned and
    // nothing changes. Otherwise a new item gets `Index` = the running count and goes
    // right after the item keyed by `after` when `after` is not blank after trimming
    // (at the end when that key is missing too), else at the end.
    RepItem* Add(std::string_view name, std::string_view heading, std::string_view after);
    // 1-based position or key (any letter case); nullptr when missing.
    RepItem* Item(std::size_t position) const;
    RepItem* Item(std::string_view key) const;
    std::size_t Count() const { return items_.size(); }
    // Nothing happens for a missing position or key.
    void Remove(std::size_t position);
    void Remove(std::string_view key);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::size_t PositionOf(const RepItem* item) const;

    std::vector<std::unique_ptr<RepItem>> items_;
    std::unordered_map<std::string, RepItem*> byKey_;
    std::int32_t counter_ = 0;
};

}  // namespace quarrion
