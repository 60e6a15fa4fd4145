#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "model/compare_data.h"

namespace quarrion {

// An ordered list of entered values (the "in list" operation). Items have no keys:
// only positions find them.
class CompareList {
  public:
    CompareList() = default;
    CompareList(const CompareList&) = delete;
    CompareList& operator=(const CompareList&) = delete;

    long TypeOfData() const { return typeOfData_; }
    // Stores the normalised kind and passes the argument on to every item.
    void SetTypeOfData(long typeOfData);

    // Appends a value; the item takes the running counter as `Index` and the
    // list's kind. Raises `Added` with the counter.
    CompareData* Add(StoredValue value);
    // 1-based position; nullptr when out of range.
    CompareData* Item(long position) const;
    long Count() const { return static_cast<long>(items_.size()); }
    // Removing the last position also winds the running counter back by one.
    void Remove(long position);
    void Clear();

    bool ContainsData() const;
    // True when an item equals `value`: texts ignoring letter case, numbers numerically.
    bool IsIn(const StoredValue& value) const;
    bool IsIn(std::string_view text) const;
    bool IsIn(double number) const;

    // IntoTarget replaces `target`'s items with copies of this list's values as
    // read; FromTarget does the reverse. A missing target or other value does nothing.
    void Copy(CompareList* target, CopyDirection direction);

    // Raised with the running counter after every `Add`.
    std::function<void(long)> Added;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<std::unique_ptr<CompareData>> items_;
    long counter_ = 0;
    long typeOfData_ = Kind::Text;
};

}  // namespace quarrion
