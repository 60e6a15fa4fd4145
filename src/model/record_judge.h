#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "model/examinors.h"
#include "model/inc_item.h"

namespace quarrion {

// What deciding one record gives: whether it is found, and the element text that
// satisfied the word rules (empty when field rules decided or nothing was searched).
struct RecordMatch {
    bool matched = false;
    std::string matchText;
};

// Decides the records of one included type, the same way for the search run, the
// terminal tool and re-search:
// 1. When the item's field rules contain data, a record is found exactly when they
//    hold on its record element.
// 2. Otherwise each search column is tried in order: every element below the record
//    named as the column's `ElementName`, in document order, is read as text and
//    handed with the column's data type to the word rules. The first one that holds
//    finds the record, and its text is the match text.
// 3. An item without search columns finds every record.
//
// The judge reads the item's rules and columns when it is made (make a new one after
// changing them) and keeps references to `item` and `examinors`, which must outlive
// it. Judging writes the rules' results, so a judge and its rules belong to one
// thread at a time.
// What a type's status adds when every record is listed for want of an element the
// rules could test.
inline constexpr const char* kEveryRecordNotice =
    "Every record is listed: this type has no field of the kind the rules test.";

class RecordJudge {
  public:
    RecordJudge(IncItem& item, Examinors& examinors);

    RecordMatch Decide(pugi::xml_node record);
    // The same, reusing the caller's buffer for the match text (cleared first).
    bool Decide(pugi::xml_node record, std::string& matchText);

    // Whether the word rules hold something but the type has no element of the data
    // types they test, so every record is listed (rule 3): the user should be told why
    // the list is full.
    bool ListsEverythingUntested() const { return everything_ && rulesHoldData_; }

  private:
    // One distinct (element name, data type) pair of the search columns, with the
    // position of the first column that asks for it.
    struct ColumnTest {
        std::size_t position;
        std::int32_t dataTypeCode;
    };

    // The tests of one element name.
    struct NameTests {
        std::string name;
        std::uint32_t hash = 0;
        std::vector<ColumnTest> tests;
    };

    // The tests for an element name, or nullptr. Hashes the name while reading it, so
    // element names that no column asks for cost one pass over their characters.
    const NameTests* Find(const char* name) const;
    NameTests& Insert(const std::string& name);
    void Rehash();

    IncItem& item_;
    Examinors& examinors_;
    bool byFieldRules_ = false;
    bool everything_ = false;
    bool rulesHoldData_ = false;
    std::vector<NameTests> names_;
    std::vector<std::int32_t> slots_;  // open addressing into names_; -1 = free
    std::string scratch_;
};

// One record decided without keeping a judge (builds one for the call).
RecordMatch DecideRecord(IncItem& item, Examinors& examinors, pugi::xml_node record);

}  // namespace quarrion
