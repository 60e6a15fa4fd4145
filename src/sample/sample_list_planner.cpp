#include "sample/sample_list_planner.h"

#include <algorithm>
#include <tuple>

#include "foundation/calendar_day.h"
#include "foundation/text_fold.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;
namespace names = sample_names;

namespace {

struct ChartEntry {
    const char* number;
    const char* name;  // parent:child for subaccounts
    std::string_view type;
    std::string_view special;
    const char* description;
};

// The chart of accounts of a small trading company.
constexpr ChartEntry kChart[] = {
    {"1000", "Checking", "Bank", "", "Operating account, First Springfield Bank"},
    {"1010", "Savings", "Bank", "", "Money market savings"},
    {"1020", "Petty Cash", "Bank", "", "Cash drawer and petty cash box"},
    {"1200", "Accounts Receivable", "AccountsReceivable", "AccountsReceivable",
     "Unpaid or unapplied customer invoices and credits"},
    {"1120", "Inventory Asset", "OtherCurrentAsset", "InventoryAssets",
     "Costs of inventory purchased for resale"},
    {"1499", "Undeposited Funds", "OtherCurrentAsset", "UndepositedFunds",
     "Funds received, but not yet deposited to a bank account"},
    {"1300", "Prepaid Insurance", "OtherCurrentAsset", "", "Insurance paid in advance"},
    {"1500", "Furniture and Equipment", "FixedAsset", "", "Store fixtures, racks and computers"},
    {"1510", "Vehicles", "FixedAsset", "", "Delivery van"},
    {"1550", "Accumulated Depreciation", "FixedAsset", "", "Depreciation of fixed assets"},
    {"2000", "Accounts Payable", "AccountsPayable", "AccountsPayable",
     "Unpaid or unapplied vendor bills or credits"},
    {"2050", "Visa Business Card", "CreditCard", "", "Company Visa, ending 4421"},
    {"2060", "AmEx Corporate", "CreditCard", "", "American Express, ending 1009"},
    {"2100", "Payroll Liabilities", "OtherCurrentLiability", "",
     "Unpaid payroll liabilities, amounts withheld or accrued"},
    {"2200", "Sales Tax Payable", "OtherCurrentLiability", "SalesTaxPayable",
     "Sales tax collected, not yet paid to the state"},
    {"2300", "Customer Deposits", "OtherCurrentLiability", "", "Deposits on special orders"},
    {"2700", "Bank Loan", "LongTermLiability", "", "Equipment loan, 5-year term"},
    {"3000", "Opening Balance Equity", "Equity", "OpeningBalanceEquity",
     "Opening balances during setup post to this account"},
    {"3100", "Owner's Equity", "Equity", "", ""},
    {"3110", "Owner's Equity:Owner's Draw", "Equity", "", "Withdrawals by the owner"},
    {"3900", "Retained Earnings", "Equity", "RetainedEarnings",
     "Undistributed earnings of the business"},
    {"4000", "Sales", "Income", "", "Gross receipts from sales"},
    {"4010", "Sales:Merchandise Sales", "Income", "", "Sales of inventory and special orders"},
    {"4020", "Sales:Service Income", "Income", "", "Installation, delivery and labor"},
    {"4100", "Freight & Delivery Income", "Income", "", "Shipping charged to customers"},
    {"4200", "Sales Discounts", "Income", "", "Discounts given to customers"},
    {"4300", "Fees & Surcharges", "Income", "", "Restocking, rush and finance charges"},
    {"5000", "Cost of Goods Sold", "CostOfGoodsSold", "CostOfGoodsSold",
     "Costs of items purchased and then sold to customers"},
    {"5100", "Freight In", "CostOfGoodsSold", "", "Shipping paid on purchases"},
    {"5200", "Subcontracted Services", "CostOfGoodsSold", "", "Installers and contractors"},
    {"6000", "Advertising & Marketing", "Expense", "", "Ads, flyers and trade shows"},
    {"6100", "Automobile", "Expense", "", "Delivery van running costs"},
    {"6110", "Automobile:Fuel", "Expense", "", "Gasoline and diesel"},
    {"6120", "Automobile:Repairs", "Expense", "", "Service and repairs"},
    {"6200", "Bank Service Charges", "Expense", "", "Bank and card processing fees"},
    {"6300", "Depreciation Expense", "Expense", "", "Depreciation of fixed assets"},
    {"6400", "Insurance Expense", "Expense", "", "Liability and property insurance"},
    {"6500", "Meals and Entertainment", "Expense", "", "Business meals, 50% deductible"},
    {"6550", "Office Supplies", "Expense", "", "Paper, toner and small supplies"},
    {"6600", "Payroll Expenses", "Expense", "", "Wages, payroll taxes and benefits"},
    {"6700", "Professional Fees", "Expense", "", ""},
    {"6710", "Professional Fees:Accounting", "Expense", "", "Bookkeeping and tax preparation"},
    {"6720", "Professional Fees:Legal", "Expense", "", "Contracts and collections"},
    {"6800", "Rent Expense", "Expense", "", "Store and warehouse lease"},
    {"6900", "Repairs and Maintenance", "Expense", "", "Building and equipment repairs"},
    {"7000", "Telephone Expense", "Expense", "", "Phones and internet"},
    {"7100", "Utilities", "Expense", "", "Electricity, gas and water"},
    {"7200", "Shipping & Postage", "Expense", "", "Outgoing parcels and postage"},
    {"7300", "Travel Expense", "Expense", "", "Airfare, hotels and mileage"},
    {"7400", "Dues & Subscriptions", "Expense", "", "Trade associations and software"},
    {"8000", "Interest Income", "OtherIncome", "", "Interest on savings"},
    {"8500", "Interest Expense", "OtherExpense", "", "Interest on the equipment loan"},
};

std::string_view CashFlowOf(std::string_view type) {
    if (type == "AccountsReceivable" || type == "OtherCurrentAsset" || type == "AccountsPayable" ||
        type == "CreditCard" || type == "OtherCurrentLiability") {
        return "Operating";
    }
    if (type == "FixedAsset" || type == "OtherAsset") return "Investing";
    if (type == "LongTermLiability" || type == "Equity") return "Financing";
    if (type == "Bank") return "None";
    return "NotApplicable";
}

}  // namespace

void SampleListPlanner::Run() {
    PlanCompany();
    PlanTerms();
    PlanClasses();
    PlanTypes();
    PlanAccounts();
    PlanEmployees();
    PlanOtherNames();
    PlanVendors();
    PlanSalesReps();
    PlanItems();
    PlanCustomers();
}

void SampleListPlanner::PlanCompany() {
    SampleAddress& a = b_.companyAddress;
    a.addr1 = "Harbor & Pine Trading Co.";
    a.addr2 = "120 Commerce Way";
    a.addr3 = "Dock 4";
    a.city = "Springfield";
    a.state = "IL";
    a.postalCode = "62701";
}

void SampleListPlanner::PlanTerms() {
    struct TermsEntry {
        const char* name;
        int due, discountDays;
        std::int64_t percent;
    };
    static constexpr TermsEntry kTerms[] = {
        {"Due on receipt", 0, 0, 0}, {"Net 15", 15, 0, 0},          {"Net 30", 30, 0, 0},
        {"Net 60", 60, 0, 0},        {"1% 10 Net 30", 30, 10, 100}, {"2% 10 Net 30", 30, 10, 200}};
    for (const TermsEntry& entry : kTerms) {
        SampleEntity& e = c_.E(c_.AddEntity(Type::StandardTerms));
        c_.SetHierarchy(e, -1, entry.name);
        e.payment.dueDays = entry.due;
        e.payment.discountDays = entry.discountDays;
        e.payment.discountPercent = entry.percent;
    }
    const auto& terms = b_.lists[Type::StandardTerms];
    known_.dueOnReceipt = terms[0];
    known_.net15 = terms[1];
    known_.net30 = terms[2];
    known_.net60 = terms[3];
    known_.twoTen = terms[5];
    c_.E(terms[4]).active = false;  // an old term nobody uses any more
}

int SampleListPlanner::AddNamed(std::int32_t code, const std::string& fullName) {
    const auto colon = fullName.rfind(':');
    int parent = -1;
    if (colon != std::string::npos) {
        const std::string parentName = fullName.substr(0, colon);
        for (int i : b_.lists[static_cast<std::size_t>(code)]) {
            if (c_.E(i).fullName == parentName) parent = i;
        }
    }
    const int index = c_.AddEntity(code);
    c_.SetHierarchy(c_.E(index), parent,
                    colon == std::string::npos ? fullName : fullName.substr(colon + 1));
    return index;
}

void SampleListPlanner::PlanClasses() {
    for (const char* name : {"Retail", "Retail:Downtown", "Retail:Mall Kiosk", "Wholesale",
                             "Online", "Service", "Contract", "Admin"}) {
        AddNamed(Type::Class, name);
    }
    c_.E(b_.lists[Type::Class].back()).active = false;
}

void SampleListPlanner::PlanTypes() {
    for (const char* name : {"Retail", "Wholesale", "Contractor", "Hospitality",
                             "Hospitality:Restaurant", "Hospitality:Hotel", "Referral"}) {
        AddNamed(Type::CustomerType, name);
    }
    for (const char* name :
         {"Supplier", "Supplier:Overseas", "Contractor", "Utilities", "Tax Agency", "Services"}) {
        AddNamed(Type::VendorType, name);
    }
}

void SampleListPlanner::PlanAccounts() {
    for (const ChartEntry& row : kChart) {
        const int index = AddNamed(Type::Account, row.name);
        SampleEntity& e = c_.E(index);
        e.account.type = row.type;
        e.account.specialType = row.special;
        e.account.number = row.number;
        e.account.description = row.description;
        e.account.cashFlow = CashFlowOf(row.type);
        if (row.type == "Bank" && e.name != "Petty Cash") {
            e.account.bankNumber = "XXXXXX" + Digits(c_.R().Between(1000, 9999), 4);
        }
        if (row.type == "Income") {
            e.account.taxLineId = 1;
            e.account.taxLineName = "Gross receipts or sales";
        } else if (row.type == "Expense" && c_.R().Chance(0.5)) {
            e.account.taxLineId = 30;
            e.account.taxLineName = "Other deductions";
        }
    }
    known_.checking = c_.Account("Checking");
    known_.savings = c_.Account("Savings");
    known_.ar = c_.Account("Accounts Receivable");
    known_.ap = c_.Account("Accounts Payable");
    known_.undeposited = c_.Account("Undeposited Funds");
    known_.inventoryAsset = c_.Account("Inventory Asset");
    known_.visa = c_.Account("Visa Business Card");
    known_.amex = c_.Account("AmEx Corporate");
    known_.merchandise = c_.Account("Sales:Merchandise Sales");
    known_.serviceIncome = c_.Account("Sales:Service Income");
    known_.freightIncome = c_.Account("Freight & Delivery Income");
    known_.discounts = c_.Account("Sales Discounts");
    known_.fees = c_.Account("Fees & Surcharges");
    known_.cogs = c_.Account("Cost of Goods Sold");
    known_.subcontract = c_.Account("Subcontracted Services");
    for (const char* name :
         {"Advertising & Marketing", "Automobile:Fuel", "Automobile:Repairs",
          "Bank Service Charges", "Insurance Expense", "Meals and Entertainment", "Office Supplies",
          "Professional Fees:Accounting", "Professional Fees:Legal", "Repairs and Maintenance",
          "Shipping & Postage", "Travel Expense", "Dues & Subscriptions", "Telephone Expense"}) {
        known_.generalExpenses.push_back(c_.Account(name));
    }
}

std::pair<std::string, std::string> SampleListPlanner::PersonName() {
    return {std::string(c_.Pick(names::FirstNames())), std::string(c_.Pick(names::Surnames()))};
}

void SampleListPlanner::PlanEmployees() {
    static constexpr std::string_view kTitles[] = {
        "Store Manager", "Sales Associate", "Warehouse Lead",  "Bookkeeper", "Delivery Driver",
        "Installer",     "Buyer",           "Sales Associate", "Installer",  "Customer Service"};
    static constexpr std::string_view kDepartments[] = {"Sales", "Warehouse", "Office", "Service"};
    static constexpr std::string_view kRelations[] = {"Spouse", "Mother", "Father",
                                                      "Friend", "Sister", "Brother"};
    const int count = c_.Scaled(12, 4);
    for (int n = 0; n < count; ++n) {
        const int index = c_.AddEntity(Type::Employee);
        SampleEntity& e = c_.E(index);
        auto [first, last] = PersonName();
        e.party.firstName = first;
        e.party.lastName = last;
        if (c_.R().Chance(0.3))
            e.party.middleName = std::string(1, static_cast<char>('A' + c_.R().Below(26)));
        c_.SetHierarchy(e, -1, people_.Claim(first + " " + last, kEntityNameMax));
        e.party.salutation = c_.R().Chance(0.5) ? "Mr." : "Ms.";
        e.party.jobTitle = std::string(kTitles[static_cast<std::size_t>(n) % std::size(kTitles)]);
        e.party.department = std::string(c_.Pick(std::span<const std::string_view>(kDepartments)));
        const names::Place& place = names::Places()[c_.R().Below(4)];
        e.party.address = c_.Address(e.name, place);
        e.party.address.addr1 = e.party.address.addr2;  // employees list the street first
        e.party.address.addr2 = e.party.address.addr3;
        e.party.address.addr3.clear();
        e.party.phone = c_.Phone(place);
        if (c_.R().Chance(0.7)) e.party.mobile = c_.Phone(place);
        e.party.email = Slug(first) + "." + Slug(last) + "@harborpine.example";
        e.party.ssn = "XXX-XX-" + Digits(c_.R().Between(1000, 9999), 4);
        e.party.employeeType = n == 0 ? "Owner"sv : (n == 1 ? "Officer"sv : "Regular"sv);
        e.party.gender = c_.R().Chance(0.5) ? "Male"sv : "Female"sv;
        e.party.hired = b_.firstDay - static_cast<std::int32_t>(c_.R().Between(30, 3000));
        e.party.birth =
            e.party.hired - static_cast<std::int32_t>(c_.R().Between(19 * 365, 50 * 365));
        e.party.accountNumber = "E-" + Digits(n + 1, 3);
        if (c_.R().Chance(0.5)) {
            auto [ef, el] = PersonName();
            e.party.emergencyName = ef + " " + el;
            e.party.emergencyPhone = c_.Phone(place);
            e.party.emergencyRelation = c_.Pick(std::span<const std::string_view>(kRelations));
        }
        if (n > 3 && c_.R().Chance(0.12)) {
            e.active = false;
            e.party.released =
                static_cast<std::int32_t>(c_.R().Between(b_.firstDay, b_.today - 30));
        }
        if (c_.R().Chance(0.2)) e.notes = "Forklift certified.";
        if (c_.R().Chance(0.4))
            c_.AddCustom(e.custom, "Shirt Size", c_.R().Chance(0.5) ? "L" : "M");
    }
}

void SampleListPlanner::PlanOtherNames() {
    const int count = c_.Scaled(12, 2);
    static constexpr std::string_view kFixed[] = {"Bank of Springfield", "Petty Cash Custodian",
                                                  "Springfield Chamber of Commerce"};
    for (int n = 0; n < count; ++n) {
        const int index = c_.AddEntity(Type::OtherName);
        SampleEntity& e = c_.E(index);
        const names::Place& place = names::Places()[0];
        if (static_cast<std::size_t>(n) < std::size(kFixed)) {
            c_.SetHierarchy(e, -1,
                            people_.Claim(kFixed[static_cast<std::size_t>(n)], kEntityNameMax));
            e.party.companyName = e.name;
        } else {
            auto [first, last] = PersonName();
            e.party.firstName = first;
            e.party.lastName = last;
            e.party.salutation = c_.R().Chance(0.5) ? "Mr." : "Ms.";
            c_.SetHierarchy(e, -1, people_.Claim(first + " " + last, kEntityNameMax));
        }
        e.party.address = c_.Address(e.name, place);
        if (c_.R().Chance(0.8)) e.party.phone = c_.Phone(place);
        if (c_.R().Chance(0.5)) e.party.email = "office@" + Slug(e.name) + ".example";
        if (c_.R().Chance(0.3)) e.notes = "Reimbursements and one-off payments.";
    }
}

void SampleListPlanner::PlanVendors() {
    const auto hard = names::HardVendorNames();
    const int count = c_.Scaled(60, static_cast<int>(hard.size()) + 4);
    const int supplierType = b_.lists[Type::VendorType][0];
    const int overseasType = b_.lists[Type::VendorType][1];
    const int contractorType = b_.lists[Type::VendorType][2];
    const int utilityType = b_.lists[Type::VendorType][3];
    const int taxType = b_.lists[Type::VendorType][4];
    const int serviceType = b_.lists[Type::VendorType][5];
    static constexpr std::string_view kServiceNames[] = {
        "Hartley Properties LLC",  "Springfield Telecom",   "Keystone Insurance Agency",
        "Summit Accounting Group", "Speedy Parcel Service", "Blue Ridge Legal, P.C."};
    for (int n = 0; n < count; ++n) {
        const int index = c_.AddEntity(Type::Vendor);
        SampleEntity& e = c_.E(index);
        VendorRole role = VendorRole::Supplier;
        std::string wanted;
        const std::size_t fixedServices = std::size(kServiceNames);
        if (static_cast<std::size_t>(n) < hard.size()) {
            wanted = std::string(hard[static_cast<std::size_t>(n)]);
            if (wanted.find("Power") != std::string::npos ||
                wanted.find("Water") != std::string::npos) {
                role = VendorRole::Utility;
            } else if (wanted.find("Revenue") != std::string::npos) {
                role = VendorRole::Tax;
            }
        } else if (static_cast<std::size_t>(n) < hard.size() + fixedServices) {
            wanted = std::string(kServiceNames[static_cast<std::size_t>(n) - hard.size()]);
            role = wanted.find("Properties") != std::string::npos ? VendorRole::Landlord
                   : wanted.find("Parcel") != std::string::npos   ? VendorRole::Carrier
                                                                  : VendorRole::Service;
        } else if (c_.R().Chance(0.12)) {
            auto [first, last] = PersonName();
            wanted = last + " " + std::string(c_.R().Chance(0.5) ? "Installations" : "Contracting");
            role = VendorRole::Service;
        } else {
            const double u = c_.R().Unit();
            if (u < 0.4) {
                wanted = std::string(c_.Pick(names::Descriptors())) + " " +
                         std::string(c_.Pick(names::Trades())) + " " +
                         std::string(c_.Pick(names::CompanySuffixes()));
            } else if (u < 0.7) {
                wanted = PersonName().second + " Wholesale " +
                         std::string(c_.Pick(names::CompanySuffixes()));
            } else {
                wanted = std::string(c_.Pick(names::Descriptors())) + " " +
                         std::string(c_.Pick(names::ProductGroups())) + " Supply";
            }
        }
        c_.SetHierarchy(e, -1, people_.Claim(wanted, kEntityNameMax));
        e.party.companyName = e.name;
        auto [first, last] = PersonName();
        e.party.firstName = first;
        e.party.lastName = last;
        e.party.contact = first + " " + last;
        const names::Place& place =
            role == VendorRole::Supplier ? c_.RandomPlace() : names::Places()[0];
        e.party.address = c_.Address(e.party.companyName, place);
        if (c_.R().Chance(0.9)) e.party.phone = c_.Phone(place);
        if (c_.R().Chance(0.3)) e.party.fax = c_.Phone(place);
        if (c_.R().Chance(0.75)) e.party.email = "ar@" + Slug(e.name) + ".example";
        if (c_.R().Chance(0.6))
            e.party.accountNumber = "HP-" + Digits(c_.R().Between(1000, 99999), 5);
        e.terms = role == VendorRole::Supplier ? (c_.R().Chance(0.2) ? known_.twoTen : known_.net30)
                                               : known_.net15;
        switch (role) {
            case VendorRole::Supplier:
                e.party.typeRef = place.country.empty() ? supplierType : overseasType;
                known_.suppliers.push_back(index);
                break;
            case VendorRole::Utility:
                e.party.typeRef = utilityType;
                known_.utilities.push_back(index);
                break;
            case VendorRole::Tax:
                e.party.typeRef = taxType;
                break;
            case VendorRole::Landlord:
                e.party.typeRef = serviceType;
                known_.landlord = index;
                break;
            case VendorRole::Carrier:
                e.party.typeRef = serviceType;
                known_.carrier = index;
                break;
            case VendorRole::Service:
                e.party.typeRef = wanted.find("Install") != std::string::npos ||
                                          wanted.find("Contract") != std::string::npos
                                      ? contractorType
                                      : serviceType;
                known_.services.push_back(index);
                break;
        }
        if (e.party.typeRef == contractorType) {
            e.party.eligible1099 = true;
            e.party.taxIdent = Digits(c_.R().Between(10, 99), 2) + "-" +
                               Digits(c_.R().Between(1000000, 9999999), 7);
        }
        if (c_.R().Chance(0.4)) e.party.creditLimit = c_.Money(5, 50) * 1000;
        if (c_.R().Chance(0.1)) e.notes = std::string(c_.Pick(names::Notes()));
        if (c_.R().Chance(0.3)) c_.AddCustom(e.custom, "Rep", first);
        if (n >= static_cast<int>(hard.size()) && c_.R().Chance(0.04)) e.active = false;
    }
    if (known_.suppliers.empty()) known_.suppliers.push_back(b_.lists[Type::Vendor][0]);
    if (known_.services.empty()) known_.services.push_back(b_.lists[Type::Vendor].back());
    if (known_.utilities.empty()) known_.utilities.push_back(b_.lists[Type::Vendor][0]);
    if (known_.landlord < 0) known_.landlord = known_.services[0];
    if (known_.carrier < 0) known_.carrier = known_.services[0];
}

void SampleListPlanner::PlanSalesReps() {
    UniqueNames initials;
    const auto& employees = b_.lists[Type::Employee];
    const std::size_t count = std::min<std::size_t>(6, employees.size());
    for (std::size_t n = 0; n < count; ++n) {
        const SampleEntity& person = c_.E(employees[n]);
        const int index = c_.AddEntity(Type::SalesRep);
        SampleEntity& e = c_.E(index);
        std::string wanted;
        wanted += Slug(person.party.firstName.substr(0, 1))[0];
        wanted += Slug(person.party.lastName.substr(0, 1))[0];
        for (char& c : wanted) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        c_.SetHierarchy(e, -1, initials.Claim(wanted, 5));
        e.repEntity = employees[n];
        e.active = person.active;
    }
    if (!b_.lists[Type::OtherName].empty()) {
        // An outside agent who sells on commission.
        const int index = c_.AddEntity(Type::SalesRep);
        SampleEntity& e = c_.E(index);
        c_.SetHierarchy(e, -1, initials.Claim("OUT", 5));
        e.repEntity = b_.lists[Type::OtherName].back();
    }
    for (int i : b_.lists[Type::SalesRep]) {
        if (c_.E(i).active) known_.activeReps.push_back(i);
    }
    if (known_.activeReps.empty()) known_.activeReps.push_back(b_.lists[Type::SalesRep][0]);
}

int SampleListPlanner::AddItem(std::int32_t code, int parent, const std::string& wanted) {
    const int index = c_.AddEntity(code);
    SampleEntity& e = c_.E(index);
    const std::string prefix = parent >= 0 ? c_.E(parent).fullName + ":" : std::string();
    // Item names are unique by full name across the whole item list.
    std::string name = FitText(wanted, kItemNameMax);
    for (int n = 2; items_.Taken(prefix + name); ++n) {
        const std::string suffix = " " + std::to_string(n);
        name = FitText(wanted, kItemNameMax - suffix.size()) + suffix;
    }
    items_.Claim(prefix + name, 159);
    c_.SetHierarchy(e, parent, name);
    return index;
}

void SampleListPlanner::PlanItems() {
    // Services.
    static constexpr std::string_view kServices[] = {"Installation",     "Delivery",
                                                     "Consultation",     "Design Services",
                                                     "Repair Labor",     "Assembly",
                                                     "Site Visit",       "Training",
                                                     "Equipment Rental", "Hauling",
                                                     "Cleaning",         "Maintenance Contract",
                                                     "Engraving",        "Custom Cutting",
                                                     "Inspection",       "Key Cutting",
                                                     "Gift Wrapping",    "Haul-Away & Disposal",
                                                     "Measure & Quote",  "After-Hours Call-Out"};
    const int services = c_.Scaled(20, 3);
    int labor = -1;
    for (int n = 0; n < services; ++n) {
        const bool underLabor = labor >= 0 && c_.R().Chance(0.3);
        std::string wanted(kServices[static_cast<std::size_t>(n) % std::size(kServices)]);
        if (n == 2 && labor < 0) {
            labor = AddItem(Type::ItemService, -1, "Labor");
            SampleEntity& l = c_.E(labor);
            l.item.salesDesc = "Labor, per hour";
            l.item.price = 6500;
            l.item.incomeAccount = known_.serviceIncome;
            known_.serviceItems.push_back(labor);
            continue;
        }
        const int index = AddItem(Type::ItemService, underLabor ? labor : -1, wanted);
        SampleEntity& e = c_.E(index);
        e.item.price = c_.R().Between(45, 125) * 100 + (c_.R().Chance(0.3) ? 50 : 0);
        e.item.salesDesc = wanted + (c_.R().Chance(0.5) ? ", per hour" : " - standard rate");
        e.item.incomeAccount = known_.serviceIncome;
        if (c_.R().Chance(0.2)) {
            e.item.purchased = true;
            e.item.cost = e.item.price * 6 / 10;
            e.item.purchaseDesc = "Subcontracted " + wanted;
            e.item.expenseAccount = known_.subcontract;
            e.item.prefVendor = c_.PickIndex(known_.services);
        }
        if (c_.R().Chance(0.05)) e.active = false;
        known_.serviceItems.push_back(index);
    }

    // Inventory under product groups.
    std::vector<int> groups;
    for (std::string_view group : names::ProductGroups()) {
        const int index = AddItem(Type::ItemInventory, -1, std::string(group));
        SampleEntity& e = c_.E(index);
        e.item.salesDesc = std::string(group);
        e.item.incomeAccount = known_.merchandise;
        e.item.expenseAccount = known_.cogs;
        e.item.assetAccount = known_.inventoryAsset;
        groups.push_back(index);
    }
    const int inventory = c_.Scaled(50, 6);
    const auto groupNames = names::ProductGroups();
    for (int n = 0; n < inventory; ++n) {
        const names::Product& product = c_.Pick(names::Products());
        const std::string material = Choice(product.materials);
        const std::string size = Choice(product.sizes);
        const auto group = std::find(groupNames.begin(), groupNames.end(), product.group);
        const int parent =
            groups[static_cast<std::size_t>(group - groupNames.begin()) % groups.size()];
        std::string wanted = std::string(product.noun) + ", " + material + " " + size;
        std::string finish;
        if (items_.Taken(c_.E(parent).fullName + ":" + FitText(wanted, kItemNameMax))) {
            // The same product again comes in another finish.
            finish = std::string(c_.Pick(names::Finishes()));
            wanted = finish + " " + wanted;
        }
        const int index = AddItem(Type::ItemInventory, parent, wanted);
        SampleEntity& e = c_.E(index);
        e.item.price = c_.R().Between(product.lowDollars, product.highDollars) * 100 +
                       c_.Pick(std::span<const std::int64_t>(kCents));
        e.item.cost = e.item.price * c_.R().Between(42, 68) / 100;
        e.item.salesDesc = material + " " + Lower(std::string(product.noun)) + ", " + size;
        if (!finish.empty()) e.item.salesDesc += ", " + Lower(finish) + " finish";
        e.item.purchaseDesc = e.item.salesDesc + " (case pack)";
        e.item.incomeAccount = known_.merchandise;
        e.item.expenseAccount = known_.cogs;
        e.item.assetAccount = known_.inventoryAsset;
        e.item.prefVendor = c_.PickIndex(known_.suppliers);
        if (c_.R().Chance(0.6)) {
            e.item.partNumber = std::string(1, static_cast<char>('A' + c_.R().Below(26))) +
                                static_cast<char>('A' + c_.R().Below(26)) + "-" +
                                Digits(c_.R().Between(100, 9999), 4);
        }
        if (c_.R().Chance(0.5))
            e.item.barcode = "0" + Digits(c_.R().Between(10000000000LL, 99999999999LL), 11);
        e.item.reorderPoint = c_.R().Between(1, 5) * 500;
        if (c_.R().Chance(0.5)) e.item.maxQuantity = e.item.reorderPoint * 4;
        e.item.onHand = c_.R().Between(-3, 400) * 100;
        if (c_.R().Chance(0.5))
            c_.AddCustom(e.custom, "Shelf",
                         std::string(1, static_cast<char>('A' + c_.R().Below(8))) + "-" +
                             std::to_string(c_.R().Between(1, 40)));
        if (c_.R().Chance(0.03)) e.active = false;
        if (e.active) known_.stockItems.push_back(index);
    }

    // Non-inventory parts and special orders.
    static constexpr std::string_view kNonInventory[] = {
        "Special Order Item",  "Custom Sign", "Gift Card",
        "Packaging Materials", "Catalog",     "Shipping Box",
        "Display Rack",        "Sample Pack", "Custom Cut Glass",
        "Rental Deposit Tag"};
    const int nonInventory = c_.Scaled(20, 3);
    for (int n = 0; n < nonInventory; ++n) {
        const std::string wanted(
            kNonInventory[static_cast<std::size_t>(n) % std::size(kNonInventory)]);
        const int index = AddItem(Type::ItemNonInventory, -1, wanted);
        SampleEntity& e = c_.E(index);
        e.item.price = c_.R().Between(5, 250) * 100;
        e.item.salesDesc = wanted;
        e.item.incomeAccount = known_.merchandise;
        if (c_.R().Chance(0.4)) {
            e.item.purchased = true;
            e.item.cost = e.item.price * 55 / 100;
            e.item.purchaseDesc = wanted + ", made to order";
            e.item.expenseAccount = known_.cogs;
            e.item.prefVendor = c_.PickIndex(known_.suppliers);
        }
        known_.otherSellable.push_back(index);
    }

    // Other charges.
    struct Charge {
        const char* name;
        std::int64_t price;
        std::int64_t percent;
        std::string_view special;
    };
    static constexpr Charge kCharges[] = {{"Freight", 2500, 0, ""},
                                          {"Restocking Fee", 1500, 0, ""},
                                          {"Rush Fee", 3500, 0, ""},
                                          {"Fuel Surcharge", 750, 0, ""},
                                          {"Finance Charge", 0, 0, "FinanceCharge"},
                                          {"Discount 10%", 0, -1000, ""},
                                          {"Environmental Fee", 395, 0, ""},
                                          {"Late Delivery Credit", -2000, 0, ""}};
    const int charges = c_.Scaled(8, 3);
    for (int n = 0; n < charges; ++n) {
        const Charge& row = kCharges[static_cast<std::size_t>(n) % std::size(kCharges)];
        const int index = AddItem(Type::ItemOtherCharge, -1, row.name);
        SampleEntity& e = c_.E(index);
        e.item.price = row.price;
        e.item.pricePercent = row.percent;
        e.item.specialItemType = row.special;
        e.item.salesDesc = row.name;
        e.item.incomeAccount = std::string_view(row.name) == "Freight" ? known_.freightIncome
                               : row.percent < 0 || row.price < 0      ? known_.discounts
                                                                       : known_.fees;
        if (row.special == "FinanceCharge")
            known_.financeItem = index;
        else if (row.percent < 0)
            known_.discountItem = index;
        else
            known_.chargeItems.push_back(index);
    }

    // Assemblies built from stock items.
    static constexpr std::string_view kAssemblies[] = {
        "Patio Set, 5-Piece", "Garden Starter Kit",   "Tool Kit, Deluxe",
        "Lamp Kit",           "Kitchen Bundle",       "Planter Box \"Large\"",
        "Faucet Repair Kit",  "Shelf Unit, Assembled"};
    const int assemblies = c_.Scaled(8, 2);
    for (int n = 0; n < assemblies; ++n) {
        const std::string wanted(kAssemblies[static_cast<std::size_t>(n) % std::size(kAssemblies)]);
        const int index = AddItem(Type::ItemInventoryAssembly, -1, wanted);
        const int parts = static_cast<int>(c_.R().Between(2, 4));
        std::int64_t price = 0, cost = 0;
        std::vector<std::pair<int, std::int64_t>> components;
        for (int p = 0; p < parts && !known_.stockItems.empty(); ++p) {
            const int part = c_.PickIndex(known_.stockItems);
            const std::int64_t quantity = c_.R().Between(1, 4) * 100;
            components.emplace_back(part, quantity);
            price += LineAmount(quantity, c_.E(part).item.price);
            cost += LineAmount(quantity, c_.E(part).item.cost);
        }
        SampleEntity& e = c_.E(index);
        e.item.components = std::move(components);
        e.item.price = price * 9 / 10;
        e.item.cost = cost;
        e.item.salesDesc = wanted + ", ready to use";
        e.item.purchaseDesc = wanted + " components";
        e.item.incomeAccount = known_.merchandise;
        e.item.expenseAccount = known_.cogs;
        e.item.assetAccount = known_.inventoryAsset;
        e.item.prefVendor = c_.PickIndex(known_.suppliers);
        e.item.reorderPoint = c_.R().Between(1, 3) * 100;
        e.item.onHand = c_.R().Between(0, 30) * 100;
        known_.otherSellable.push_back(index);
    }
}

std::string SampleListPlanner::Choice(std::string_view choices) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t bar = choices.find('|'); bar != std::string_view::npos;
         bar = choices.find('|', start)) {
        parts.push_back(choices.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(choices.substr(start));
    return std::string(parts[c_.R().Below(parts.size())]);
}

std::string SampleListPlanner::Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string SampleListPlanner::NearDuplicate(const std::string& name) {
    switch (c_.R().Below(4)) {
        case 0:
            return UpperCase(name);
        case 1: {
            std::string copy = name;
            const auto amp = copy.find(" & ");
            if (amp != std::string::npos) return copy.replace(amp, 3, " and ");
            return copy + " Inc";
        }
        case 2:
            return name + ".";
        default:
            return Slug(name).size() > 3 ? name + " (old)" : name + " 2";
    }
}

void SampleListPlanner::PlanCustomers() {
    const auto& types = b_.lists[Type::CustomerType];
    const int retailType = types[0], wholesaleType = types[1], contractorType = types[2],
              restaurantType = types[4], hotelType = types[5];
    const auto hard = names::HardCustomerNames();
    const int count = c_.Scaled(130, static_cast<int>(hard.size()) + 6);
    static constexpr std::string_view kRegions[] = {"North", "South", "East", "West", "Online"};
    static constexpr std::string_view kTiers[] = {"Gold", "Silver", "Bronze"};
    static constexpr std::string_view kDelivery[] = {"None", "Email", "Mail"};
    int made = 0;
    for (int n = 0; made < count; ++n) {
        bool business = true;
        std::string wanted;
        std::string first, last;
        std::tie(first, last) = PersonName();
        int duplicateOf = -1;
        if (static_cast<std::size_t>(n) < hard.size()) {
            wanted = std::string(hard[static_cast<std::size_t>(n)]);
            business = wanted != "Mary Johnson" && wanted != "Johnson, Mary";
            if (!business) {
                first = "Mary";
                last = "Johnson";
            }
        } else if (static_cast<std::size_t>(n) == hard.size()) {
            wanted = "Cash Customer";
        } else if (made > static_cast<int>(hard.size()) + 2 && c_.R().Chance(0.03)) {
            duplicateOf = c_.PickIndex(b_.lists[Type::Customer]);
            if (c_.E(duplicateOf).parent >= 0) duplicateOf = c_.E(duplicateOf).parent;
            wanted = NearDuplicate(c_.E(duplicateOf).name);
            business = !c_.E(duplicateOf).party.companyName.empty();
            first = c_.E(duplicateOf).party.firstName;
            last = c_.E(duplicateOf).party.lastName;
        } else if (c_.R().Chance(0.3)) {
            business = false;
            wanted = last + ", " + first;
        } else {
            const double u = c_.R().Unit();
            const std::string trade(c_.Pick(names::Trades()));
            if (u < 0.35) {
                wanted = PersonName().second + " " + trade;
            } else if (u < 0.5) {
                wanted = PersonName().second + " & Sons " + trade;
            } else if (u < 0.8) {
                wanted = std::string(c_.Pick(names::Descriptors())) + " " + trade;
            } else {
                wanted = std::string(c_.Pick(names::Descriptors())) + " " + trade + ", " +
                         std::string(c_.Pick(names::CompanySuffixes()));
            }
        }
        const int index = c_.AddEntity(Type::Customer);
        ++made;
        c_.SetHierarchy(c_.E(index), -1, people_.Claim(wanted, kEntityNameMax));
        SampleEntity& e = c_.E(index);
        const names::Place& place = c_.RandomPlace();
        e.party.firstName = first;
        e.party.lastName = last;
        if (business) {
            e.party.companyName = FitText(e.name, 41);
            e.party.contact = first + " " + last;
            e.party.jobTitle = std::string(c_.Pick(names::JobTitles()));
        } else {
            e.party.salutation = c_.R().Chance(0.5) ? "Mr." : "Ms.";
            if (c_.R().Chance(0.2))
                e.party.middleName = std::string(1, static_cast<char>('A' + c_.R().Below(26)));
        }
        e.party.address = c_.Address(business ? e.party.companyName : first + " " + last, place);
        if (c_.R().Chance(0.35)) e.party.shipAddress = c_.Address(e.party.address.addr1, place);
        if (c_.R().Chance(0.85)) e.party.phone = c_.Phone(place);
        if (business && c_.R().Chance(0.25)) e.party.fax = c_.Phone(place);
        if (c_.R().Chance(0.15)) e.party.altPhone = c_.Phone(place);
        if (c_.R().Chance(0.75)) {
            e.party.email = business ? "accounts@" + Slug(e.name) + ".example"
                                     : Slug(first) + "." + Slug(last) + "@mail.example";
        }
        if (business && c_.R().Chance(0.1)) e.party.cc = "owner@" + Slug(e.name) + ".example";
        if (business && c_.R().Chance(0.2)) e.party.altContact = PersonName().first + " " + last;
        e.terms = business
                      ? (c_.R().Chance(0.15) ? known_.net15
                                             : (c_.R().Chance(0.1) ? known_.net60 : known_.net30))
                      : known_.dueOnReceipt;
        if (c_.R().Chance(0.6)) e.salesRep = c_.PickIndex(known_.activeReps);
        const std::string trade = e.name;
        if (!business) {
            e.party.typeRef = retailType;
        } else if (trade.find("Café") != std::string::npos ||
                   trade.find("Cafe") != std::string::npos ||
                   trade.find("Bistro") != std::string::npos ||
                   trade.find("Deli") != std::string::npos ||
                   trade.find("Restaurant") != std::string::npos ||
                   trade.find("Pub") != std::string::npos) {
            e.party.typeRef = restaurantType;
        } else if (trade.find("Hotel") != std::string::npos) {
            e.party.typeRef = hotelType;
        } else if (trade.find("Build") != std::string::npos ||
                   trade.find("Construction") != std::string::npos ||
                   trade.find("Roofing") != std::string::npos ||
                   trade.find("Landscaping") != std::string::npos) {
            e.party.typeRef = contractorType;
        } else {
            e.party.typeRef = c_.R().Chance(0.5) ? wholesaleType : retailType;
        }
        if (c_.R().Chance(0.2)) e.classRef = b_.lists[Type::Class][c_.R().Below(5)];
        e.party.taxable = true;
        if (business && (e.party.typeRef == wholesaleType || e.party.typeRef == contractorType) &&
            c_.R().Chance(0.4)) {
            e.party.taxable = false;
            e.party.resaleNumber = "RS-" + Digits(c_.R().Between(100000, 999999), 6);
        }
        e.taxRate = e.party.address.country.empty()
                        ? 600 + static_cast<std::int64_t>(place.areaCode[2] - '0') * 25
                        : 0;
        if (e.taxRate == 0) e.party.taxable = false;
        if (c_.R().Chance(0.5)) e.party.accountNumber = "C-" + Digits(10000 + index, 5);
        if (business && c_.R().Chance(0.5)) e.party.creditLimit = c_.Money(1, 25) * 1000;
        e.party.deliveryMethod = c_.Pick(std::span<const std::string_view>(kDelivery));
        if (c_.R().Chance(0.15)) e.notes = std::string(c_.Pick(names::Notes()));
        if (c_.R().Chance(0.6))
            c_.AddCustom(e.custom, "Region",
                         std::string(c_.Pick(std::span<const std::string_view>(kRegions))));
        if (c_.R().Chance(0.25))
            c_.AddCustom(e.custom, "Loyalty Tier",
                         std::string(c_.Pick(std::span<const std::string_view>(kTiers))));
        if (duplicateOf >= 0) {
            // A second record for the same firm: same phone and address.
            const SampleEntity& original = c_.E(duplicateOf);
            e.party.phone = original.party.phone;
            e.party.email = original.party.email;
            e.party.address = original.party.address;
            e.party.typeRef = original.party.typeRef;
        }
        if (n > static_cast<int>(hard.size()) && c_.R().Chance(0.04)) e.active = false;
        if (index >= 0 && wanted == "Cash Customer") known_.cashCustomer = index;

        // Jobs of business customers.
        if (business && made < count && c_.R().Chance(0.12)) {
            const int jobs = static_cast<int>(c_.R().Between(1, 2));
            for (int j = 0; j < jobs && made < count; ++j) {
                const int jobIndex = c_.AddEntity(Type::Customer);
                ++made;
                const SampleEntity& owner = c_.E(index);
                SampleEntity& job = c_.E(jobIndex);
                const std::string jobName(c_.Pick(names::JobNames()));
                std::string name = jobName;
                for (int k = 2; people_.Taken(owner.fullName + ":" + name); ++k) {
                    name = jobName + " " + std::to_string(k);
                }
                people_.Claim(owner.fullName + ":" + name, 209);
                c_.SetHierarchy(job, index, name);
                job.party.companyName = owner.party.companyName;
                job.party.firstName = owner.party.firstName;
                job.party.lastName = owner.party.lastName;
                job.party.contact = owner.party.contact;
                job.party.address = owner.party.address;
                job.party.phone = owner.party.phone;
                job.party.email = owner.party.email;
                job.terms = owner.terms;
                job.salesRep = owner.salesRep;
                job.party.typeRef = owner.party.typeRef;
                job.party.taxable = owner.party.taxable;
                job.taxRate = owner.taxRate;
                job.party.resaleNumber = owner.party.resaleNumber;
                job.party.jobStart =
                    static_cast<std::int32_t>(c_.R().Between(b_.firstDay, b_.today));
                job.party.jobStatus =
                    job.party.jobStart < b_.today - 120 ? "Closed"sv : "InProgress"sv;
                if (job.party.jobStatus == "Closed")
                    job.party.jobEnd =
                        job.party.jobStart + static_cast<std::int32_t>(c_.R().Between(14, 90));
                job.party.jobDesc = jobName + " for " + owner.name;
            }
        }
    }
    for (int i : b_.lists[Type::Customer]) {
        if (c_.E(i).active && i != known_.cashCustomer) known_.activeCustomers.push_back(i);
    }
    if (known_.cashCustomer < 0) known_.cashCustomer = b_.lists[Type::Customer][0];
}

}  // namespace quarrion::sample_planning
