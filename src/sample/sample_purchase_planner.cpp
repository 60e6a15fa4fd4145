#include "sample/sample_purchase_planner.h"

#include <algorithm>

#include "foundation/calendar_day.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;
namespace names = sample_names;

void SamplePurchasePlanner::Run() {
    PlanPurchaseOrders();
    PlanBills();
    PlanBillPayments();
    PlanChecks();
    PlanCardCharges();
    PlanVendorCredits();
}

std::vector<int> SamplePurchasePlanner::ItemsOf(int vendor) {
    std::vector<int> bought;
    for (int i : known_.stockItems) {
        if (c_.E(i).item.prefVendor == vendor) bought.push_back(i);
    }
    return bought;
}

SampleLine SamplePurchasePlanner::PurchaseLine(int item) {
    SampleLine line;
    line.item = item;
    line.desc = c_.E(item).item.purchaseDesc.empty()
                    ? std::string_view(c_.E(item).item.salesDesc)
                    : std::string_view(c_.E(item).item.purchaseDesc);
    // Cheap goods come by the case, dear ones a few at a time.
    const std::int64_t cost = c_.E(item).item.cost;
    line.quantity = cost > 10000  ? c_.R().Between(1, 8) * 100
                    : cost > 2000 ? c_.R().Between(2, 12) * 500
                                  : c_.R().Between(2, 20) * 1000;
    line.rate = cost;
    line.amount = LineAmount(line.quantity, line.rate);
    return line;
}

void SamplePurchasePlanner::FillPurchaseLines(SampleTxn& t, int maxLines) {
    std::vector<int> bought = ItemsOf(t.party);
    const int count = static_cast<int>(c_.R().Between(1, maxLines));
    for (int n = 0; n < count && !known_.stockItems.empty(); ++n) {
        const int item = c_.Distinct(t.lines, [&] {
            return !bought.empty() && c_.R().Chance(0.8) ? c_.PickIndex(bought)
                                                         : c_.PickIndex(known_.stockItems);
        });
        if (item >= 0) t.lines.push_back(PurchaseLine(item));
    }
}

std::int64_t SamplePurchasePlanner::LineSum(const std::vector<SampleLine>& lines) {
    std::int64_t sum = 0;
    for (const SampleLine& l : lines) sum += l.amount;
    return sum;
}

void SamplePurchasePlanner::PlanPurchaseOrders() {
    std::vector<int> orders;
    for (std::int32_t date : c_.Dates(c_.Scaled(100, 2))) {
        const int index = c_.AddTxn(Type::PurchaseOrder, date);
        SampleTxn& t = c_.T(index);
        t.party = Supplier();
        t.terms = c_.E(t.party).terms;
        t.dueDate = date + c_.DueDays(t.terms);
        t.shipDate = date + static_cast<std::int32_t>(c_.R().Between(5, 21));  // expected date
        FillPurchaseLines(t, 8);
        t.total = LineSum(t.lines);
        if (c_.R().Chance(0.5)) t.memo = c_.Pick(names::PurchaseMemos());
        if (c_.R().Chance(0.2)) t.notes = "Please confirm ship date by e-mail";
        t.toBePrinted = c_.ToPrint(t);
        t.toBeEmailed = !t.toBePrinted && c_.R().Chance(0.5);
        if (c_.R().Chance(0.05) && !known_.activeCustomers.empty())
            t.shipTo = c_.PickIndex(known_.activeCustomers);  // drop-ship
        orders.push_back(index);
    }
    // Goods arrive around the expected date; a receipt records them.
    std::vector<std::pair<std::int32_t, int>> arrivals;
    int latestPending = -1;
    for (int order : orders) {
        SampleTxn& o = c_.T(order);
        const std::int32_t arrival = o.shipDate + static_cast<std::int32_t>(c_.R().Between(-2, 5));
        if (c_.R().Chance(0.08)) continue;  // still waiting, or cancelled later
        if (arrival <= b_.today) {
            arrivals.emplace_back(std::max(arrival, o.date), order);
        } else if (latestPending < 0 || c_.T(latestPending).shipDate > o.shipDate) {
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
        const int index = c_.AddTxn(Type::ItemReceipt, date);
        SampleTxn& r = c_.T(index);
        SampleTxn& o = c_.T(order);
        c_.EnteredAfter(r, o.created);
        r.party = o.party;
        r.account = known_.ap;
        r.refNumber = "PS-" + Digits(c_.R().Between(10000, 99999), 5);
        r.memo = "Received items against purchase order";
        r.lines = o.lines;
        for (SampleLine& l : r.lines) l.done = 0;
        r.total = o.total;
        r.links.push_back({order, o.total, 0});
        o.links.push_back({index, o.total, 0});
        o.closed = true;
        for (SampleLine& l : o.lines) l.done = l.quantity;
        c_.Touch(o, r.created);
    }
    for (int order : orders) {
        const SampleTxn& o = c_.T(order);
        if (o.closed) continue;
        for (const SampleLine& l : o.lines) {
            if (l.item >= 0) c_.E(l.item).item.onOrder += l.quantity;
        }
    }
}

void SamplePurchasePlanner::FillExpenses(SampleTxn& t, int vendor) {
    if (vendor == known_.landlord) {
        t.expenseLines.push_back(ExpenseLine(c_.Account("Rent Expense"), "Monthly rent", 285000));
    } else if (std::find(known_.utilities.begin(), known_.utilities.end(), vendor) !=
               known_.utilities.end()) {
        t.expenseLines.push_back(
            ExpenseLine(c_.Account("Utilities"), "Electricity, main store", c_.Money(180, 950)));
    } else if (vendor == known_.carrier) {
        t.expenseLines.push_back(
            ExpenseLine(c_.Account("Shipping & Postage"), "Postage & shipping", c_.Money(40, 600)));
    } else {
        const int count = static_cast<int>(c_.R().Between(1, 3));
        for (int n = 0; n < count; ++n) {
            SampleLine line = ExpenseLine(c_.PickIndex(known_.generalExpenses),
                                          c_.Pick(names::ExpenseMemos()), c_.Money(15, 900));
            if (c_.R().Chance(0.06) && !known_.activeCustomers.empty()) {
                line.entity = c_.PickIndex(known_.activeCustomers);
                line.billable = t.date < b_.today - 30 ? "HasBeenBilled"sv : "Billable"sv;
            }
            if (c_.R().Chance(0.15)) line.classRef = b_.lists[Type::Class][c_.R().Below(5)];
            t.expenseLines.push_back(line);
        }
    }
}

void SamplePurchasePlanner::PlanBills() {
    std::string lastRef;
    int lastVendor = -1;
    for (std::int32_t date : c_.Dates(c_.Scaled(180, 4))) {
        const int index = c_.AddTxn(Type::Bill, date);
        SampleTxn& t = c_.T(index);
        const bool duplicate = lastVendor >= 0 && c_.R().Chance(0.02);
        const bool stock = !duplicate && c_.R().Chance(0.4);
        if (duplicate) {
            // The same vendor invoice entered twice, a classic for searches.
            t.party = lastVendor;
            t.refNumber = lastRef;
        } else if (stock) {
            t.party = Supplier();
        } else {
            const double u = c_.R().Unit();
            t.party = u < 0.15   ? known_.landlord
                      : u < 0.35 ? c_.PickIndex(known_.utilities)
                      : u < 0.45 ? known_.carrier
                                 : c_.PickIndex(known_.services);
        }
        if (t.refNumber.empty()) {
            t.refNumber = c_.R().Chance(0.5) ? "INV-" + Digits(c_.R().Between(10000, 99999), 5)
                                             : std::to_string(c_.R().Between(100000, 999999));
        }
        t.account = known_.ap;
        t.terms = c_.E(t.party).terms;
        t.dueDate = date + c_.DueDays(t.terms);
        if (stock) {
            FillPurchaseLines(t, 5);
        } else {
            FillExpenses(t, t.party);
        }
        t.total = LineSum(t.lines) + LineSum(t.expenseLines);
        t.open = t.total;
        if (c_.R().Chance(0.4))
            t.memo = stock ? c_.Pick(names::PurchaseMemos()) : c_.Pick(names::ExpenseMemos());
        lastVendor = t.party;
        lastRef = t.refNumber;
    }
}

void SamplePurchasePlanner::PlanBillPayments() {
    std::vector<PaymentEvent> checks, cards;
    for (int bill : b_.transactions[Type::Bill]) {
        SampleTxn& t = c_.T(bill);
        if (c_.R().Chance(0.05)) continue;  // disputed, still open
        std::int32_t payDay = t.dueDate + static_cast<std::int32_t>(c_.R().Between(-10, 5));
        payDay = std::max(payDay, t.date);
        (c_.R().Chance(0.8) ? checks : cards).push_back({bill, t.party, payDay, t.total});
    }
    c_.MakePayments(checks, Type::BillPaymentCheck);
    c_.MakePayments(cards, Type::BillPaymentCreditCard);
    for (int p : b_.transactions[Type::BillPaymentCheck])
        c_.T(p).toBePrinted = c_.T(p).date >= b_.today - 2 && c_.R().Chance(0.5);
}

void SamplePurchasePlanner::PlanChecks() {
    for (std::int32_t date : c_.Dates(c_.Scaled(130, 2))) {
        const int index = c_.AddTxn(Type::Check, date);
        SampleTxn& t = c_.T(index);
        const double u = c_.R().Unit();
        if (u < 0.7) {
            t.party =
                c_.R().Chance(0.5) ? c_.PickIndex(known_.services) : c_.PickIndex(known_.utilities);
            FillExpenses(t, t.party);
        } else if (u < 0.85 && !b_.lists[Type::OtherName].empty()) {
            t.party = c_.PickIndex(b_.lists[Type::OtherName]);
            t.expenseLines.push_back(ExpenseLine(c_.PickIndex(known_.generalExpenses),
                                                 "Reimbursement", c_.Money(10, 300)));
        } else {
            t.party = c_.PickIndex(b_.lists[Type::Employee]);
            t.expenseLines.push_back(ExpenseLine(c_.Account("Travel Expense"),
                                                 "Mileage reimbursement", c_.Money(20, 400)));
        }
        if (c_.R().Chance(0.1) && !known_.stockItems.empty())
            t.lines.push_back(PurchaseLine(c_.PickIndex(known_.stockItems)));
        t.account = known_.checking;
        t.total = LineSum(t.lines) + LineSum(t.expenseLines);
        t.toBePrinted = c_.ToPrint(t);
        if (!t.toBePrinted && c_.R().Chance(0.15))
            t.refNumber = c_.R().Chance(0.5) ? "DEBIT" : "EFT";
        if (c_.R().Chance(0.5)) t.memo = t.expenseLines.front().memo;
    }
}

void SamplePurchasePlanner::PlanCardCharges() {
    for (std::int32_t date : c_.Dates(c_.Scaled(90, 2))) {
        const int index = c_.AddTxn(Type::CreditCardCharge, date);
        SampleTxn& t = c_.T(index);
        t.account = c_.R().Chance(0.7) ? known_.visa : known_.amex;
        t.party = c_.R().Chance(0.6) ? c_.PickIndex(known_.services) : Supplier();
        const int count = static_cast<int>(c_.R().Between(1, 2));
        for (int n = 0; n < count; ++n) {
            t.expenseLines.push_back(ExpenseLine(c_.PickIndex(known_.generalExpenses),
                                                 c_.Pick(names::ExpenseMemos()), c_.Money(8, 450)));
        }
        if (c_.R().Chance(0.08) && !known_.stockItems.empty())
            t.lines.push_back(PurchaseLine(c_.PickIndex(known_.stockItems)));
        t.total = LineSum(t.lines) + LineSum(t.expenseLines);
        if (c_.R().Chance(0.5)) t.refNumber = Digits(c_.R().Between(0, 9999), 4);
        if (c_.R().Chance(0.4)) t.memo = t.expenseLines.front().memo;
    }
    for (std::int32_t date : c_.Dates(c_.Scaled(12, 2))) {
        const int index = c_.AddTxn(Type::CreditCardCredit, date);
        SampleTxn& t = c_.T(index);
        t.account = c_.R().Chance(0.7) ? known_.visa : known_.amex;
        t.party = c_.PickIndex(known_.services);
        t.expenseLines.push_back(ExpenseLine(c_.PickIndex(known_.generalExpenses),
                                             "Refund - returned item", c_.Money(5, 200)));
        t.total = LineSum(t.expenseLines);
        t.memo = "Refund";
        if (c_.R().Chance(0.5)) t.refNumber = Digits(c_.R().Between(0, 9999), 4);
    }
}

void SamplePurchasePlanner::PlanVendorCredits() {
    for (std::int32_t date : c_.Dates(c_.Scaled(20, 2))) {
        const int index = c_.AddTxn(Type::VendorCredit, date);
        SampleTxn& t = c_.T(index);
        t.party = Supplier();
        t.account = known_.ap;
        t.refNumber = "CM-" + Digits(c_.R().Between(1000, 9999), 4);
        if (c_.R().Chance(0.6) && !known_.stockItems.empty()) {
            FillPurchaseLines(t, 2);
            for (SampleLine& l : t.lines) {
                l.quantity = c_.R().Between(1, 5) * 100;
                l.amount = LineAmount(l.quantity, l.rate);
            }
            t.memo = "Return of defective goods";
        } else {
            t.expenseLines.push_back(ExpenseLine(c_.Account("Freight In"),
                                                 "Freight overcharge refund", c_.Money(10, 150)));
            t.memo = "Credit for freight overcharge";
        }
        t.total = LineSum(t.lines) + LineSum(t.expenseLines);
        t.open = t.total;
    }
}

}  // namespace quarrion::sample_planning
