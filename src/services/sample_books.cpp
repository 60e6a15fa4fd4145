#include "services/sample_books.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numeric>
#include <tuple>
#include <utility>

#include "services/calendar_day.h"
#include "services/qbxml_value_text.h"
#include "services/sample_names.h"
#include "services/sample_random.h"
#include "services/text_fold.h"

namespace quarrion {

namespace {

using namespace std::string_view_literals;
namespace names = sample_names;

// Request-type codes the planner fills.
enum Code : std::int32_t {
    kAccount = 1,
    kCustomer = 2,
    kEmployee = 3,
    kInvoice = 4,
    kCreditMemo = 5,
    kEstimate = 6,
    kSalesOrder = 7,
    kSalesReceipt = 8,
    kReceivePayment = 9,
    kCharge = 10,
    kVendor = 11,
    kPurchaseOrder = 12,
    kBill = 13,
    kBillPaymentCheck = 15,
    kBillPaymentCreditCard = 16,
    kCheck = 17,
    kCreditCardCharge = 18,
    kCreditCardCredit = 19,
    kVendorCredit = 20,
    kItemReceipt = 21,
    kDeposit = 22,
    kJournalEntry = 23,
    kTimeTracking = 24,
    kItemService = 25,
    kItemInventory = 26,
    kItemNonInventory = 27,
    kItemOtherCharge = 28,
    kItemInventoryAssembly = 29,
    kOtherName = 30,
    kClass = 31,
    kSalesRep = 32,
    kStandardTerms = 33,
    kCustomerType = 34,
    kVendorType = 35,
};

constexpr std::int64_t kDay = 86400;

// Name field sizes QuickBooks Desktop enforces.
constexpr std::size_t kEntityNameMax = 41;
constexpr std::size_t kItemNameMax = 31;
constexpr std::size_t kListNameMax = 31;

std::string Hex(std::uint64_t value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(value));
    return buffer;
}

std::string Digits(std::int64_t value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(value));
    return buffer;
}

// Quantity (hundredths) times rate (cents), rounded half away from zero to a cent.
std::int64_t LineAmount(std::int64_t quantity, std::int64_t rate) {
    const std::int64_t product = quantity * rate;
    return product >= 0 ? (product + 50) / 100 : -((-product + 50) / 100);
}

// Percentage (hundredths of a percent) of an amount, rounded to a cent.
std::int64_t PercentOf(std::int64_t amount, std::int64_t percentHundredths) {
    const std::int64_t product = amount * percentHundredths;
    return product >= 0 ? (product + 5000) / 10000 : -((-product + 5000) / 10000);
}

// Lower-case ASCII letters and digits of a name, accents dropped, for e-mail addresses.
std::string Slug(std::string_view text) {
    static const std::pair<std::string_view, std::string_view> kFolds[] = {
        {"á", "a"},  {"à", "a"}, {"â", "a"}, {"ä", "a"}, {"å", "a"}, {"æ", "ae"}, {"ç", "c"},
        {"é", "e"},  {"è", "e"}, {"ê", "e"}, {"ë", "e"}, {"í", "i"}, {"î", "i"},  {"ï", "i"},
        {"ñ", "n"},  {"ó", "o"}, {"ô", "o"}, {"ö", "o"}, {"ø", "o"}, {"ú", "u"},  {"ü", "u"},
        {"ß", "ss"}, {"Á", "a"}, {"É", "e"}, {"Ñ", "n"}, {"Ö", "o"}, {"Ø", "o"},  {"Ü", "u"},
        {"Æ", "ae"}, {"Å", "a"}, {"ý", "y"}, {"ł", "l"}};
    std::string slug;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            slug += c;
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            slug += static_cast<char>(c - 'A' + 'a');
            ++i;
        } else if (static_cast<unsigned char>(c) >= 0x80) {
            bool folded = false;
            for (const auto& [from, to] : kFolds) {
                if (text.substr(i, from.size()) == from) {
                    slug += to;
                    i += from.size();
                    folded = true;
                    break;
                }
            }
            if (!folded) ++i;
        } else {
            ++i;
        }
    }
    return slug.empty() ? "contact" : slug;
}

struct ChartAccount {
    const char* number;
    const char* name;  // parent:child for subaccounts
    std::string_view type;
    std::string_view special;
    const char* description;
};

// The chart of accounts of a small trading company.
constexpr ChartAccount kChart[] = {
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

// A pending money movement that becomes a payment: which document it pays, when,
// and how much.
struct PaymentEvent {
    int doc;
    int party;
    std::int32_t date;
    std::int64_t amount;
};

class Planner {
  public:
    Planner(SampleBooks& books, std::uint64_t seed, double scale)
        : b_(books), random_(seed), scale_(scale) {
        now_ = static_cast<std::int64_t>(b_.today) * kDay + 18 * 3600;
    }

    void Run() {
        SampleRandom lists = random_.Fork(1);
        r_ = &lists;
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

        SampleRandom sales = random_.Fork(2);
        r_ = &sales;
        PlanSalesDocuments();
        PlanCharges();
        PlanCustomerPayments();
        PlanDeposits();

        SampleRandom purchases = random_.Fork(3);
        r_ = &purchases;
        PlanPurchaseOrders();
        PlanBills();
        PlanBillPayments();
        PlanChecks();
        PlanCardCharges();
        PlanVendorCredits();

        SampleRandom other = random_.Fork(4);
        r_ = &other;
        PlanJournalEntries();
        PlanTimeTracking();

        Finish();
    }

  private:
    // ---------------------------------------------------------------- helpers
    SampleRandom& R() { return *r_; }

    int Scaled(double base, int minimum) const {
        return std::max(minimum, static_cast<int>(std::llround(base * scale_)));
    }

    template <typename T>
    const T& Pick(std::span<const T> items) {
        return R().Pick(items);
    }
    int PickIndex(const std::vector<int>& indexes) { return indexes[R().Below(indexes.size())]; }
    // Favours the front of the list: a few customers and vendors do most business.
    int PickBusy(const std::vector<int>& indexes) {
        const double u = R().Unit();
        return indexes[static_cast<std::size_t>(u * u * static_cast<double>(indexes.size()))];
    }

    std::int64_t Money(std::int64_t lowDollars, std::int64_t highDollars) {
        return R().Between(lowDollars * 100, highDollars * 100);
    }

    // A weekday between firstDay and today.
    std::int32_t RandomDay() {
        std::int32_t day = static_cast<std::int32_t>(R().Between(b_.firstDay, b_.today));
        if (WeekdayOf(day) == 0) day = std::min(day + 1, b_.today);
        return day;
    }

    // `count` transaction dates, a few of them today so that a search over today's
    // date finds something of every type.
    std::vector<std::int32_t> Dates(int count) {
        std::vector<std::int32_t> days(static_cast<std::size_t>(count));
        for (auto& day : days) day = RandomDay();
        const int today = std::max(1, count / 50);
        for (int i = 0; i < today && i < count; ++i) days[static_cast<std::size_t>(i)] = b_.today;
        std::sort(days.begin(), days.end());
        return days;
    }

    std::int64_t At(std::int32_t day, int fromHour, int toHour) {
        return static_cast<std::int64_t>(day) * kDay +
               R().Between(fromHour * 3600, toHour * 3600 - 1);
    }

    // Set-up time of list records: the weeks before the books start.
    // A moment in office hours after `after`, on a day up to `lastDay`; never later
    // than the end of today's office hours.
    std::int64_t OfficeTimeAfter(std::int64_t after, std::int32_t lastDay) {
        const auto firstDay = static_cast<std::int32_t>(after / kDay);
        const auto day =
            static_cast<std::int32_t>(R().Between(firstDay, std::max(firstDay, lastDay)));
        return Later(std::max(after, At(day, 8, 18)), after);
    }

    // `when` itself when it lies after `after`, else a few minutes after `after`;
    // kept within today's office hours.
    std::int64_t Later(std::int64_t when, std::int64_t after) {
        if (when > after) return std::min(when, now_ - 1);
        return std::max(after + 1, std::min(now_ - 1, after + R().Between(300, 7200)));
    }

    // Set-up time of list records: the weeks before the books start.
    void StampList(SampleEntity& e) {
        e.created = At(b_.firstDay - static_cast<std::int32_t>(R().Between(10, 90)), 8, 18);
        const double u = R().Unit();
        if (u < 0.55) {
            e.modified = e.created;
        } else if (u < 0.94) {
            e.modified = OfficeTimeAfter(e.created, b_.today);
        } else {
            e.modified = Later(At(b_.today, 8, 18), e.created);  // changed today
        }
    }

    void StampTxn(SampleTxn& t) {
        const std::int32_t entered = std::min(
            b_.today,
            t.date + (R().Chance(0.85) ? 0 : static_cast<std::int32_t>(R().Between(1, 3))));
        t.created = At(entered, 8, 18);
        const double u = R().Unit();
        if (u < 0.62) {
            t.modified = t.created;
        } else if (u < 0.95) {
            t.modified = OfficeTimeAfter(t.created, std::min(b_.today, entered + 45));
        } else {
            t.modified = Later(At(b_.today, 8, 18), t.created);  // changed today
        }
    }

    // A record that depends on another (a payment on its invoice, a deposit on its
    // payments) is entered after it.
    void EnteredAfter(SampleTxn& t, std::int64_t when) {
        if (t.created <= when) t.created = Later(when, when);
        t.modified = std::max(t.modified, t.created);
    }

    // A later change (a payment applied, a receipt recorded) touches the record.
    static void Touch(SampleTxn& t, std::int64_t when) { t.modified = std::max(t.modified, when); }

    int AddEntity(std::int32_t code) {
        SampleEntity e;
        e.code = code;
        StampList(e);
        b_.entities.push_back(std::move(e));
        const int index = static_cast<int>(b_.entities.size()) - 1;
        b_.lists[static_cast<std::size_t>(code)].push_back(index);
        return index;
    }

    SampleEntity& E(int index) { return b_.entities[static_cast<std::size_t>(index)]; }
    SampleTxn& T(int index) { return b_.txns[static_cast<std::size_t>(index)]; }

    int AddTxn(std::int32_t code, std::int32_t date) {
        SampleTxn t;
        t.code = code;
        t.date = date;
        StampTxn(t);
        b_.txns.push_back(std::move(t));
        const int index = static_cast<int>(b_.txns.size()) - 1;
        b_.transactions[static_cast<std::size_t>(code)].push_back(index);
        return index;
    }

    // Named hierarchy: "Parent:Child" under an existing parent of the same list.
    void SetHierarchy(SampleEntity& e, int parent, std::string name) {
        e.name = std::move(name);
        if (parent >= 0) {
            e.parent = parent;
            e.sublevel = E(parent).sublevel + 1;
            e.fullName = E(parent).fullName + ":" + e.name;
        } else {
            e.fullName = e.name;
        }
    }

    const names::Place& RandomPlace() {
        // Most customers and suppliers are local.
        auto places = names::Places();
        if (R().Chance(0.45)) return places[0];
        return places[R().Below(places.size())];
    }

    std::string Phone(const names::Place& place) {
        if (!place.country.empty() && place.state.empty()) {
            return "+" + std::string(place.country == "Germany" ? "49 " : "41 ") +
                   std::string(place.areaCode) + " " + Digits(R().Between(1000000, 9999999), 7);
        }
        return "(" + std::string(place.areaCode) + ") 555-01" + Digits(R().Between(0, 99), 2);
    }

    SampleAddress Address(const std::string& nameLine, const names::Place& place) {
        SampleAddress a;
        a.addr1 = FitText(nameLine, 41);
        a.addr2 = std::to_string(R().Between(1, 9899)) + " " + std::string(Pick(names::Streets())) +
                  " " + std::string(Pick(names::StreetKinds()));
        if (R().Chance(0.2)) a.addr3 = "Suite " + std::to_string(R().Between(1, 12) * 100);
        a.city = std::string(place.city);
        a.state = std::string(place.state);
        if (place.country == "Canada") {
            a.postalCode =
                std::string(place.postalPrefix) + " " + std::to_string(R().Between(1, 9)) +
                static_cast<char>('A' + R().Below(26)) + std::to_string(R().Between(1, 9));
        } else {
            a.postalCode = std::string(place.postalPrefix) + Digits(R().Between(1, 99), 2);
        }
        a.country = std::string(place.country);
        return a;
    }

    void AddCustom(std::vector<SampleCustomField>& fields, std::string_view name,
                   std::string value) {
        fields.push_back({name, std::move(value)});
    }

    // ---------------------------------------------------------------- lists
    void PlanCompany() {
        SampleAddress& a = b_.companyAddress;
        a.addr1 = "Harbor & Pine Trading Co.";
        a.addr2 = "120 Commerce Way";
        a.addr3 = "Dock 4";
        a.city = "Springfield";
        a.state = "IL";
        a.postalCode = "62701";
    }

    void PlanTerms() {
        struct TermsEntry {
            const char* name;
            int due, discountDays;
            std::int64_t percent;
        };
        static constexpr TermsEntry kTerms[] = {
            {"Due on receipt", 0, 0, 0},   {"Net 15", 15, 0, 0},
            {"Net 30", 30, 0, 0},          {"Net 60", 60, 0, 0},
            {"1% 10 Net 30", 30, 10, 100}, {"2% 10 Net 30", 30, 10, 200}};
        for (const TermsEntry& entry : kTerms) {
            SampleEntity& e = E(AddEntity(kStandardTerms));
            SetHierarchy(e, -1, entry.name);
            e.dueDays = entry.due;
            e.discountDays = entry.discountDays;
            e.discountPercent = entry.percent;
        }
        const auto& terms = b_.lists[kStandardTerms];
        dueOnReceipt_ = terms[0];
        net15_ = terms[1];
        net30_ = terms[2];
        net60_ = terms[3];
        twoTen_ = terms[5];
        E(terms[4]).active = false;  // an old term nobody uses any more
    }

    int AddNamed(std::int32_t code, const std::string& fullName) {
        const auto colon = fullName.rfind(':');
        int parent = -1;
        if (colon != std::string::npos) {
            const std::string parentName = fullName.substr(0, colon);
            for (int i : b_.lists[static_cast<std::size_t>(code)]) {
                if (E(i).fullName == parentName) parent = i;
            }
        }
        const int index = AddEntity(code);
        SetHierarchy(E(index), parent,
                     colon == std::string::npos ? fullName : fullName.substr(colon + 1));
        return index;
    }

    void PlanClasses() {
        for (const char* name : {"Retail", "Retail:Downtown", "Retail:Mall Kiosk", "Wholesale",
                                 "Online", "Service", "Contract", "Admin"}) {
            AddNamed(kClass, name);
        }
        E(b_.lists[kClass].back()).active = false;
    }

    void PlanTypes() {
        for (const char* name : {"Retail", "Wholesale", "Contractor", "Hospitality",
                                 "Hospitality:Restaurant", "Hospitality:Hotel", "Referral"}) {
            AddNamed(kCustomerType, name);
        }
        for (const char* name : {"Supplier", "Supplier:Overseas", "Contractor", "Utilities",
                                 "Tax Agency", "Services"}) {
            AddNamed(kVendorType, name);
        }
    }

    int Account(std::string_view fullName) const {
        for (int i : b_.lists[kAccount]) {
            if (b_.entities[static_cast<std::size_t>(i)].fullName == fullName) return i;
        }
        return -1;
    }

    void PlanAccounts() {
        for (const ChartAccount& entry : kChart) {
            const int index = AddNamed(kAccount, entry.name);
            SampleEntity& e = E(index);
            e.accountType = entry.type;
            e.specialAccountType = entry.special;
            e.accountNumberText = entry.number;
            e.description = entry.description;
            e.cashFlow = CashFlowOf(entry.type);
            if (entry.type == "Bank" && e.name != "Petty Cash") {
                e.bankNumber = "XXXXXX" + Digits(R().Between(1000, 9999), 4);
            }
            if (entry.type == "Income") {
                e.taxLineId = 1;
                e.taxLineName = "Gross receipts or sales";
            } else if (entry.type == "Expense" && R().Chance(0.5)) {
                e.taxLineId = 30;
                e.taxLineName = "Other deductions";
            }
        }
        checking_ = Account("Checking");
        savings_ = Account("Savings");
        ar_ = Account("Accounts Receivable");
        ap_ = Account("Accounts Payable");
        undeposited_ = Account("Undeposited Funds");
        inventoryAsset_ = Account("Inventory Asset");
        visa_ = Account("Visa Business Card");
        amex_ = Account("AmEx Corporate");
        merchandise_ = Account("Sales:Merchandise Sales");
        serviceIncome_ = Account("Sales:Service Income");
        freightIncome_ = Account("Freight & Delivery Income");
        discounts_ = Account("Sales Discounts");
        fees_ = Account("Fees & Surcharges");
        cogs_ = Account("Cost of Goods Sold");
        subcontract_ = Account("Subcontracted Services");
        for (const char* name :
             {"Advertising & Marketing", "Automobile:Fuel", "Automobile:Repairs",
              "Bank Service Charges", "Insurance Expense", "Meals and Entertainment",
              "Office Supplies", "Professional Fees:Accounting", "Professional Fees:Legal",
              "Repairs and Maintenance", "Shipping & Postage", "Travel Expense",
              "Dues & Subscriptions", "Telephone Expense"}) {
            generalExpenses_.push_back(Account(name));
        }
    }

    std::pair<std::string, std::string> PersonName() {
        return {std::string(Pick(names::FirstNames())), std::string(Pick(names::Surnames()))};
    }

    void PlanEmployees() {
        static constexpr std::string_view kTitles[] = {
            "Store Manager",   "Sales Associate", "Warehouse Lead", "Bookkeeper",
            "Delivery Driver", "Installer",       "Buyer",          "Sales Associate",
            "Installer",       "Customer Service"};
        static constexpr std::string_view kDepartments[] = {"Sales", "Warehouse", "Office",
                                                            "Service"};
        static constexpr std::string_view kRelations[] = {"Spouse", "Mother", "Father",
                                                          "Friend", "Sister", "Brother"};
        const int count = Scaled(12, 4);
        for (int n = 0; n < count; ++n) {
            const int index = AddEntity(kEmployee);
            SampleEntity& e = E(index);
            auto [first, last] = PersonName();
            e.firstName = first;
            e.lastName = last;
            if (R().Chance(0.3))
                e.middleName = std::string(1, static_cast<char>('A' + R().Below(26)));
            SetHierarchy(e, -1, people_.Claim(first + " " + last, kEntityNameMax));
            e.salutation = R().Chance(0.5) ? "Mr." : "Ms.";
            e.jobTitle = std::string(kTitles[static_cast<std::size_t>(n) % std::size(kTitles)]);
            e.department = std::string(Pick(std::span<const std::string_view>(kDepartments)));
            const names::Place& place = names::Places()[R().Below(4)];
            e.address = Address(e.name, place);
            e.address.addr1 = e.address.addr2;  // employees list the street first
            e.address.addr2 = e.address.addr3;
            e.address.addr3.clear();
            e.phone = Phone(place);
            if (R().Chance(0.7)) e.mobile = Phone(place);
            e.email = Slug(first) + "." + Slug(last) + "@harborpine.example";
            e.ssn = "XXX-XX-" + Digits(R().Between(1000, 9999), 4);
            e.employeeType = n == 0 ? "Owner"sv : (n == 1 ? "Officer"sv : "Regular"sv);
            e.gender = R().Chance(0.5) ? "Male"sv : "Female"sv;
            e.hired = b_.firstDay - static_cast<std::int32_t>(R().Between(30, 3000));
            e.birth = e.hired - static_cast<std::int32_t>(R().Between(19 * 365, 50 * 365));
            e.accountNumber = "E-" + Digits(n + 1, 3);
            if (R().Chance(0.5)) {
                auto [ef, el] = PersonName();
                e.emergencyName = ef + " " + el;
                e.emergencyPhone = Phone(place);
                e.emergencyRelation = Pick(std::span<const std::string_view>(kRelations));
            }
            if (n > 3 && R().Chance(0.12)) {
                e.active = false;
                e.released = static_cast<std::int32_t>(R().Between(b_.firstDay, b_.today - 30));
            }
            if (R().Chance(0.2)) e.notes = "Forklift certified.";
            if (R().Chance(0.4)) AddCustom(e.custom, "Shirt Size", R().Chance(0.5) ? "L" : "M");
        }
    }

    void PlanOtherNames() {
        const int count = Scaled(12, 2);
        static constexpr std::string_view kFixed[] = {"Bank of Springfield", "Petty Cash Custodian",
                                                      "Springfield Chamber of Commerce"};
        for (int n = 0; n < count; ++n) {
            const int index = AddEntity(kOtherName);
            SampleEntity& e = E(index);
            const names::Place& place = names::Places()[0];
            if (static_cast<std::size_t>(n) < std::size(kFixed)) {
                SetHierarchy(e, -1,
                             people_.Claim(kFixed[static_cast<std::size_t>(n)], kEntityNameMax));
                e.companyName = e.name;
            } else {
                auto [first, last] = PersonName();
                e.firstName = first;
                e.lastName = last;
                e.salutation = R().Chance(0.5) ? "Mr." : "Ms.";
                SetHierarchy(e, -1, people_.Claim(first + " " + last, kEntityNameMax));
            }
            e.address = Address(e.name, place);
            if (R().Chance(0.8)) e.phone = Phone(place);
            if (R().Chance(0.5)) e.email = "office@" + Slug(e.name) + ".example";
            if (R().Chance(0.3)) e.notes = "Reimbursements and one-off payments.";
        }
    }

    // Vendors with a role decide which expense accounts their bills and checks use.
    enum class VendorRole { Supplier, Utility, Landlord, Service, Tax, Carrier };

    void PlanVendors() {
        const auto hard = names::HardVendorNames();
        const int count = Scaled(60, static_cast<int>(hard.size()) + 4);
        const int supplierType = b_.lists[kVendorType][0];
        const int overseasType = b_.lists[kVendorType][1];
        const int contractorType = b_.lists[kVendorType][2];
        const int utilityType = b_.lists[kVendorType][3];
        const int taxType = b_.lists[kVendorType][4];
        const int serviceType = b_.lists[kVendorType][5];
        static constexpr std::string_view kServiceNames[] = {
            "Hartley Properties LLC",  "Springfield Telecom",   "Keystone Insurance Agency",
            "Summit Accounting Group", "Speedy Parcel Service", "Blue Ridge Legal, P.C."};
        for (int n = 0; n < count; ++n) {
            const int index = AddEntity(kVendor);
            SampleEntity& e = E(index);
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
            } else if (R().Chance(0.12)) {
                auto [first, last] = PersonName();
                wanted =
                    last + " " + std::string(R().Chance(0.5) ? "Installations" : "Contracting");
                role = VendorRole::Service;
            } else {
                const double u = R().Unit();
                if (u < 0.4) {
                    wanted = std::string(Pick(names::Descriptors())) + " " +
                             std::string(Pick(names::Trades())) + " " +
                             std::string(Pick(names::CompanySuffixes()));
                } else if (u < 0.7) {
                    wanted = PersonName().second + " Wholesale " +
                             std::string(Pick(names::CompanySuffixes()));
                } else {
                    wanted = std::string(Pick(names::Descriptors())) + " " +
                             std::string(Pick(names::ProductGroups())) + " Supply";
                }
            }
            SetHierarchy(e, -1, people_.Claim(wanted, kEntityNameMax));
            e.companyName = e.name;
            auto [first, last] = PersonName();
            e.firstName = first;
            e.lastName = last;
            e.contact = first + " " + last;
            const names::Place& place =
                role == VendorRole::Supplier ? RandomPlace() : names::Places()[0];
            e.address = Address(e.companyName, place);
            if (R().Chance(0.9)) e.phone = Phone(place);
            if (R().Chance(0.3)) e.fax = Phone(place);
            if (R().Chance(0.75)) e.email = "ar@" + Slug(e.name) + ".example";
            if (R().Chance(0.6)) e.accountNumber = "HP-" + Digits(R().Between(1000, 99999), 5);
            e.terms = role == VendorRole::Supplier ? (R().Chance(0.2) ? twoTen_ : net30_) : net15_;
            switch (role) {
                case VendorRole::Supplier:
                    e.typeRef = place.country.empty() ? supplierType : overseasType;
                    suppliers_.push_back(index);
                    break;
                case VendorRole::Utility:
                    e.typeRef = utilityType;
                    utilities_.push_back(index);
                    break;
                case VendorRole::Tax:
                    e.typeRef = taxType;
                    break;
                case VendorRole::Landlord:
                    e.typeRef = serviceType;
                    landlord_ = index;
                    break;
                case VendorRole::Carrier:
                    e.typeRef = serviceType;
                    carrier_ = index;
                    break;
                case VendorRole::Service:
                    e.typeRef = wanted.find("Install") != std::string::npos ||
                                        wanted.find("Contract") != std::string::npos
                                    ? contractorType
                                    : serviceType;
                    services_.push_back(index);
                    break;
            }
            if (e.typeRef == contractorType) {
                e.eligible1099 = true;
                e.taxIdent =
                    Digits(R().Between(10, 99), 2) + "-" + Digits(R().Between(1000000, 9999999), 7);
            }
            if (R().Chance(0.4)) e.creditLimit = Money(5, 50) * 1000;
            if (R().Chance(0.1)) e.notes = std::string(Pick(names::Notes()));
            if (R().Chance(0.3)) AddCustom(e.custom, "Rep", first);
            if (n >= static_cast<int>(hard.size()) && R().Chance(0.04)) e.active = false;
        }
        if (suppliers_.empty()) suppliers_.push_back(b_.lists[kVendor][0]);
        if (services_.empty()) services_.push_back(b_.lists[kVendor].back());
        if (utilities_.empty()) utilities_.push_back(b_.lists[kVendor][0]);
        if (landlord_ < 0) landlord_ = services_[0];
        if (carrier_ < 0) carrier_ = services_[0];
    }

    void PlanSalesReps() {
        UniqueNames initials;
        const auto& employees = b_.lists[kEmployee];
        const std::size_t count = std::min<std::size_t>(6, employees.size());
        for (std::size_t n = 0; n < count; ++n) {
            const SampleEntity& person = E(employees[n]);
            const int index = AddEntity(kSalesRep);
            SampleEntity& e = E(index);
            std::string wanted;
            wanted += Slug(person.firstName.substr(0, 1))[0];
            wanted += Slug(person.lastName.substr(0, 1))[0];
            for (char& c : wanted) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
            SetHierarchy(e, -1, initials.Claim(wanted, 5));
            e.repEntity = employees[n];
            e.active = person.active;
        }
        if (!b_.lists[kOtherName].empty()) {
            // An outside agent who sells on commission.
            const int index = AddEntity(kSalesRep);
            SampleEntity& e = E(index);
            SetHierarchy(e, -1, initials.Claim("OUT", 5));
            e.repEntity = b_.lists[kOtherName].back();
        }
        for (int i : b_.lists[kSalesRep]) {
            if (E(i).active) activeReps_.push_back(i);
        }
        if (activeReps_.empty()) activeReps_.push_back(b_.lists[kSalesRep][0]);
    }

    int AddItem(std::int32_t code, int parent, const std::string& wanted) {
        const int index = AddEntity(code);
        SampleEntity& e = E(index);
        const std::string prefix = parent >= 0 ? E(parent).fullName + ":" : std::string();
        // Item names are unique by full name across the whole item list.
        std::string name = FitText(wanted, kItemNameMax);
        for (int n = 2; items_.Taken(prefix + name); ++n) {
            const std::string suffix = " " + std::to_string(n);
            name = FitText(wanted, kItemNameMax - suffix.size()) + suffix;
        }
        items_.Claim(prefix + name, 159);
        SetHierarchy(e, parent, name);
        return index;
    }

    void PlanItems() {
        // Services.
        static constexpr std::string_view kServices[] = {
            "Installation",     "Delivery",
            "Consultation",     "Design Services",
            "Repair Labor",     "Assembly",
            "Site Visit",       "Training",
            "Equipment Rental", "Hauling",
            "Cleaning",         "Maintenance Contract",
            "Engraving",        "Custom Cutting",
            "Inspection",       "Key Cutting",
            "Gift Wrapping",    "Haul-Away & Disposal",
            "Measure & Quote",  "After-Hours Call-Out"};
        const int services = Scaled(20, 3);
        int labor = -1;
        for (int n = 0; n < services; ++n) {
            const bool underLabor = labor >= 0 && R().Chance(0.3);
            std::string wanted(kServices[static_cast<std::size_t>(n) % std::size(kServices)]);
            if (n == 2 && labor < 0) {
                labor = AddItem(kItemService, -1, "Labor");
                SampleEntity& l = E(labor);
                l.salesDesc = "Labor, per hour";
                l.price = 6500;
                l.incomeAccount = serviceIncome_;
                serviceItems_.push_back(labor);
                continue;
            }
            const int index = AddItem(kItemService, underLabor ? labor : -1, wanted);
            SampleEntity& e = E(index);
            e.price = R().Between(45, 125) * 100 + (R().Chance(0.3) ? 50 : 0);
            e.salesDesc = wanted + (R().Chance(0.5) ? ", per hour" : " - standard rate");
            e.incomeAccount = serviceIncome_;
            if (R().Chance(0.2)) {
                e.purchased = true;
                e.cost = e.price * 6 / 10;
                e.purchaseDesc = "Subcontracted " + wanted;
                e.expenseAccount = subcontract_;
                e.prefVendor = PickIndex(services_);
            }
            if (R().Chance(0.05)) e.active = false;
            serviceItems_.push_back(index);
        }

        // Inventory under product groups.
        std::vector<int> groups;
        for (std::string_view group : names::ProductGroups()) {
            const int index = AddItem(kItemInventory, -1, std::string(group));
            SampleEntity& e = E(index);
            e.salesDesc = std::string(group);
            e.incomeAccount = merchandise_;
            e.expenseAccount = cogs_;
            e.assetAccount = inventoryAsset_;
            groups.push_back(index);
        }
        const int inventory = Scaled(50, 6);
        const auto groupNames = names::ProductGroups();
        for (int n = 0; n < inventory; ++n) {
            const names::Product& product = Pick(names::Products());
            const std::string material = Choice(product.materials);
            const std::string size = Choice(product.sizes);
            const auto group = std::find(groupNames.begin(), groupNames.end(), product.group);
            const int parent =
                groups[static_cast<std::size_t>(group - groupNames.begin()) % groups.size()];
            std::string wanted = std::string(product.noun) + ", " + material + " " + size;
            std::string finish;
            if (items_.Taken(E(parent).fullName + ":" + FitText(wanted, kItemNameMax))) {
                // The same product again comes in another finish.
                finish = std::string(Pick(names::Finishes()));
                wanted = finish + " " + wanted;
            }
            const int index = AddItem(kItemInventory, parent, wanted);
            SampleEntity& e = E(index);
            e.price = R().Between(product.lowDollars, product.highDollars) * 100 +
                      Pick(std::span<const std::int64_t>(kCents));
            e.cost = e.price * R().Between(42, 68) / 100;
            e.salesDesc = material + " " + Lower(std::string(product.noun)) + ", " + size;
            if (!finish.empty()) e.salesDesc += ", " + Lower(finish) + " finish";
            e.purchaseDesc = e.salesDesc + " (case pack)";
            e.incomeAccount = merchandise_;
            e.expenseAccount = cogs_;
            e.assetAccount = inventoryAsset_;
            e.prefVendor = PickIndex(suppliers_);
            if (R().Chance(0.6)) {
                e.partNumber = std::string(1, static_cast<char>('A' + R().Below(26))) +
                               static_cast<char>('A' + R().Below(26)) + "-" +
                               Digits(R().Between(100, 9999), 4);
            }
            if (R().Chance(0.5))
                e.barcode = "0" + Digits(R().Between(10000000000LL, 99999999999LL), 11);
            e.reorderPoint = R().Between(1, 5) * 500;
            if (R().Chance(0.5)) e.maxQuantity = e.reorderPoint * 4;
            e.onHand = R().Between(-3, 400) * 100;
            if (R().Chance(0.5))
                AddCustom(e.custom, "Shelf",
                          std::string(1, static_cast<char>('A' + R().Below(8))) + "-" +
                              std::to_string(R().Between(1, 40)));
            if (R().Chance(0.03)) e.active = false;
            if (e.active) stockItems_.push_back(index);
        }

        // Non-inventory parts and special orders.
        static constexpr std::string_view kNonInventory[] = {
            "Special Order Item",  "Custom Sign", "Gift Card",
            "Packaging Materials", "Catalog",     "Shipping Box",
            "Display Rack",        "Sample Pack", "Custom Cut Glass",
            "Rental Deposit Tag"};
        const int nonInventory = Scaled(20, 3);
        for (int n = 0; n < nonInventory; ++n) {
            const std::string wanted(
                kNonInventory[static_cast<std::size_t>(n) % std::size(kNonInventory)]);
            const int index = AddItem(kItemNonInventory, -1, wanted);
            SampleEntity& e = E(index);
            e.price = R().Between(5, 250) * 100;
            e.salesDesc = wanted;
            e.incomeAccount = merchandise_;
            if (R().Chance(0.4)) {
                e.purchased = true;
                e.cost = e.price * 55 / 100;
                e.purchaseDesc = wanted + ", made to order";
                e.expenseAccount = cogs_;
                e.prefVendor = PickIndex(suppliers_);
            }
            otherSellable_.push_back(index);
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
        const int charges = Scaled(8, 3);
        for (int n = 0; n < charges; ++n) {
            const Charge& entry = kCharges[static_cast<std::size_t>(n) % std::size(kCharges)];
            const int index = AddItem(kItemOtherCharge, -1, entry.name);
            SampleEntity& e = E(index);
            e.price = entry.price;
            e.pricePercent = entry.percent;
            e.specialItemType = entry.special;
            e.salesDesc = entry.name;
            e.incomeAccount = std::string_view(entry.name) == "Freight" ? freightIncome_
                              : entry.percent < 0 || entry.price < 0     ? discounts_
                                                                       : fees_;
            if (entry.special == "FinanceCharge")
                financeItem_ = index;
            else if (entry.percent < 0)
                discountItem_ = index;
            else
                chargeItems_.push_back(index);
        }

        // Assemblies built from stock items.
        static constexpr std::string_view kAssemblies[] = {
            "Patio Set, 5-Piece", "Garden Starter Kit",   "Tool Kit, Deluxe",
            "Lamp Kit",           "Kitchen Bundle",       "Planter Box \"Large\"",
            "Faucet Repair Kit",  "Shelf Unit, Assembled"};
        const int assemblies = Scaled(8, 2);
        for (int n = 0; n < assemblies; ++n) {
            const std::string wanted(
                kAssemblies[static_cast<std::size_t>(n) % std::size(kAssemblies)]);
            const int index = AddItem(kItemInventoryAssembly, -1, wanted);
            const int parts = static_cast<int>(R().Between(2, 4));
            std::int64_t price = 0, cost = 0;
            std::vector<std::pair<int, std::int64_t>> components;
            for (int p = 0; p < parts && !stockItems_.empty(); ++p) {
                const int part = PickIndex(stockItems_);
                const std::int64_t quantity = R().Between(1, 4) * 100;
                components.emplace_back(part, quantity);
                price += LineAmount(quantity, E(part).price);
                cost += LineAmount(quantity, E(part).cost);
            }
            SampleEntity& e = E(index);
            e.components = std::move(components);
            e.price = price * 9 / 10;
            e.cost = cost;
            e.salesDesc = wanted + ", ready to use";
            e.purchaseDesc = wanted + " components";
            e.incomeAccount = merchandise_;
            e.expenseAccount = cogs_;
            e.assetAccount = inventoryAsset_;
            e.prefVendor = PickIndex(suppliers_);
            e.reorderPoint = R().Between(1, 3) * 100;
            e.onHand = R().Between(0, 30) * 100;
            otherSellable_.push_back(index);
        }
    }

    // One of the '|'-separated choices of a product pool entry.
    std::string Choice(std::string_view choices) {
        std::vector<std::string_view> parts;
        std::size_t start = 0;
        for (std::size_t bar = choices.find('|'); bar != std::string_view::npos;
             bar = choices.find('|', start)) {
            parts.push_back(choices.substr(start, bar - start));
            start = bar + 1;
        }
        parts.push_back(choices.substr(start));
        return std::string(parts[R().Below(parts.size())]);
    }

    static std::string Lower(std::string text) {
        for (char& c : text) {
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        }
        return text;
    }

    static constexpr std::int64_t kCents[] = {0, 49, 95, 99, 50, 25};

    // A name like the given one that a hurried clerk would type for the same firm.
    std::string NearDuplicate(const std::string& name) {
        switch (R().Below(4)) {
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

    void PlanCustomers() {
        const auto& types = b_.lists[kCustomerType];
        const int retailType = types[0], wholesaleType = types[1], contractorType = types[2],
                  restaurantType = types[4], hotelType = types[5];
        const auto hard = names::HardCustomerNames();
        const int count = Scaled(130, static_cast<int>(hard.size()) + 6);
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
            } else if (made > static_cast<int>(hard.size()) + 2 && R().Chance(0.03)) {
                duplicateOf = PickIndex(b_.lists[kCustomer]);
                if (E(duplicateOf).parent >= 0) duplicateOf = E(duplicateOf).parent;
                wanted = NearDuplicate(E(duplicateOf).name);
                business = !E(duplicateOf).companyName.empty();
                first = E(duplicateOf).firstName;
                last = E(duplicateOf).lastName;
            } else if (R().Chance(0.3)) {
                business = false;
                wanted = last + ", " + first;
            } else {
                const double u = R().Unit();
                const std::string trade(Pick(names::Trades()));
                if (u < 0.35) {
                    wanted = PersonName().second + " " + trade;
                } else if (u < 0.5) {
                    wanted = PersonName().second + " & Sons " + trade;
                } else if (u < 0.8) {
                    wanted = std::string(Pick(names::Descriptors())) + " " + trade;
                } else {
                    wanted = std::string(Pick(names::Descriptors())) + " " + trade + ", " +
                             std::string(Pick(names::CompanySuffixes()));
                }
            }
            const int index = AddEntity(kCustomer);
            ++made;
            SetHierarchy(E(index), -1, people_.Claim(wanted, kEntityNameMax));
            SampleEntity& e = E(index);
            const names::Place& place = RandomPlace();
            e.firstName = first;
            e.lastName = last;
            if (business) {
                e.companyName = FitText(e.name, 41);
                e.contact = first + " " + last;
                e.jobTitle = std::string(Pick(names::JobTitles()));
            } else {
                e.salutation = R().Chance(0.5) ? "Mr." : "Ms.";
                if (R().Chance(0.2))
                    e.middleName = std::string(1, static_cast<char>('A' + R().Below(26)));
            }
            e.address = Address(business ? e.companyName : first + " " + last, place);
            if (R().Chance(0.35)) e.shipAddress = Address(e.address.addr1, place);
            if (R().Chance(0.85)) e.phone = Phone(place);
            if (business && R().Chance(0.25)) e.fax = Phone(place);
            if (R().Chance(0.15)) e.altPhone = Phone(place);
            if (R().Chance(0.75)) {
                e.email = business ? "accounts@" + Slug(e.name) + ".example"
                                   : Slug(first) + "." + Slug(last) + "@mail.example";
            }
            if (business && R().Chance(0.1)) e.cc = "owner@" + Slug(e.name) + ".example";
            if (business && R().Chance(0.2)) e.altContact = PersonName().first + " " + last;
            e.terms = business ? (R().Chance(0.15) ? net15_ : (R().Chance(0.1) ? net60_ : net30_))
                               : dueOnReceipt_;
            if (R().Chance(0.6)) e.salesRep = PickIndex(activeReps_);
            const std::string trade = e.name;
            if (!business) {
                e.typeRef = retailType;
            } else if (trade.find("Café") != std::string::npos ||
                       trade.find("Cafe") != std::string::npos ||
                       trade.find("Bistro") != std::string::npos ||
                       trade.find("Deli") != std::string::npos ||
                       trade.find("Restaurant") != std::string::npos ||
                       trade.find("Pub") != std::string::npos) {
                e.typeRef = restaurantType;
            } else if (trade.find("Hotel") != std::string::npos) {
                e.typeRef = hotelType;
            } else if (trade.find("Build") != std::string::npos ||
                       trade.find("Construction") != std::string::npos ||
                       trade.find("Roofing") != std::string::npos ||
                       trade.find("Landscaping") != std::string::npos) {
                e.typeRef = contractorType;
            } else {
                e.typeRef = R().Chance(0.5) ? wholesaleType : retailType;
            }
            if (R().Chance(0.2)) e.classRef = b_.lists[kClass][R().Below(5)];
            e.taxable = true;
            if (business && (e.typeRef == wholesaleType || e.typeRef == contractorType) &&
                R().Chance(0.4)) {
                e.taxable = false;
                e.resaleNumber = "RS-" + Digits(R().Between(100000, 999999), 6);
            }
            e.taxRate = e.address.country.empty()
                            ? 600 + static_cast<std::int64_t>(place.areaCode[2] - '0') * 25
                            : 0;
            if (e.taxRate == 0) e.taxable = false;
            if (R().Chance(0.5)) e.accountNumber = "C-" + Digits(10000 + index, 5);
            if (business && R().Chance(0.5)) e.creditLimit = Money(1, 25) * 1000;
            e.deliveryMethod = Pick(std::span<const std::string_view>(kDelivery));
            if (R().Chance(0.15)) e.notes = std::string(Pick(names::Notes()));
            if (R().Chance(0.6))
                AddCustom(e.custom, "Region",
                          std::string(Pick(std::span<const std::string_view>(kRegions))));
            if (R().Chance(0.25))
                AddCustom(e.custom, "Loyalty Tier",
                          std::string(Pick(std::span<const std::string_view>(kTiers))));
            if (duplicateOf >= 0) {
                // A second record for the same firm: same phone and address.
                const SampleEntity& original = E(duplicateOf);
                e.phone = original.phone;
                e.email = original.email;
                e.address = original.address;
                e.typeRef = original.typeRef;
            }
            if (n > static_cast<int>(hard.size()) && R().Chance(0.04)) e.active = false;
            if (index >= 0 && wanted == "Cash Customer") cashCustomer_ = index;

            // Jobs of business customers.
            if (business && made < count && R().Chance(0.12)) {
                const int jobs = static_cast<int>(R().Between(1, 2));
                for (int j = 0; j < jobs && made < count; ++j) {
                    const int jobIndex = AddEntity(kCustomer);
                    ++made;
                    const SampleEntity& owner = E(index);
                    SampleEntity& job = E(jobIndex);
                    const std::string jobName(Pick(names::JobNames()));
                    std::string name = jobName;
                    for (int k = 2; people_.Taken(owner.fullName + ":" + name); ++k) {
                        name = jobName + " " + std::to_string(k);
                    }
                    people_.Claim(owner.fullName + ":" + name, 209);
                    SetHierarchy(job, index, name);
                    job.companyName = owner.companyName;
                    job.firstName = owner.firstName;
                    job.lastName = owner.lastName;
                    job.contact = owner.contact;
                    job.address = owner.address;
                    job.phone = owner.phone;
                    job.email = owner.email;
                    job.terms = owner.terms;
                    job.salesRep = owner.salesRep;
                    job.typeRef = owner.typeRef;
                    job.taxable = owner.taxable;
                    job.taxRate = owner.taxRate;
                    job.resaleNumber = owner.resaleNumber;
                    job.jobStart = static_cast<std::int32_t>(R().Between(b_.firstDay, b_.today));
                    job.jobStatus = job.jobStart < b_.today - 120 ? "Closed"sv : "InProgress"sv;
                    if (job.jobStatus == "Closed")
                        job.jobEnd = job.jobStart + static_cast<std::int32_t>(R().Between(14, 90));
                    job.jobDesc = jobName + " for " + owner.name;
                }
            }
        }
        for (int i : b_.lists[kCustomer]) {
            if (E(i).active && i != cashCustomer_) activeCustomers_.push_back(i);
        }
        if (cashCustomer_ < 0) cashCustomer_ = b_.lists[kCustomer][0];
    }

    // ---------------------------------------------------------------- sales
    int SellableItem() {
        const double u = R().Unit();
        if (u < 0.62 || (serviceItems_.empty() && otherSellable_.empty()))
            return PickIndex(stockItems_);
        if (u < 0.85 && !serviceItems_.empty()) return PickIndex(serviceItems_);
        if (u < 0.93 && !chargeItems_.empty()) return PickIndex(chargeItems_);
        return otherSellable_.empty() ? PickIndex(stockItems_) : PickIndex(otherSellable_);
    }

    SampleLine SalesLine(int item, std::int32_t date) {
        const SampleEntity& it = E(item);
        SampleLine line;
        line.item = item;
        line.desc = it.salesDesc;
        if (it.code == kItemService) {
            line.quantity = R().Between(2, 32) * 25;  // quarter hours, 0.5 to 8
            if (R().Chance(0.3))
                line.serviceDate = date - static_cast<std::int32_t>(R().Between(0, 5));
        } else if (it.code == kItemOtherCharge) {
            line.quantity = 100;
        } else {
            line.quantity = R().Between(1, 24) * 100;
        }
        line.rate = it.price;
        if (it.code == kItemInventory && R().Chance(0.1))
            line.rate = it.price * 9 / 10;  // negotiated
        line.amount = LineAmount(line.quantity, line.rate);
        return line;
    }

    void FillSalesLines(SampleTxn& t, int maxLines) {
        const int count = static_cast<int>(R().Chance(0.4) ? 1 : R().Between(2, maxLines));
        for (int n = 0; n < count; ++n) {
            const int item = Distinct(t.lines, [this] { return SellableItem(); });
            if (item < 0) continue;
            SampleLine line = SalesLine(item, t.date);
            if (t.classRef >= 0 && R().Chance(0.5)) line.classRef = t.classRef;
            t.lines.push_back(line);
        }
        if (discountItem_ >= 0 && R().Chance(0.04)) {
            std::int64_t base = 0;
            for (const SampleLine& l : t.lines) base += l.amount;
            SampleLine discount;
            discount.item = discountItem_;
            discount.desc = E(discountItem_).salesDesc;
            discount.ratePercent = E(discountItem_).pricePercent;
            discount.amount = PercentOf(base, discount.ratePercent);
            t.lines.push_back(discount);
        }
        Total(t);
    }

    void Total(SampleTxn& t) {
        t.subtotal = 0;
        for (const SampleLine& l : t.lines) t.subtotal += l.amount;
        const SampleEntity& customer = E(t.party);
        if (customer.taxable && t.subtotal > 0) {
            t.taxRate = customer.taxRate;
            t.tax = PercentOf(t.subtotal, t.taxRate);
        }
        t.total = t.subtotal + t.tax;
    }

    int SalesCustomer() { return PickBusy(activeCustomers_); }

    void SalesHeader(SampleTxn& t, int customer) {
        const SampleEntity& c = E(customer);
        t.party = customer;
        t.terms = c.terms;
        t.salesRep = c.salesRep;
        t.classRef =
            c.classRef >= 0 ? c.classRef : (R().Chance(0.25) ? b_.lists[kClass][R().Below(5)] : -1);
        if (!c.companyName.empty() && R().Chance(0.35)) {
            t.poNumber = "PO-" + Digits(R().Between(1000, 99999), 5);
        }
        if (R().Chance(0.5)) t.memo = Pick(names::SalesMemos());
        if (R().Chance(0.15))
            AddCustom(t.custom, "Project Code", "PRJ-" + Digits(R().Between(100, 999), 3));
    }

    int DueDays(int terms) const {
        return terms >= 0 ? b_.entities[static_cast<std::size_t>(terms)].dueDays : 30;
    }

    // Recent documents still wait to be printed; older ones went out long ago.
    bool ToPrint(const SampleTxn& t) {
        return t.date == b_.today ? true
                                  : (t.date > b_.today - 10 ? R().Chance(0.4) : R().Chance(0.01));
    }

    void PlanSalesDocuments() {
        // Invoices, with a few entered twice by mistake and a few finance charges.
        int previous = -1;
        for (std::int32_t date : Dates(Scaled(360, 8))) {
            if (previous >= 0 && R().Chance(0.015)) {
                const int copy = AddTxn(kInvoice, T(previous).date);
                SampleTxn& t = T(copy);
                const SampleTxn& original = T(previous);
                t.party = original.party;
                t.terms = original.terms;
                t.salesRep = original.salesRep;
                t.classRef = original.classRef;
                t.poNumber = original.poNumber;
                t.memo = original.memo;
                t.lines = original.lines;
                t.subtotal = original.subtotal;
                t.taxRate = original.taxRate;
                t.tax = original.tax;
                t.total = original.total;
                t.account = ar_;
                t.dueDate = original.dueDate;
                t.shipDate = original.shipDate;
                t.toBePrinted = ToPrint(t);
                previous = -1;
                continue;
            }
            const int index = AddTxn(kInvoice, date);
            SampleTxn& t = T(index);
            const int customer = SalesCustomer();
            SalesHeader(t, customer);
            t.account = ar_;
            if (financeItem_ >= 0 && R().Chance(0.01)) {
                t.financeCharge = true;
                SampleLine line;
                line.item = financeItem_;
                line.desc = "Finance charge on overdue balance";
                line.amount = Money(2, 40);
                t.lines.push_back(line);
                t.memo = "Finance charge";
                Total(t);
            } else {
                FillSalesLines(t, 6);
            }
            t.dueDate = date + DueDays(t.terms);
            for (const SampleLine& l : t.lines) {
                if (l.item >= 0 && E(l.item).code == kItemInventory)
                    t.shipDate = date + static_cast<std::int32_t>(R().Between(0, 3));
            }
            t.toBePrinted = ToPrint(t);
            t.toBeEmailed = !t.toBePrinted && R().Chance(0.3) && !E(customer).email.empty();
            previous = index;
        }

        for (std::int32_t date : Dates(Scaled(35, 2))) {
            const int index = AddTxn(kCreditMemo, date);
            SampleTxn& t = T(index);
            SalesHeader(t, SalesCustomer());
            t.account = ar_;
            t.memo = R().Chance(0.5) ? "Returned damaged goods"sv : "Credit for short shipment"sv;
            const int count = static_cast<int>(R().Between(1, 2));
            for (int n = 0; n < count; ++n) {
                SampleLine line =
                    SalesLine(stockItems_.empty() ? SellableItem() : PickIndex(stockItems_), date);
                line.quantity = R().Between(1, 4) * 100;
                line.amount = LineAmount(line.quantity, line.rate);
                t.lines.push_back(line);
            }
            Total(t);
            t.open = t.total;  // credits wait to be used on a later invoice
            t.toBePrinted = ToPrint(t);
        }

        for (std::int32_t date : Dates(Scaled(80, 2))) {
            const int index = AddTxn(kEstimate, date);
            SampleTxn& t = T(index);
            SalesHeader(t, SalesCustomer());
            FillSalesLines(t, 8);
            t.dueDate = date + 30;
            t.closed = date < b_.today - 60 && R().Chance(0.7);
            if (R().Chance(0.4)) t.memo = "Quote valid for 30 days";
        }

        for (std::int32_t date : Dates(Scaled(100, 2))) {
            const int index = AddTxn(kSalesOrder, date);
            SampleTxn& t = T(index);
            SalesHeader(t, SalesCustomer());
            FillSalesLines(t, 6);
            t.dueDate = date + DueDays(t.terms);
            t.shipDate = date + static_cast<std::int32_t>(R().Between(1, 14));
            const bool old = date < b_.today - 30;
            t.closed = old && R().Chance(0.85);
            for (SampleLine& l : t.lines) {
                l.done =
                    t.closed ? l.quantity : (old && R().Chance(0.5) ? l.quantity / 200 * 100 : 0);
                if (!t.closed && l.item >= 0) E(l.item).onSalesOrder += l.quantity - l.done;
            }
            t.toBePrinted = ToPrint(t);
        }

        for (std::int32_t date : Dates(Scaled(150, 2))) {
            const int index = AddTxn(kSalesReceipt, date);
            SampleTxn& t = T(index);
            SalesHeader(t, R().Chance(0.35) ? cashCustomer_ : SalesCustomer());
            t.terms = -1;
            t.account = undeposited_;
            FillSalesLines(t, 4);
            if (R().Chance(0.3)) t.checkNumber = std::to_string(R().Between(100, 9999));
            t.toBePrinted = t.date == b_.today;
            undeposited_Items_.push_back(index);
        }
    }

    void PlanCharges() {
        for (std::int32_t date : Dates(Scaled(40, 2))) {
            const int index = AddTxn(kCharge, date);
            SampleTxn& t = T(index);
            const int customer = SalesCustomer();
            t.party = customer;
            t.account = ar_;
            const int item = !serviceItems_.empty() && R().Chance(0.7) ? PickIndex(serviceItems_)
                                                                       : SellableItem();
            SampleLine line = SalesLine(item, date);
            t.lines.push_back(line);
            t.subtotal = t.total = line.amount;
            t.dueDate = date + DueDays(E(customer).terms);
            if (R().Chance(0.3)) t.classRef = b_.lists[kClass][R().Below(5)];
        }
    }

    // Every invoice and statement charge is paid in one or two payments by its due date
    // give or take, unless that date has not come yet or the customer never paid.
    void PlanCustomerPayments() {
        std::vector<PaymentEvent> events;
        std::vector<int> receivables;
        for (int code : {kInvoice, kCharge}) {
            for (int i : b_.transactions[static_cast<std::size_t>(code)]) receivables.push_back(i);
        }
        for (int doc : receivables) {
            SampleTxn& t = T(doc);
            t.open = t.total;
            if (t.total <= 0 || t.financeCharge || R().Chance(0.04)) continue;
            const std::int32_t due = t.dueDate != kNoDay ? t.dueDate : t.date + 30;
            std::int32_t payDay = due + static_cast<std::int32_t>(R().Between(-20, 25));
            payDay = std::max(payDay, t.date);
            if (R().Chance(0.1)) {
                const std::int64_t first = t.total / 2;
                events.push_back({doc, t.party, payDay, first});
                events.push_back({doc, t.party,
                                  payDay + static_cast<std::int32_t>(R().Between(10, 40)),
                                  t.total - first});
            } else {
                events.push_back({doc, t.party, payDay, t.total});
            }
        }
        MakePayments(events, kReceivePayment);
    }

    // Turns payment events into payment transactions: events of one party within a
    // few days become one payment; events after today wait, except one made today
    // so that today's payments list is never empty.
    void MakePayments(std::vector<PaymentEvent>& events, std::int32_t code) {
        std::vector<PaymentEvent> due;
        PaymentEvent* soonest = nullptr;  // the first payment still to come
        for (PaymentEvent& e : events) {
            if (e.date <= b_.today) {
                due.push_back(e);
            } else if (!soonest || e.date < soonest->date) {
                soonest = &e;
            }
        }
        bool anyToday = false;
        for (const PaymentEvent& e : due) anyToday = anyToday || e.date == b_.today;
        if (!anyToday && soonest) {
            soonest->date = b_.today;
            due.push_back(*soonest);
        } else if (!anyToday && !due.empty()) {
            // Everything is paid already: the latest payment moves to today.
            std::max_element(
                due.begin(), due.end(),
                [](const PaymentEvent& a, const PaymentEvent& b) { return a.date < b.date; })
                ->date = b_.today;
        }
        std::stable_sort(due.begin(), due.end(), [](const PaymentEvent& a, const PaymentEvent& b) {
            return a.party != b.party ? a.party < b.party : a.date < b.date;
        });
        // A document paid twice must see its payments in date order.
        std::size_t i = 0;
        std::vector<std::pair<std::int32_t, std::vector<PaymentEvent>>> payments;
        while (i < due.size()) {
            std::size_t j = i + 1;
            while (j < due.size() && due[j].party == due[i].party &&
                   due[j].date - due[i].date <= 4 && j - i < 4) {
                ++j;
            }
            std::vector<PaymentEvent> group(due.begin() + static_cast<std::ptrdiff_t>(i),
                                            due.begin() + static_cast<std::ptrdiff_t>(j));
            std::int32_t date = group.back().date;
            payments.emplace_back(date, std::move(group));
            i = j;
        }
        std::stable_sort(payments.begin(), payments.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& [date, group] : payments) {
            // One document may appear twice in a group (both halves paid together).
            std::map<int, std::int64_t> byDoc;
            std::vector<int> order;
            for (const PaymentEvent& e : group) {
                if (byDoc.find(e.doc) == byDoc.end()) order.push_back(e.doc);
                byDoc[e.doc] += e.amount;
            }
            const int index = AddTxn(code, date);
            SampleTxn& p = T(index);
            p.party = group.front().party;
            for (int doc : order) EnteredAfter(p, T(doc).created);
            for (int doc : order) {
                SampleTxn& d = T(doc);
                d.open -= byDoc[doc];
                p.links.push_back({doc, byDoc[doc], d.open});
                p.total += byDoc[doc];
                d.links.push_back({index, -byDoc[doc], d.open});
                Touch(d, p.created);
            }
            if (code == kReceivePayment) {
                p.account = ar_;
                p.refNumber = std::to_string(R().Between(1001, 29999));
                if (R().Chance(0.05)) {
                    p.unused = Money(1, 60);
                    p.total += p.unused;
                }
                if (R().Chance(0.4)) p.memo = Pick(names::PaymentMemos());
                undeposited_Items_.push_back(index);
            } else {
                // Vendors want their account number or invoice number on the payment.
                const SampleEntity& vendor = E(p.party);
                p.memo = !vendor.accountNumber.empty() ? "Acct " + vendor.accountNumber
                                                       : "Inv " + T(order.front()).refNumber;
                if (code == kBillPaymentCreditCard && R().Chance(0.6)) {
                    p.refNumber = "CC" + Digits(R().Between(100000, 999999), 6);
                }
            }
        }
    }

    // Payments and cash sales wait in Undeposited Funds until a run of them goes to
    // the bank together.
    void PlanDeposits() {
        std::vector<int> items = undeposited_Items_;
        std::stable_sort(items.begin(), items.end(), [this](int a, int b) {
            return T(a).date != T(b).date ? T(a).date < T(b).date : a < b;
        });
        std::size_t i = 0;
        bool anyToday = false;
        std::vector<int> deposits;
        while (i < items.size()) {
            const std::size_t size = static_cast<std::size_t>(R().Between(4, 10));
            const std::size_t end = std::min(items.size(), i + size);
            const std::int32_t last = T(items[end - 1]).date;
            std::int32_t date = last + static_cast<std::int32_t>(R().Between(0, 2));
            if (date > b_.today) {
                if (anyToday) break;  // the newest payments have not gone to the bank yet
                date = b_.today;
            }
            const int index = AddTxn(kDeposit, date);
            anyToday = anyToday || date == b_.today;
            SampleTxn& d = T(index);
            d.account = R().Chance(0.9) ? checking_ : savings_;
            d.memo = "Deposit";
            for (std::size_t k = i; k < end; ++k) {
                const SampleTxn& source = T(items[k]);
                EnteredAfter(d, source.created);
                SampleLine line;
                line.source = items[k];
                line.entity = source.party;
                line.account = undeposited_;
                line.amount = source.total;
                d.lines.push_back(line);
                d.total += line.amount;
            }
            if (!b_.lists[kOtherName].empty() && R().Chance(0.08)) {
                SampleLine interest;
                interest.account = Account("Interest Income");
                interest.entity = b_.lists[kOtherName][0];
                interest.memo = "Interest earned";
                interest.amount = Money(1, 30);
                d.lines.push_back(interest);
                d.total += interest.amount;
            }
            deposits.push_back(index);
            i = end;
        }
        if (!anyToday && !deposits.empty()) {
            // The last run goes to the bank today, so today's deposits are never empty.
            SampleTxn& last = T(deposits.back());
            last.date = b_.today;
            StampTxn(last);
            for (const SampleLine& line : last.lines) {
                if (line.source >= 0) EnteredAfter(last, T(line.source).created);
            }
        }
    }

    // ---------------------------------------------------------------- purchases
    int Supplier() { return PickBusy(suppliers_); }

    std::vector<int> ItemsOf(int vendor) {
        std::vector<int> bought;
        for (int i : stockItems_) {
            if (E(i).prefVendor == vendor) bought.push_back(i);
        }
        return bought;
    }

    SampleLine PurchaseLine(int item) {
        SampleLine line;
        line.item = item;
        line.desc = E(item).purchaseDesc.empty() ? std::string_view(E(item).salesDesc)
                                                 : std::string_view(E(item).purchaseDesc);
        // Cheap goods come by the case, dear ones a few at a time.
        const std::int64_t cost = E(item).cost;
        line.quantity = cost > 10000  ? R().Between(1, 8) * 100
                        : cost > 2000 ? R().Between(2, 12) * 500
                                      : R().Between(2, 20) * 1000;
        line.rate = cost;
        line.amount = LineAmount(line.quantity, line.rate);
        return line;
    }

    void FillPurchaseLines(SampleTxn& t, int maxLines) {
        std::vector<int> bought = ItemsOf(t.party);
        const int count = static_cast<int>(R().Between(1, maxLines));
        for (int n = 0; n < count && !stockItems_.empty(); ++n) {
            const int item = Distinct(t.lines, [&] {
                return !bought.empty() && R().Chance(0.8) ? PickIndex(bought)
                                                          : PickIndex(stockItems_);
            });
            if (item >= 0) t.lines.push_back(PurchaseLine(item));
        }
    }

    // An item no line of the document has yet, or -1 after a few tries: one line per
    // item, as a clerk enters them.
    template <typename Draw>
    int Distinct(const std::vector<SampleLine>& lines, Draw draw) {
        for (int attempt = 0; attempt < 6; ++attempt) {
            const int item = draw();
            if (std::none_of(lines.begin(), lines.end(),
                             [item](const SampleLine& l) { return l.item == item; })) {
                return item;
            }
        }
        return -1;
    }

    std::int64_t LineSum(const std::vector<SampleLine>& lines) {
        std::int64_t sum = 0;
        for (const SampleLine& l : lines) sum += l.amount;
        return sum;
    }

    void PlanPurchaseOrders() {
        std::vector<int> orders;
        for (std::int32_t date : Dates(Scaled(100, 2))) {
            const int index = AddTxn(kPurchaseOrder, date);
            SampleTxn& t = T(index);
            t.party = Supplier();
            t.terms = E(t.party).terms;
            t.dueDate = date + DueDays(t.terms);
            t.shipDate = date + static_cast<std::int32_t>(R().Between(5, 21));  // expected date
            FillPurchaseLines(t, 8);
            t.total = LineSum(t.lines);
            if (R().Chance(0.5)) t.memo = Pick(names::PurchaseMemos());
            if (R().Chance(0.2)) t.notes = "Please confirm ship date by e-mail";
            t.toBePrinted = ToPrint(t);
            t.toBeEmailed = !t.toBePrinted && R().Chance(0.5);
            if (R().Chance(0.05) && !activeCustomers_.empty())
                t.shipTo = PickIndex(activeCustomers_);  // drop-ship
            orders.push_back(index);
        }
        // Goods arrive around the expected date; a receipt records them.
        std::vector<std::pair<std::int32_t, int>> arrivals;
        int latestPending = -1;
        for (int order : orders) {
            SampleTxn& o = T(order);
            const std::int32_t arrival = o.shipDate + static_cast<std::int32_t>(R().Between(-2, 5));
            if (R().Chance(0.08)) continue;  // still waiting, or cancelled later
            if (arrival <= b_.today) {
                arrivals.emplace_back(std::max(arrival, o.date), order);
            } else if (latestPending < 0 || T(latestPending).shipDate > o.shipDate) {
                latestPending = order;
            }
        }
        bool anyToday = false;
        for (const auto& a : arrivals) anyToday = anyToday || a.first == b_.today;
        if (!anyToday && latestPending >= 0) {
            arrivals.emplace_back(b_.today, latestPending);
        } else if (!anyToday && !arrivals.empty()) {
            std::max_element(arrivals.begin(), arrivals.end())->first = b_.today;
        }
        std::stable_sort(arrivals.begin(), arrivals.end());
        for (const auto& [date, order] : arrivals) {
            const int index = AddTxn(kItemReceipt, date);
            SampleTxn& r = T(index);
            SampleTxn& o = T(order);
            EnteredAfter(r, o.created);
            r.party = o.party;
            r.account = ap_;
            r.refNumber = "PS-" + Digits(R().Between(10000, 99999), 5);
            r.memo = "Received items against purchase order";
            r.lines = o.lines;
            for (SampleLine& l : r.lines) l.done = 0;
            r.total = o.total;
            r.links.push_back({order, o.total, 0});
            o.links.push_back({index, o.total, 0});
            o.closed = true;
            for (SampleLine& l : o.lines) l.done = l.quantity;
            Touch(o, r.created);
        }
        for (int order : orders) {
            const SampleTxn& o = T(order);
            if (o.closed) continue;
            for (const SampleLine& l : o.lines) {
                if (l.item >= 0) E(l.item).onOrder += l.quantity;
            }
        }
    }

    SampleLine ExpenseLine(int account, std::string_view memo, std::int64_t amount) {
        SampleLine line;
        line.account = account;
        line.memo = memo;
        line.amount = amount;
        return line;
    }

    // The expense lines a bill or check from this vendor carries.
    void FillExpenses(SampleTxn& t, int vendor) {
        if (vendor == landlord_) {
            t.expenseLines.push_back(ExpenseLine(Account("Rent Expense"), "Monthly rent", 285000));
        } else if (std::find(utilities_.begin(), utilities_.end(), vendor) != utilities_.end()) {
            t.expenseLines.push_back(
                ExpenseLine(Account("Utilities"), "Electricity, main store", Money(180, 950)));
        } else if (vendor == carrier_) {
            t.expenseLines.push_back(
                ExpenseLine(Account("Shipping & Postage"), "Postage & shipping", Money(40, 600)));
        } else {
            const int count = static_cast<int>(R().Between(1, 3));
            for (int n = 0; n < count; ++n) {
                SampleLine line = ExpenseLine(PickIndex(generalExpenses_),
                                              Pick(names::ExpenseMemos()), Money(15, 900));
                if (R().Chance(0.06) && !activeCustomers_.empty()) {
                    line.entity = PickIndex(activeCustomers_);
                    line.billable = t.date < b_.today - 30 ? "HasBeenBilled"sv : "Billable"sv;
                }
                if (R().Chance(0.15)) line.classRef = b_.lists[kClass][R().Below(5)];
                t.expenseLines.push_back(line);
            }
        }
    }

    void PlanBills() {
        std::string lastRef;
        int lastVendor = -1;
        for (std::int32_t date : Dates(Scaled(180, 4))) {
            const int index = AddTxn(kBill, date);
            SampleTxn& t = T(index);
            const bool duplicate = lastVendor >= 0 && R().Chance(0.02);
            const bool stock = !duplicate && R().Chance(0.4);
            if (duplicate) {
                // The same vendor invoice entered twice, a classic for searches.
                t.party = lastVendor;
                t.refNumber = lastRef;
            } else if (stock) {
                t.party = Supplier();
            } else {
                const double u = R().Unit();
                t.party = u < 0.15   ? landlord_
                          : u < 0.35 ? PickIndex(utilities_)
                          : u < 0.45 ? carrier_
                                     : PickIndex(services_);
            }
            if (t.refNumber.empty()) {
                t.refNumber = R().Chance(0.5) ? "INV-" + Digits(R().Between(10000, 99999), 5)
                                              : std::to_string(R().Between(100000, 999999));
            }
            t.account = ap_;
            t.terms = E(t.party).terms;
            t.dueDate = date + DueDays(t.terms);
            if (stock) {
                FillPurchaseLines(t, 5);
            } else {
                FillExpenses(t, t.party);
            }
            t.total = LineSum(t.lines) + LineSum(t.expenseLines);
            t.open = t.total;
            if (R().Chance(0.4))
                t.memo = stock ? Pick(names::PurchaseMemos()) : Pick(names::ExpenseMemos());
            lastVendor = t.party;
            lastRef = t.refNumber;
        }
    }

    void PlanBillPayments() {
        std::vector<PaymentEvent> checks, cards;
        for (int bill : b_.transactions[kBill]) {
            SampleTxn& t = T(bill);
            if (R().Chance(0.05)) continue;  // disputed, still open
            std::int32_t payDay = t.dueDate + static_cast<std::int32_t>(R().Between(-10, 5));
            payDay = std::max(payDay, t.date);
            (R().Chance(0.8) ? checks : cards).push_back({bill, t.party, payDay, t.total});
        }
        MakePayments(checks, kBillPaymentCheck);
        MakePayments(cards, kBillPaymentCreditCard);
        for (int p : b_.transactions[kBillPaymentCheck])
            T(p).toBePrinted = T(p).date >= b_.today - 2 && R().Chance(0.5);
    }

    void PlanChecks() {
        for (std::int32_t date : Dates(Scaled(130, 2))) {
            const int index = AddTxn(kCheck, date);
            SampleTxn& t = T(index);
            const double u = R().Unit();
            if (u < 0.7) {
                t.party = R().Chance(0.5) ? PickIndex(services_) : PickIndex(utilities_);
                FillExpenses(t, t.party);
            } else if (u < 0.85 && !b_.lists[kOtherName].empty()) {
                t.party = PickIndex(b_.lists[kOtherName]);
                t.expenseLines.push_back(
                    ExpenseLine(PickIndex(generalExpenses_), "Reimbursement", Money(10, 300)));
            } else {
                t.party = PickIndex(b_.lists[kEmployee]);
                t.expenseLines.push_back(ExpenseLine(Account("Travel Expense"),
                                                     "Mileage reimbursement", Money(20, 400)));
            }
            if (R().Chance(0.1) && !stockItems_.empty())
                t.lines.push_back(PurchaseLine(PickIndex(stockItems_)));
            t.account = checking_;
            t.total = LineSum(t.lines) + LineSum(t.expenseLines);
            t.toBePrinted = ToPrint(t);
            if (!t.toBePrinted && R().Chance(0.15)) t.refNumber = R().Chance(0.5) ? "DEBIT" : "EFT";
            if (R().Chance(0.5)) t.memo = t.expenseLines.front().memo;
        }
    }

    void PlanCardCharges() {
        for (std::int32_t date : Dates(Scaled(90, 2))) {
            const int index = AddTxn(kCreditCardCharge, date);
            SampleTxn& t = T(index);
            t.account = R().Chance(0.7) ? visa_ : amex_;
            t.party = R().Chance(0.6) ? PickIndex(services_) : Supplier();
            const int count = static_cast<int>(R().Between(1, 2));
            for (int n = 0; n < count; ++n) {
                t.expenseLines.push_back(ExpenseLine(PickIndex(generalExpenses_),
                                                     Pick(names::ExpenseMemos()), Money(8, 450)));
            }
            if (R().Chance(0.08) && !stockItems_.empty())
                t.lines.push_back(PurchaseLine(PickIndex(stockItems_)));
            t.total = LineSum(t.lines) + LineSum(t.expenseLines);
            if (R().Chance(0.5)) t.refNumber = Digits(R().Between(0, 9999), 4);
            if (R().Chance(0.4)) t.memo = t.expenseLines.front().memo;
        }
        for (std::int32_t date : Dates(Scaled(12, 2))) {
            const int index = AddTxn(kCreditCardCredit, date);
            SampleTxn& t = T(index);
            t.account = R().Chance(0.7) ? visa_ : amex_;
            t.party = PickIndex(services_);
            t.expenseLines.push_back(
                ExpenseLine(PickIndex(generalExpenses_), "Refund - returned item", Money(5, 200)));
            t.total = LineSum(t.expenseLines);
            t.memo = "Refund";
            if (R().Chance(0.5)) t.refNumber = Digits(R().Between(0, 9999), 4);
        }
    }

    void PlanVendorCredits() {
        for (std::int32_t date : Dates(Scaled(20, 2))) {
            const int index = AddTxn(kVendorCredit, date);
            SampleTxn& t = T(index);
            t.party = Supplier();
            t.account = ap_;
            t.refNumber = "CM-" + Digits(R().Between(1000, 9999), 4);
            if (R().Chance(0.6) && !stockItems_.empty()) {
                FillPurchaseLines(t, 2);
                for (SampleLine& l : t.lines) {
                    l.quantity = R().Between(1, 5) * 100;
                    l.amount = LineAmount(l.quantity, l.rate);
                }
                t.memo = "Return of defective goods";
            } else {
                t.expenseLines.push_back(ExpenseLine(Account("Freight In"),
                                                     "Freight overcharge refund", Money(10, 150)));
                t.memo = "Credit for freight overcharge";
            }
            t.total = LineSum(t.lines) + LineSum(t.expenseLines);
            t.open = t.total;
        }
    }

    // ---------------------------------------------------------------- other
    void PlanJournalEntries() {
        struct Kind {
            const char* debit;
            const char* credit;
            std::string_view memo;
            std::int64_t low, high;
        };
        static constexpr Kind kKinds[] = {
            {"Depreciation Expense", "Accumulated Depreciation", "Monthly depreciation", 250, 900},
            {"Payroll Expenses", "Payroll Liabilities", "Accrued wages", 1500, 9000},
            {"Cost of Goods Sold", "Inventory Asset", "Inventory count adjustment", 20, 1500},
            {"Advertising & Marketing", "Office Supplies", "Reclassify flyers printed", 40, 400},
            {"Owner's Equity:Owner's Draw", "Checking", "Owner draw", 500, 5000},
        };
        for (std::int32_t date : Dates(Scaled(30, 2))) {
            const int index = AddTxn(kJournalEntry, date);
            SampleTxn& t = T(index);
            const Kind& kind = kKinds[R().Below(std::size(kKinds))];
            const std::int64_t amount = Money(kind.low, kind.high);
            SampleLine debit = ExpenseLine(Account(kind.debit), kind.memo, amount);
            SampleLine credit = ExpenseLine(Account(kind.credit), kind.memo, amount);
            if (R().Chance(0.25)) {
                // Split the debit over two classes.
                const std::int64_t part = amount / 3;
                SampleLine second = debit;
                debit.amount = amount - part;
                second.amount = part;
                debit.classRef = b_.lists[kClass][0];
                second.classRef = b_.lists[kClass][3];
                t.lines.push_back(debit);
                t.lines.push_back(second);
            } else {
                t.lines.push_back(debit);
            }
            t.expenseLines.push_back(credit);
            t.total = amount;
            t.closed = CivilFromDay(date).month == 12 && R().Chance(0.5);  // year-end adjustment
        }
    }

    void PlanTimeTracking() {
        static constexpr std::string_view kNotes[] = {"Installed shelving units",
                                                      "Delivered and assembled furniture",
                                                      "Repaired faucet",
                                                      "On-site consultation",
                                                      "Measured for custom order",
                                                      "Warehouse inventory count",
                                                      "Fixed \"sticky\" door latch",
                                                      "Training new staff"};
        std::vector<int> workers;
        for (int i : b_.lists[kEmployee]) {
            if (E(i).active) workers.push_back(i);
        }
        if (workers.empty()) workers = b_.lists[kEmployee];
        for (std::int32_t date : Dates(Scaled(90, 2))) {
            const int index = AddTxn(kTimeTracking, date);
            SampleTxn& t = T(index);
            t.party = PickIndex(workers);
            t.minutes = R().Between(2, 32) * 15;
            if (R().Chance(0.85) && !activeCustomers_.empty()) {
                t.customer = SalesCustomer();
                t.billable = date < b_.today - 14 ? "HasBeenBilled"sv : "Billable"sv;
            } else {
                t.billable = "NotBillable"sv;
            }
            if (!serviceItems_.empty()) t.serviceItem = PickIndex(serviceItems_);
            t.notes = Pick(std::span<const std::string_view>(kNotes));
            if (R().Chance(0.2)) t.classRef = b_.lists[kClass][5];
        }
    }

    // ---------------------------------------------------------------- finish
    void Finish() {
        // Records of each type in date order, then numbered the way QuickBooks does.
        for (auto& list : b_.transactions) {
            std::stable_sort(list.begin(), list.end(), [this](int a, int b) {
                const SampleTxn& x = T(a);
                const SampleTxn& y = T(b);
                return x.date != y.date ? x.date < y.date : x.created < y.created;
            });
        }
        Number(kInvoice, 1001, "");
        Number(kCreditMemo, 5001, "CM");
        Number(kEstimate, 2001, "");
        Number(kSalesOrder, 7001, "");
        Number(kSalesReceipt, 3001, "");
        Number(kCharge, 1, "SC-");
        Number(kPurchaseOrder, 4001, "");
        Number(kJournalEntry, 1, "");
        NumberChecks();

        // IDs in creation order, as QuickBooks hands them out.
        std::uint64_t listCounter = 0x80000001ULL;
        for (SampleEntity& e : b_.entities) {
            e.listId = Hex(listCounter++) + "-" + std::to_string(UnixTimeOf(e.created));
        }
        std::vector<int> byCreation(b_.txns.size());
        std::iota(byCreation.begin(), byCreation.end(), 0);
        std::stable_sort(byCreation.begin(), byCreation.end(),
                         [this](int a, int b) { return T(a).created < T(b).created; });
        std::uint64_t txnCounter = 0x1A0;
        int txnNumber = 1;
        for (int index : byCreation) {
            SampleTxn& t = T(index);
            const std::string stamp = "-" + std::to_string(UnixTimeOf(t.created));
            t.txnId = Hex(txnCounter++) + stamp;
            t.txnNumber = txnNumber++;
            for (auto* lines : {&t.lines, &t.expenseLines}) {
                for (SampleLine& l : *lines) l.txnLineId = Hex(txnCounter++) + stamp;
            }
        }
        Balances();
    }

    void Number(std::int32_t code, int first, const char* prefix) {
        int number = first;
        for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
            T(index).refNumber = std::string(prefix) + std::to_string(number++);
        }
    }

    // Checks and bill-payment checks draw on one checkbook; checks waiting to be
    // printed have no number yet.
    void NumberChecks() {
        std::vector<int> all;
        for (int code : {kCheck, kBillPaymentCheck}) {
            for (int i : b_.transactions[static_cast<std::size_t>(code)]) all.push_back(i);
        }
        std::stable_sort(all.begin(), all.end(), [this](int a, int b) {
            return T(a).date != T(b).date ? T(a).date < T(b).date : T(a).created < T(b).created;
        });
        int number = 10101;
        for (int index : all) {
            SampleTxn& t = T(index);
            if (t.toBePrinted || !t.refNumber.empty()) continue;
            t.refNumber = std::to_string(number++);
        }
        for (int index : b_.transactions[kBillPaymentCheck]) T(index).account = checking_;
        for (int index : b_.transactions[kBillPaymentCreditCard]) T(index).account = visa_;
    }

    void Balances() {
        for (int code : {kInvoice, kCharge}) {
            for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
                const SampleTxn& t = T(index);
                E(t.party).balance += t.open;
            }
        }
        for (int index : b_.transactions[kCreditMemo]) E(T(index).party).balance -= T(index).open;
        for (int index : b_.transactions[kReceivePayment])
            E(T(index).party).balance -= T(index).unused;
        for (int index : b_.transactions[kBill]) E(T(index).party).balance += T(index).open;
        for (int index : b_.transactions[kVendorCredit]) E(T(index).party).balance -= T(index).open;
        for (int code : {kCustomer, kVendor}) {
            for (int index : b_.lists[static_cast<std::size_t>(code)])
                E(index).totalBalance = E(index).balance;
            for (int index : b_.lists[static_cast<std::size_t>(code)]) {
                if (E(index).parent >= 0) E(E(index).parent).totalBalance += E(index).balance;
            }
        }

        // Balance-sheet accounts from the documents that move them.
        auto post = [this](int account, std::int64_t amount) {
            if (account >= 0) E(account).balance += amount;
        };
        for (int code : {kInvoice, kCharge}) {
            for (int index : b_.transactions[static_cast<std::size_t>(code)])
                post(ar_, T(index).open);
        }
        for (int index : b_.transactions[kCreditMemo]) post(ar_, -T(index).open);
        for (int index : b_.transactions[kBill]) post(ap_, T(index).open);
        for (int index : b_.transactions[kVendorCredit]) post(ap_, -T(index).open);
        for (int code : {kInvoice, kSalesReceipt}) {
            for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
                post(Account("Sales Tax Payable"), T(index).tax);
            }
        }
        std::int64_t undeposited = 0;
        for (int index : undeposited_Items_) undeposited += T(index).total;
        for (int index : b_.transactions[kDeposit]) {
            const SampleTxn& d = T(index);
            for (const SampleLine& l : d.lines) {
                if (l.source >= 0) undeposited -= l.amount;
            }
            post(d.account, d.total);
        }
        post(undeposited_, undeposited);
        for (int code : {kCheck, kBillPaymentCheck}) {
            for (int index : b_.transactions[static_cast<std::size_t>(code)])
                post(checking_, -T(index).total);
        }
        for (int index : b_.transactions[kCreditCardCharge]) post(T(index).account, T(index).total);
        for (int index : b_.transactions[kCreditCardCredit])
            post(T(index).account, -T(index).total);
        for (int index : b_.transactions[kBillPaymentCreditCard])
            post(T(index).account, T(index).total);
        // Opening balances keep the bank accounts in credit.
        for (int account : {checking_, savings_}) {
            if (account >= 0)
                E(account).balance += 2500000 + std::max<std::int64_t>(0, -E(account).balance);
        }
        std::int64_t stock = 0;
        for (int code : {kItemInventory, kItemInventoryAssembly}) {
            for (int index : b_.lists[static_cast<std::size_t>(code)]) {
                stock += LineAmount(std::max<std::int64_t>(0, E(index).onHand), E(index).cost);
            }
        }
        post(inventoryAsset_, stock);
        for (int index : b_.lists[kAccount]) E(index).totalBalance = E(index).balance;
        for (int index : b_.lists[kAccount]) {
            if (E(index).parent >= 0) E(E(index).parent).totalBalance += E(index).balance;
        }
    }

    SampleBooks& b_;
    SampleRandom random_;
    SampleRandom* r_ = nullptr;
    double scale_;
    std::int64_t now_ = 0;

    UniqueNames people_;  // customers, vendors, employees and other names share one name space
    UniqueNames items_;

    int dueOnReceipt_ = -1, net15_ = -1, net30_ = -1, net60_ = -1, twoTen_ = -1;
    int checking_ = -1, savings_ = -1, ar_ = -1, ap_ = -1, undeposited_ = -1, inventoryAsset_ = -1;
    int visa_ = -1, amex_ = -1, merchandise_ = -1, serviceIncome_ = -1, freightIncome_ = -1;
    int discounts_ = -1, fees_ = -1, cogs_ = -1, subcontract_ = -1;
    std::vector<int> generalExpenses_;
    std::vector<int> suppliers_, utilities_, services_;
    int landlord_ = -1, carrier_ = -1;
    std::vector<int> activeReps_, activeCustomers_;
    int cashCustomer_ = -1;
    std::vector<int> serviceItems_, stockItems_, otherSellable_, chargeItems_;
    int financeItem_ = -1, discountItem_ = -1;
    std::vector<int> undeposited_Items_;
};

}  // namespace

SampleBooks PlanSampleBooks(std::uint64_t seed, double scale, std::int32_t today) {
    SampleBooks books;
    books.today = today;
    books.firstDay = AddMonths(today, -36);
    Planner(books, seed, scale).Run();
    return books;
}

}  // namespace quarrion
