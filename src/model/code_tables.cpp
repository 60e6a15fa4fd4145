#include "model/code_tables.h"

#include "foundation/common_tools.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

std::string OperationText(std::int32_t code) {
    return CommonTools::OperatorText(code);
}
std::string ChoiceTextOf(std::int32_t code) {
    return CommonTools::ChoiceText(code);
}
std::string DataTypeTextOf(std::int32_t code) {
    return RequestTypeInfo::DataTypeNameByCode(code);
}

void CodeTables::Fill() {
    Operations.Clear();
    for (long code : Operation::All) {
        Operations.Add(static_cast<std::int32_t>(code));
    }
    Choices.Clear();
    for (std::int32_t code : {Choice::Text, Choice::AnyNumber, Choice::Percent, Choice::Price,
                              Choice::Quantity, Choice::Amount}) {
        Choices.Add(code);
    }
    DataTypes.Clear();
    for (std::int32_t code :
         {DataTypeCode::Amt, DataTypeCode::Int, DataTypeCode::Float, DataTypeCode::Percent,
          DataTypeCode::Price, DataTypeCode::Quan, DataTypeCode::Str, DataTypeCode::Bool}) {
        DataTypes.Add(code);
    }
}

}  // namespace quarrion
