#include "output/rep_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrion {
namespace {

std::vector<std::string> Names(const RepItems& items) {
    std::vector<std::string> names;
    for (const auto& item : items) names.push_back(item->Name + "#" + std::to_string(item->Index));
    return names;
}

// A column first seen in a later line lands right after the one it followed there (keys
// in any letter case); a blank or unknown predecessor appends; a known key adds nothing.
// Index keeps the order of creation, and starts again at 1 after Clear.
TEST(RepItems, PlacesAfterThePredecessorAndRemovesByKeyOrPosition) {
    RepItems items;
    items.Add("./ItemRef/FullName", "Item", "");
    items.Add("./Desc", "Description", "   ");
    items.Add("./Amount", "Amount", "missing");
    items.Add("./Quantity", "Qty", "./itemref/fullname");
    EXPECT_EQ(items.Add("./DESC", "Other", "./Amount")->Heading, "Description");
    EXPECT_EQ(Names(items), (std::vector<std::string>{"./ItemRef/FullName#1", "./Quantity#4",
                                                      "./Desc#2", "./Amount#3"}));
    EXPECT_EQ(items.Item(std::size_t{0}), nullptr);
    EXPECT_EQ(items.Item(std::size_t{5}), nullptr);
    items.Remove("nothing");
    items.Remove(std::size_t{9});
    items.Remove("./quantity");
    items.Remove(std::size_t{1});
    EXPECT_EQ(Names(items), (std::vector<std::string>{"./Desc#2", "./Amount#3"}));
    EXPECT_EQ(items.Item("./itemref/FULLNAME"), nullptr);
    items.Clear();
    EXPECT_EQ(items.Count(), 0u);
    EXPECT_EQ(items.Add("z", "Z", "")->Index, 1);
}

}  // namespace
}  // namespace quarrion
