#pragma once

#include <QString>
#include <QStringList>

#include "model/search_object2.h"
#include "search/rule_text.h"

namespace quarrion::test {

inline const auto& RulesOf(const Examinor& group) {
    return group.Criteria;
}
inline const auto& RulesOf(const FieldExaminor& group) {
    return group.FieldCriteria;
}
inline std::string TextOf(const Criterion& rule, bool opens) {
    return CriterionText(rule, opens);
}
inline std::string TextOf(const FieldCriterion& rule, bool opens) {
    return FieldCriterionText(rule, opens);
}

// Global or field rule groups as rule text, "; " between rules and " | " between groups:
// a stable form two sets of rules can be compared by.
template <typename Groups>
QString GroupsText(const Groups& groups) {
    std::string joined;
    for (const auto& group : groups) {
        const bool laterGroup = !joined.empty();
        if (laterGroup) joined += " | ";
        bool first = true;
        for (const auto& rule : RulesOf(group)) {
            joined += (first ? "" : "; ") + TextOf(rule, first && laterGroup);
            first = false;
        }
    }
    return QString::fromStdString(joined);
}

// A search definition written out line by line: everything a search run reads (dates, the
// words of a relative range, filter, maximum, the global groups, and per included type its
// name, code, display columns, search columns and field groups). Two searches that print
// the same are the same search for every later step.
inline QString SearchText(SearchObject2& search) {
    QStringList lines{QString::fromStdString(
                          "from " + search.FormatFrom() + " to " + search.FormatTo() + " filter " +
                          std::to_string(search.DateFilter) + " max " + std::to_string(search.Max) +
                          "\nspan " + search.FromText + ".." + search.ToText),
                      "rules: " + GroupsText(search.Examinors)};
    for (const IncItem& item : search.IncludeItems) {
        std::string columns, searched;
        for (const DisplayColumn& column : item.DisplayColumns) {
            columns += column.Tag()->TagName() + "=" + column.Heading() + ", ";
        }
        for (const SearchColumn& column : item.SearchColumns) {
            searched += column.Column()->TagName() + ", ";
        }
        lines << QString::fromStdString(
                     "type " + item.Name + " " + std::to_string(item.RequestType()) +
                     "\n  display: " + columns + "\n  search: " + searched + "\n  fields: ") +
                     GroupsText(item.FieldExaminors);
    }
    return lines.join('\n');
}

}  // namespace quarrion::test
