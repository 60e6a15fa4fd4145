#include "search/store_limits.h"

#include <utf8proc.h>

#include "model/search_object2.h"
#include "search/rule_text.h"

namespace quarrion {

namespace {

// Characters as the store counts them: code points of UTF-8 text.
std::size_t Characters(std::string_view text) {
    std::size_t count = 0;
    const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
    utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(text.size());
    while (left > 0) {
        utf8proc_int32_t codePoint = 0;
        utf8proc_ssize_t length = utf8proc_iterate(bytes, left, &codePoint);
        if (length <= 0) length = 1;  // an invalid byte counts as one
        bytes += length;
        left -= length;
        ++count;
    }
    return count;
}

std::string TooLong(const std::string& what, std::string_view text, std::size_t limit) {
    return what + " \"" + std::string(text) + "\" has " + std::to_string(Characters(text)) +
           " characters; the store keeps at most " + std::to_string(limit);
}

// The first stored text of a rule's values that is too long.
std::string ValuesProblem(const RuleValues& values, const std::string& rule) {
    if (std::string text = values.TextCompare.ValueText(); Characters(text) > kStoredTextLength) {
        return TooLong("The value of the rule \"" + rule + "\",", text, kStoredTextLength);
    }
    for (const auto& item : values.TextList) {
        if (std::string text = item->ValueText(); Characters(text) > kStoredTextLength) {
            return TooLong("A list value of the rule \"" + rule + "\",", text, kStoredTextLength);
        }
    }
    return {};
}

}  // namespace

std::string StoreLimitProblem(const SearchObject2& search) {
    if (search.Name.find_first_not_of(" \t") == std::string::npos) {
        return "You must enter a name for the search, before you can save it.";
    }
    if (Characters(search.Name) > kStoredNameLength) {
        return TooLong("The name", search.Name, kStoredNameLength);
    }
    bool first = true;
    for (const Examinor& group : search.Examinors) {
        bool opens = !first;
        for (const Criterion& rule : group.Criteria) {
            std::string problem = ValuesProblem(rule, CriterionText(rule, opens));
            if (!problem.empty()) return problem;
            opens = false;
        }
        first = false;
    }
    for (const IncItem& item : search.IncludeItems) {
        bool firstGroup = true;
        for (const FieldExaminor& group : item.FieldExaminors) {
            bool opens = !firstGroup;
            for (const FieldCriterion& rule : group.FieldCriteria) {
                std::string problem =
                    ValuesProblem(rule, item.Name + ": " + FieldCriterionText(rule, opens));
                if (!problem.empty()) return problem;
                opens = false;
            }
            firstGroup = false;
        }
        for (const DisplayColumn& column : item.DisplayColumns) {
            if (Characters(column.Heading()) > kStoredHeadingLength) {
                return TooLong("The " + item.Name + " column heading", column.Heading(),
                               kStoredHeadingLength);
            }
        }
    }
    return {};
}

}  // namespace quarrion
