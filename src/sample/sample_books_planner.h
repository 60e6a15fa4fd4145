#pragma once

// How the sample company's books are planned: the planner behind PlanSampleBooks.
// Internal to the sample company generator; other parts use sample_books.h.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/codes.h"
#include "sample/sample_books.h"
#include "sample/sample_names.h"
#include "sample/sample_random.h"

namespace quarrion::sample_planning {

// Request-type codes, named short inside the planner.
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

// A pending money movement that becomes a payment: which document it pays, when,
// and how much.
struct PaymentEvent {
    int doc;
    int party;
    std::int32_t date;
    std::int64_t amount;
};

// Plans one company into `books`. Lists first (the parts every transaction refers
// to), then sales, purchases and the rest, then numbers, IDs and balances. Each
// part draws on a random stream of its own, so changing one part leaves the others
// as they were. Member definitions are spread over sample_books_planner*.cpp by part.
class SampleBooksPlanner {
  public:
    SampleBooksPlanner(SampleBooks& books, std::uint64_t seed, double scale);

    void Run();

  private:
    // ---------------------------------------------------------------- helpers
    SampleRandom& R() { return *r_; }

    int Scaled(double base, int minimum) const;

    template <typename T>
    const T& Pick(std::span<const T> items) {
        return R().Pick(items);
    }
    int PickIndex(const std::vector<int>& indexes) { return indexes[R().Below(indexes.size())]; }
    // Favours the front of the list: a few customers and vendors do most business.
    int PickBusy(const std::vector<int>& indexes);

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

    // Set-up time of list records: the weeks before the books start.
    void StampList(SampleEntity& e);

    void StampTxn(SampleTxn& t);

    // A record that depends on another (a payment on its invoice, a deposit on its
    // payments) is entered after it.
    void EnteredAfter(SampleTxn& t, std::int64_t when);

    // A later change (a payment applied, a receipt recorded) touches the record.
    static void Touch(SampleTxn& t, std::int64_t when) { t.modified = std::max(t.modified, when); }

    int AddEntity(std::int32_t code);

    SampleEntity& E(int index) { return b_.entities[static_cast<std::size_t>(index)]; }
    SampleTxn& T(int index) { return b_.txns[static_cast<std::size_t>(index)]; }

    int AddTxn(std::int32_t code, std::int32_t date);

    // Named hierarchy: "Parent:Child" under an existing parent of the same list.
    void SetHierarchy(SampleEntity& e, int parent, std::string name);

    const sample_names::Place& RandomPlace();

    std::string Phone(const sample_names::Place& place);

    SampleAddress Address(const std::string& nameLine, const sample_names::Place& place);

    void AddCustom(std::vector<SampleCustomField>& fields, std::string_view name,
                   std::string value);

    // ---------------------------------------------------------------- lists
    void PlanCompany();

    void PlanTerms();

    int AddNamed(std::int32_t code, const std::string& fullName);

    void PlanClasses();

    void PlanTypes();

    int Account(std::string_view fullName) const;

    void PlanAccounts();

    std::pair<std::string, std::string> PersonName();

    void PlanEmployees();

    void PlanOtherNames();

    // Vendors with a role decide which expense accounts their bills and checks use.
    enum class VendorRole { Supplier, Utility, Landlord, Service, Tax, Carrier };

    void PlanVendors();

    void PlanSalesReps();

    int AddItem(std::int32_t code, int parent, const std::string& wanted);

    void PlanItems();

    // One of the '|'-separated choices of a product pool entry.
    std::string Choice(std::string_view choices);

    static std::string Lower(std::string text);

    static constexpr std::int64_t kCents[] = {0, 49, 95, 99, 50, 25};

    // A name like the given one that a hurried clerk would type for the same firm.
    std::string NearDuplicate(const std::string& name);

    void PlanCustomers();

    // ---------------------------------------------------------------- sales
    int SellableItem();

    SampleLine SalesLine(int item, std::int32_t date);

    void FillSalesLines(SampleTxn& t, int maxLines);

    void Total(SampleTxn& t);

    int SalesCustomer() { return PickBusy(activeCustomers_); }

    void SalesHeader(SampleTxn& t, int customer);

    int DueDays(int terms) const;

    // Recent documents still wait to be printed; older ones went out long ago.
    bool ToPrint(const SampleTxn& t);

    void PlanSalesDocuments();

    void PlanCharges();

    // Every invoice and statement charge is paid in one or two payments by its due date
    // give or take, unless that date has not come yet or the customer never paid.
    void PlanCustomerPayments();

    // Turns payment events into payment transactions: events of one party within a
    // few days become one payment; events after today wait, except one made today
    // so that today's payments list is never empty.
    void MakePayments(std::vector<PaymentEvent>& events, std::int32_t code);

    // Payments and cash sales wait in Undeposited Funds until a run of them goes to
    // the bank together.
    void PlanDeposits();

    // ---------------------------------------------------------------- purchases
    int Supplier() { return PickBusy(suppliers_); }

    std::vector<int> ItemsOf(int vendor);

    SampleLine PurchaseLine(int item);

    void FillPurchaseLines(SampleTxn& t, int maxLines);

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

    std::int64_t LineSum(const std::vector<SampleLine>& lines);

    void PlanPurchaseOrders();

    SampleLine ExpenseLine(int account, std::string_view memo, std::int64_t amount);

    // The expense lines a bill or check from this vendor carries.
    void FillExpenses(SampleTxn& t, int vendor);

    void PlanBills();

    void PlanBillPayments();

    void PlanChecks();

    void PlanCardCharges();

    void PlanVendorCredits();

    // ---------------------------------------------------------------- other
    void PlanJournalEntries();

    void PlanTimeTracking();

    // ---------------------------------------------------------------- finish
    void Finish();

    void Number(std::int32_t code, int first, const char* prefix);

    // Checks and bill-payment checks draw on one checkbook; checks waiting to be
    // printed have no number yet.
    void NumberChecks();

    void Balances();

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

}  // namespace quarrion::sample_planning
