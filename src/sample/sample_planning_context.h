#pragma once

// What the sample company's planners share: the books under construction, the random
// stream of the part being planned, the records the lists settle for the documents
// (accounts, terms, busy customers and vendors, sellable items) and the helpers every
// part uses to add and stamp records. Internal to the sample company generator;
// other parts use sample_books.h.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/codes.h"
#include "sample/sample_books.h"
#include "sample/sample_names.h"
#include "sample/sample_random.h"

namespace quarrion::sample_planning {

// Request-type codes, named short inside the planners.
namespace Type = RequestTypeCode;

inline constexpr std::int64_t kDay = 86400;

// Name field sizes QuickBooks Desktop enforces.
inline constexpr std::size_t kEntityNameMax = 41;
inline constexpr std::size_t kItemNameMax = 31;

// Hexadecimal digits of a number, as QuickBooks IDs carry them.
std::string Hex(std::uint64_t value);
// A number with leading zeros to `width` digits.
std::string Digits(std::int64_t value, int width);
// Quantity (hundredths) times rate (cents), rounded half away from zero to a cent.
std::int64_t LineAmount(std::int64_t quantity, std::int64_t rate);
// Percentage (hundredths of a percent) of an amount, rounded to a cent.
std::int64_t PercentOf(std::int64_t amount, std::int64_t percentHundredths);
// Lower-case ASCII letters and digits of a name, accents dropped, for e-mail addresses.
std::string Slug(std::string_view text);

// A line on an account rather than an item: an expense line, or one side of a
// journal entry.
inline SampleLine ExpenseLine(int account, std::string_view memo, std::int64_t amount) {
    SampleLine line;
    line.account = account;
    line.memo = memo;
    line.amount = amount;
    return line;
}

// A pending money movement that becomes a payment: which document it pays, when,
// and how much.
struct PaymentEvent {
    int doc;
    int party;
    std::int32_t date;
    std::int64_t amount;
};

// Records the list planner picks out for the documents, as indexes into the books'
// entities (-1 or empty until the lists are planned), and the payments and cash
// sales the sales planner leaves waiting in Undeposited Funds.
struct SampleLookups {
    int dueOnReceipt = -1, net15 = -1, net30 = -1, net60 = -1, twoTen = -1;
    int checking = -1, savings = -1, ar = -1, ap = -1, undeposited = -1, inventoryAsset = -1;
    int visa = -1, amex = -1, merchandise = -1, serviceIncome = -1, freightIncome = -1;
    int discounts = -1, fees = -1, cogs = -1, subcontract = -1;
    std::vector<int> generalExpenses;
    std::vector<int> suppliers, utilities, services;
    int landlord = -1, carrier = -1;
    std::vector<int> activeReps, activeCustomers;
    int cashCustomer = -1;
    std::vector<int> serviceItems, stockItems, otherSellable, chargeItems;
    int financeItem = -1, discountItem = -1;
    std::vector<int> undepositedTxns;
};

// The state the list, sales and purchase planners share. It refers to `books`, which
// must outlive it. Each part of the company draws on a random stream of its own
// (UseStream), so changing one part leaves the others as they were.
class SamplePlanningContext {
  public:
    SamplePlanningContext(SampleBooks& books, std::uint64_t seed, double scale);
    SamplePlanningContext(const SamplePlanningContext&) = delete;
    SamplePlanningContext& operator=(const SamplePlanningContext&) = delete;

    SampleBooks& books;
    SampleLookups known;

    // Draws from here on come from the stream of part `part` of the company.
    void UseStream(std::uint64_t part) { stream_ = random_.Fork(part); }
    SampleRandom& R() { return stream_; }

    int Scaled(double base, int minimum) const;

    template <typename T>
    const T& Pick(std::span<const T> items) {
        return R().Pick(items);
    }
    int PickIndex(const std::vector<int>& indexes) { return indexes[R().Below(indexes.size())]; }
    // Favours the front of the list: a few customers and vendors do most business.
    int PickBusy(const std::vector<int>& indexes);
    int SalesCustomer() { return PickBusy(known.activeCustomers); }

    std::int64_t Money(std::int64_t lowDollars, std::int64_t highDollars);

    // A weekday between firstDay and today.
    std::int32_t RandomDay();

    // `count` transaction dates, a few of them today so that a search over today's
    // date finds something of every type.
    std::vector<std::int32_t> Dates(int count);

    std::int64_t At(std::int32_t day, int fromHour, int toHour);

    // A moment in office hours after `after`, on a day up to `lastDay`; never later
    // than the end of today's office hours.
    std::int64_t OfficeTimeAfter(std::int64_t after, std::int32_t lastDay);

    // `when` itself when it lies after `after`, else a few minutes after `after`;
    // kept within today's office hours.
    std::int64_t Later(std::int64_t when, std::int64_t after);

    // A record that depends on another (a payment on its invoice, a deposit on its
    // payments) is entered after it.
    void EnteredAfter(SampleTxn& t, std::int64_t when);

    // A later change (a payment applied, a receipt recorded) touches the record.
    static void Touch(SampleTxn& t, std::int64_t when) { t.modified = std::max(t.modified, when); }

    // A new list record of type `code`, stamped with a set-up time in the weeks
    // before the books start; returns its index.
    int AddEntity(std::int32_t code);
    // A new transaction of type `code` on `date`, stamped as entered that day or soon
    // after; returns its index.
    int AddTxn(std::int32_t code, std::int32_t date);

    // Entered on the transaction's date or a few days later, and maybe changed since.
    void StampTxn(SampleTxn& t);

    SampleEntity& E(int index) { return books.entities[static_cast<std::size_t>(index)]; }
    SampleTxn& T(int index) { return books.txns[static_cast<std::size_t>(index)]; }

    // Named hierarchy: "Parent:Child" under an existing parent of the same list.
    void SetHierarchy(SampleEntity& e, int parent, std::string name);

    // The account of that full name, or -1.
    int Account(std::string_view fullName) const;

    const sample_names::Place& RandomPlace();

    std::string Phone(const sample_names::Place& place);

    SampleAddress Address(const std::string& nameLine, const sample_names::Place& place);

    static void AddCustom(std::vector<SampleCustomField>& fields, std::string_view name,
                          std::string value) {
        fields.push_back({name, std::move(value)});
    }

    // Days until a document on these terms (an index, or -1 for none) falls due.
    int DueDays(int terms) const;

    // Recent documents still wait to be printed; older ones went out long ago.
    bool ToPrint(const SampleTxn& t);

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

    // Turns payment events into payment transactions of type `code` (customer
    // payments or bill payments): events of one party within a few days become one
    // payment; events after today wait, except one made today so that today's
    // payments list is never empty.
    void MakePayments(std::vector<PaymentEvent>& events, std::int32_t code);

  private:
    void StampList(SampleEntity& e);

    SampleRandom random_;
    SampleRandom stream_;
    double scale_;
    std::int64_t now_ = 0;
};

}  // namespace quarrion::sample_planning
