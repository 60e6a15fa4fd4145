// Records judged while the rest of a large answer is still being found must give
// what judging after the scan gives, on every type, and leave the answer untouched.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/company_responses.h"
#include "results/response_examiner.h"
#include "sample/sample_company.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

constexpr std::size_t kNeverAside = std::numeric_limits<std::size_t>::max();

// The shipped catalog and one answer per type of a small sample company, made once.
struct SharedCompany {
    SharedCompany() {
        EXPECT_TRUE(test::LoadShippedCatalog(catalog, folder.Path().string()));
        SampleCompanyOptions options;
        options.seed = 11;
        options.scale = 0.2;
        options.today = "2026-11-02";
        responses = test::CompanyResponses(GenerateSampleCompany(options));
    }
    test::TempDir folder;
    QBXMLTags catalog;
    std::map<std::int32_t, std::string> responses;
};

SharedCompany& Shared() {
    static SharedCompany company;
    return company;
}

class LeanExamination : public ::testing::Test {
  protected:
    void SetUp() override {
        catalog_ = &Shared().catalog;
        responses_ = &Shared().responses;
    }

    // An item of the type showing its standing columns, with `response` kept, and a
    // word rule "contains `word`" (none when empty).
    void Prepare(std::int32_t type, const std::string& response, const std::string& word) {
        RequestSearchRule standing;
        standing.SetRequestType(type, catalog_);
        itemHolder = std::make_unique<IncItem>();
        examinorsHolder = std::make_unique<Examinors>();
        IncItem& item = *itemHolder;
        Examinors& examinors = *examinorsHolder;
        item.Name = RequestTypeInfo::TypeName(type);
        item.SetRequestType(type);
        standing.DisplayColumns.Copy(item.DisplayColumns, CopyDirection::IntoTarget);
        item.Response = response;
        if (!word.empty()) {
            examinors.Add()
                ->Criteria.Add(Operation::Contains, Choice::Text)
                ->TextCompare.SetValue(word.c_str());
        }
        ChooseSearchColumns(item, nullptr, examinors, *catalog_);
    }

    // Examines the prepared item; `aside` scans beside the judging whatever the size.
    struct Outcome {
        bool finished = false;
        ResultList list;
        std::string message;
        bool done = false;
    };
    Outcome Examine(bool aside, std::function<bool()> closing = {}) {
        ExaminationHooks hooks;
        hooks.ScanAsideFrom = aside ? 0 : kNeverAside;
        hooks.Closing = std::move(closing);
        Outcome outcome;
        itemHolder->Done = false;  // as a search run leaves it before examining
        outcome.finished = ExamineResponse(*itemHolder, *examinorsHolder, outcome.list, hooks);
        outcome.message = itemHolder->Message;
        outcome.done = itemHolder->Done;
        return outcome;
    }

    static void ExpectSame(const Outcome& a, const Outcome& b) {
        EXPECT_EQ(a.finished, b.finished);
        EXPECT_EQ(a.message, b.message);
        EXPECT_EQ(a.done, b.done);
        ASSERT_EQ(a.list.Rows.size(), b.list.Rows.size());
        for (std::size_t r = 0; r < a.list.Rows.size(); ++r) {
            EXPECT_EQ(a.list.Rows[r].Key, b.list.Rows[r].Key);
            EXPECT_EQ(a.list.Rows[r].Cells, b.list.Rows[r].Cells) << a.list.Rows[r].Key;
            EXPECT_EQ(a.list.Rows[r].MatchText, b.list.Rows[r].MatchText) << a.list.Rows[r].Key;
        }
    }

    QBXMLTags* catalog_ = nullptr;
    const std::map<std::int32_t, std::string>* responses_ = nullptr;
    std::unique_ptr<IncItem> itemHolder;
    std::unique_ptr<Examinors> examinorsHolder;
};

TEST_F(LeanExamination, EveryTypeListsTheSameAndKeepsItsAnswerByteForByte) {
    std::size_t rows = 0;
    for (const auto& [type, response] : *responses_) {
        for (const char* word : {"", "an"}) {
            SCOPED_TRACE(RequestTypeInfo::TypeName(type) + " \"" + word + "\"");
            Prepare(type, response, word);
            Outcome inPlace = Examine(false);
            Outcome aside = Examine(true);
            ExpectSame(aside, inPlace);
            EXPECT_TRUE(aside.done);
            EXPECT_EQ(itemHolder->Response, response);
            rows += aside.list.Rows.size();
        }
    }
    EXPECT_GT(rows, 500u);
}

// Damage the scan meets long after the first records were judged: what was judged
// goes, and the answer is reported as one that cannot be read.
TEST_F(LeanExamination, DamageFarPastTheFirstRecordsLeavesNothingOfThem) {
    const std::string& invoices = responses_->at(RequestTypeCode::Invoice);
    const std::size_t first = invoices.find("<InvoiceRet>");
    const std::size_t end = invoices.rfind("</InvoiceRet>") + 13;
    ASSERT_LT(first, end);
    // A few hundred records first, so several batches of them reach the judging.
    std::string damaged = invoices.substr(0, end);
    for (int i = 0; i < 5; ++i) damaged += invoices.substr(first, end - first);
    // Far more text than the records, for the scan to read before it meets the end.
    damaged.reserve(damaged.size() + (20u << 20));
    while (damaged.size() < (20u << 20)) damaged += "<Pad><P>x</P><P>y</P></Pad>";
    Prepare(RequestTypeCode::Invoice, damaged, "");
    Outcome outcome = Examine(true);
    EXPECT_TRUE(outcome.done);
    EXPECT_TRUE(outcome.message.starts_with("The answer could not be read")) << outcome.message;
    EXPECT_TRUE(outcome.list.Rows.empty());
}

// Closing stops after the record in hand: the rows so far are the first rows of the
// whole list, and the type is left open.
TEST_F(LeanExamination, ClosingStopsAsideAfterTheCurrentRecord) {
    Prepare(RequestTypeCode::Invoice, responses_->at(RequestTypeCode::Invoice), "");
    Outcome whole = Examine(true);
    int left = 25;
    Outcome stopped = Examine(true, [&] { return --left < 0; });
    EXPECT_FALSE(stopped.finished);
    EXPECT_FALSE(stopped.done);
    ASSERT_EQ(stopped.list.Rows.size(), 26u);
    for (std::size_t r = 0; r < stopped.list.Rows.size(); ++r) {
        EXPECT_EQ(stopped.list.Rows[r].Key, whole.list.Rows[r].Key);
    }
}

}  // namespace
}  // namespace quarrion
