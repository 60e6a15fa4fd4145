#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "sample/sample_planning_context.h"

namespace quarrion::sample_planning {

// Plans the company's lists: the company address, terms, classes, customer and vendor
// types, the chart of accounts, employees, other names, vendors, sales reps, items and
// customers (with their jobs), in that order, since later lists refer to earlier
// ones. Settles the context's lookups the sales and purchase planners draw on.
class SampleListPlanner {
  public:
    explicit SampleListPlanner(SamplePlanningContext& context)
        : c_(context), b_(context.books), known_(context.known) {}

    void Run();

  private:
    void PlanCompany();
    void PlanTerms();
    void PlanClasses();
    void PlanTypes();
    void PlanAccounts();
    void PlanEmployees();
    void PlanOtherNames();
    void PlanVendors();
    void PlanSalesReps();
    void PlanItems();
    void PlanCustomers();

    // A record of a list whose full names nest with ':' ("Parent:Child"); the parent
    // must already be in the list.
    int AddNamed(std::int32_t code, const std::string& fullName);

    std::pair<std::string, std::string> PersonName();

    // Vendors with a role decide which expense accounts their bills and checks use.
    enum class VendorRole { Supplier, Utility, Landlord, Service, Tax, Carrier };

    // An item named like `wanted`, numbered where its full name is taken.
    int AddItem(std::int32_t code, int parent, const std::string& wanted);

    // One of the '|'-separated choices of a product pool entry.
    std::string Choice(std::string_view choices);

    static std::string Lower(std::string text);

    static constexpr std::int64_t kCents[] = {0, 49, 95, 99, 50, 25};

    // A name like the given one that a hurried clerk would type for the same firm.
    std::string NearDuplicate(const std::string& name);

    SamplePlanningContext& c_;
    SampleBooks& b_;
    SampleLookups& known_;
    UniqueNames people_;  // customers, vendors, employees and other names share one name space
    UniqueNames items_;
};

}  // namespace quarrion::sample_planning
