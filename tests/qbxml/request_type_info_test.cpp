#include "qbxml/request_type_info.h"

#include <gtest/gtest.h>

#include <set>

namespace quarrion {
namespace {

TEST(RequestTypeInfo, EachOfferedTypeHasItsOwnStemAndFourteenIsNone) {
    std::set<std::string> stems;
    for (const auto& t : RequestTypeInfo::All()) stems.insert(std::string(t.stem));
    EXPECT_EQ(stems.size(), RequestTypeInfo::All().size());
    EXPECT_EQ(RequestTypeInfo::Find(14), nullptr);
    EXPECT_EQ(RequestTypeInfo::TypeName(14), "");
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
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("AMTTYPE"), DataTypeCode::Amt);
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("nonsense"), 0);
    // Only the number and text types carry the kind bits the rules test.
    for (const char* other : {"IDTYPE", "DATETYPE", "DATETIMETYPE", "ENUMTYPE", "GUIDTYPE"}) {
        EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName(other) &
                      (Kind::Boolean | Kind::Number | Kind::Text),
                  0)
            << other;
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
