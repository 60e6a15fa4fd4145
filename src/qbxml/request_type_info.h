#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quarrion {

// One QuickBooks list or transaction type the program offers.
struct RequestType {
    std::int32_t code;
    std::string_view stem;   // qbXML stem: stem + "Ret" names a record element
    std::string_view title;  // reads well alone and with " List" appended
    bool isTransaction;      // transactions filter by TxnDate; lists only by TimeModified
    int toPrintCategory;     // 1 invoice, 3 purchase order, 5 credit memo, 6 sales order, 0 none
    std::string_view since;  // qbXML version in which the type's query appeared
};

// qbXML data-type codes. The kind bits decide how a value is compared: 32 boolean,
// 64 number, 128 text. The other qbXML types get codes without those bits, so no
// rule ever treats them as numbers or text by accident.
namespace DataTypeCode {
inline constexpr std::int32_t Str = 141;
inline constexpr std::int32_t Amt = 65;
inline constexpr std::int32_t Int = 70;
inline constexpr std::int32_t Float = 73;
inline constexpr std::int32_t Percent = 74;
inline constexpr std::int32_t Price = 75;
inline constexpr std::int32_t Quan = 76;
inline constexpr std::int32_t Bool = 33;
inline constexpr std::int32_t Id = 1;
inline constexpr std::int32_t Date = 2;
inline constexpr std::int32_t DateTime = 3;
inline constexpr std::int32_t Enum = 4;
inline constexpr std::int32_t Guid = 5;
inline constexpr std::int32_t TimeInterval = 6;
inline constexpr std::int32_t Unknown = 0;

// The types whose values compare and total as numbers.
constexpr bool IsNumber(std::int32_t code) {
    return code == Amt || code == Int || code == Float || code == Percent || code == Price ||
           code == Quan;
}
}  // namespace DataTypeCode

// Error codes the link raises through its PopUp event (and logs).
namespace LinkError {
// The request processor could not be found (the Windows "module not found" code).
inline constexpr std::int32_t ProcessorMissing = static_cast<std::int32_t>(0x8007007E);
inline constexpr std::int32_t CompanyFileMissing = 0x7001;
inline constexpr std::int32_t CompanyFileUnreadable = 0x7002;
inline constexpr std::int32_t RequestRejected = 0x7003;
inline constexpr std::int32_t ResponseUnreadable = 0x7004;
inline constexpr std::int32_t CannotOpenRecord = 0x7005;
inline constexpr std::int32_t CompanyFileUnwritable = 0x7006;
// The QuickBooks Web Connector did not take the request within the configured wait.
inline constexpr std::int32_t WebConnectorTimedOut = 0x7007;
// The Web Connector service could not listen (address taken, certificate unusable).
inline constexpr std::int32_t WebConnectorUnavailable = 0x7008;
// QuickBooks, behind the Web Connector, could not open the company or run the request.
inline constexpr std::int32_t QuickBooksConnectionFailed = 0x7009;
// A folder of response files holds no file for a type the search includes.
inline constexpr std::int32_t ResponseFileMissing = 0x700A;
// qbXML's own status code for a modify request whose EditSequence is out of date.
inline constexpr std::int32_t EditSequenceOutOfDate = 3200;
}  // namespace LinkError

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

    // 1 invoice, 3 purchase order, 5 credit memo, 6 sales order, 0 anything else.
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
