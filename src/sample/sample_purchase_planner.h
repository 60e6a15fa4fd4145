#pragma once

#include <cstdint>
#include <vector>

#include "sample/sample_planning_context.h"

namespace quarrion::sample_planning {

// Plans the buying side over the planned lists: purchase orders and their item
// receipts, bills, bill payments, checks, credit card charges and credits, and
// vendor credits.
class SamplePurchasePlanner {
  public:
    explicit SamplePurchasePlanner(SamplePlanningContext& context)
        : c_(context), b_(context.books), known_(context.known) {}

    void Run();

  private:
    int Supplier() { return c_.PickBusy(known_.suppliers); }

    // The stock items this vendor is the preferred vendor of.
    std::vector<int> ItemsOf(int vendor);

    SampleLine PurchaseLine(int item);

    void FillPurchaseLines(SampleTxn& t, int maxLines);

    static std::int64_t LineSum(const std::vector<SampleLine>& lines);

    void PlanPurchaseOrders();

    // The expense lines a bill or check from this vendor carries.
    void FillExpenses(SampleTxn& t, int vendor);

    void PlanBills();

    void PlanBillPayments();

    void PlanChecks();

    void PlanCardCharges();

    void PlanVendorCredits();

    SamplePlanningContext& c_;
    SampleBooks& b_;
    SampleLookups& known_;
};

}  // namespace quarrion::sample_planning
