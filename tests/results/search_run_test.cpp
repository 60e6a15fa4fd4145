// A search run over the real link and a small generated company, driven by an
// owner-thread queue as the terminal tool drives it: answering every type, examining
// again, what it keeps of each answer, records by key and to-print write-back.
#include "results/search_run.h"

#include <gtest/gtest.h>

#include <fstream>

#include "foundation/codes.h"
#include "link/owner_event_queue.h"
#include "link/record_text.h"
#include "link/relaywick.h"
#include "link/response_files_processor.h"
#include "link/sample_company_processor.h"
#include "model/request_search_rule.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/company_responses.h"
#include "sample/sample_company.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

using RequestTypeCode::Customer;
using RequestTypeCode::Invoice;

std::vector<std::string_view> RecordTextsOf(std::string_view text, const std::string& name) {
    std::vector<RecordText> records;
    EXPECT_FALSE(RecordTexts::Anywhere(text, name, records));
    std::vector<std::string_view> texts;
    for (const RecordText& record : records) texts.push_back(record.text);
    return texts;
}

std::string Compact(pugi::xml_node node) {
    std::string out;
    Qbxml::AppendNode(out, node);
    return out;
}

class SearchRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::LoadShippedCatalog(catalog, dir.Path().string()));
        SampleCompanyOptions options;
        options.scale = 0.05;
        options.today = "2026-11-02";
        companyText = GenerateSampleCompany(options);
        std::ofstream(company, std::ios::binary) << companyText;
        Use([this] { return std::make_unique<SampleCompanyProcessor>(company); });
    }

    void Use(Relaywick::ProcessorFactory factory) {
        run.reset();
        link = std::make_unique<Relaywick>(queue.Poster(), std::move(factory));
        run = std::make_unique<SearchRun>(*link);
    }

    IncItem& Include(std::int32_t type) {
        RequestSearchRule standing;
        standing.SetRequestType(type, &catalog);
        IncItem* item = run->Search().IncludeItems.Add(RequestTypeInfo::TypeName(type), type);
        standing.DisplayColumns.Copy(item->DisplayColumns, CopyDirection::IntoTarget);
        ChooseSearchColumns(*item, nullptr, run->Search().Examinors, catalog);
        return *item;
    }

    // A word rule every invoice with "a" in some text meets.
    void WordRule() {
        run->Search()
            .Examinors.Add()
            ->Criteria.Add(Operation::Contains, Kind::Text)
            ->TextCompare.SetValue("a");
        for (IncItem& item : run->Search().IncludeItems)
            ChooseSearchColumns(item, nullptr, run->Search().Examinors, catalog);
    }

    bool RunToEnd() {
        run->Start();
        return queue.RunUntil([this] { return run->AllDone(); }, std::chrono::seconds(30));
    }

    test::TempDir dir;
    QBXMLTags catalog;
    std::string companyText;
    std::filesystem::path company = dir.Path() / "company.qbxml";
    OwnerEventQueue queue;
    std::unique_ptr<Relaywick> link;
    std::unique_ptr<SearchRun> run;
};

// An answer read from a saved response file keeps each record exactly as the file
// holds it, and examining (again) never changes what is kept.
TEST_F(SearchRunTest, RecordsFromAResponseFileAreKeptByteForByte) {
    std::filesystem::path folder = dir.Path() / "responses";
    std::filesystem::create_directories(folder);
    // As another program may have saved it: CR LF line ends throughout.
    std::string file;
    for (char c : test::CompanyResponses(companyText).at(Invoice)) {
        if (c == '\n') file.push_back('\r');
        file.push_back(c);
    }
    std::ofstream(folder / "Invoice.xml", std::ios::binary) << file;
    Use([folder] { return std::make_unique<ResponseFilesProcessor>(folder); });
    Include(Invoice);
    WordRule();
    ASSERT_TRUE(RunToEnd());

    const IncItem& item = *run->ItemOf(Invoice);
    const auto kept = RecordTextsOf(item.Response, "InvoiceRet");
    const auto saved = RecordTextsOf(file, "InvoiceRet");
    ASSERT_GT(saved.size(), 10u);
    EXPECT_EQ(kept, saved);

    const std::string before = item.Response;
    const std::string first = test::RowsText(run->Lists()[0]);
    ASSERT_FALSE(first.empty());
    run->ReExamine();
    EXPECT_EQ(item.Response, before);
    EXPECT_EQ(test::RowsText(run->Lists()[0]), first);

    pugi::xml_document fromFile;
    ASSERT_EQ(Qbxml::Load(fromFile, std::string(saved.back())), "");
    pugi::xml_document record;
    ASSERT_TRUE(run->RecordCopy(Invoice, "k" + std::to_string(saved.size() - 1), record));
    EXPECT_EQ(Compact(record.document_element()), Compact(fromFile.document_element()));
    // Records are handed out by their keys only, and only of the types searched.
    for (const char* key : {"k999999", "nonsense", "1"})
        EXPECT_FALSE(run->RecordCopy(Invoice, key, record)) << key;
    EXPECT_FALSE(run->RecordCopy(Customer, "k0", record));
}

// To-print writes the new state into the kept answer: look-ups and a re-search see it.
// A re-search chooses search columns again, and one without rules lists every kept
// record again under its old key. The results window's tests see the shown column
// change and field rules decide their type; the terminal tool's, the company saved.
TEST_F(SearchRunTest, ToPrintAndReSearchWorkOnTheKeptAnswer) {
    Include(Invoice);
    ASSERT_TRUE(RunToEnd());
    const std::string all = test::RowsText(run->Lists()[0]);
    const std::size_t listed = run->Lists()[0].Rows.size();
    ASSERT_GT(listed, 2u);
    ASSERT_EQ(run->SetToPrint(Invoice, true, true), static_cast<int>(listed));
    pugi::xml_document record;
    ASSERT_TRUE(run->RecordCopy(Invoice, "k0", record));
    EXPECT_STREQ(record.document_element().child_value("IsToBePrinted"), "true");

    SearchObject2 edited;
    edited.Copy(run->Search(), CopyDirection::FromTarget);
    FieldExaminors& fieldRules = edited.IncludeItems.ItemByRequestType(Invoice)->FieldExaminors;
    fieldRules.Add()->FieldCriteria.Add(*catalog.Item(Invoice, "//InvoiceRet/IsToBePrinted"),
                                        Operation::IsTrue);
    run->ReSearch(edited, catalog);
    EXPECT_EQ(run->Lists()[0].Rows.size(), listed);
    ASSERT_EQ(run->SetToPrint(Invoice, false, true), static_cast<int>(listed));
    run->ReExamine();
    EXPECT_TRUE(run->Lists()[0].Rows.empty());
    ASSERT_TRUE(run->RecordCopy(Invoice, "k0", record));
    EXPECT_STREQ(record.document_element().child_value("IsToBePrinted"), "false");

    // A word rule that no text of the company satisfies.
    fieldRules.Clear();
    edited.Examinors.Add()
        ->Criteria.Add(Operation::StartsWith, Choice::Text)
        ->TextCompare.SetValue("§§");
    run->ReSearch(edited, catalog);
    EXPECT_TRUE(run->Lists()[0].Rows.empty());
    EXPECT_GT(run->ItemOf(Invoice)->SearchColumns.Count(), 0u);
    edited.Examinors.Clear();
    run->ReSearch(edited, catalog);
    EXPECT_EQ(test::RowsText(run->Lists()[0]), all);
    EXPECT_EQ(run->ItemOf(Invoice)->SearchColumns.Count(), 0u);
}

}  // namespace
}  // namespace quarrion
