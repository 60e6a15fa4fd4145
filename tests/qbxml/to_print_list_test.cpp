#include "qbxml/to_print_list.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

// Entries are "TxnID TAB EditSequence TAB key" joined by commas; a record without
// EditSequence sends its TxnID followed directly by TAB and key, one without TxnID an
// empty one. Each entry here reads as "id/edit sequence or -/key/well formed".
TEST(ToPrintList, EntriesCarryIdEditSequenceAndKey) {
    EXPECT_TRUE(ParseToPrintEntries("").empty());
    std::string read;
    for (const ToPrintEntry& e : ParseToPrintEntries("T-1\t1001\tk0,T-2\tk1,\t5\tk2,broken")) {
        read += e.txnId + "/" + (e.hasEditSequence ? e.editSequence : "-") + "/" + e.key + "/" +
                (e.wellFormed ? "ok" : "bad") + " ";
    }
    EXPECT_EQ(read, "T-1/1001/k0/ok T-2/-/k1/ok /5/k2/ok broken/-//bad ");
}

TEST(ToPrintList, ResultsJoinKeyStateAndEditSequence) {
    std::vector<ToPrintResult> results{{"k0", "true", "1700000000"}, {"k4", "false", "12"}};
    EXPECT_EQ(FormatToPrintResults(results), "k0\ttrue\t1700000000,k4\tfalse\t12");
    EXPECT_EQ(FormatToPrintResults({}), "");
}

}  // namespace
}  // namespace quarrion
