#pragma once

#include <cstdint>
#include <vector>

#include "console/criteria_panel.h"

namespace quarrion {

class FieldCriterionControl;
class FieldExaminors;
class QBXMLTags;

// The field rule editor of one request type (the console's fldView; the re-search
// window uses it as it stands). Each row is one FieldCriterion on a field of the type;
// the rows in order make the groups of a FieldExaminors as the global editor makes
// Examinors, except that within one group a later row on the same field replaces an
// earlier one.
//
// Use: construct with a parent and the catalog whose fields the rows offer (it must
// outlive the control; SetCatalog changes it); LoadFieldExaminors(type, rules) sets the
// request type and shows its rules; ReadFieldExaminors writes the rows back; Clear,
// More, Less, RowCount, ContainsData, Changed and Title as on CriteriaControl. Title
// reads the type's title, a blank and the caption.
class FieldCriteriaControl : public CriteriaPanel {
    Q_OBJECT

  public:
    static constexpr const char* DefaultCaption = "Search Rule Set";
    // The request type of rules for every included type: the rows offer the fields of
    // the types SetIncludedTypes names, and a rule applies to each included type whose
    // records have its field (the terminal tool's "*" type).
    static constexpr long EveryIncludedType = -1;
    static constexpr const char* EveryIncludedTypeTitle = "Every Included Type";

    explicit FieldCriteriaControl(QWidget* parent = nullptr, const QBXMLTags* catalog = nullptr);

    void SetCatalog(const QBXMLTags* catalog) { catalog_ = catalog; }
    // The types whose fields rows for EveryIncludedType offer, in order; rows made
    // afterwards take them.
    void SetIncludedTypes(std::vector<std::int32_t> types) { includedTypes_ = std::move(types); }
    // Offers the fields of `requestType` in every row (existing rows are cleared).
    void SetRequestType(long requestType);
    long RequestType() const { return requestType_; }

    // Sets the request type, clears, then shows every rule of every group in order.
    void LoadFieldExaminors(long requestType, const FieldExaminors& examinors);
    // Replaces the groups of `target` with those the rows make.
    void ReadFieldExaminors(FieldExaminors& target) const;

    QString Title() const override;
    FieldCriterionControl* Criterion(int position) const;

  protected:
    CriterionRow* NewRow(QWidget* parent) override;

  private:
    const QBXMLTags* catalog_;
    long requestType_ = 0;
    std::vector<std::int32_t> includedTypes_;
};

}  // namespace quarrion
