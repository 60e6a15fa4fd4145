#pragma once

#include <QString>
#include <string>

#include "catalog/qbxml_tags.h"
#include "model/examinors.h"
#include "model/field_examinors.h"
#include "search/rule_text.h"

namespace quarrion::test {

// A small catalog of Invoice and Customer elements of every kind a rule meets.
inline void FillSmallCatalog(QBXMLTags& catalog) {
    struct Entry {
        int Code;
        const char* Path;
        int Sequence;
        const char* Heading;
        const char* DataType;
    };
    static const Entry entries[] = {
        {4, "//InvoiceRet/TxnID", 0, "Txn ID", "IDTYPE"},
        {4, "//InvoiceRet/TxnDate", 1, "Date", "DATETYPE"},
        {4, "//InvoiceRet/RefNumber", 2, "Num", "STRTYPE"},
        {4, "//InvoiceRet/CustomerRef/FullName", 3, "Customer", "STRTYPE"},
        {4, "//InvoiceRet/Memo", 4, "Memo", "STRTYPE"},
        {4, "//InvoiceRet/Subtotal", 5, "Subtotal", "AMTTYPE"},
        {4, "//InvoiceRet/SalesTaxPercentage", 0, "Tax %", "PERCENTTYPE"},
        {4, "//InvoiceRet/IsPaid", 0, "Paid", "BOOLTYPE"},
        {4, "//InvoiceRet/InvoiceLineRet/Quantity", 0, "Qty", "QUANTYPE"},
        {2, "//CustomerRet/FullName", 1, "Customer", "STRTYPE"},
        {2, "//CustomerRet/Balance", 2, "Balance", "AMTTYPE"},
        {2, "//CustomerRet/IsActive", 0, "Active", "BOOLTYPE"},
    };
    for (const Entry& e : entries) {
        catalog.Add(e.Code, "", e.Sequence, e.Sequence, e.Path, e.Heading, 1, "", false, "",
                    e.DataType, static_cast<std::int32_t>(catalog.Count() + 1));
    }
}

// The groups as rule text, one line per rule, "|" between groups: a stable form two
// sets of rules can be compared by. `rules` gives a group's rules, `text` one rule's.
template <typename Groups, typename Rules, typename Text>
QString GroupsText(const Groups& groups, Rules rules, Text text) {
    std::string joined;
    for (const auto& group : groups) {
        const bool laterGroup = !joined.empty();
        if (laterGroup) joined += " | ";
        bool first = true;
        for (const auto& rule : rules(group)) {
            if (!first) joined += "; ";
            joined += text(rule, first && laterGroup);
            first = false;
        }
    }
    return QString::fromStdString(joined);
}

inline QString ExaminorsText(const Examinors& examinors) {
    return GroupsText(
        examinors, [](const Examinor& group) -> const auto& { return group.Criteria; },
        [](const Criterion& rule, bool join) { return CriterionText(rule, join); });
}

inline QString FieldExaminorsText(const FieldExaminors& examinors) {
    return GroupsText(
        examinors, [](const FieldExaminor& group) -> const auto& { return group.FieldCriteria; },
        [](const FieldCriterion& rule, bool join) { return FieldCriterionText(rule, join); });
}

}  // namespace quarrion::test
