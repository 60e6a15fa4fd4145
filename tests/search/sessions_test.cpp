#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "foundation/codes.h"
#include "foundation/text_fold.h"
#include "sample/sample_company.h"
#include "search/rule_text.h"
#include "search/search_builder.h"
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
    // A small generated company (a few dozen transactions).
    std::filesystem::path Company() {
        const auto path = home_.Path() / "company.qbxml";
        if (!std::filesystem::exists(path)) {
            SampleCompanyOptions options;
            options.scale = 0.05;
            options.today = "2026-11-02";
            EXPECT_EQ(WriteSampleCompany(path, options).Message(), "");
        }
        return path;
    }

    test::HomeOfItsOwn home_;
};

// Records what the store says.
struct HeardNotifier : StoreNotifier {
    int errors = 0;
    int initialisations = 0;
    bool replace = false;
    void ShowError(const std::string&, const std::string&) override { ++errors; }
    bool ConfirmReplace(const std::string&, const std::string&) override { return replace; }
    void RunFirstTimeInitialisation(const std::function<bool()>& run) override {
        ++initialisations;
        run();
    }
};

TEST_F(Sessions, TheFirstOpenInitialisesTheCatalogAndLaterOnesLoadIt) {
    {
        StoreSession first;
        ASSERT_TRUE(first.Open());
        EXPECT_TRUE(first.Initialised());
        ASSERT_GT(first.Catalog().Count(), 1000u);
        EXPECT_GT(first.Catalog().Item(1)->ID, 0) << "entries come from the database";
        EXPECT_TRUE(std::filesystem::exists(DatabasePath()));
    }
    StoreSession second;
    ASSERT_TRUE(second.Open());
    EXPECT_FALSE(second.Initialised());
    EXPECT_GT(second.Catalog().Count(), 1000u);
    EXPECT_TRUE(second.Catalog().Item(RequestTypeCode::Invoice, "//InvoiceRet/TxnDate"));
}

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

TEST_F(Sessions, ABuiltSearchSavesAndComesBackTheSame) {
    StoreSession store;
    ASSERT_TRUE(store.Open());
    SearchBuilder builder(store.Catalog());
    builder.IncludeType(4);
    builder.IncludeType(2);
    builder.SetDates(*ParseSearchDate("2026-01-01"), *ParseSearchDate("2026-11-02"),
                     DateFilterCode::ModifiedDate);
    ASSERT_EQ(builder.AddRule("text contains \"Acme Corp\""), "");
    ASSERT_EQ(builder.AddRule("or amount between 100 500"), "");
    ASSERT_EQ(builder.AddFieldRule("Invoice: CustomerRef/FullName in A,\"B C\""), "");
    ASSERT_EQ(builder.AddFieldRule("Invoice: or IsPaid is-false"), "");
    SearchObject2 search;
    ASSERT_EQ(builder.Build(search).Message(), "");
    search.Name = "Round trip";
    search.Description = "kept whole";
    ASSERT_EQ(StoreLimitProblem(search), "");
    ASSERT_TRUE(store.Manager().SaveSearchObject(&search));

    std::unique_ptr<SearchObject2s> saved = store.Manager().SearchObjects();
    ASSERT_TRUE(saved);
    SearchObject2* back = saved->Item("round trip");
    ASSERT_TRUE(back);
    PrepareSavedSearch(*back, store.Catalog());
    EXPECT_EQ(back->Description, "kept whole");
    EXPECT_EQ(back->FormatFrom(), "2026-01-01");
    EXPECT_EQ(back->DateFilter, DateFilterCode::ModifiedDate);
    ASSERT_EQ(back->Examinors.Count(), 2u);
    EXPECT_EQ(CriterionText(*back->Examinors.Item(1)->Criteria.Item(1), false),
              "text contains \"Acme Corp\"");
    EXPECT_EQ(CriterionText(*back->Examinors.Item(2)->Criteria.Item(1), true),
              "or amount between 100 500");
    IncItem* invoice = back->IncludeItems.ItemByRequestType(4);
    ASSERT_TRUE(invoice);
    ASSERT_EQ(invoice->FieldExaminors.Count(), 2u);
    EXPECT_EQ(FieldCriterionText(*invoice->FieldExaminors.Item(1)->FieldCriteria.Item(1), false),
              "CustomerRef/FullName in A,\"B C\"");
    EXPECT_EQ(invoice->SearchColumns.Count(), 0u);
    IncItem* customer = back->IncludeItems.ItemByRequestType(2);
    ASSERT_TRUE(customer);
    EXPECT_GT(customer->SearchColumns.Count(), 0u) << "chosen again from the global rules";
    EXPECT_EQ(customer->DisplayColumns.Count(),
              search.IncludeItems.Item(2)->DisplayColumns.Count());
}

TEST(StoreLimits, NamesAndTextsLongerThanTheStoreKeepsAreNamed) {
    SearchObject2 search;
    EXPECT_NE(StoreLimitProblem(search).find("You must enter a name"), std::string::npos);
    search.Name = "   ";
    EXPECT_NE(StoreLimitProblem(search).find("You must enter a name"), std::string::npos);
    search.Name = std::string(50, 'n');
    EXPECT_EQ(StoreLimitProblem(search), "");
    search.Name = std::string(51, 'n');
    EXPECT_NE(StoreLimitProblem(search).find("has 51 characters; the store keeps at most 50"),
              std::string::npos);
    // Characters, not bytes: fifty two-byte letters fit.
    search.Name.clear();
    for (int i = 0; i < 50; ++i) search.Name += "é";
    EXPECT_EQ(StoreLimitProblem(search), "");

    Criterion* rule = search.Examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text);
    rule->TextCompare.SetValue(StoredValue(std::string(51, 'v')));
    EXPECT_NE(StoreLimitProblem(search).find("The value of the rule \"text contains"),
              std::string::npos);
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

TEST_F(Sessions, ASearchRunsToItsEndAgainstACompanyFile) {
    StoreSession store;
    ASSERT_TRUE(store.Open());
    SearchBuilder builder(store.Catalog());
    for (int type : {RequestTypeCode::Invoice, RequestTypeCode::Customer})
        builder.IncludeType(type);
    ASSERT_EQ(builder.AddRule("text contains supply"), "");

    SearchSession session(CompanyFileProcessor(Company()));
    ASSERT_EQ(builder.Build(session.Run().Search()).Message(), "");
    int ticks = 0;
    session.RunToEnd([&] { ++ticks; });
    EXPECT_GE(ticks, 1);
    SearchRun& run = session.Run();
    EXPECT_TRUE(run.AllDone());
    EXPECT_FALSE(session.AnyTypeFailed());
    EXPECT_TRUE(session.PopUps().empty());
    ASSERT_EQ(run.Lists().size(), 2u);
    const ResultList& invoices = run.Lists()[0];
    EXPECT_EQ(invoices.Title, "Invoice");
    ASSERT_FALSE(invoices.Rows.empty());
    for (const ResultRow& row : invoices.Rows) {
        EXPECT_NE(FoldCase(row.MatchText).find("supply"), std::string::npos) << row.MatchText;
    }
    EXPECT_EQ(run.QuickBooksFile(), Company().string());
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
