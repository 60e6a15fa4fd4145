#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "foundation/codes.h"

namespace quarrion {

// One QuickBooks list or transaction type the program offers.
struct RequestType {
    std::int32_t code;
    std::string_view stem;   // qbXML stem: stem + "Ret" names a record element
    std::string_view title;  // reads well alone and with " List" appended
    bool isTransaction;      // transactions filter by TxnDate; lists only by TimeModified
    int toPrintCategory;     // a PrintCategory
    std::string_view since;  // qbXML version in which the type's query appeared
};

// The program's knowledge of QuickBooks request types and qbXML data types. Plain
// tables: every call is cheap, thread-safe and needs no instance state.
class RequestTypeInfo {
  public:
    // All offered types in code order (1 to 35 without 14).
    static std::span<const RequestType> All();
    // The entry of a code, or nullptr for a code that is not offered.
    static const RequestType* Find(std::int32_t requestType);
    // The entry whose name (stem) equals `name` ignoring case, or nullptr.
    static const RequestType* FindByName(std::string_view name);

    // Empty texts for codes that are not offered.
    static std::string TypeName(std::int32_t requestType);
    static std::string TypeTitle(std::int32_t requestType);
    static std::string ElementStem(std::int32_t requestType);
    static std::string RecordElementName(std::int32_t requestType);

    // A PrintCategory (None for types that are not printed).
    // Every processor we build marks the same types, so the context does not change it.
    static int ToPrintCategory(std::int32_t requestType, std::string_view responseContext);
    // No processor we build can show a record inside QuickBooks.
    static bool CanOpenRecord(std::string_view responseContext);
    // Whether the type's query exists in qbXML `version` ("2.0", "3.0", "CA3.0").
    static bool HasVersion(std::int32_t requestType, std::string_view version);

    static std::string ErrorText(std::int32_t errorCode);
    static std::string ErrorSolution(std::int32_t errorCode);

    // Round-trip between catalog data-type names and codes; unknown names give 0,
    // unknown codes an empty name.
    static std::int32_t DataTypeCodeByName(std::string_view name);
    static std::string DataTypeNameByCode(std::int32_t code);
};

}  // namespace quarrion
