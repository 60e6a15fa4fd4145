#include "qbxml/request_type_info.h"

#include <gtest/gtest.h>

#include <set>

namespace quarrion {
namespace {

TEST(RequestTypeInfo, OffersCodesOneToThirtyFiveWithoutFourteen) {
    std::set<int> codes;
    std::set<std::string> names;
    for (const auto& t : RequestTypeInfo::All()) {
        codes.insert(t.code);
        names.insert(std::string(t.stem));
    }
    EXPECT_EQ(codes.size(), 34u);
    EXPECT_EQ(names.size(), 34u);
    EXPECT_FALSE(codes.contains(14));
    EXPECT_EQ(*codes.begin(), 1);
    EXPECT_EQ(*codes.rbegin(), 35);
    EXPECT_EQ(RequestTypeInfo::Find(14), nullptr);
    EXPECT_EQ(RequestTypeInfo::TypeName(14), "");
}

TEST(RequestTypeInfo, NamesTitlesAndRecordElements) {
    EXPECT_EQ(RequestTypeInfo::TypeName(12), "PurchaseOrder");
    EXPECT_EQ(RequestTypeInfo::TypeTitle(12), "Purchase Order");
    EXPECT_EQ(RequestTypeInfo::RecordElementName(12), "PurchaseOrderRet");
    EXPECT_EQ(RequestTypeInfo::ElementStem(2), "Customer");
    EXPECT_EQ(RequestTypeInfo::FindByName("invoice")->code, 4);
}

TEST(RequestTypeInfo, ToPrintCategoriesMarkOnlyThePrintableTypes) {
    EXPECT_EQ(RequestTypeInfo::ToPrintCategory(4, ""), 1);
    EXPECT_EQ(RequestTypeInfo::ToPrintCategory(12, ""), 3);
    EXPECT_EQ(RequestTypeInfo::ToPrintCategory(5, ""), 5);
    EXPECT_EQ(RequestTypeInfo::ToPrintCategory(7, ""), 6);
    int printable = 0;
    for (const auto& t : RequestTypeInfo::All()) printable += t.toPrintCategory != 0;
    EXPECT_EQ(printable, 4);
}

TEST(RequestTypeInfo, VersionsFollowWhenEachQueryAppeared) {
    EXPECT_TRUE(RequestTypeInfo::HasVersion(4, "1.0"));
    EXPECT_FALSE(RequestTypeInfo::HasVersion(7, "2.0"));
    EXPECT_TRUE(RequestTypeInfo::HasVersion(7, "2.1"));
    EXPECT_FALSE(RequestTypeInfo::HasVersion(21, "2.1"));
    EXPECT_TRUE(RequestTypeInfo::HasVersion(21, "3.0"));
    EXPECT_TRUE(RequestTypeInfo::HasVersion(21, "CA3.0"));
    EXPECT_FALSE(RequestTypeInfo::HasVersion(99, "3.0"));
}

TEST(RequestTypeInfo, DataTypeNamesRoundTripWithDistinctCodes) {
    std::set<int> codes;
    for (const char* name : {"STRTYPE", "AMTTYPE", "PRICETYPE", "PERCENTTYPE", "QUANTYPE",
                             "INTTYPE", "BOOLTYPE", "IDTYPE", "DATETYPE", "DATETIMETYPE",
                             "ENUMTYPE", "GUIDTYPE", "FLOATTYPE", "TIMEINTERVALTYPE"}) {
        int code = RequestTypeInfo::DataTypeCodeByName(name);
        EXPECT_NE(code, 0) << name;
        EXPECT_EQ(RequestTypeInfo::DataTypeNameByCode(code), name);
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), 14u);
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("STRTYPE"), 141);
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("AMTTYPE"), 65);
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("BOOLTYPE"), 33);
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("nonsense"), 0);
    // Only the number and text types carry the kind bits the rules test.
    for (const char* other : {"IDTYPE", "DATETYPE", "DATETIMETYPE", "ENUMTYPE", "GUIDTYPE"}) {
        EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName(other) & (32 | 64 | 128), 0) << other;
    }
}

TEST(RequestTypeInfo, EveryLinkErrorHasItsOwnMessageAndSolution) {
    std::set<std::string> texts;
    for (int code : {LinkError::ProcessorMissing, LinkError::CompanyFileMissing,
                     LinkError::CompanyFileUnreadable, LinkError::RequestRejected,
                     LinkError::EditSequenceOutOfDate, LinkError::ResponseUnreadable}) {
        texts.insert(RequestTypeInfo::ErrorText(code));
        EXPECT_FALSE(RequestTypeInfo::ErrorSolution(code).empty());
    }
    EXPECT_EQ(texts.size(), 6u);
    EXPECT_NE(RequestTypeInfo::ErrorText(12345).find("12345"), std::string::npos);
}

}  // namespace
}  // namespace quarrion
