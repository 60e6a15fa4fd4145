#include "sample/sample_books_planner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "foundation/calendar_day.h"
#include "qbxml/qbxml_value_text.h"

namespace quarrion::sample_planning {

using namespace std::string_view_literals;
namespace names = sample_names;

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

std::int64_t LineAmount(std::int64_t quantity, std::int64_t rate) {
    const std::int64_t product = quantity * rate;
    return product >= 0 ? (product + 50) / 100 : -((-product + 50) / 100);
}

std::int64_t PercentOf(std::int64_t amount, std::int64_t percentHundredths) {
    const std::int64_t product = amount * percentHundredths;
    return product >= 0 ? (product + 5000) / 10000 : -((-product + 5000) / 10000);
}

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

SampleBooksPlanner::SampleBooksPlanner(SampleBooks& books, std::uint64_t seed, double scale)
    : b_(books), random_(seed), scale_(scale) {
    now_ = static_cast<std::int64_t>(b_.today) * kDay + 18 * 3600;
}

void SampleBooksPlanner::Run() {
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
int SampleBooksPlanner::Scaled(double base, int minimum) const {
    return std::max(minimum, static_cast<int>(std::llround(base * scale_)));
}

int SampleBooksPlanner::PickBusy(const std::vector<int>& indexes) {
    const double u = R().Unit();
    return indexes[static_cast<std::size_t>(u * u * static_cast<double>(indexes.size()))];
}

std::int64_t SampleBooksPlanner::Money(std::int64_t lowDollars, std::int64_t highDollars) {
    return R().Between(lowDollars * 100, highDollars * 100);
}

std::int32_t SampleBooksPlanner::RandomDay() {
    std::int32_t day = static_cast<std::int32_t>(R().Between(b_.firstDay, b_.today));
    if (WeekdayOf(day) == 0) day = std::min(day + 1, b_.today);
    return day;
}

std::vector<std::int32_t> SampleBooksPlanner::Dates(int count) {
    std::vector<std::int32_t> days(static_cast<std::size_t>(count));
    for (auto& day : days) day = RandomDay();
    const int today = std::max(1, count / 50);
    for (int i = 0; i < today && i < count; ++i) days[static_cast<std::size_t>(i)] = b_.today;
    std::sort(days.begin(), days.end());
    return days;
}

std::int64_t SampleBooksPlanner::At(std::int32_t day, int fromHour, int toHour) {
    return static_cast<std::int64_t>(day) * kDay + R().Between(fromHour * 3600, toHour * 3600 - 1);
}

std::int64_t SampleBooksPlanner::OfficeTimeAfter(std::int64_t after, std::int32_t lastDay) {
    const auto firstDay = static_cast<std::int32_t>(after / kDay);
    const auto day = static_cast<std::int32_t>(R().Between(firstDay, std::max(firstDay, lastDay)));
    return Later(std::max(after, At(day, 8, 18)), after);
}

std::int64_t SampleBooksPlanner::Later(std::int64_t when, std::int64_t after) {
    if (when > after) return std::min(when, now_ - 1);
    return std::max(after + 1, std::min(now_ - 1, after + R().Between(300, 7200)));
}

void SampleBooksPlanner::StampList(SampleEntity& e) {
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

void SampleBooksPlanner::StampTxn(SampleTxn& t) {
    const std::int32_t entered = std::min(
        b_.today, t.date + (R().Chance(0.85) ? 0 : static_cast<std::int32_t>(R().Between(1, 3))));
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

void SampleBooksPlanner::EnteredAfter(SampleTxn& t, std::int64_t when) {
    if (t.created <= when) t.created = Later(when, when);
    t.modified = std::max(t.modified, t.created);
}

int SampleBooksPlanner::AddEntity(std::int32_t code) {
    SampleEntity e;
    e.code = code;
    StampList(e);
    b_.entities.push_back(std::move(e));
    const int index = static_cast<int>(b_.entities.size()) - 1;
    b_.lists[static_cast<std::size_t>(code)].push_back(index);
    return index;
}

int SampleBooksPlanner::AddTxn(std::int32_t code, std::int32_t date) {
    SampleTxn t;
    t.code = code;
    t.date = date;
    StampTxn(t);
    b_.txns.push_back(std::move(t));
    const int index = static_cast<int>(b_.txns.size()) - 1;
    b_.transactions[static_cast<std::size_t>(code)].push_back(index);
    return index;
}

void SampleBooksPlanner::SetHierarchy(SampleEntity& e, int parent, std::string name) {
    e.name = std::move(name);
    if (parent >= 0) {
        e.parent = parent;
        e.sublevel = E(parent).sublevel + 1;
        e.fullName = E(parent).fullName + ":" + e.name;
    } else {
        e.fullName = e.name;
    }
}

const names::Place& SampleBooksPlanner::RandomPlace() {
    // Most customers and suppliers are local.
    auto places = names::Places();
    if (R().Chance(0.45)) return places[0];
    return places[R().Below(places.size())];
}

std::string SampleBooksPlanner::Phone(const names::Place& place) {
    if (!place.country.empty() && place.state.empty()) {
        return "+" + std::string(place.country == "Germany" ? "49 " : "41 ") +
               std::string(place.areaCode) + " " + Digits(R().Between(1000000, 9999999), 7);
    }
    return "(" + std::string(place.areaCode) + ") 555-01" + Digits(R().Between(0, 99), 2);
}

SampleAddress SampleBooksPlanner::Address(const std::string& nameLine, const names::Place& place) {
    SampleAddress a;
    a.addr1 = FitText(nameLine, 41);
    a.addr2 = std::to_string(R().Between(1, 9899)) + " " + std::string(Pick(names::Streets())) +
              " " + std::string(Pick(names::StreetKinds()));
    if (R().Chance(0.2)) a.addr3 = "Suite " + std::to_string(R().Between(1, 12) * 100);
    a.city = std::string(place.city);
    a.state = std::string(place.state);
    if (place.country == "Canada") {
        a.postalCode = std::string(place.postalPrefix) + " " + std::to_string(R().Between(1, 9)) +
                       static_cast<char>('A' + R().Below(26)) + std::to_string(R().Between(1, 9));
    } else {
        a.postalCode = std::string(place.postalPrefix) + Digits(R().Between(1, 99), 2);
    }
    a.country = std::string(place.country);
    return a;
}

void SampleBooksPlanner::AddCustom(std::vector<SampleCustomField>& fields, std::string_view name,
                                   std::string value) {
    fields.push_back({name, std::move(value)});
}
void SampleBooksPlanner::Finish() {
    // Records of each type in date order, then numbered the way QuickBooks does.
    for (auto& list : b_.transactions) {
        std::stable_sort(list.begin(), list.end(), [this](int a, int b) {
            const SampleTxn& x = T(a);
            const SampleTxn& y = T(b);
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

void SampleBooksPlanner::Number(std::int32_t code, int first, const char* prefix) {
    int number = first;
    for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
        T(index).refNumber = std::string(prefix) + std::to_string(number++);
    }
}

void SampleBooksPlanner::NumberChecks() {
    std::vector<int> all;
    for (int code : {Type::Check, Type::BillPaymentCheck}) {
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
    for (int index : b_.transactions[Type::BillPaymentCheck]) T(index).account = checking_;
    for (int index : b_.transactions[Type::BillPaymentCreditCard]) T(index).account = visa_;
}

void SampleBooksPlanner::Balances() {
    for (int code : {Type::Invoice, Type::Charge}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
            const SampleTxn& t = T(index);
            E(t.party).balance += t.open;
        }
    }
    for (int index : b_.transactions[Type::CreditMemo]) E(T(index).party).balance -= T(index).open;
    for (int index : b_.transactions[Type::ReceivePayment])
        E(T(index).party).balance -= T(index).unused;
    for (int index : b_.transactions[Type::Bill]) E(T(index).party).balance += T(index).open;
    for (int index : b_.transactions[Type::VendorCredit])
        E(T(index).party).balance -= T(index).open;
    for (int code : {Type::Customer, Type::Vendor}) {
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
    for (int code : {Type::Invoice, Type::Charge}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)]) post(ar_, T(index).open);
    }
    for (int index : b_.transactions[Type::CreditMemo]) post(ar_, -T(index).open);
    for (int index : b_.transactions[Type::Bill]) post(ap_, T(index).open);
    for (int index : b_.transactions[Type::VendorCredit]) post(ap_, -T(index).open);
    for (int code : {Type::Invoice, Type::SalesReceipt}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)]) {
            post(Account("Sales Tax Payable"), T(index).tax);
        }
    }
    std::int64_t undeposited = 0;
    for (int index : undeposited_Items_) undeposited += T(index).total;
    for (int index : b_.transactions[Type::Deposit]) {
        const SampleTxn& d = T(index);
        for (const SampleLine& l : d.lines) {
            if (l.source >= 0) undeposited -= l.amount;
        }
        post(d.account, d.total);
    }
    post(undeposited_, undeposited);
    for (int code : {Type::Check, Type::BillPaymentCheck}) {
        for (int index : b_.transactions[static_cast<std::size_t>(code)])
            post(checking_, -T(index).total);
    }
    for (int index : b_.transactions[Type::CreditCardCharge])
        post(T(index).account, T(index).total);
    for (int index : b_.transactions[Type::CreditCardCredit])
        post(T(index).account, -T(index).total);
    for (int index : b_.transactions[Type::BillPaymentCreditCard])
        post(T(index).account, T(index).total);
    // Opening balances keep the bank accounts in credit.
    for (int account : {checking_, savings_}) {
        if (account >= 0)
            E(account).balance += 2500000 + std::max<std::int64_t>(0, -E(account).balance);
    }
    std::int64_t stock = 0;
    for (int code : {Type::ItemInventory, Type::ItemInventoryAssembly}) {
        for (int index : b_.lists[static_cast<std::size_t>(code)]) {
            stock += LineAmount(std::max<std::int64_t>(0, E(index).onHand), E(index).cost);
        }
    }
    post(inventoryAsset_, stock);
    for (int index : b_.lists[Type::Account]) E(index).totalBalance = E(index).balance;
    for (int index : b_.lists[Type::Account]) {
        if (E(index).parent >= 0) E(E(index).parent).totalBalance += E(index).balance;
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
