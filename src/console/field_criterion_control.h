#pragma once

#include <vector>

#include "catalog/qbxml_tag.h"
#include "console/criterion_row.h"
#include "model/field_criterion.h"

namespace quarrion {

class QBXMLTags;

// One field rule as a row: AND/OR, a field of the panel's request type (shown by its
// user heading), the operation that fits the field's kind and the value. Number fields
// offer the number operations, text fields the text ones and "is blank", true/false
// fields "is true" and "is false" (which, like "is blank", need no value), date and
// date-time fields before, on or before, on, on or after, after and between. The row owns
// its FieldCriterion and writes every edit into it.
class FieldCriterionControl : public CriterionRow {
    Q_OBJECT

  public:
    static constexpr int SubjectWidth = 200;

    explicit FieldCriterionControl(QWidget* parent = nullptr);

    // Offers every catalog entry of `requestType` whose data type is of boolean,
    // number or text kind, in catalog order, and chooses the first (the rule's field,
    // when it is one of them, stays chosen). The entries are kept as snapshots, so the
    // catalog may change afterwards.
    void SetRequestType(long requestType, const QBXMLTags& catalog);
    // The same for a rule meant for every included type: the fields of each of `types`
    // in turn, a path offered once (by the first type that has it).
    void SetRequestTypes(long requestType, const std::vector<std::int32_t>& types,
                         const QBXMLTags& catalog);
    long RequestType() const { return requestType_; }

    // Takes a copy of `rule` (its join included) and shows it. A field the list does
    // not offer is added to it, so a rule is never shown on another field.
    void LoadCriterion(const FieldCriterion& rule);
    const FieldCriterion& Criterion() const { return rule_; }
    FieldCriterion& Criterion() { return rule_; }
    bool ContainsData() const override { return rule_.ContainsData(); }

    // The fields offered, in list order.
    const std::vector<QBXMLTagRef>& Fields() const { return fields_; }

  protected:
    std::string& RuleAndOr() override { return rule_.AndOr; }
    long& RuleOperand() override { return rule_.Operand; }
    bool ListOfText() const override;
    void TakeSubject(int index) override;
    std::vector<long> Operations() const override;
    bool ComparesDates() const override;

  private:
    int FieldIndex(const std::string& tagName) const;
    void AddField(QBXMLTagRef field);

    FieldCriterion rule_;
    long requestType_ = 0;
    std::vector<QBXMLTagRef> fields_;
};

// Whether a field of this data-type code can carry a field rule (boolean, number or
// text kind, a date or a date-time).
bool OffersFieldRules(std::int32_t dataTypeCode);

}  // namespace quarrion
