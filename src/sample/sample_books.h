#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quarrion {

// The sample company's books as planned before anything is written: every list
// record and transaction with the facts its qbXML record is built from. References
// are indexes into `entities` and `txns`; amounts are cents, quantities and
// percentages hundredths, dates day numbers (days since 1970-01-01) and times
// seconds on the company's wall clock. Planning settles everything that ties records
// together (payments applied to invoices, deposits of payments, receipts of purchase
// orders, balances), so each record can then be written on its own, in any order.

inline constexpr std::int32_t kNoDay = std::numeric_limits<std::int32_t>::min();

struct SampleAddress {
    std::string addr1;  // name line
    std::string addr2;  // street
    std::string addr3;  // suite or floor; may be empty
    std::string city;
    std::string state;
    std::string postalCode;
    std::string country;  // empty in the United States
    bool Empty() const { return addr1.empty() && addr2.empty() && city.empty(); }
};

struct SampleCustomField {
    std::string_view name;
    std::string value;
};

// What customers, vendors, employees and other names carry: names, contacts,
// addresses and the facts of each of those lists.
struct SampleParty {
    std::string companyName, salutation, firstName, middleName, lastName, jobTitle;
    std::string phone, altPhone, mobile, fax, email, cc, contact, altContact;
    std::string accountNumber, resaleNumber, taxIdent, ssn, department;
    std::string emergencyName, emergencyPhone;
    std::string_view emergencyRelation, deliveryMethod, jobStatus, employeeType, gender;
    std::string jobDesc;
    std::int32_t jobStart = kNoDay, jobEnd = kNoDay, hired = kNoDay, released = kNoDay,
                 birth = kNoDay;
    SampleAddress address;      // bill-to, vendor, employee or other-name address
    SampleAddress shipAddress;  // where it differs from `address`; else empty
    int typeRef = -1;           // customer or vendor type
    bool taxable = false, eligible1099 = false;
    std::int64_t creditLimit = 0;
};

// What an account of the chart carries.
struct SampleAccount {
    std::string_view type, specialType, cashFlow;
    std::string number, description, bankNumber;
    int taxLineId = 0;
    std::string_view taxLineName;
};

// What an item of any of the item lists carries.
struct SampleItem {
    std::string salesDesc, purchaseDesc, partNumber, barcode;
    std::int64_t price = 0, cost = 0, pricePercent = 0;
    bool purchased = false;  // sold and bought (SalesAndPurchase) rather than sold only
    int incomeAccount = -1, expenseAccount = -1, assetAccount = -1, prefVendor = -1;
    std::int64_t onHand = 0, onOrder = 0, onSalesOrder = 0, reorderPoint = 0, maxQuantity = 0;
    std::string_view specialItemType;
    std::vector<std::pair<int, std::int64_t>> components;  // assembly: item, quantity
};

// What standard terms carry.
struct SamplePaymentTerms {
    int dueDays = 0, discountDays = 0;
    std::int64_t discountPercent = 0;
};

// One list record of any of the fifteen list types: what every list record has, and
// the record of its kind; the records of other kinds stay empty.
struct SampleEntity {
    std::int32_t code = 0;
    std::string listId;
    std::string name;      // Name; the initials of a sales rep
    std::string fullName;  // FullName; equals name where the list has no hierarchy
    int parent = -1;
    int sublevel = 0;
    std::int64_t created = 0;
    std::int64_t modified = 0;
    bool active = true;

    // Shared by several kinds: customers' and vendors' terms, customers' rep, class
    // and sales tax, the balances of customers, vendors and accounts.
    int terms = -1, salesRep = -1, classRef = -1;
    std::int64_t taxRate = 0;  // hundredths of a percent
    std::int64_t balance = 0, totalBalance = 0;
    std::string notes;

    SampleParty party;           // customers, vendors, employees and other names
    SampleAccount account;       // accounts
    SampleItem item;             // items
    SamplePaymentTerms payment;  // standard terms
    int repEntity = -1;          // sales reps: the employee, vendor or other name behind them

    std::vector<SampleCustomField> custom;
};

struct SampleLine {
    int item = -1;     // item lines
    int account = -1;  // expense, journal and deposit lines
    int entity = -1;   // billable customer; name on journal and deposit lines
    int classRef = -1;
    std::int64_t quantity = 0;  // 0: no quantity
    std::int64_t rate = 0;      // price or cost per unit; 0 with quantity 0
    std::int64_t ratePercent = 0;
    std::int64_t amount = 0;
    std::int64_t done = 0;  // quantity received (purchase orders) or invoiced (sales orders)
    std::string_view desc;
    std::string_view memo;
    std::string_view billable;  // BillableStatus, or empty
    std::int32_t serviceDate = kNoDay;
    int source = -1;  // deposit line: the payment or sales receipt it deposits
    std::string txnLineId;
};

// A transaction applied to or linked from another: a payment's invoices, an
// invoice's payments, a purchase order's receipts.
struct SampleLink {
    int txn = -1;
    std::int64_t amount = 0;
    std::int64_t balanceAfter = 0;  // the paid document's balance after this payment
};

struct SampleTxn {
    std::int32_t code = 0;
    std::string txnId;
    int txnNumber = 0;
    std::int32_t date = 0;
    std::int64_t created = 0;
    std::int64_t modified = 0;
    std::string refNumber;
    int party = -1;    // customer, vendor or payee; employee on time tracking
    int account = -1;  // header account: A/R, A/P, bank, card or deposit-to account
    int terms = -1, salesRep = -1, classRef = -1;
    std::int32_t dueDate = kNoDay, shipDate = kNoDay;
    std::vector<SampleLine> lines;         // item lines; journal debit lines; deposit lines
    std::vector<SampleLine> expenseLines;  // expense lines; journal credit lines
    std::int64_t subtotal = 0, taxRate = 0, tax = 0, total = 0;
    std::int64_t open = 0;    // balance still owed, or credit still unused
    std::int64_t unused = 0;  // unapplied part of a payment
    std::vector<SampleLink> links;
    std::string memo;
    std::string poNumber, checkNumber;
    bool toBePrinted = false;
    bool toBeEmailed = false;
    bool closed = false;  // estimate no longer active; order closed or fully invoiced/received
    bool financeCharge = false;
    int customer = -1;         // time tracking: the customer served
    int shipTo = -1;           // purchase order shipped straight to this customer
    int serviceItem = -1;      // time tracking
    std::int64_t minutes = 0;  // time tracking
    std::string_view billable;
    std::string_view notes;
    std::vector<SampleCustomField> custom;
};

struct SampleBooks {
    std::int32_t today = 0;     // the last day of the books
    std::int32_t firstDay = 0;  // 36 months before today
    std::vector<SampleEntity> entities;
    std::vector<SampleTxn> txns;
    // Indexes into entities or txns per request-type code, in the order written.
    std::array<std::vector<int>, 36> lists;
    std::array<std::vector<int>, 36> transactions;
    SampleAddress companyAddress;  // the sample company's own address (ship-to of orders)
};

// Plans the whole company. The same seed, scale and today give the same books.
SampleBooks PlanSampleBooks(std::uint64_t seed, double scale, std::int32_t today);

}  // namespace quarrion
