#include "sample/sample_books_planner.h"

#include <algorithm>
#include <map>

#include "foundation/calendar_day.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;
namespace names = sample_names;

int SampleBooksPlanner::SellableItem() {
    const double u = R().Unit();
    if (u < 0.62 || (serviceItems_.empty() && otherSellable_.empty()))
        return PickIndex(stockItems_);
    if (u < 0.85 && !serviceItems_.empty()) return PickIndex(serviceItems_);
    if (u < 0.93 && !chargeItems_.empty()) return PickIndex(chargeItems_);
    return otherSellable_.empty() ? PickIndex(stockItems_) : PickIndex(otherSellable_);
}

SampleLine SampleBooksPlanner::SalesLine(int item, std::int32_t date) {
    const SampleEntity& it = E(item);
    SampleLine line;
    line.item = item;
    line.desc = it.salesDesc;
    if (it.code == Type::ItemService) {
        line.quantity = R().Between(2, 32) * 25;  // quarter hours, 0.5 to 8
        if (R().Chance(0.3)) line.serviceDate = date - static_cast<std::int32_t>(R().Between(0, 5));
    } else if (it.code == Type::ItemOtherCharge) {
        line.quantity = 100;
    } else {
        line.quantity = R().Between(1, 24) * 100;
    }
    line.rate = it.price;
    if (it.code == Type::ItemInventory && R().Chance(0.1))
        line.rate = it.price * 9 / 10;  // negotiated
    line.amount = LineAmount(line.quantity, line.rate);
    return line;
}

void SampleBooksPlanner::FillSalesLines(SampleTxn& t, int maxLines) {
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

void SampleBooksPlanner::Total(SampleTxn& t) {
    t.subtotal = 0;
    for (const SampleLine& l : t.lines) t.subtotal += l.amount;
    const SampleEntity& customer = E(t.party);
    if (customer.taxable && t.subtotal > 0) {
        t.taxRate = customer.taxRate;
        t.tax = PercentOf(t.subtotal, t.taxRate);
    }
    t.total = t.subtotal + t.tax;
}

void SampleBooksPlanner::SalesHeader(SampleTxn& t, int customer) {
    const SampleEntity& c = E(customer);
    t.party = customer;
    t.terms = c.terms;
    t.salesRep = c.salesRep;
    t.classRef = c.classRef >= 0 ? c.classRef
                                 : (R().Chance(0.25) ? b_.lists[Type::Class][R().Below(5)] : -1);
    if (!c.companyName.empty() && R().Chance(0.35)) {
        t.poNumber = "PO-" + Digits(R().Between(1000, 99999), 5);
    }
    if (R().Chance(0.5)) t.memo = Pick(names::SalesMemos());
    if (R().Chance(0.15))
        AddCustom(t.custom, "Project Code", "PRJ-" + Digits(R().Between(100, 999), 3));
}

int SampleBooksPlanner::DueDays(int terms) const {
    return terms >= 0 ? b_.entities[static_cast<std::size_t>(terms)].dueDays : 30;
}

bool SampleBooksPlanner::ToPrint(const SampleTxn& t) {
    return t.date == b_.today ? true
                              : (t.date > b_.today - 10 ? R().Chance(0.4) : R().Chance(0.01));
}

void SampleBooksPlanner::PlanSalesDocuments() {
    // Invoices, with a few entered twice by mistake and a few finance charges.
    int previous = -1;
    for (std::int32_t date : Dates(Scaled(360, 8))) {
        if (previous >= 0 && R().Chance(0.015)) {
            const int copy = AddTxn(Type::Invoice, T(previous).date);
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
        const int index = AddTxn(Type::Invoice, date);
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
            if (l.item >= 0 && E(l.item).code == Type::ItemInventory)
                t.shipDate = date + static_cast<std::int32_t>(R().Between(0, 3));
        }
        t.toBePrinted = ToPrint(t);
        t.toBeEmailed = !t.toBePrinted && R().Chance(0.3) && !E(customer).email.empty();
        previous = index;
    }

    for (std::int32_t date : Dates(Scaled(35, 2))) {
        const int index = AddTxn(Type::CreditMemo, date);
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
        const int index = AddTxn(Type::Estimate, date);
        SampleTxn& t = T(index);
        SalesHeader(t, SalesCustomer());
        FillSalesLines(t, 8);
        t.dueDate = date + 30;
        t.closed = date < b_.today - 60 && R().Chance(0.7);
        if (R().Chance(0.4)) t.memo = "Quote valid for 30 days";
    }

    for (std::int32_t date : Dates(Scaled(100, 2))) {
        const int index = AddTxn(Type::SalesOrder, date);
        SampleTxn& t = T(index);
        SalesHeader(t, SalesCustomer());
        FillSalesLines(t, 6);
        t.dueDate = date + DueDays(t.terms);
        t.shipDate = date + static_cast<std::int32_t>(R().Between(1, 14));
        const bool old = date < b_.today - 30;
        t.closed = old && R().Chance(0.85);
        for (SampleLine& l : t.lines) {
            l.done = t.closed ? l.quantity : (old && R().Chance(0.5) ? l.quantity / 200 * 100 : 0);
            if (!t.closed && l.item >= 0) E(l.item).onSalesOrder += l.quantity - l.done;
        }
        t.toBePrinted = ToPrint(t);
    }

    for (std::int32_t date : Dates(Scaled(150, 2))) {
        const int index = AddTxn(Type::SalesReceipt, date);
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

void SampleBooksPlanner::PlanCharges() {
    for (std::int32_t date : Dates(Scaled(40, 2))) {
        const int index = AddTxn(Type::Charge, date);
        SampleTxn& t = T(index);
        const int customer = SalesCustomer();
        t.party = customer;
        t.account = ar_;
        const int item =
            !serviceItems_.empty() && R().Chance(0.7) ? PickIndex(serviceItems_) : SellableItem();
        SampleLine line = SalesLine(item, date);
        t.lines.push_back(line);
        t.subtotal = t.total = line.amount;
        t.dueDate = date + DueDays(E(customer).terms);
        if (R().Chance(0.3)) t.classRef = b_.lists[Type::Class][R().Below(5)];
    }
}

void SampleBooksPlanner::PlanCustomerPayments() {
    std::vector<PaymentEvent> events;
    std::vector<int> receivables;
    for (int code : {Type::Invoice, Type::Charge}) {
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
            events.push_back({doc, t.party, payDay + static_cast<std::int32_t>(R().Between(10, 40)),
                              t.total - first});
        } else {
            events.push_back({doc, t.party, payDay, t.total});
        }
    }
    MakePayments(events, Type::ReceivePayment);
}

void SampleBooksPlanner::MakePayments(std::vector<PaymentEvent>& events, std::int32_t code) {
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
        std::max_element(due.begin(), due.end(), [](const PaymentEvent& a, const PaymentEvent& b) {
            return a.date < b.date;
        })->date = b_.today;
    }
    std::stable_sort(due.begin(), due.end(), [](const PaymentEvent& a, const PaymentEvent& b) {
        return a.party != b.party ? a.party < b.party : a.date < b.date;
    });
    // A document paid twice must see its payments in date order.
    std::size_t i = 0;
    std::vector<std::pair<std::int32_t, std::vector<PaymentEvent>>> payments;
    while (i < due.size()) {
        std::size_t j = i + 1;
        while (j < due.size() && due[j].party == due[i].party && due[j].date - due[i].date <= 4 &&
               j - i < 4) {
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
        if (code == Type::ReceivePayment) {
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
            if (code == Type::BillPaymentCreditCard && R().Chance(0.6)) {
                p.refNumber = "CC" + Digits(R().Between(100000, 999999), 6);
            }
        }
    }
}

void SampleBooksPlanner::PlanDeposits() {
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
        const int index = AddTxn(Type::Deposit, date);
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
        if (!b_.lists[Type::OtherName].empty() && R().Chance(0.08)) {
            SampleLine interest;
            interest.account = Account("Interest Income");
            interest.entity = b_.lists[Type::OtherName][0];
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

}  // namespace quarrion::sample_planning
