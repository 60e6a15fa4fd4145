#include "qbxml/request_type_info.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "foundation/leading_number.h"
#include "foundation/text_fold.h"

namespace quarrion {

namespace {

constexpr std::array<RequestType, 34> kTypes{{
    {1, "Account", "Account", false, 0, "1.0"},
    {2, "Customer", "Customer", false, 0, "1.0"},
    {3, "Employee", "Employee", false, 0, "1.0"},
    {4, "Invoice", "Invoice", true, 1, "1.0"},
    {5, "CreditMemo", "Credit Memo", true, 5, "1.0"},
    {6, "Estimate", "Estimate", true, 0, "1.0"},
    {7, "SalesOrder", "Sales Order", true, 6, "2.1"},
    {8, "SalesReceipt", "Sales Receipt", true, 0, "1.0"},
    {9, "ReceivePayment", "Payment", true, 0, "1.1"},
    {10, "Charge", "Statement Charge", true, 0, "2.0"},
    {11, "Vendor", "Vendor", false, 0, "1.0"},
    {12, "PurchaseOrder", "Purchase Order", true, 3, "1.0"},
    {13, "Bill", "Bill", true, 0, "1.0"},
    {15, "BillPaymentCheck", "Bill Payment Check", true, 0, "2.0"},
    {16, "BillPaymentCreditCard", "Bill Payment Credit Card", true, 0, "2.0"},
    {17, "Check", "Check", true, 0, "1.0"},
    {18, "CreditCardCharge", "Credit Card Charge", true, 0, "1.0"},
    {19, "CreditCardCredit", "Credit Card Credit", true, 0, "1.0"},
    {20, "VendorCredit", "Vendor Credit", true, 0, "1.0"},
    {21, "ItemReceipt", "Item Receipt", true, 0, "3.0"},
    {22, "Deposit", "Deposit", true, 0, "2.0"},
    {23, "JournalEntry", "Journal Entry", true, 0, "1.0"},
    {24, "TimeTracking", "Time Tracking", true, 0, "1.0"},
    {25, "ItemService", "Service Item", false, 0, "1.0"},
    {26, "ItemInventory", "Inventory Item", false, 0, "1.0"},
    {27, "ItemNonInventory", "Non-inventory Item", false, 0, "1.0"},
    {28, "ItemOtherCharge", "Other Charge Item", false, 0, "1.0"},
    {29, "ItemInventoryAssembly", "Inventory Assembly Item", false, 0, "2.0"},
    {30, "OtherName", "Other Name", false, 0, "1.0"},
    {31, "Class", "Class", false, 0, "1.0"},
    {32, "SalesRep", "Sales Rep", false, 0, "1.0"},
    {33, "StandardTerms", "Terms", false, 0, "1.0"},
    {34, "CustomerType", "Customer Type", false, 0, "1.0"},
    {35, "VendorType", "Vendor Type", false, 0, "1.0"},
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
