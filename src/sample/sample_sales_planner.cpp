#include "sample/sample_sales_planner.h"

#include <algorithm>

#include "foundation/calendar_day.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;
namespace names = sample_names;

void SampleSalesPlanner::Run() {
    PlanSalesDocuments();
    PlanCharges();
    PlanCustomerPayments();
    PlanDeposits();
}

int SampleSalesPlanner::SellableItem() {
    const double u = c_.R().Unit();
    if (u < 0.62 || (known_.serviceItems.empty() && known_.otherSellable.empty()))
        return c_.PickIndex(known_.stockItems);
    if (u < 0.85 && !known_.serviceItems.empty()) return c_.PickIndex(known_.serviceItems);
    if (u < 0.93 && !known_.chargeItems.empty()) return c_.PickIndex(known_.chargeItems);
    return known_.otherSellable.empty() ? c_.PickIndex(known_.stockItems)
                                        : c_.PickIndex(known_.otherSellable);
}

SampleLine SampleSalesPlanner::SalesLine(int item, std::int32_t date) {
    const SampleEntity& it = c_.E(item);
    SampleLine line;
    line.item = item;
    line.desc = it.item.salesDesc;
    if (it.code == Type::ItemService) {
        line.quantity = c_.R().Between(2, 32) * 25;  // quarter hours, 0.5 to 8
        if (c_.R().Chance(0.3))
            line.serviceDate = date - static_cast<std::int32_t>(c_.R().Between(0, 5));
    } else if (it.code == Type::ItemOtherCharge) {
        line.quantity = 100;
    } else {
        line.quantity = c_.R().Between(1, 24) * 100;
    }
    line.rate = it.item.price;
    if (it.code == Type::ItemInventory && c_.R().Chance(0.1))
        line.rate = it.item.price * 9 / 10;  // negotiated
    line.amount = LineAmount(line.quantity, line.rate);
    return line;
}

void SampleSalesPlanner::FillSalesLines(SampleTxn& t, int maxLines) {
    const int count = static_cast<int>(c_.R().Chance(0.4) ? 1 : c_.R().Between(2, maxLines));
    for (int n = 0; n < count; ++n) {
        const int item = c_.Distinct(t.lines, [this] { return SellableItem(); });
        if (item < 0) continue;
        SampleLine line = SalesLine(item, t.date);
        if (t.classRef >= 0 && c_.R().Chance(0.5)) line.classRef = t.classRef;
        t.lines.push_back(line);
    }
    if (known_.discountItem >= 0 && c_.R().Chance(0.04)) {
        std::int64_t base = 0;
        for (const SampleLine& l : t.lines) base += l.amount;
        SampleLine discount;
        discount.item = known_.discountItem;
        discount.desc = c_.E(known_.discountItem).item.salesDesc;
        discount.ratePercent = c_.E(known_.discountItem).item.pricePercent;
        discount.amount = PercentOf(base, discount.ratePercent);
        t.lines.push_back(discount);
    }
    Total(t);
}

void SampleSalesPlanner::Total(SampleTxn& t) {
    t.subtotal = 0;
    for (const SampleLine& l : t.lines) t.subtotal += l.amount;
    const SampleEntity& customer = c_.E(t.party);
    if (customer.party.taxable && t.subtotal > 0) {
        t.taxRate = customer.taxRate;
        t.tax = PercentOf(t.subtotal, t.taxRate);
    }
    t.total = t.subtotal + t.tax;
}

void SampleSalesPlanner::SalesHeader(SampleTxn& t, int customer) {
    const SampleEntity& c = c_.E(customer);
    t.party = customer;
    t.terms = c.terms;
    t.salesRep = c.salesRep;
    t.classRef = c.classRef >= 0
                     ? c.classRef
                     : (c_.R().Chance(0.25) ? b_.lists[Type::Class][c_.R().Below(5)] : -1);
    if (!c.party.companyName.empty() && c_.R().Chance(0.35)) {
        t.poNumber = "PO-" + Digits(c_.R().Between(1000, 99999), 5);
    }
    if (c_.R().Chance(0.5)) t.memo = c_.Pick(names::SalesMemos());
    if (c_.R().Chance(0.15))
        c_.AddCustom(t.custom, "Project Code", "PRJ-" + Digits(c_.R().Between(100, 999), 3));
}

void SampleSalesPlanner::PlanSalesDocuments() {
    // Invoices, with a few entered twice by mistake and a few finance charges.
    int previous = -1;
    for (std::int32_t date : c_.Dates(c_.Scaled(360, 8))) {
        if (previous >= 0 && c_.R().Chance(0.015)) {
            const int copy = c_.AddTxn(Type::Invoice, c_.T(previous).date);
            SampleTxn& t = c_.T(copy);
            const SampleTxn& original = c_.T(previous);
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
            t.account = known_.ar;
            t.dueDate = original.dueDate;
            t.shipDate = original.shipDate;
            t.toBePrinted = c_.ToPrint(t);
            previous = -1;
            continue;
        }
        const int index = c_.AddTxn(Type::Invoice, date);
        SampleTxn& t = c_.T(index);
        const int customer = c_.SalesCustomer();
        SalesHeader(t, customer);
        t.account = known_.ar;
        if (known_.financeItem >= 0 && c_.R().Chance(0.01)) {
            t.financeCharge = true;
            SampleLine line;
            line.item = known_.financeItem;
            line.desc = "Finance charge on overdue balance";
            line.amount = c_.Money(2, 40);
            t.lines.push_back(line);
            t.memo = "Finance charge";
            Total(t);
        } else {
            FillSalesLines(t, 6);
        }
        t.dueDate = date + c_.DueDays(t.terms);
        for (const SampleLine& l : t.lines) {
            if (l.item >= 0 && c_.E(l.item).code == Type::ItemInventory)
                t.shipDate = date + static_cast<std::int32_t>(c_.R().Between(0, 3));
        }
        t.toBePrinted = c_.ToPrint(t);
        t.toBeEmailed = !t.toBePrinted && c_.R().Chance(0.3) && !c_.E(customer).party.email.empty();
        previous = index;
    }

    for (std::int32_t date : c_.Dates(c_.Scaled(35, 2))) {
        const int index = c_.AddTxn(Type::CreditMemo, date);
        SampleTxn& t = c_.T(index);
        SalesHeader(t, c_.SalesCustomer());
        t.account = known_.ar;
        t.memo = c_.R().Chance(0.5) ? "Returned damaged goods"sv : "Credit for short shipment"sv;
        const int count = static_cast<int>(c_.R().Between(1, 2));
        for (int n = 0; n < count; ++n) {
            SampleLine line = SalesLine(
                known_.stockItems.empty() ? SellableItem() : c_.PickIndex(known_.stockItems), date);
            line.quantity = c_.R().Between(1, 4) * 100;
            line.amount = LineAmount(line.quantity, line.rate);
            t.lines.push_back(line);
        }
        Total(t);
        t.open = t.total;  // credits wait to be used on a later invoice
        t.toBePrinted = c_.ToPrint(t);
    }

    for (std::int32_t date : c_.Dates(c_.Scaled(80, 2))) {
        const int index = c_.AddTxn(Type::Estimate, date);
        SampleTxn& t = c_.T(index);
        SalesHeader(t, c_.SalesCustomer());
        FillSalesLines(t, 8);
        t.dueDate = date + 30;
        t.closed = date < b_.today - 60 && c_.R().Chance(0.7);
        if (c_.R().Chance(0.4)) t.memo = "Quote valid for 30 days";
    }

    for (std::int32_t date : c_.Dates(c_.Scaled(100, 2))) {
        const int index = c_.AddTxn(Type::SalesOrder, date);
        SampleTxn& t = c_.T(index);
        SalesHeader(t, c_.SalesCustomer());
        FillSalesLines(t, 6);
        t.dueDate = date + c_.DueDays(t.terms);
        t.shipDate = date + static_cast<std::int32_t>(c_.R().Between(1, 14));
        const bool old = date < b_.today - 30;
        t.closed = old && c_.R().Chance(0.85);
        for (SampleLine& l : t.lines) {
            l.done =
                t.closed ? l.quantity : (old && c_.R().Chance(0.5) ? l.quantity / 200 * 100 : 0);
            if (!t.closed && l.item >= 0) c_.E(l.item).item.onSalesOrder += l.quantity - l.done;
        }
        t.toBePrinted = c_.ToPrint(t);
    }

    for (std::int32_t date : c_.Dates(c_.Scaled(150, 2))) {
        const int index = c_.AddTxn(Type::SalesReceipt, date);
        SampleTxn& t = c_.T(index);
        SalesHeader(t, c_.R().Chance(0.35) ? known_.cashCustomer : c_.SalesCustomer());
        t.terms = -1;
        t.account = known_.undeposited;
        FillSalesLines(t, 4);
        if (c_.R().Chance(0.3)) t.checkNumber = std::to_string(c_.R().Between(100, 9999));
        t.toBePrinted = t.date == b_.today;
        known_.undepositedTxns.push_back(index);
    }
}

void SampleSalesPlanner::PlanCharges() {
    for (std::int32_t date : c_.Dates(c_.Scaled(40, 2))) {
        const int index = c_.AddTxn(Type::Charge, date);
        SampleTxn& t = c_.T(index);
        const int customer = c_.SalesCustomer();
        t.party = customer;
        t.account = known_.ar;
        const int item = !known_.serviceItems.empty() && c_.R().Chance(0.7)
                             ? c_.PickIndex(known_.serviceItems)
                             : SellableItem();
        SampleLine line = SalesLine(item, date);
        t.lines.push_back(line);
        t.subtotal = t.total = line.amount;
        t.dueDate = date + c_.DueDays(c_.E(customer).terms);
        if (c_.R().Chance(0.3)) t.classRef = b_.lists[Type::Class][c_.R().Below(5)];
    }
}

void SampleSalesPlanner::PlanCustomerPayments() {
    std::vector<PaymentEvent> events;
    std::vector<int> receivables;
    for (int code : {Type::Invoice, Type::Charge}) {
        for (int i : b_.transactions[static_cast<std::size_t>(code)]) receivables.push_back(i);
    }
    for (int doc : receivables) {
        SampleTxn& t = c_.T(doc);
        t.open = t.total;
        if (t.total <= 0 || t.financeCharge || c_.R().Chance(0.04)) continue;
        const std::int32_t due = t.dueDate != kNoDay ? t.dueDate : t.date + 30;
        std::int32_t payDay = due + static_cast<std::int32_t>(c_.R().Between(-20, 25));
        payDay = std::max(payDay, t.date);
        if (c_.R().Chance(0.1)) {
            const std::int64_t first = t.total / 2;
            events.push_back({doc, t.party, payDay, first});
            events.push_back({doc, t.party,
                              payDay + static_cast<std::int32_t>(c_.R().Between(10, 40)),
                              t.total - first});
        } else {
            events.push_back({doc, t.party, payDay, t.total});
        }
    }
    c_.MakePayments(events, Type::ReceivePayment);
}

void SampleSalesPlanner::PlanDeposits() {
    std::vector<int> items = known_.undepositedTxns;
    std::stable_sort(items.begin(), items.end(), [this](int a, int b) {
        return c_.T(a).date != c_.T(b).date ? c_.T(a).date < c_.T(b).date : a < b;
    });
    std::size_t i = 0;
    bool anyToday = false;
    std::vector<int> deposits;
    while (i < items.size()) {
        const std::size_t size = static_cast<std::size_t>(c_.R().Between(4, 10));
        const std::size_t end = std::min(items.size(), i + size);
        const std::int32_t last = c_.T(items[end - 1]).date;
        std::int32_t date = last + static_cast<std::int32_t>(c_.R().Between(0, 2));
        if (date > b_.today) {
            if (anyToday) break;  // the newest payments have not gone to the bank yet
            date = b_.today;
        }
        const int index = c_.AddTxn(Type::Deposit, date);
        anyToday = anyToday || date == b_.today;
        SampleTxn& d = c_.T(index);
        d.account = c_.R().Chance(0.9) ? known_.checking : known_.savings;
        d.memo = "Deposit";
        for (std::size_t k = i; k < end; ++k) {
            const SampleTxn& source = c_.T(items[k]);
            c_.EnteredAfter(d, source.created);
            SampleLine line;
            line.source = items[k];
            line.entity = source.party;
            line.account = known_.undeposited;
            line.amount = source.total;
            d.lines.push_back(line);
            d.total += line.amount;
        }
        if (!b_.lists[Type::OtherName].empty() && c_.R().Chance(0.08)) {
            SampleLine interest;
            interest.account = c_.Account("Interest Income");
            interest.entity = b_.lists[Type::OtherName][0];
            interest.memo = "Interest earned";
            interest.amount = c_.Money(1, 30);
            d.lines.push_back(interest);
            d.total += interest.amount;
        }
        deposits.push_back(index);
        i = end;
    }
    if (!anyToday && !deposits.empty()) {
        // The last run goes to the bank today, so today's deposits are never empty.
        SampleTxn& last = c_.T(deposits.back());
        last.date = b_.today;
        c_.StampTxn(last);
        for (const SampleLine& line : last.lines) {
            if (line.source >= 0) c_.EnteredAfter(last, c_.T(line.source).created);
        }
    }
}

}  // namespace quarrion::sample_planning
