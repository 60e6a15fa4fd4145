#pragma once

#include <cstdint>

#include "sample/sample_planning_context.h"

namespace quarrion::sample_planning {

// Plans the sales side over the planned lists: invoices, credit memos, estimates,
// sales orders and sales receipts, statement charges, the customer payments that
// settle them and the deposits that take the money to the bank.
class SampleSalesPlanner {
  public:
    explicit SampleSalesPlanner(SamplePlanningContext& context)
        : c_(context), b_(context.books), known_(context.known) {}

    void Run();

  private:
    int SellableItem();

    SampleLine SalesLine(int item, std::int32_t date);

    void FillSalesLines(SampleTxn& t, int maxLines);

    // Subtotal, the customer's sales tax and the total of the document's lines.
    void Total(SampleTxn& t);

    void SalesHeader(SampleTxn& t, int customer);

    void PlanSalesDocuments();

    void PlanCharges();

    // Every invoice and statement charge is paid in one or two payments by its due date
    // give or take, unless that date has not come yet or the customer never paid.
    void PlanCustomerPayments();

    // Payments and cash sales wait in Undeposited Funds until a run of them goes to
    // the bank together.
    void PlanDeposits();

    SamplePlanningContext& c_;
    SampleBooks& b_;
    SampleLookups& known_;
};

}  // namespace quarrion::sample_planning
