#include <gtest/gtest.h>

#include <string>

#include "foundation/codes.h"
#include "search/search_session.h"
#include "search/store_limits.h"
#include "search/store_session.h"
#include "store/store_paths.h"
#include "support/loose_tag.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

// A data folder of the test's own, so each test starts without a store.
class Sessions : public ::testing::Test {
  protected:
    test::HomeOfItsOwn home_;
};

// Counts the store's first-time runs.
struct HeardNotifier : StoreNotifier {
    int initialisations = 0;
    void RunFirstTimeInitialisation(const std::function<bool()>& run) override {
        ++initialisations;
        run();
    }
};

TEST_F(Sessions, AnEmptyCatalogIsInitialisedThroughTheNotifier) {
    // A database with the schema but no catalog rows, as after a failed first run.
    {
        QBXMLTags tags;
        IOManager bare(tags);
        ASSERT_TRUE(bare.CheckDatabase(DatabasePath().string()));
    }

    HeardNotifier heard;
    StoreSession session(&heard);
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(heard.initialisations, 1);
    EXPECT_TRUE(session.Initialised());
    EXPECT_GT(session.Catalog().Count(), 1000u);
}

// The terminal tool's usage test sees a name and a rule value too long; here, the
// limits' edges and the other texts a search keeps.
TEST(StoreLimits, NamesAndTextsLongerThanTheStoreKeepsAreNamed) {
    SearchObject2 search;
    EXPECT_NE(StoreLimitProblem(search).find("You must enter a name"), std::string::npos);
    search.Name = "   ";
    EXPECT_NE(StoreLimitProblem(search).find("You must enter a name"), std::string::npos);
    search.Name = std::string(50, 'n');
    EXPECT_EQ(StoreLimitProblem(search), "");
    // Characters, not bytes: fifty two-byte letters fit.
    search.Name.clear();
    for (int i = 0; i < 50; ++i) search.Name += "é";
    EXPECT_EQ(StoreLimitProblem(search), "");

    Criterion* rule = search.Examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text);
    rule->TextCompare.SetValue(StoredValue(std::string(50, 'v')));
    EXPECT_EQ(StoreLimitProblem(search), "");
    rule->Operand = Operation::InList;
    rule->TextList.Add(std::string(51, 'w'));
    EXPECT_NE(StoreLimitProblem(search).find("A list value"), std::string::npos);
    rule->TextList.Clear();

    const QBXMLTagRef tag = test::LooseTag("//InvoiceRet/Memo", "STRTYPE");
    IncItem* item = search.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
    item->DisplayColumns.Add(tag, std::string(51, 'h'));
    EXPECT_NE(StoreLimitProblem(search).find("The Invoice column heading"), std::string::npos);
    item->DisplayColumns.Clear();
    FieldCriterion* field = item->FieldExaminors.Add()->FieldCriteria.Add(tag, Operation::Contains);
    field->TextCompare.SetValue(StoredValue(std::string(60, 'f')));
    EXPECT_NE(StoreLimitProblem(search).find("Invoice: Memo contains"), std::string::npos);
}

TEST_F(Sessions, AMissingCompanyFileFailsEveryTypeWithAPopUp) {
    SearchSession session(CompanyFileProcessor(home_.Path() / "missing.qbxml"));
    session.Run().Search().IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
    session.Run().Search().IncludeItems.Add("Bill", RequestTypeCode::Bill);
    session.RunToEnd();
    EXPECT_TRUE(session.AnyTypeFailed());
    for (const IncItem& item : session.Run().Search().IncludeItems) {
        EXPECT_TRUE(SearchSession::TypeFailed(item)) << item.Name;
        EXPECT_NE(item.Message.find("does not exist"), std::string::npos) << item.Message;
    }
    ASSERT_EQ(session.PopUps().size(), 1u) << "the same failure pops up once";
    EXPECT_NE(session.PopUps()[0].Text.find("missing.qbxml"), std::string::npos);
}

}  // namespace
}  // namespace quarrion
