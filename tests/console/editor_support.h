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
        {11, "//VendorRet/Name", 1, "Vendor", "STRTYPE"},
        {11, "//VendorRet/Balance", 2, "Balance", "AMTTYPE"},
    };
    for (const Entry& e : entries) {
        catalog.Add(e.Code, "", e.Sequence, e.Sequence, e.Path, e.Heading, 1, "", false, "",
                    e.DataType, static_cast<std::int32_t>(catalog.Count() + 1));
    }
}

// The groups as rule text, one line per rule, "|" between groups: a stable form two
// sets of rules can be compared by.
inline QString ExaminorsText(const Examinors& examinors) {
    std::string text;
    for (const Examinor& group : examinors) {
        const bool laterGroup = !text.empty();
        if (laterGroup) text += " | ";
        bool first = true;
        for (const Criterion& rule : group.Criteria) {
            if (!first) text += "; ";
            text += CriterionText(rule, first && laterGroup);
            first = false;
        }
    }
    return QString::fromStdString(text);
}

inline QString FieldExaminorsText(const FieldExaminors& examinors) {
    std::string text;
    for (const FieldExaminor& group : examinors) {
        const bool laterGroup = !text.empty();
        if (laterGroup) text += " | ";
        bool first = true;
        for (const FieldCriterion& rule : group.FieldCriteria) {
            if (!first) text += "; ";
            text += FieldCriterionText(rule, first && laterGroup);
            first = false;
        }
    }
    return QString::fromStdString(text);
}

}  // namespace quarrion::test
