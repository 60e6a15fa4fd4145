// Records judged while the rest of a large answer is still being found must give
// what judging after the scan gives, on every type, and leave the answer untouched.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>

#include "foundation/codes.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/company_responses.h"
#include "results/response_examiner.h"

namespace quarrion {
namespace {

constexpr std::size_t kNeverAside = std::numeric_limits<std::size_t>::max();

class LeanExamination : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(shared_.catalogLoaded); }

    // An item of the type showing its standing columns, with `response` kept, and a
    // word rule "contains `word`" (none when empty).
    void Prepare(std::int32_t type, const std::string& response, const std::string& word) {
        RequestSearchRule standing;
        standing.SetRequestType(type, &shared_.catalog);
        item_ = std::make_unique<IncItem>();
        examinors_ = std::make_unique<Examinors>();
        item_->SetRequestType(type);
        standing.DisplayColumns.Copy(item_->DisplayColumns, CopyDirection::IntoTarget);
        item_->Response = response;
        if (!word.empty()) {
            examinors_->Add()
                ->Criteria.Add(Operation::Contains, Choice::Text)
                ->TextCompare.SetValue(word.c_str());
        }
        ChooseSearchColumns(*item_, nullptr, *examinors_, shared_.catalog);
    }

    // Examines the prepared item; `aside` scans beside the judging whatever the size,
    // `yield` runs between every two records. Answers whether it finished, whether the
    // type is done, its message, and the rows.
    std::string Examine(bool aside, std::function<bool()> closing = {},
                        std::function<void()> yield = {}) {
        ExaminationHooks hooks;
        hooks.ScanAsideFrom = aside ? 0 : kNeverAside;
        hooks.Closing = std::move(closing);
        if (yield) {
            hooks.Slice = std::chrono::milliseconds(0);
            hooks.Yield = std::move(yield);
        }
        item_->Done = false;  // as a search run leaves it before examining
        ResultList list;
        const bool finished = ExamineResponse(*item_, *examinors_, list, hooks);
        return (finished ? "finished" : "stopped") +
               std::string(item_->Done ? " done " : " open ") + item_->Message + "\n" +
               test::RowsText(list);
    }

    const std::string& Response(std::int32_t type) { return shared_.responses.at(type); }

    test::SampleAnswers& shared_ = test::SharedSampleAnswers();
    std::unique_ptr<IncItem> item_;
    std::unique_ptr<Examinors> examinors_;
};

TEST_F(LeanExamination, EveryTypeListsTheSameAndKeepsItsAnswerByteForByte) {
    std::size_t rows = 0;
    for (const auto& [type, response] : shared_.responses) {
        for (const char* word : {"", "an"}) {
            SCOPED_TRACE(RequestTypeInfo::TypeName(type) + " \"" + word + "\"");
            Prepare(type, response, word);
            const std::string aside = Examine(true);
            EXPECT_EQ(aside, Examine(false));
            EXPECT_TRUE(aside.starts_with("finished done ")) << aside.substr(0, 80);
            EXPECT_EQ(item_->Response, response);
            rows += static_cast<std::size_t>(std::count(aside.begin(), aside.end(), '\n')) - 1;
        }
    }
    EXPECT_GT(rows, 500u);
}

// An answer examined calmly lists the same as when text the scan cannot take as it
// stands is parsed whole, and as when events that run while the examination yields
// replace the answer it reads: it goes on with the answer it began with.
TEST_F(LeanExamination, ParsingWholeOrAReplacedAnswerListsTheSameAsACalmScan) {
    const std::string& answer = Response(RequestTypeCode::Invoice);
    Prepare(RequestTypeCode::Invoice, answer, "a");
    const std::string calm = Examine(false);
    ASSERT_GT(std::count(calm.begin(), calm.end(), '\n'), 10);
    item_->Response = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n" + answer;
    EXPECT_EQ(Examine(false), calm);
    item_->Response = answer;
    int yields = 0;
    EXPECT_EQ(Examine(false, {},
                      [&] {
                          // A new, smaller answer in a new buffer: the old one is gone.
                          item_->Response = std::string("<QBXML><QBXMLMsgsRs/></QBXML>");
                          item_->Response.shrink_to_fit();
                          ++yields;
                      }),
              calm);
    EXPECT_GT(yields, 1);
}

// Damage the scan meets long after the first records were judged: what was judged
// goes, and the answer is reported as one that cannot be read.
TEST_F(LeanExamination, DamageFarPastTheFirstRecordsLeavesNothingOfThem) {
    const std::string& invoices = Response(RequestTypeCode::Invoice);
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
    const std::string outcome = Examine(true);
    EXPECT_TRUE(outcome.starts_with("finished done The answer could not be read")) << outcome;
    EXPECT_EQ(std::count(outcome.begin(), outcome.end(), '\n'), 1);
}

// Closing stops after the record in hand: the rows so far are the first rows of the
// whole list, and the type is left open.
TEST_F(LeanExamination, ClosingStopsAsideAfterTheCurrentRecord) {
    Prepare(RequestTypeCode::Invoice, Response(RequestTypeCode::Invoice), "");
    const std::string whole = Examine(true);
    int left = 25;
    const std::string stopped = Examine(true, [&] { return --left < 0; });
    ASSERT_TRUE(stopped.starts_with("stopped open ")) << stopped.substr(0, 80);
    // The first 26 rows of the whole list, and no more.
    const std::string rows = stopped.substr(stopped.find('\n') + 1);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 26);
    EXPECT_TRUE(whole.substr(whole.find('\n') + 1).starts_with(rows));
}

}  // namespace
}  // namespace quarrion
