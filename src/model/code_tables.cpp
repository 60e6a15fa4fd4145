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

bool TCType::Covers(std::int32_t choice, std::int32_t dataTypeCode) {
    switch (choice) {
        case 128:
            return dataTypeCode == DataTypeCode::Str;
        case 64:
            return dataTypeCode == DataTypeCode::Amt || dataTypeCode == DataTypeCode::Percent ||
                   dataTypeCode == DataTypeCode::Price || dataTypeCode == DataTypeCode::Quan;
        case 65:
        case 74:
        case 75:
        case 76:
            return dataTypeCode == choice;
        default:
            return false;
    }
}

void CodeTables::Fill() {
    Operations.Clear();
    for (std::int32_t code :
         {66, 68, 70, 72, 74, 76, 130, 142, 206, 132, 134, 138, 136, 36, 34, 140}) {
        Operations.Add(code);
    }
    Choices.Clear();
    for (std::int32_t code : {128, 64, 74, 75, 76, 65}) Choices.Add(code);
    DataTypes.Clear();
    for (std::int32_t code : {65, 70, 73, 74, 75, 76, 141, 33}) DataTypes.Add(code);
}

}  // namespace quarrion
