#pragma once

#include "console/criterion_row.h"
#include "model/criterion.h"

namespace quarrion {

// One global rule as a row: AND/OR, a data-type choice (Text, Any Number, Percent,
// Price, Quantity, Amount, Date), the operation that fits it and the value. A new row shows
// AND, the first choice and its first operation. The row owns its Criterion and writes
// every edit into it, so Criterion() is always the rule shown.
class CriterionControl : public CriterionRow {
    Q_OBJECT

  public:
    static constexpr int SubjectWidth = 120;
    static constexpr const char* DateChoiceText = "Date";

    explicit CriterionControl(QWidget* parent = nullptr);

    // Takes a copy of `rule` (its join included) and shows it.
    void LoadCriterion(const quarrion::Criterion& rule);
    const quarrion::Criterion& Criterion() const { return rule_; }
    quarrion::Criterion& Criterion() { return rule_; }
    bool ContainsData() const override { return rule_.ContainsData(); }

  protected:
    std::string& RuleAndOr() override { return rule_.AndOr; }
    long& RuleOperand() override { return rule_.Operand; }
    bool ListOfText() const override;
    void TakeSubject(int index) override;
    std::vector<long> Operations() const override;
    bool ComparesDates() const override { return rule_.DataType() == Choice::Date; }

  private:
    quarrion::Criterion rule_;
};

}  // namespace quarrion
