#pragma once

// The program's numbered vocabulary in one place: every code a rule, a request, a
// stored search or a processor carries has its name here, so no room writes a bare
// 64 or 206. The numbers are fixed: saved searches and the catalog store them.

#include <cstdint>

namespace quarrion {

// Kinds of data. Every comparison code carries its kind in these bits (an operation
// that fits numbers and texts carries both).
namespace Kind {
inline constexpr long Boolean = 32;
inline constexpr long Number = 64;
inline constexpr long Text = 128;
}  // namespace Kind

// What a word-search rule may be set to search (`Criterion.DataType`).
namespace Choice {
inline constexpr std::int32_t Text = 128;
inline constexpr std::int32_t AnyNumber = 64;
inline constexpr std::int32_t Amount = 65;
inline constexpr std::int32_t Percent = 74;
inline constexpr std::int32_t Price = 75;
inline constexpr std::int32_t Quantity = 76;
// Date and date-time elements (it shares the date type's code, which has none of the
// number, text or true/false kind bits).
inline constexpr std::int32_t Date = 2;
}  // namespace Choice

// Comparison operations (the codes of the operations table).
namespace Operation {
inline constexpr long LessThan = 66;
inline constexpr long LessOrEqual = 68;
inline constexpr long Equal = 70;
inline constexpr long GreaterOrEqual = 72;
inline constexpr long GreaterThan = 74;
inline constexpr long Between = 76;
inline constexpr long Contains = 130;
inline constexpr long StartsWith = 132;
inline constexpr long EndsWith = 134;
inline constexpr long WholeWord = 136;
inline constexpr long MatchesPattern = 138;
inline constexpr long IsBlank = 140;
// The whole text equals the entered text, letter case ignored.
inline constexpr long TextEquals = 142;
inline constexpr long InList = 206;
inline constexpr long IsTrue = 36;
inline constexpr long IsFalse = 34;
// Every operation, in the order the operations table lists them.
inline constexpr long All[] = {
    LessThan, LessOrEqual, Equal,    GreaterOrEqual, GreaterThan, Between, Contains, TextEquals,
    InList,   StartsWith,  EndsWith, MatchesPattern, WholeWord,   IsTrue,  IsFalse,  IsBlank};
}  // namespace Operation

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

// The QuickBooks list and transaction types offered (1 to 35; 14 is not offered).
namespace RequestTypeCode {
inline constexpr std::int32_t Account = 1;
inline constexpr std::int32_t Customer = 2;
inline constexpr std::int32_t Employee = 3;
inline constexpr std::int32_t Invoice = 4;
inline constexpr std::int32_t CreditMemo = 5;
inline constexpr std::int32_t Estimate = 6;
inline constexpr std::int32_t SalesOrder = 7;
inline constexpr std::int32_t SalesReceipt = 8;
inline constexpr std::int32_t ReceivePayment = 9;
inline constexpr std::int32_t Charge = 10;
inline constexpr std::int32_t Vendor = 11;
inline constexpr std::int32_t PurchaseOrder = 12;
inline constexpr std::int32_t Bill = 13;
inline constexpr std::int32_t BillPaymentCheck = 15;
inline constexpr std::int32_t BillPaymentCreditCard = 16;
inline constexpr std::int32_t Check = 17;
inline constexpr std::int32_t CreditCardCharge = 18;
inline constexpr std::int32_t CreditCardCredit = 19;
inline constexpr std::int32_t VendorCredit = 20;
inline constexpr std::int32_t ItemReceipt = 21;
inline constexpr std::int32_t Deposit = 22;
inline constexpr std::int32_t JournalEntry = 23;
inline constexpr std::int32_t TimeTracking = 24;
inline constexpr std::int32_t ItemService = 25;
inline constexpr std::int32_t ItemInventory = 26;
inline constexpr std::int32_t ItemNonInventory = 27;
inline constexpr std::int32_t ItemOtherCharge = 28;
inline constexpr std::int32_t ItemInventoryAssembly = 29;
inline constexpr std::int32_t OtherName = 30;
inline constexpr std::int32_t Class = 31;
inline constexpr std::int32_t SalesRep = 32;
inline constexpr std::int32_t StandardTerms = 33;
inline constexpr std::int32_t CustomerType = 34;
inline constexpr std::int32_t VendorType = 35;
}  // namespace RequestTypeCode

// How a transaction type is marked to be printed (0 for types that are not).
namespace PrintCategory {
inline constexpr int None = 0;
inline constexpr int Invoice = 1;
inline constexpr int PurchaseOrder = 3;
inline constexpr int CreditMemo = 5;
inline constexpr int SalesOrder = 6;
}  // namespace PrintCategory

// Export formats: comma-separated (".csv") or tab-delimited (".txt").
namespace ExportFormat {
inline constexpr int Comma = 1;
inline constexpr int Tab = 2;
}  // namespace ExportFormat

// Which way a model object's `Copy` runs: this into the target, or the target into
// this (taking the target's values as read, that is converted to their kind).
enum class CopyDirection { IntoTarget = 0, FromTarget = 1 };

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

}  // namespace quarrion
