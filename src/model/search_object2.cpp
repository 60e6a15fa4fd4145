#include "model/search_object2.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "model/date_value.h"
#include "model/text_match.h"

namespace quarrion {

std::string FormatSearchDate(SearchDate date) {
    const std::chrono::year_month_day ymd(date);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                  static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
    return buffer;
}

void SearchObject2::Copy(SearchObject2& target, CopyDirection direction) {
    if (&target == this) return;
    SearchObject2* from = direction == CopyDirection::IntoTarget   ? this
                          : direction == CopyDirection::FromTarget ? &target
                                                                   : nullptr;
    if (!from) return;
    SearchObject2* to = direction == CopyDirection::IntoTarget ? &target : this;
    to->ID = from->ID;
    to->Name = from->Name;
    to->Description = from->Description;
    to->DateFilter = from->DateFilter;
    to->FromDate = from->FromDate;
    to->ToDate = from->ToDate;
    to->FromText = from->FromText;
    to->ToText = from->ToText;
    to->TextOptions = from->TextOptions;
    to->Max = from->Max;
    Examinors.Copy(target.Examinors, direction);
    IncludeItems.Copy(target.IncludeItems, direction);
}

void SearchObject2::Clear() {
    ID = 0;
    Name.clear();
    Description.clear();
    Examinors.Clear();
    for (IncItem& item : IncludeItems) {
        item.FieldExaminors.Clear();
        item.DisplayColumns.Clear();
    }
}

void SearchObject2::ResolveRelativeDates(std::int32_t today) {
    if (!FromText.empty()) {
        if (std::optional<DayRange> span = ResolveDateValue(FromText, today))
            FromDate = SearchDate(std::chrono::days(span->first));
    }
    if (!ToText.empty()) {
        if (std::optional<DayRange> span = ResolveDateValue(ToText, today))
            ToDate = SearchDate(std::chrono::days(span->last));
    }
}

void SearchObject2::ShareTextOptions() {
    for (Examinor& group : Examinors) {
        for (Criterion& rule : group.Criteria) rule.Options = TextOptions;
    }
    for (IncItem& item : IncludeItems) {
        for (FieldExaminor& group : item.FieldExaminors) {
            for (FieldCriterion& rule : group.FieldCriteria) rule.Options = TextOptions;
        }
    }
}

std::string SearchObject2::Caption() {
    if (!TextIsBlank(Name)) return Name;
    if (FromDate > ToDate) std::swap(FromDate, ToDate);
    if (FromDate != ToDate) return "(" + FormatFrom() + " and " + FormatTo() + ")";
    return FormatFrom();
}

SearchObject2* SearchObject2s::Add(std::string_view name) {
    if (SearchObject2* existing = items_.Item(name)) return existing;
    auto search = std::make_unique<SearchObject2>();
    search->Name = name;
    search->Index = items_.Counter() + 1;
    return items_.Add(std::move(search), name);
}

}  // namespace quarrion
