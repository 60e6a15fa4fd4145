#include "sample/sample_books_planner.h"

#include <algorithm>

#include "foundation/calendar_day.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;
namespace names = sample_names;

std::vector<int> SampleBooksPlanner::ItemsOf(int vendor) {
    std::vector<int> bought;
    for (int i : stockItems_) {
        if (E(i).prefVendor == vendor) bought.push_back(i);
    }
    return bought;
}

SampleLine SampleBooksPlanner::PurchaseLine(int item) {
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

void SampleBooksPlanner::FillPurchaseLines(SampleTxn& t, int maxLines) {
    std::vector<int> bought = ItemsOf(t.party);
    const int count = static_cast<int>(R().Between(1, maxLines));
    for (int n = 0; n < count && !stockItems_.empty(); ++n) {
        const int item = Distinct(t.lines, [&] {
            return !bought.empty() && R().Chance(0.8) ? PickIndex(bought) : PickIndex(stockItems_);
        });
        if (item >= 0) t.lines.push_back(PurchaseLine(item));
    }
}

std::int64_t SampleBooksPlanner::LineSum(const std::vector<SampleLine>& lines) {
    std::int64_t sum = 0;
    for (const SampleLine& l : lines) sum += l.amount;
    return sum;
}

void SampleBooksPlanner::PlanPurchaseOrders() {
    std::vector<int> orders;
    for (std::int32_t date : Dates(Scaled(100, 2))) {
        const int index = AddTxn(Type::PurchaseOrder, date);
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
        const int index = AddTxn(Type::ItemReceipt, date);
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

SampleLine SampleBooksPlanner::ExpenseLine(int account, std::string_view memo,
                                           std::int64_t amount) {
    SampleLine line;
    line.account = account;
    line.memo = memo;
    line.amount = amount;
    return line;
}

void SampleBooksPlanner::FillExpenses(SampleTxn& t, int vendor) {
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
            SampleLine line = ExpenseLine(PickIndex(generalExpenses_), Pick(names::ExpenseMemos()),
                                          Money(15, 900));
            if (R().Chance(0.06) && !activeCustomers_.empty()) {
                line.entity = PickIndex(activeCustomers_);
                line.billable = t.date < b_.today - 30 ? "HasBeenBilled"sv : "Billable"sv;
            }
            if (R().Chance(0.15)) line.classRef = b_.lists[Type::Class][R().Below(5)];
            t.expenseLines.push_back(line);
        }
    }
}

void SampleBooksPlanner::PlanBills() {
    std::string lastRef;
    int lastVendor = -1;
    for (std::int32_t date : Dates(Scaled(180, 4))) {
        const int index = AddTxn(Type::Bill, date);
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

void SampleBooksPlanner::PlanBillPayments() {
    std::vector<PaymentEvent> checks, cards;
    for (int bill : b_.transactions[Type::Bill]) {
        SampleTxn& t = T(bill);
        if (R().Chance(0.05)) continue;  // disputed, still open
        std::int32_t payDay = t.dueDate + static_cast<std::int32_t>(R().Between(-10, 5));
        payDay = std::max(payDay, t.date);
        (R().Chance(0.8) ? checks : cards).push_back({bill, t.party, payDay, t.total});
    }
    MakePayments(checks, Type::BillPaymentCheck);
    MakePayments(cards, Type::BillPaymentCreditCard);
    for (int p : b_.transactions[Type::BillPaymentCheck])
        T(p).toBePrinted = T(p).date >= b_.today - 2 && R().Chance(0.5);
}

void SampleBooksPlanner::PlanChecks() {
    for (std::int32_t date : Dates(Scaled(130, 2))) {
        const int index = AddTxn(Type::Check, date);
        SampleTxn& t = T(index);
        const double u = R().Unit();
        if (u < 0.7) {
            t.party = R().Chance(0.5) ? PickIndex(services_) : PickIndex(utilities_);
            FillExpenses(t, t.party);
        } else if (u < 0.85 && !b_.lists[Type::OtherName].empty()) {
            t.party = PickIndex(b_.lists[Type::OtherName]);
            t.expenseLines.push_back(
                ExpenseLine(PickIndex(generalExpenses_), "Reimbursement", Money(10, 300)));
        } else {
            t.party = PickIndex(b_.lists[Type::Employee]);
            t.expenseLines.push_back(
                ExpenseLine(Account("Travel Expense"), "Mileage reimbursement", Money(20, 400)));
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

void SampleBooksPlanner::PlanCardCharges() {
    for (std::int32_t date : Dates(Scaled(90, 2))) {
        const int index = AddTxn(Type::CreditCardCharge, date);
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
        const int index = AddTxn(Type::CreditCardCredit, date);
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

void SampleBooksPlanner::PlanVendorCredits() {
    for (std::int32_t date : Dates(Scaled(20, 2))) {
        const int index = AddTxn(Type::VendorCredit, date);
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
            t.expenseLines.push_back(
                ExpenseLine(Account("Freight In"), "Freight overcharge refund", Money(10, 150)));
            t.memo = "Credit for freight overcharge";
        }
        t.total = LineSum(t.lines) + LineSum(t.expenseLines);
        t.open = t.total;
    }
}
void SampleBooksPlanner::PlanJournalEntries() {
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
        const int index = AddTxn(Type::JournalEntry, date);
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
            debit.classRef = b_.lists[Type::Class][0];
            second.classRef = b_.lists[Type::Class][3];
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

void SampleBooksPlanner::PlanTimeTracking() {
    static constexpr std::string_view kNotes[] = {"Installed shelving units",
                                                  "Delivered and assembled furniture",
                                                  "Repaired faucet",
                                                  "On-site consultation",
                                                  "Measured for custom order",
                                                  "Warehouse inventory count",
                                                  "Fixed \"sticky\" door latch",
                                                  "Training new staff"};
    std::vector<int> workers;
    for (int i : b_.lists[Type::Employee]) {
        if (E(i).active) workers.push_back(i);
    }
    if (workers.empty()) workers = b_.lists[Type::Employee];
    for (std::int32_t date : Dates(Scaled(90, 2))) {
        const int index = AddTxn(Type::TimeTracking, date);
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
        if (R().Chance(0.2)) t.classRef = b_.lists[Type::Class][5];
    }
}

}  // namespace quarrion::sample_planning
