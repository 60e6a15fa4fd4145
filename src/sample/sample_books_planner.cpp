#include "sample/sample_books_planner.h"

#include <algorithm>
#include <numeric>

#include "foundation/calendar_day.h"
#include "qbxml/qbxml_value_text.h"
#include "sample/sample_list_planner.h"
#include "sample/sample_purchase_planner.h"
#include "sample/sample_sales_planner.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;

void SampleBooksPlanner::Run() {
    c_.UseStream(1);
    SampleListPlanner(c_).Run();
    c_.UseStream(2);
    SampleSalesPlanner(c_).Run();
    c_.UseStream(3);
    SamplePurchasePlanner(c_).Run();
    c_.UseStream(4);
    PlanJournalEntries();
    PlanTimeTracking();
    Finish();
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
    for (std::int32_t date : c_.Dates(c_.Scaled(30, 2))) {
        const int index = c_.AddTxn(Type::JournalEntry, date);
        SampleTxn& t = c_.T(index);
        const Kind& kind = kKinds[c_.R().Below(std::size(kKinds))];
        const std::int64_t amount = c_.Money(kind.low, kind.high);
        SampleLine debit = ExpenseLine(c_.Account(kind.debit), kind.memo, amount);
        SampleLine credit = ExpenseLine(c_.Account(kind.credit), kind.memo, amount);
        if (c_.R().Chance(0.25)) {
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
        t.closed = CivilFromDay(date).month == 12 && c_.R().Chance(0.5);  // year-end adjustment
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
        if (c_.E(i).active) workers.push_back(i);
    }
    if (workers.empty()) workers = b_.lists[Type::Employee];
    for (std::int32_t date : c_.Dates(c_.Scaled(90, 2))) {
        const int index = c_.AddTxn(Type::TimeTracking, date);
        SampleTxn& t = c_.T(index);
        t.party = c_.PickIndex(workers);
        t.minutes = c_.R().Between(2, 32) * 15;
        if (c_.R().Chance(0.85) && !known_.activeCustomers.empty()) {
            t.customer = c_.SalesCustomer();
            t.billable = date < b_.today - 14 ? "HasBeenBilled"sv : "Billable"sv;
        } else {
            t.billable = "NotBillable"sv;
        }
        if (!known_.serviceItems.empty()) t.serviceItem = c_.PickIndex(known_.serviceItems);
        t.notes = c_.Pick(std::span<const std::string_view>(kNotes));
        if (c_.R().Chance(0.2)) t.classRef = b_.lists[Type::Class][5];
    }
}

void SampleBooksPlanner::Finish() {
    // Records of each type in date order, then numbered the way QuickBooks does.
    for (auto& list : b_.transactions) {
        std::stable_sort(list.begin(), list.end(), [this](int a, int b) {
            const SampleTxn& x = c_.T(a);
            const SampleTxn& y = c_.T(b);
            return x.date != y.date ? x.date < y.date : x.created < y.created;
        });
    }
    Number(Type::Invoice, 1001, "");
    Number(Type::CreditMemo, 5001, "CM");
    Number(Type::Estimate, 2001, "");
    Number(Type::SalesOrder, 7001, "");
    Number(Type::SalesReceipt, 3001, "");
    Number(Type::Charge, 1, "SC-");
    Number(Type::PurchaseOrder, 4001, "");
    Number(Type::JournalEntry, 1, "");
    NumberChecks();

    // IDs in creation order, as QuickBooks hands them out.
    std::uint64_t listCounter = 0x80000001ULL;
    for (SampleEntity& e : b_.entities) {
        e.listId = Hex(listCounter++) + "-" + std::to_string(UnixTimeOf(e.created));
    }
    std::vector<int> byCreation(b_.txns.size());
    std::iota(byCreation.begin(), byCreation.end(), 0);
    std::stable_sort(byCreation.begin(), byCreation.end(),
                     [this](int a, int b) { return c_.T(a).created < c_.T(b).created; });
    std::uint64_t txnCounter = 0x1A0;
    int txnNumber = 1;
    for (int index : byCreation) {
        SampleTxn& t = c_.T(index);
        const std::string stamp = "-" + std::to_string(UnixTimeOf(t.created));
        t.txnId = Hex(txnCounter++) + stamp;
        t.txnNumber = txnNumber++;
        for (auto* lines : {&t.lines, &t.expenseLines}) {
            for (SampleLine& l : *lines) l.txnLineId = Hex(txnCounter++) + stamp;
        }
    }
    Balances();
}

void SampleBooksPlanner::Number(std::int32_t code, int first, const char* prefix) {
    int number = first;
    for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
        c_.T(index).refNumber = std::string(prefix) + std::to_string(number++);
    }
}

void SampleBooksPlanner::NumberChecks() {
    std::vector<int> all;
    for (int code : {Type::Check, Type::BillPaymentCheck}) {
        for (int i : b_.transactions[static_cast<std::size_t>(code)]) all.push_back(i);
    }
    std::stable_sort(all.begin(), all.end(), [this](int a, int b) {
        return c_.T(a).date != c_.T(b).date ? c_.T(a).date < c_.T(b).date
                                            : c_.T(a).created < c_.T(b).created;
    });
    int number = 10101;
    for (int index : all) {
        SampleTxn& t = c_.T(index);
        if (t.toBePrinted || !t.refNumber.empty()) continue;
        t.refNumber = std::to_string(number++);
    }
    for (int index : b_.transactions[Type::BillPaymentCheck]) c_.T(index).account = known_.checking;
    for (int index : b_.transactions[Type::BillPaymentCreditCard])
        c_.T(index).account = known_.visa;
}

void SampleBooksPlanner::Balances() {
    for (int code : {Type::Invoice, Type::Charge}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
            const SampleTxn& t = c_.T(index);
            c_.E(t.party).balance += t.open;
        }
    }
    for (int index : b_.transactions[Type::CreditMemo])
        c_.E(c_.T(index).party).balance -= c_.T(index).open;
    for (int index : b_.transactions[Type::ReceivePayment])
        c_.E(c_.T(index).party).balance -= c_.T(index).unused;
    for (int index : b_.transactions[Type::Bill])
        c_.E(c_.T(index).party).balance += c_.T(index).open;
    for (int index : b_.transactions[Type::VendorCredit])
        c_.E(c_.T(index).party).balance -= c_.T(index).open;
    for (int code : {Type::Customer, Type::Vendor}) {
        for (int index : b_.lists[static_cast<std::size_t>(code)])
            c_.E(index).totalBalance = c_.E(index).balance;
        for (int index : b_.lists[static_cast<std::size_t>(code)]) {
            if (c_.E(index).parent >= 0)
                c_.E(c_.E(index).parent).totalBalance += c_.E(index).balance;
        }
    }

    // Balance-sheet accounts from the documents that move them.
    auto post = [this](int account, std::int64_t amount) {
        if (account >= 0) c_.E(account).balance += amount;
    };
    for (int code : {Type::Invoice, Type::Charge}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)])
            post(known_.ar, c_.T(index).open);
    }
    for (int index : b_.transactions[Type::CreditMemo]) post(known_.ar, -c_.T(index).open);
    for (int index : b_.transactions[Type::Bill]) post(known_.ap, c_.T(index).open);
    for (int index : b_.transactions[Type::VendorCredit]) post(known_.ap, -c_.T(index).open);
    for (int code : {Type::Invoice, Type::SalesReceipt}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
            post(c_.Account("Sales Tax Payable"), c_.T(index).tax);
        }
    }
    std::int64_t undeposited = 0;
    for (int index : known_.undepositedTxns) undeposited += c_.T(index).total;
    for (int index : b_.transactions[Type::Deposit]) {
        const SampleTxn& d = c_.T(index);
        for (const SampleLine& l : d.lines) {
            if (l.source >= 0) undeposited -= l.amount;
        }
        post(d.account, d.total);
    }
    post(known_.undeposited, undeposited);
    for (int code : {Type::Check, Type::BillPaymentCheck}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)])
            post(known_.checking, -c_.T(index).total);
    }
    for (int index : b_.transactions[Type::CreditCardCharge])
        post(c_.T(index).account, c_.T(index).total);
    for (int index : b_.transactions[Type::CreditCardCredit])
        post(c_.T(index).account, -c_.T(index).total);
    for (int index : b_.transactions[Type::BillPaymentCreditCard])
        post(c_.T(index).account, c_.T(index).total);
    // Opening balances keep the bank accounts in credit.
    for (int account : {known_.checking, known_.savings}) {
        if (account >= 0)
            c_.E(account).balance += 2500000 + std::max<std::int64_t>(0, -c_.E(account).balance);
    }
    std::int64_t stock = 0;
    for (int code : {Type::ItemInventory, Type::ItemInventoryAssembly}) {
        for (int index : b_.lists[static_cast<std::size_t>(code)]) {
            stock += LineAmount(std::max<std::int64_t>(0, c_.E(index).item.onHand),
                                c_.E(index).item.cost);
        }
    }
    post(known_.inventoryAsset, stock);
    for (int index : b_.lists[Type::Account]) c_.E(index).totalBalance = c_.E(index).balance;
    for (int index : b_.lists[Type::Account]) {
        if (c_.E(index).parent >= 0) c_.E(c_.E(index).parent).totalBalance += c_.E(index).balance;
    }
}

}  // namespace quarrion::sample_planning

namespace quarrion {

SampleBooks PlanSampleBooks(std::uint64_t seed, double scale, std::int32_t today) {
    SampleBooks books;
    books.today = today;
    books.firstDay = AddMonths(today, -36);
    sample_planning::SampleBooksPlanner(books, seed, scale).Run();
    return books;
}

}  // namespace quarrion
