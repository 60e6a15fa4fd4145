#include "foundation/keyed_collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrion {
namespace {

struct Entry {
    std::string name;
    long Index = -1;
};

std::unique_ptr<Entry> Make(std::string name) {
    return std::make_unique<Entry>(Entry{std::move(name)});
}

// Keys ignore letter case, accented letters included; positions count from one.
TEST(KeyedCollection, KeysIgnoreCaseAndAnExistingKeyKeepsTheFirstEntry) {
    KeyedCollection<Entry> c;
    Entry* first = c.Add(Make("first"), "école");
    Entry* second = c.Add(Make("second"), "ÉCOLE");
    EXPECT_EQ(second, first);
    EXPECT_EQ(first->name, "first");
    EXPECT_EQ(c.Counter(), 1);
    EXPECT_EQ(c.Item("École"), first);
    EXPECT_EQ(c.Item("ecole"), nullptr);
    c.Add(Make("b"));
    EXPECT_EQ(c.Item(std::size_t{1}), first);
    EXPECT_EQ(c.Item(std::size_t{2})->name, "b");
    EXPECT_EQ(c.Item(std::size_t{0}), nullptr);
    EXPECT_EQ(c.Item(std::size_t{3}), nullptr);
}

TEST(KeyedCollection, RemovingKeepsOrderAndKeysOfTheRestAndClearResetsTheCounter) {
    KeyedCollection<Entry> c;
    for (std::string k : {"a", "b", "c", "d"}) c.Add(Make(k), k);
    auto removed = c.Remove("B");
    ASSERT_NE(removed, nullptr);
    EXPECT_EQ(removed->name, "b");
    EXPECT_EQ(c.Remove("b"), nullptr);
    std::vector<std::string> order;
    for (auto& e : c) order.push_back(e.name);
    EXPECT_EQ(order, (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(c.Item("d"), c.Item(std::size_t{3}));
    EXPECT_EQ(c.Item("C")->name, "c");
    EXPECT_EQ(c.Counter(), 4);
    c.Clear();
    EXPECT_EQ(c.Item("a"), nullptr);
    c.Add(Make("e"), "a");
    EXPECT_EQ(c.Counter(), 1);
}

}  // namespace
}  // namespace quarrion
