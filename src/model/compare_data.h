#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "foundation/codes.h"

namespace quarrion {

namespace Kind {
// Every code that is compared as a number (the number choice and the numeric
// qbXML data-type codes) normalises to Number; everything else to Text.
long Normalize(long typeOfData);
}  // namespace Kind

// What the user entered, stored as entered: nothing, a text or a number.
using StoredValue = std::variant<std::monostate, std::string, double>;

// Formats a number the way it reads back unchanged ("100", "1.5", "-0.25").
std::string NumberText(double value);

// One entered value. It hands its value out converted to its kind: as text when
// the kind is Text, as a number by the leading-number rule when it is Number.
class CompareData {
  public:
    long Index = -1;

    long TypeOfData() const { return typeOfData_; }
    void SetTypeOfData(long typeOfData) { typeOfData_ = Kind::Normalize(typeOfData); }

    // Stores the value unchanged.
    void SetValue(StoredValue value) { stored_ = std::move(value); }
    void SetValue(std::string_view text) { stored_ = std::string(text); }
    void SetValue(const char* text) { stored_ = std::string(text); }
    void SetValue(double number) { stored_ = number; }

    // The value converted to the holder's kind.
    StoredValue Value() const;
    std::string ValueText() const;
    double ValueNumber() const;
    const StoredValue& Stored() const { return stored_; }

    void Clear() { stored_ = std::monostate{}; }
    // False when nothing is stored or the stored text is blank.
    bool ContainsData() const;

    // IntoTarget copies this into `target` as stored; FromTarget copies `target` into this,
    // taking its value as read (converted); other values do nothing.
    void Copy(CompareData& target, CopyDirection direction);

  private:
    long typeOfData_ = Kind::Text;
    StoredValue stored_;
};

}  // namespace quarrion
