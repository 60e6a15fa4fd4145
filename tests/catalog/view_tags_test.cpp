#include "catalog/view_tags.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"

namespace quarrion {
namespace {

class ViewTagsTest : public ::testing::Test {
  protected:
    QBXMLTag* Tag(const std::string& name, int sequence, const std::string& userHeading = "") {
        return catalog_.Add(RequestTypeCode::Invoice, "", sequence, sequence,
                            "//InvoiceRet/" + name, name + " default", 2, userHeading, false, "",
                            "STRTYPE", 0);
    }
    std::vector<std::string> Order() {
        std::vector<std::string> names;
        for (const auto& tag : tags_) names.push_back(tag->TagName.substr(13));
        return names;
    }
    QBXMLTags catalog_;
    ViewTags tags_;
};

TEST_F(ViewTagsTest, AViewTagTakesItsEntrysValuesAndAPathOnlyOnceInAnyCase) {
    tags_.Protect = true;
    ViewTag* view = tags_.Add(Tag("TxnDate", 3, "Date"));
    EXPECT_EQ(view->Heading + "|" + std::to_string(view->Sequence) + "|" +
                  std::to_string(view->Level) + "|" + view->TagName + "|" +
                  std::to_string(view->Protect),
              "Date|3|2|//InvoiceRet/TxnDate|1");
    EXPECT_EQ(tags_.Add(Tag("Blank", 0, "   "))->Heading, "Blank default");
    QBXMLTags other;
    QBXMLTag* same = other.Add(RequestTypeCode::Invoice, "", 0, 0, "//invoiceret/TXNDATE", "x", 1,
                               "", false, "", "", 0);
    EXPECT_EQ(tags_.Add(same), view);
    EXPECT_EQ(tags_.Count(), 2u);
    EXPECT_EQ(tags_.Item("//INVOICERET/txndate"), view);
    EXPECT_EQ(tags_.Item(std::size_t{3}), nullptr);
}

TEST_F(ViewTagsTest, SortPutsShownTagsFirstBySequenceAndKeepsTheRestInOrder) {
    for (auto [name, sequence] : std::vector<std::pair<std::string, int>>{
             {"A", 0}, {"B", 5}, {"C", 2}, {"D", -1}, {"E", 2}, {"F", 1}}) {
        tags_.Add(Tag(name, sequence));
    }
    EXPECT_TRUE(tags_.IsSequenced());
    tags_.Sort();
    EXPECT_EQ(Order(), (std::vector<std::string>{"F", "C", "E", "B", "A", "D"}));
    EXPECT_EQ(tags_.Item("//InvoiceRet/B"), tags_.Item(std::size_t{4}));
}

TEST_F(ViewTagsTest, RemovingKeepsKeysOfTheOthers) {
    for (const char* name : {"A", "B", "C"}) tags_.Add(Tag(name, 0));
    tags_.Remove("//invoiceret/a");
    EXPECT_FALSE(tags_.IsSequenced());
    EXPECT_EQ(Order(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(tags_.Item("//InvoiceRet/C"), tags_.Item(std::size_t{2}));
    tags_.Clear();
    EXPECT_EQ(tags_.Add(Tag("D", 0))->Index, 1);
}

}  // namespace
}  // namespace quarrion
