#pragma once

// How the sample company's books are planned: the planner behind PlanSampleBooks.
// Internal to the sample company generator; other parts use sample_books.h.

#include <cstdint>

#include "sample/sample_planning_context.h"

namespace quarrion::sample_planning {

// Plans one company into `books`: lists first (the parts every transaction refers
// to), then sales and purchases, each by its own planner over one shared context,
// then journal entries and time tracking, then numbers, IDs and balances. Each part
// draws on a random stream of its own, so changing one part leaves the others as
// they were.
class SampleBooksPlanner {
  public:
    SampleBooksPlanner(SampleBooks& books, std::uint64_t seed, double scale)
        : c_(books, seed, scale), b_(books), known_(c_.known) {}

    void Run();

  private:
    void PlanJournalEntries();

    void PlanTimeTracking();

    // Records of each type in date order, numbered, given IDs in creation order and
    // balanced.
    void Finish();

    void Number(std::int32_t code, int first, const char* prefix);

    // Checks and bill-payment checks draw on one checkbook; checks waiting to be
    // printed have no number yet.
    void NumberChecks();

    void Balances();

    SamplePlanningContext c_;
    SampleBooks& b_;
    SampleLookups& known_;
};

}  // namespace quarrion::sample_planning
