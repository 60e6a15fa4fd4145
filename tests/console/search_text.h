#pragma once

#include <QString>
#include <QStringList>
#include <type_traits>

#include "model/search_object2.h"
#include "search/rule_text.h"

namespace quarrion::test {

// Global or field rule groups as rule text, "; " between rules and " | " between groups:
// a stable form two sets of rules can be compared by.
template <typename Groups>
QString GroupsText(const Groups& groups) {
    QStringList texts;
    for (const auto& group : groups) {
        QStringList rules;
        const bool later = !texts.isEmpty();
        if constexpr (std::is_same_v<Groups, Examinors>) {
            for (const Criterion& rule : group.Criteria) {
                rules << QString::fromStdString(CriterionText(rule, later && rules.isEmpty()));
            }
        } else {
            for (const FieldCriterion& rule : group.FieldCriteria) {
                rules << QString::fromStdString(FieldCriterionText(rule, later && rules.isEmpty()));
            }
        }
        texts << rules.join("; ");
    }
    return texts.join(" | ");
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
