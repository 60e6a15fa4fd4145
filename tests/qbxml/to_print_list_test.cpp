#include "qbxml/to_print_list.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

TEST(ToPrintList, EntriesCarryIdEditSequenceAndKey) {
    EXPECT_TRUE(ParseToPrintEntries("").empty());
    auto entries = ParseToPrintEntries("T-1\t1001\tk0,T-2\tk1,\t5\tk2,broken");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].txnId, "T-1");
    EXPECT_TRUE(entries[0].hasEditSequence);
    EXPECT_EQ(entries[0].editSequence, "1001");
    EXPECT_EQ(entries[0].key, "k0");
    // A record without EditSequence sends its TxnID followed directly by TAB and key.
    EXPECT_EQ(entries[1].txnId, "T-2");
    EXPECT_FALSE(entries[1].hasEditSequence);
    EXPECT_EQ(entries[1].key, "k1");
    EXPECT_TRUE(entries[1].wellFormed);
    // A record without TxnID sends an empty one.
    EXPECT_EQ(entries[2].txnId, "");
    EXPECT_EQ(entries[2].key, "k2");
    EXPECT_FALSE(entries[3].wellFormed);
}

TEST(ToPrintList, ResultsJoinKeyStateAndEditSequence) {
    std::vector<ToPrintResult> results{{"k0", "true", "1700000000"}, {"k4", "false", "12"}};
    EXPECT_EQ(FormatToPrintResults(results), "k0\ttrue\t1700000000,k4\tfalse\t12");
    EXPECT_EQ(FormatToPrintResults({}), "");
}

}  // namespace
}  // namespace quarrion
