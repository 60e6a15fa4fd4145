#include <gtest/gtest.h>

#include <functional>

#include "foundation/codes.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/company_responses.h"
#include "results/reference_examiner.h"
#include "results/response_examiner.h"

namespace quarrion {
namespace {

// The fast engine must list exactly what the literal copy-and-re-parse examination
// lists: same keys, cells and match texts, for every type and many rule sets.
class EngineAgreement : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::SharedSampleAnswers().catalogLoaded);
        ASSERT_EQ(responses_->size(), RequestTypeInfo::All().size());
    }

    // Runs both examinations of every type under one rule set; returns the rows found.
    std::size_t ExpectAgreement(const std::function<void(Examinors&, IncItem&)>& rules) {
        std::size_t rows = 0;
        for (const RequestType& type : RequestTypeInfo::All()) {
            RequestSearchRule standing;
            standing.SetRequestType(type.code, catalog_);
            IncItem item;
            item.Name = std::string(type.stem);
            item.SetRequestType(type.code);
            standing.DisplayColumns.Copy(item.DisplayColumns, CopyDirection::IntoTarget);
            // Every type also shows one line-level column, when it has lines.
            for (auto& tag : *catalog_) {
                if (tag.Code == type.code && tag.Level >= 3) {
                    item.DisplayColumns.Add(tag);
                    break;
                }
            }
            item.Response = responses_->at(type.code);
            Examinors examinors;
            rules(examinors, item);
            if (!item.FieldExaminors.ContainsData())
                ChooseSearchColumns(item, nullptr, examinors, *catalog_);

            ResultList fast;
            EXPECT_TRUE(ExamineResponse(item, examinors, fast));
            EXPECT_EQ(test::RowsText(fast), test::RowsText(test::ReferenceExamine(item, examinors)))
                << type.stem;
            rows += fast.Rows.size();
        }
        return rows;
    }

    static Criterion* Rule(Examinors& e, bool newGroup, long op, long choice) {
        Examinor* group = (newGroup || e.Count() == 0) ? e.Add() : e.Item(e.Count());
        return group->Criteria.Add(op, choice);
    }

    QBXMLTags* catalog_ = &test::SharedSampleAnswers().catalog;
    const std::map<std::int32_t, std::string>* responses_ = &test::SharedSampleAnswers().responses;
};

TEST_F(EngineAgreement, WithoutRulesEveryRecordIsListed) {
    EXPECT_GT(ExpectAgreement([](Examinors&, IncItem&) {}), 500u);
}

TEST_F(EngineAgreement, WordRulesOfTextNumbersAndMixedGroups) {
    EXPECT_GT(ExpectAgreement([](Examinors& e, IncItem&) {
                  Rule(e, false, Operation::Contains, Choice::Text)->TextCompare.SetValue("an");
              }),
              0u);
    ExpectAgreement([](Examinors& e, IncItem&) {
        Rule(e, false, Operation::StartsWith, Choice::Text)->TextCompare.SetValue("c");
        Rule(e, true, Operation::WholeWord, Choice::Text)->TextCompare.SetValue("supply");
    });
    ExpectAgreement([](Examinors& e, IncItem&) {
        Rule(e, false, Operation::EndsWith, Choice::Text)->TextCompare.SetValue("S");
        Rule(e, true, Operation::MatchesPattern, Choice::Text)->TextCompare.SetValue("*e?s*");
    });
    ExpectAgreement([](Examinors& e, IncItem&) {
        Criterion* list = Rule(e, false, Operation::InList, Choice::Text);
        list->TextList.Add(std::string("Net 30"));
        list->TextList.Add(std::string("Due on receipt"));
        Rule(e, true, Operation::IsBlank, Choice::Text);
    });

    ExpectAgreement([](Examinors& e, IncItem&) {
        Rule(e, false, Operation::GreaterThan, Choice::AnyNumber)->NumberCompare.SetValue(500.0);
    });
    ExpectAgreement([](Examinors& e, IncItem&) {
        Criterion* between = Rule(e, false, Operation::Between, Choice::Amount);
        between->NumberRange.A().SetValue(200.0);
        between->NumberRange.B().SetValue(100.0);
        Rule(e, true, Operation::LessOrEqual, Choice::Quantity)->NumberCompare.SetValue(2.0);
    });
    ExpectAgreement([](Examinors& e, IncItem&) {
        Rule(e, false, Operation::Contains, Choice::Text)->TextCompare.SetValue("e");
        Rule(e, false, Operation::LessThan, Choice::AnyNumber)->NumberCompare.SetValue(100.0);
        Rule(e, true, Operation::Equal, Choice::Price)->NumberCompare.SetValue(25.0);
    });
}

TEST_F(EngineAgreement, FieldRulesOnEachTypesOwnFields) {
    ExpectAgreement([this](Examinors& e, IncItem& item) {
        Rule(e, false, Operation::Contains, Choice::Text)->TextCompare.SetValue("a");
        const QBXMLTag* text = nullptr;
        const QBXMLTag* number = nullptr;
        for (auto& tag : *catalog_) {
            if (tag.Code != item.RequestType()) continue;
            // A reference's name where the type has one, else its first text field.
            if (tag.DataType() == "STRTYPE" && (!text || (text->Level != 2 && tag.Level == 2)))
                text = &tag;
            if (!number && tag.DataTypeCode() == DataTypeCode::Amt) number = &tag;
        }
        ASSERT_NE(text, nullptr) << item.Name;
        FieldCriterion* starts =
            item.FieldExaminors.Add()->FieldCriteria.Add(*text, Operation::StartsWith);
        starts->TextCompare.SetValue("A");
        if (number) {
            item.FieldExaminors.Add()
                ->FieldCriteria.Add(*number, Operation::GreaterOrEqual)
                ->NumberCompare.SetValue(300.0);
        }
    });
}

// With accents ignored and field rules ignoring case, both examinations still agree,
// on word rules and on each type's own field rules alike.
TEST_F(EngineAgreement, TextOptions) {
    const TextOptions options{true, LetterCase::IgnoreCase};
    EXPECT_GT(ExpectAgreement([&](Examinors& e, IncItem& item) {
                  Rule(e, false, Operation::Contains, Choice::Text)->TextCompare.SetValue("muller");
                  Rule(e, true, Operation::WholeWord, Choice::Text)->TextCompare.SetValue("CREME");
                  Criterion* list = Rule(e, true, Operation::InList, Choice::Text);
                  list->TextList.Add(std::string("cafe muller"));
                  list->TextList.Add(std::string("Zoe's Bakery, Inc."));
                  for (Examinor& group : e) {
                      for (Criterion& rule : group.Criteria) rule.Options = options;
                  }
                  // Half the types are decided by a field rule, the others by the word rules.
                  if (item.RequestType() % 2 == 0) return;
                  for (const QBXMLTag& tag : *catalog_) {
                      if (tag.Code != item.RequestType() || tag.DataType() != "STRTYPE") continue;
                      FieldCriterion* starts =
                          item.FieldExaminors.Add()->FieldCriteria.Add(tag, Operation::StartsWith);
                      starts->TextCompare.SetValue("cafe");
                      starts->Options = options;
                      break;
                  }
              }),
              0u);
}

}  // namespace
}  // namespace quarrion
