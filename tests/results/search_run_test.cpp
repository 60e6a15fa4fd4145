#include "results/search_run.h"

#include <gtest/gtest.h>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "link/owner_event_queue.h"
#include "link/relaywick.h"
#include "link/sample_company_processor.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/company_responses.h"
#include "results/record_paths.h"
#include "sample/sample_company.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

// A search run over the real link and a small generated company, driven by an
// owner-thread queue as the terminal tool drives it.
class SearchRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::LoadShippedCatalog(catalog, dir.Path().string()));
        company = dir.Path() / "company.qbxml";
        SampleCompanyOptions options;
        options.scale = 0.05;
        options.today = "2026-11-02";
        ASSERT_EQ(WriteSampleCompany(company, options).Message(), "");
        link = std::make_unique<Relaywick>(
            queue.Poster(), [this] { return std::make_unique<SampleCompanyProcessor>(company); });
        run = std::make_unique<SearchRun>(*link);
    }

    void Include(long type, bool withPrintColumn = false) {
        RequestSearchRule standing;
        standing.SetRequestType(type, &catalog);
        IncItem* item =
            run->Search().IncludeItems.Add(RequestTypeInfo::TypeName(static_cast<int>(type)), type);
        standing.DisplayColumns.Copy(item->DisplayColumns, CopyDirection::IntoTarget);
        if (withPrintColumn) {
            std::string tag = "//" + RequestTypeInfo::RecordElementName(static_cast<int>(type)) +
                              "/IsToBePrinted";
            item->DisplayColumns.Add(*catalog.Item(static_cast<int>(type), tag));
        }
        ChooseSearchColumns(*item, nullptr, run->Search().Examinors, catalog);
    }

    bool RunToEnd() {
        return queue.RunUntil([this] { return run->AllDone(); }, std::chrono::seconds(30));
    }

    test::TempDir dir;
    QBXMLTags catalog;
    std::filesystem::path company;
    OwnerEventQueue queue;
    std::unique_ptr<Relaywick> link;
    std::unique_ptr<SearchRun> run;
};

TEST_F(SearchRunTest, EveryIncludedTypeIsAnsweredAndListedInTabOrder) {
    Include(4);
    Include(2);
    std::vector<std::string> files;
    run->FileReported = [&](const std::string& file) { files.push_back(file); };
    run->Start();
    ASSERT_TRUE(RunToEnd());
    ASSERT_EQ(run->Lists().size(), 2u);
    EXPECT_EQ(run->Lists()[0].Title, "Invoice");
    EXPECT_EQ(run->Lists()[1].Title, "Customer");
    EXPECT_FALSE(run->Lists()[0].Rows.empty());
    EXPECT_FALSE(run->Lists()[1].Rows.empty());
    EXPECT_EQ(run->Lists()[0].Rows[0].Key, "k0");
    IncItem* invoices = run->ItemOf(4);
    EXPECT_NE(invoices->Message.find(" Done."), std::string::npos) << invoices->Message;
    EXPECT_FALSE(files.empty());
    EXPECT_FALSE(run->ResponseContext().empty());
}

TEST_F(SearchRunTest, ReExaminingWithNarrowerRulesKeepsKeys) {
    Include(2);
    run->Start();
    ASSERT_TRUE(RunToEnd());
    const ResultList all = run->Lists()[0];
    ASSERT_GT(all.Rows.size(), 3u);

    // Narrow to the third customer's name.
    std::string name = all.Rows[2].Cells[0];
    Criterion* rule = run->Search().Examinors.Add()->Criteria.Add(Operation::InList, Choice::Text);
    rule->TextList.Add(name);
    ChooseSearchColumns(*run->ItemOf(2), nullptr, run->Search().Examinors, catalog);
    run->ReExamine();
    ASSERT_FALSE(run->Lists()[0].Rows.empty());
    bool found = false;
    for (const ResultRow& row : run->Lists()[0].Rows) found = found || row.Key == all.Rows[2].Key;
    EXPECT_TRUE(found) << name;
    EXPECT_LT(run->Lists()[0].Rows.size(), all.Rows.size());
}

TEST_F(SearchRunTest, ReSearchChoosesColumnsAgainAndFieldRulesWinForTheirType) {
    Include(4);
    Include(11);
    run->Start();
    ASSERT_TRUE(RunToEnd());
    const std::size_t allInvoices = run->Lists()[0].Rows.size();
    const std::size_t allVendors = run->Lists()[1].Rows.size();

    // A word rule that no text of the company satisfies.
    SearchObject2 edited;
    edited.Copy(run->Search(), CopyDirection::FromTarget);
    edited.Examinors.Add()
        ->Criteria.Add(Operation::StartsWith, Choice::Text)
        ->TextCompare.SetValue("§§");
    // Vendors are decided by a field rule instead: names containing an "a".
    IncItem* vendors = edited.IncludeItems.ItemByRequestType(11);
    vendors->FieldExaminors.Add()
        ->FieldCriteria
        .Add(*catalog.Item(RequestTypeCode::Vendor, "//VendorRet/Name"), Operation::Contains)
        ->TextCompare.SetValue("a");

    run->ReSearch(edited, catalog);
    EXPECT_TRUE(run->Lists()[0].Rows.empty()) << "the word rule now filters invoices";
    EXPECT_GT(run->ItemOf(4)->SearchColumns.Count(), 0u);
    EXPECT_EQ(run->ItemOf(11)->SearchColumns.Count(), 0u) << "field rules leave no search columns";
    EXPECT_FALSE(run->Lists()[1].Rows.empty());
    EXPECT_LE(run->Lists()[1].Rows.size(), allVendors);

    // No rules at all: every kept record is listed again, under its old key.
    SearchObject2 cleared;
    cleared.Copy(run->Search(), CopyDirection::FromTarget);
    cleared.Examinors.Clear();
    cleared.IncludeItems.ItemByRequestType(11)->FieldExaminors.Clear();
    run->ReSearch(cleared, catalog);
    EXPECT_EQ(run->Lists()[0].Rows.size(), allInvoices);
    EXPECT_EQ(run->Lists()[1].Rows.size(), allVendors);
    EXPECT_EQ(run->ItemOf(4)->SearchColumns.Count(), 0u);
}

TEST_F(SearchRunTest, SettingToPrintChangesTheCompanyTheAnswerAndTheList) {
    Include(4, true);
    run->Start();
    ASSERT_TRUE(RunToEnd());
    const ResultList& list = run->Lists()[0];
    const std::size_t column = list.Columns.size() - 1;
    ASSERT_EQ(list.Columns[column].Key, "//InvoiceRet/IsToBePrinted");
    std::size_t listed = list.Rows.size();
    int changed = run->SetToPrint(4, true, true);
    EXPECT_EQ(static_cast<std::size_t>(changed), listed);
    for (const ResultRow& row : run->Lists()[0].Rows)
        EXPECT_EQ(row.Cells[column], "Yes") << row.Key;

    pugi::xml_document record;
    ASSERT_TRUE(run->RecordCopy(4, list.Rows[0].Key, record));
    EXPECT_STREQ(record.document_element().child_value("IsToBePrinted"), "true");

    // A second run reads the company again and sees the change.
    SearchRun again(*link);
    IncItem* item = again.Search().IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
    item->DisplayColumns.Add(*catalog.Item(RequestTypeCode::Invoice, "//InvoiceRet/IsToBePrinted"));
    again.Start();
    ASSERT_TRUE(queue.RunUntil([&] { return again.AllDone(); }, std::chrono::seconds(30)));
    for (const ResultRow& row : again.Lists()[0].Rows) EXPECT_EQ(row.Cells[0], "Yes") << row.Key;
}

TEST_F(SearchRunTest, RecordsAreHandedOutByKeyOnly) {
    Include(11);
    run->Start();
    ASSERT_TRUE(RunToEnd());
    const ResultRow& first = run->Lists()[0].Rows.at(0);
    EXPECT_FALSE(run->RecordId(11, first.Key).empty());
    pugi::xml_document record;
    EXPECT_FALSE(run->RecordCopy(11, "k999999", record));
    EXPECT_FALSE(run->RecordCopy(11, "nonsense", record));
    EXPECT_FALSE(run->RecordCopy(4, "k0", record)) << "a type the search does not hold";
}

TEST_F(SearchRunTest, AMissingCompanyEndsEveryTypeAndSaysWhy) {
    std::filesystem::remove(company);
    Include(4);
    std::vector<int> codes;
    run->PopUp = [&](std::int32_t code, const std::string&) { codes.push_back(code); };
    run->Start();
    ASSERT_TRUE(RunToEnd());
    EXPECT_TRUE(run->Lists()[0].Rows.empty());
    EXPECT_FALSE(codes.empty());
    EXPECT_FALSE(run->ItemOf(4)->Message.empty());
}

}  // namespace
}  // namespace quarrion
