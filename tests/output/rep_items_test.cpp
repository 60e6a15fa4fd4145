#include "output/rep_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrion {
namespace {

std::vector<std::string> Names(const RepItems& items) {
    std::vector<std::string> names;
    for (const auto& item : items) names.push_back(item->Name);
    return names;
}

TEST(RepItems, PlacesANewItemRightAfterItsPredecessor) {
    RepItems items;
    items.Add("./ItemRef/FullName", "Item", "");
    items.Add("./Desc", "Description", "./ItemRef/FullName");
    items.Add("./Amount", "Amount", "./Desc");
    // Seen first in a later line, between the item and the description.
    items.Add("./Quantity", "Qty", "./itemref/fullname");
    EXPECT_EQ(Names(items),
              (std::vector<std::string>{"./ItemRef/FullName", "./Quantity", "./Desc", "./Amount"}));
    // Index keeps the order of creation, not the position.
    EXPECT_EQ(items.Item(2)->Index, 4);
    EXPECT_EQ(items.Item("./AMOUNT")->Index, 3);
}

// A blank or unknown predecessor appends; missing keys and positions find and remove
// nothing; removing by key or position and clearing, with indexes starting again at 1.
TEST(RepItems, LookUpRemoveAndClear) {
    RepItems items;
    items.Add("a", "A", "");
    items.Add("b", "B", "   ");
    items.Add("c", "C", "missing");
    EXPECT_EQ(Names(items), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(items.Item("d"), nullptr);
    EXPECT_EQ(items.Item(std::size_t{0}), nullptr);
    EXPECT_EQ(items.Item(std::size_t{4}), nullptr);
    items.Remove("d");
    items.Remove(std::size_t{5});
    EXPECT_EQ(items.Count(), 3u);
    items.Remove("B");
    EXPECT_EQ(Names(items), (std::vector<std::string>{"a", "c"}));
    items.Remove(std::size_t{1});
    EXPECT_EQ(Names(items), (std::vector<std::string>{"c"}));
    EXPECT_EQ(items.Item("a"), nullptr);
    items.Clear();
    EXPECT_EQ(items.Count(), 0u);
    EXPECT_EQ(items.Add("z", "Z", "")->Index, 1);
}

}  // namespace
}  // namespace quarrion
