#include "sample/sample_planning_context.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "foundation/calendar_day.h"
#include "qbxml/qbxml_value_text.h"

namespace quarrion::sample_planning {

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

SamplePlanningContext::SamplePlanningContext(SampleBooks& books, std::uint64_t seed, double scale)
    : books(books), random_(seed), stream_(seed), scale_(scale) {
    now_ = static_cast<std::int64_t>(books.today) * kDay + 18 * 3600;
}

int SamplePlanningContext::Scaled(double base, int minimum) const {
    return std::max(minimum, static_cast<int>(std::llround(base * scale_)));
}

int SamplePlanningContext::PickBusy(const std::vector<int>& indexes) {
    const double u = R().Unit();
    return indexes[static_cast<std::size_t>(u * u * static_cast<double>(indexes.size()))];
}

std::int64_t SamplePlanningContext::Money(std::int64_t lowDollars, std::int64_t highDollars) {
    return R().Between(lowDollars * 100, highDollars * 100);
}

std::int32_t SamplePlanningContext::RandomDay() {
    std::int32_t day = static_cast<std::int32_t>(R().Between(books.firstDay, books.today));
    if (WeekdayOf(day) == 0) day = std::min(day + 1, books.today);
    return day;
}

std::vector<std::int32_t> SamplePlanningContext::Dates(int count) {
    std::vector<std::int32_t> days(static_cast<std::size_t>(count));
    for (auto& day : days) day = RandomDay();
    const int today = std::max(1, count / 50);
    for (int i = 0; i < today && i < count; ++i) days[static_cast<std::size_t>(i)] = books.today;
    std::sort(days.begin(), days.end());
    return days;
}

std::int64_t SamplePlanningContext::At(std::int32_t day, int fromHour, int toHour) {
    return static_cast<std::int64_t>(day) * kDay + R().Between(fromHour * 3600, toHour * 3600 - 1);
}

std::int64_t SamplePlanningContext::OfficeTimeAfter(std::int64_t after, std::int32_t lastDay) {
    const auto firstDay = static_cast<std::int32_t>(after / kDay);
    const auto day = static_cast<std::int32_t>(R().Between(firstDay, std::max(firstDay, lastDay)));
    return Later(std::max(after, At(day, 8, 18)), after);
}

std::int64_t SamplePlanningContext::Later(std::int64_t when, std::int64_t after) {
    if (when > after) return std::min(when, now_ - 1);
    return std::max(after + 1, std::min(now_ - 1, after + R().Between(300, 7200)));
}

void SamplePlanningContext::StampList(SampleEntity& e) {
    e.created = At(books.firstDay - static_cast<std::int32_t>(R().Between(10, 90)), 8, 18);
    const double u = R().Unit();
    if (u < 0.55) {
        e.modified = e.created;
    } else if (u < 0.94) {
        e.modified = OfficeTimeAfter(e.created, books.today);
    } else {
        e.modified = Later(At(books.today, 8, 18), e.created);  // changed today
    }
}

void SamplePlanningContext::StampTxn(SampleTxn& t) {
    const std::int32_t entered =
        std::min(books.today,
                 t.date + (R().Chance(0.85) ? 0 : static_cast<std::int32_t>(R().Between(1, 3))));
    t.created = At(entered, 8, 18);
    const double u = R().Unit();
    if (u < 0.62) {
        t.modified = t.created;
    } else if (u < 0.95) {
        t.modified = OfficeTimeAfter(t.created, std::min(books.today, entered + 45));
    } else {
        t.modified = Later(At(books.today, 8, 18), t.created);  // changed today
    }
}

void SamplePlanningContext::EnteredAfter(SampleTxn& t, std::int64_t when) {
    if (t.created <= when) t.created = Later(when, when);
    t.modified = std::max(t.modified, t.created);
}

int SamplePlanningContext::AddEntity(std::int32_t code) {
    SampleEntity e;
    e.code = code;
    StampList(e);
    books.entities.push_back(std::move(e));
    const int index = static_cast<int>(books.entities.size()) - 1;
    books.lists[static_cast<std::size_t>(code)].push_back(index);
    return index;
}

int SamplePlanningContext::AddTxn(std::int32_t code, std::int32_t date) {
    SampleTxn t;
    t.code = code;
    t.date = date;
    StampTxn(t);
    books.txns.push_back(std::move(t));
    const int index = static_cast<int>(books.txns.size()) - 1;
    books.transactions[static_cast<std::size_t>(code)].push_back(index);
    return index;
}

void SamplePlanningContext::SetHierarchy(SampleEntity& e, int parent, std::string name) {
    e.name = std::move(name);
    if (parent >= 0) {
        e.parent = parent;
        e.sublevel = E(parent).sublevel + 1;
        e.fullName = E(parent).fullName + ":" + e.name;
    } else {
        e.fullName = e.name;
    }
}

int SamplePlanningContext::Account(std::string_view fullName) const {
    for (int i : books.lists[Type::Account]) {
        if (books.entities[static_cast<std::size_t>(i)].fullName == fullName) return i;
    }
    return -1;
}

const names::Place& SamplePlanningContext::RandomPlace() {
    // Most customers and suppliers are local.
    auto places = names::Places();
    if (R().Chance(0.45)) return places[0];
    return places[R().Below(places.size())];
}

std::string SamplePlanningContext::Phone(const names::Place& place) {
    if (!place.country.empty() && place.state.empty()) {
        return "+" + std::string(place.country == "Germany" ? "49 " : "41 ") +
               std::string(place.areaCode) + " " + Digits(R().Between(1000000, 9999999), 7);
    }
    return "(" + std::string(place.areaCode) + ") 555-01" + Digits(R().Between(0, 99), 2);
}

SampleAddress SamplePlanningContext::Address(const std::string& nameLine,
                                             const names::Place& place) {
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

int SamplePlanningContext::DueDays(int terms) const {
    return terms >= 0 ? books.entities[static_cast<std::size_t>(terms)].payment.dueDays : 30;
}

bool SamplePlanningContext::ToPrint(const SampleTxn& t) {
    return t.date == books.today ? true
                                 : (t.date > books.today - 10 ? R().Chance(0.4) : R().Chance(0.01));
}

void SamplePlanningContext::MakePayments(std::vector<PaymentEvent>& events, std::int32_t code) {
    std::vector<PaymentEvent> due;
    PaymentEvent* soonest = nullptr;  // the first payment still to come
    for (PaymentEvent& e : events) {
        if (e.date <= books.today) {
            due.push_back(e);
        } else if (!soonest || e.date < soonest->date) {
            soonest = &e;
        }
    }
    bool anyToday = false;
    for (const PaymentEvent& e : due) anyToday = anyToday || e.date == books.today;
    if (!anyToday && soonest) {
        soonest->date = books.today;
        due.push_back(*soonest);
    } else if (!anyToday && !due.empty()) {
        // Everything is paid already: the latest payment moves to today.
        std::max_element(due.begin(), due.end(), [](const PaymentEvent& a, const PaymentEvent& b) {
            return a.date < b.date;
        })->date = books.today;
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
            p.account = known.ar;
            p.refNumber = std::to_string(R().Between(1001, 29999));
            if (R().Chance(0.05)) {
                p.unused = Money(1, 60);
                p.total += p.unused;
            }
            if (R().Chance(0.4)) p.memo = Pick(names::PaymentMemos());
            known.undepositedTxns.push_back(index);
        } else {
            // Vendors want their account number or invoice number on the payment.
            const SampleEntity& vendor = E(p.party);
            p.memo = !vendor.party.accountNumber.empty() ? "Acct " + vendor.party.accountNumber
                                                         : "Inv " + T(order.front()).refNumber;
            if (code == Type::BillPaymentCreditCard && R().Chance(0.6)) {
                p.refNumber = "CC" + Digits(R().Between(100000, 999999), 6);
            }
        }
    }
}

}  // namespace quarrion::sample_planning
