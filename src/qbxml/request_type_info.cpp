#include "qbxml/request_type_info.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "foundation/leading_number.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

namespace T = RequestTypeCode;
namespace P = PrintCategory;

constexpr std::array<RequestType, 34> kTypes{{
    {T::Account, "Account", "Account", false, P::None, "1.0"},
    {T::Customer, "Customer", "Customer", false, P::None, "1.0"},
    {T::Employee, "Employee", "Employee", false, P::None, "1.0"},
    {T::Invoice, "Invoice", "Invoice", true, P::Invoice, "1.0"},
    {T::CreditMemo, "CreditMemo", "Credit Memo", true, P::CreditMemo, "1.0"},
    {T::Estimate, "Estimate", "Estimate", true, P::None, "1.0"},
    {T::SalesOrder, "SalesOrder", "Sales Order", true, P::SalesOrder, "2.1"},
    {T::SalesReceipt, "SalesReceipt", "Sales Receipt", true, P::None, "1.0"},
    {T::ReceivePayment, "ReceivePayment", "Payment", true, P::None, "1.1"},
    {T::Charge, "Charge", "Statement Charge", true, P::None, "2.0"},
    {T::Vendor, "Vendor", "Vendor", false, P::None, "1.0"},
    {T::PurchaseOrder, "PurchaseOrder", "Purchase Order", true, P::PurchaseOrder, "1.0"},
    {T::Bill, "Bill", "Bill", true, P::None, "1.0"},
    {T::BillPaymentCheck, "BillPaymentCheck", "Bill Payment Check", true, P::None, "2.0"},
    {T::BillPaymentCreditCard, "BillPaymentCreditCard", "Bill Payment Credit Card", true, P::None,
     "2.0"},
    {T::Check, "Check", "Check", true, P::None, "1.0"},
    {T::CreditCardCharge, "CreditCardCharge", "Credit Card Charge", true, P::None, "1.0"},
    {T::CreditCardCredit, "CreditCardCredit", "Credit Card Credit", true, P::None, "1.0"},
    {T::VendorCredit, "VendorCredit", "Vendor Credit", true, P::None, "1.0"},
    {T::ItemReceipt, "ItemReceipt", "Item Receipt", true, P::None, "3.0"},
    {T::Deposit, "Deposit", "Deposit", true, P::None, "2.0"},
    {T::JournalEntry, "JournalEntry", "Journal Entry", true, P::None, "1.0"},
    {T::TimeTracking, "TimeTracking", "Time Tracking", true, P::None, "1.0"},
    {T::ItemService, "ItemService", "Service Item", false, P::None, "1.0"},
    {T::ItemInventory, "ItemInventory", "Inventory Item", false, P::None, "1.0"},
    {T::ItemNonInventory, "ItemNonInventory", "Non-inventory Item", false, P::None, "1.0"},
    {T::ItemOtherCharge, "ItemOtherCharge", "Other Charge Item", false, P::None, "1.0"},
    {T::ItemInventoryAssembly, "ItemInventoryAssembly", "Inventory Assembly Item", false, P::None,
     "2.0"},
    {T::OtherName, "OtherName", "Other Name", false, P::None, "1.0"},
    {T::Class, "Class", "Class", false, P::None, "1.0"},
    {T::SalesRep, "SalesRep", "Sales Rep", false, P::None, "1.0"},
    {T::StandardTerms, "StandardTerms", "Terms", false, P::None, "1.0"},
    {T::CustomerType, "CustomerType", "Customer Type", false, P::None, "1.0"},
    {T::VendorType, "VendorType", "Vendor Type", false, P::None, "1.0"},
}};

struct DataTypeName {
    std::int32_t code;
    std::string_view name;
};

constexpr std::array<DataTypeName, 15> kDataTypes{{
    {DataTypeCode::Str, "STRTYPE"},
    {DataTypeCode::Amt, "AMTTYPE"},
    {DataTypeCode::Int, "INTTYPE"},
    {DataTypeCode::Float, "FLOATTYPE"},
    {DataTypeCode::Percent, "PERCENTTYPE"},
    {DataTypeCode::Price, "PRICETYPE"},
    {DataTypeCode::Quan, "QUANTYPE"},
    {DataTypeCode::Bool, "BOOLTYPE"},
    {DataTypeCode::Id, "IDTYPE"},
    {DataTypeCode::Date, "DATETYPE"},
    {DataTypeCode::DateTime, "DATETIMETYPE"},
    {DataTypeCode::Enum, "ENUMTYPE"},
    {DataTypeCode::Guid, "GUIDTYPE"},
    {DataTypeCode::TimeInterval, "TIMEINTERVALTYPE"},
    {DataTypeCode::Unknown, ""},
}};

// "CA3.0" -> Canadian edition, 3.0. The Canadian editions start at 2.0 and carry
// every type whose query exists by that number.
double VersionNumber(std::string_view version) {
    while (!version.empty() && !(version.front() >= '0' && version.front() <= '9')) {
        version.remove_prefix(1);
    }
    return LeadingNumber(version);
}

std::string Hex(std::int32_t code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<std::uint32_t>(code));
    return buffer;
}

}  // namespace

std::span<const RequestType> RequestTypeInfo::All() {
    return kTypes;
}

const RequestType* RequestTypeInfo::Find(std::int32_t requestType) {
    auto it = std::find_if(kTypes.begin(), kTypes.end(),
                           [&](const RequestType& t) { return t.code == requestType; });
    return it == kTypes.end() ? nullptr : &*it;
}

const RequestType* RequestTypeInfo::FindByName(std::string_view name) {
    auto it = std::find_if(kTypes.begin(), kTypes.end(),
                           [&](const RequestType& t) { return EqualsIgnoringCase(t.stem, name); });
    return it == kTypes.end() ? nullptr : &*it;
}

std::string RequestTypeInfo::TypeName(std::int32_t requestType) {
    const RequestType* t = Find(requestType);
    return t ? std::string(t->stem) : std::string();
}

std::string RequestTypeInfo::TypeTitle(std::int32_t requestType) {
    const RequestType* t = Find(requestType);
    return t ? std::string(t->title) : std::string();
}

std::string RequestTypeInfo::ElementStem(std::int32_t requestType) {
    return TypeName(requestType);
}

std::string RequestTypeInfo::RecordElementName(std::int32_t requestType) {
    const RequestType* t = Find(requestType);
    return t ? std::string(t->stem) + "Ret" : std::string();
}

int RequestTypeInfo::ToPrintCategory(std::int32_t requestType, std::string_view) {
    const RequestType* t = Find(requestType);
    return t ? t->toPrintCategory : 0;
}

bool RequestTypeInfo::CanOpenRecord(std::string_view) {
    return false;
}

bool RequestTypeInfo::HasVersion(std::int32_t requestType, std::string_view version) {
    const RequestType* t = Find(requestType);
    if (!t) return false;
    double asked = VersionNumber(version);
    if (asked <= 0) return false;
    return VersionNumber(t->since) <= asked + 1e-9;
}

std::string RequestTypeInfo::ErrorText(std::int32_t errorCode) {
    switch (errorCode) {
        case LinkError::ProcessorMissing:
            return "The QuickBooks request processor is not installed, so Quarrion cannot reach "
                   "QuickBooks.";
        case LinkError::CompanyFileMissing:
            return "The company file could not be found.";
        case LinkError::CompanyFileUnreadable:
            return "The company file could not be read: it is empty, damaged or not a qbXML "
                   "company file.";
        case LinkError::CompanyFileUnwritable:
            return "The change could not be saved to the company file.";
        case LinkError::RequestRejected:
            return "QuickBooks rejected the request.";
        case LinkError::ResponseUnreadable:
            return "QuickBooks sent an answer that could not be read.";
        case LinkError::ResponseFileMissing:
            return "The response folder has no file for this type.";
        case LinkError::CannotOpenRecord:
            return "This record cannot be opened in QuickBooks from here.";
        case LinkError::EditSequenceOutOfDate:
            return "The record was changed in QuickBooks after it was found, so it was left "
                   "unchanged.";
        default:
            return "QuickBooks access failed with error " + std::to_string(errorCode) + " (" +
                   Hex(errorCode) + ").";
    }
}

std::string RequestTypeInfo::ErrorSolution(std::int32_t errorCode) {
    switch (errorCode) {
        case LinkError::ProcessorMissing:
            return "Configure a request processor: use the sample company that ships with "
                   "Quarrion,\nor point Quarrion at a folder of qbXML response files.";
        case LinkError::CompanyFileMissing:
            return "Check the company file's path, or let Quarrion create its sample company\n"
                   "by removing the company file setting.";
        case LinkError::CompanyFileUnreadable:
            return "Restore the company file from a backup, or generate a new sample company\n"
                   "with \"quarrion-cli sample\". The damaged file was left untouched.";
        case LinkError::CompanyFileUnwritable:
            return "Make sure the company file's folder is writable and the disk has room,\n"
                   "then try again. The company file was left as it was.";
        case LinkError::RequestRejected:
            return "Check the search's dates and types and run it again.\nThe error log has the "
                   "details.";
        case LinkError::ResponseUnreadable:
            return "Run the search again. If it keeps failing, the error log has the details.";
        case LinkError::ResponseFileMissing:
            return "Save the type's query response in the folder as TYPE.xml (Customer.xml,\n"
                   "Invoice.xml, ...), or leave the type out of the search.";
        case LinkError::CannotOpenRecord:
            return "Use the data view to see the record instead.";
        case LinkError::EditSequenceOutOfDate:
            return "Run the search again to read the record's current state, then repeat the "
                   "change.";
        default:
            return "Run the search again. If the error persists, look it up in the error log\n"
                   "(File > Advanced > Error Log) and in the QuickBooks documentation.";
    }
}

std::int32_t RequestTypeInfo::DataTypeCodeByName(std::string_view name) {
    for (const auto& entry : kDataTypes) {
        if (!entry.name.empty() && EqualsIgnoringCase(entry.name, name)) return entry.code;
    }
    return DataTypeCode::Unknown;
}

std::string RequestTypeInfo::DataTypeNameByCode(std::int32_t code) {
    for (const auto& entry : kDataTypes) {
        if (entry.code == code) return std::string(entry.name);
    }
    return {};
}

}  // namespace quarrion
