#include "qbxml/request_type_info.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

// A name reads as a code that reads back as the name, so no two names share a code.
// Only the number and text types carry the kind bits the rules test.
TEST(RequestTypeInfo, DataTypeNamesRoundTripAndOnlyNumbersAndTextsCarryKindBits) {
    for (const char* name : {"STRTYPE", "AMTTYPE", "PRICETYPE", "PERCENTTYPE", "QUANTYPE",
                             "INTTYPE", "BOOLTYPE", "IDTYPE", "DATETYPE", "DATETIMETYPE",
                             "ENUMTYPE", "GUIDTYPE", "FLOATTYPE", "TIMEINTERVALTYPE"}) {
        EXPECT_EQ(RequestTypeInfo::DataTypeNameByCode(RequestTypeInfo::DataTypeCodeByName(name)),
                  name);
    }
    EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName("nonsense"), 0);
    for (const char* other : {"IDTYPE", "DATETYPE", "DATETIMETYPE", "ENUMTYPE", "GUIDTYPE"}) {
        EXPECT_EQ(RequestTypeInfo::DataTypeCodeByName(other) &
                      (Kind::Boolean | Kind::Number | Kind::Text),
                  0)
            << other;
    }
}

TEST(RequestTypeInfo, UnknownCodesHaveNoTypeAndAnErrorTextThatNamesThem) {
    EXPECT_EQ(RequestTypeInfo::Find(14), nullptr);
    EXPECT_EQ(RequestTypeInfo::TypeName(14), "");
    EXPECT_NE(RequestTypeInfo::ErrorText(12345).find("12345"), std::string::npos);
}

}  // namespace
}  // namespace quarrion
