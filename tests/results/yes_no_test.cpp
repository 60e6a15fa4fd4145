#include <gtest/gtest.h>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "qbxml/shown_value.h"
#include "results/response_examiner.h"

namespace quarrion {
namespace {

TEST(ShownValue, TrueFalseFieldsReadYesAndNoAndEverythingElseStays) {
    struct Case {
        const char* value;
        std::int32_t code;
        const char* shown;
    };
    const std::vector<Case> cases{
        {"true", DataTypeCode::Bool, "Yes"},    {"false", DataTypeCode::Bool, "No"},
        {"TRUE", DataTypeCode::Bool, "Yes"},    {"False", DataTypeCode::Bool, "No"},
        {"", DataTypeCode::Bool, ""},           {"1", DataTypeCode::Bool, "1"},
        {" true", DataTypeCode::Bool, " true"}, {"true", DataTypeCode::Str, "true"},
        {"false", DataTypeCode::Enum, "false"}, {"true", DataTypeCode::Unknown, "true"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShownValue(c.value, c.code), c.shown) << c.value << " as " << c.code;
    }
}

// The list a results window, the terminal tool and every file show is made here, so
// Yes and No reach all of them.
TEST(ShownValue, ExaminedListsShowYesAndNo) {
    QBXMLTags catalog;
    catalog.Add(RequestTypeCode::Customer, "Name", 1, 1, "//CustomerRet/Name", "Name", 1, "", false,
                "", "STRTYPE", 0);
    catalog.Add(RequestTypeCode::Customer, "IsActive", 2, 2, "//CustomerRet/IsActive", "Active", 1,
                "", false, "", "BOOLTYPE", 0);
    IncItem item;
    item.Name = "Customer";
    item.SetRequestType(RequestTypeCode::Customer);
    for (auto& tag : catalog) item.DisplayColumns.Add(tag);
    item.Response = R"(<QBXML><QBXMLMsgsRs><CustomerQueryRs statusCode="0">
<CustomerRet><Name>Acme</Name><IsActive>true</IsActive></CustomerRet>
<CustomerRet><Name>Bolt</Name><IsActive>false</IsActive></CustomerRet>
<CustomerRet><Name>Cafe</Name></CustomerRet>
</CustomerQueryRs></QBXMLMsgsRs></QBXML>)";

    Examinors examinors;
    ResultList list;
    ASSERT_TRUE(ExamineResponse(item, examinors, list, {}));
    ASSERT_EQ(list.Rows.size(), 3u);
    EXPECT_EQ(list.Rows[0].Cells[1], "Yes");
    EXPECT_EQ(list.Rows[1].Cells[1], "No");
    EXPECT_EQ(list.Rows[2].Cells[1], "");
}

}  // namespace
}  // namespace quarrion
