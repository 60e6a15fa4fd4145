// What a search keeps of each answer, and everything that reads it again: the kept
// text, re-examination, records by key and to-print write-back.
#include <gtest/gtest.h>

#include <fstream>

#include "catalog/qbxml_tags.h"
#include "link/owner_event_queue.h"
#include "link/record_text.h"
#include "link/relaywick.h"
#include "link/response_files_processor.h"
#include "link/sample_company_processor.h"
#include "model/request_search_rule.h"
#include "model/rule_values.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/company_responses.h"
#include "results/response_examiner.h"
#include "results/search_run.h"
#include "sample/sample_company.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

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

void ExpectSameRows(const ResultList& a, const ResultList& b) {
    ASSERT_EQ(a.Rows.size(), b.Rows.size());
    for (std::size_t r = 0; r < a.Rows.size(); ++r) {
        EXPECT_EQ(a.Rows[r].Key, b.Rows[r].Key);
        EXPECT_EQ(a.Rows[r].Cells, b.Rows[r].Cells) << a.Rows[r].Key;
        EXPECT_EQ(a.Rows[r].MatchText, b.Rows[r].MatchText) << a.Rows[r].Key;
    }
}

class StoredResponse : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(test::LoadShippedCatalog(catalog, dir.Path().string()));
        SampleCompanyOptions options;
        options.scale = 0.05;
        options.today = "2026-11-02";
        companyText = GenerateSampleCompany(options);
        company = dir.Path() / "company.qbxml";
        std::ofstream(company, std::ios::binary) << companyText;
    }

    void Use(Relaywick::ProcessorFactory factory) {
        run.reset();
        link = std::make_unique<Relaywick>(queue.Poster(), std::move(factory));
        run = std::make_unique<SearchRun>(*link);
    }

    IncItem& Include(long type, bool withPrintColumn = false) {
        RequestSearchRule standing;
        standing.SetRequestType(type, &catalog);
        IncItem* item =
            run->Search().IncludeItems.Add(RequestTypeInfo::TypeName(static_cast<int>(type)), type);
        standing.DisplayColumns.Copy(item->DisplayColumns, CopyDirection::IntoTarget);
        if (withPrintColumn) {
            item->DisplayColumns.Add(
                *catalog.Item(static_cast<int>(type),
                              "//" + RequestTypeInfo::RecordElementName(static_cast<int>(type)) +
                                  "/IsToBePrinted"));
        }
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
    std::filesystem::path company;
    OwnerEventQueue queue;
    std::unique_ptr<Relaywick> link;
    std::unique_ptr<SearchRun> run;
};

// An answer read from a saved response file keeps each record exactly as the file
// holds it, and examining (again) never changes what is kept.
TEST_F(StoredResponse, RecordsFromAResponseFileAreKeptByteForByte) {
    std::filesystem::path folder = dir.Path() / "responses";
    std::filesystem::create_directories(folder);
    // As another program may have saved it: CR LF line ends throughout.
    std::string file;
    for (char c : test::CompanyResponses(companyText).at(4)) {
        if (c == '\n') file.push_back('\r');
        file.push_back(c);
    }
    std::ofstream(folder / "Invoice.xml", std::ios::binary) << file;
    Use([folder] { return std::make_unique<ResponseFilesProcessor>(folder); });
    Include(4);
    WordRule();
    ASSERT_TRUE(RunToEnd());

    const IncItem& item = *run->ItemOf(4);
    const auto kept = RecordTextsOf(item.Response, "InvoiceRet");
    const auto saved = RecordTextsOf(file, "InvoiceRet");
    ASSERT_GT(saved.size(), 10u);
    EXPECT_EQ(kept, saved);

    const std::string before = item.Response;
    const ResultList first = run->Lists()[0];
    ASSERT_FALSE(first.Rows.empty());
    run->ReExamine();
    EXPECT_EQ(item.Response, before);
    ExpectSameRows(run->Lists()[0], first);

    pugi::xml_document fromFile;
    ASSERT_EQ(Qbxml::Load(fromFile, std::string(saved.back())), "");
    pugi::xml_document record;
    ASSERT_TRUE(run->RecordCopy(4, "k" + std::to_string(saved.size() - 1), record));
    EXPECT_EQ(Compact(record.document_element()), Compact(fromFile.document_element()));
}

// Text the scan cannot take as it stands is parsed whole; both ways list the same.
TEST_F(StoredResponse, ScanningAndParsingWholeListTheSame) {
    Use([this] { return std::make_unique<SampleCompanyProcessor>(company); });
    IncItem& item = Include(4);
    WordRule();
    item.Response = test::CompanyResponses(companyText).at(4);
    ResultList scanned;
    ASSERT_TRUE(ExamineResponse(item, run->Search().Examinors, scanned));
    ASSERT_FALSE(scanned.Rows.empty());

    item.Response.insert(0, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n");
    ResultList parsed;
    ASSERT_TRUE(ExamineResponse(item, run->Search().Examinors, parsed));
    ExpectSameRows(scanned, parsed);
}

// Events that run while an examination yields may replace the answer it reads; the
// examination goes on with the answer it began with.
TEST_F(StoredResponse, AnAnswerReplacedWhileExaminingLeavesTheExaminationWhole) {
    Use([this] { return std::make_unique<SampleCompanyProcessor>(company); });
    IncItem& item = Include(4);
    WordRule();
    const std::string answer = test::CompanyResponses(companyText).at(4);
    item.Response = answer;
    ResultList calm;
    ASSERT_TRUE(ExamineResponse(item, run->Search().Examinors, calm));
    ASSERT_FALSE(calm.Rows.empty());

    ExaminationHooks hooks;
    hooks.Slice = std::chrono::milliseconds(0);
    int yields = 0;
    hooks.Yield = [&] {
        // A new, smaller answer in a new buffer: the old one is gone.
        std::string replacement = "<QBXML><QBXMLMsgsRs/></QBXML>";
        item.Response = std::move(replacement);
        item.Response.shrink_to_fit();
        ++yields;
    };
    item.Response = answer;
    ResultList stirred;
    ASSERT_TRUE(ExamineResponse(item, run->Search().Examinors, stirred, hooks));
    EXPECT_GT(yields, 1);
    ExpectSameRows(stirred, calm);
}

// A record the scan passes but the parser refuses (a processing instruction without
// a target) ends the examination with a clear message and the rows found before it.
TEST_F(StoredResponse, ARecordThatCannotBeParsedEndsTheExamination) {
    Use([this] { return std::make_unique<SampleCompanyProcessor>(company); });
    IncItem& item = Include(4);
    item.Response =
        "<QBXML><QBXMLMsgsRs><InvoiceQueryRs><InvoiceRet><TxnID>1</TxnID></InvoiceRet>"
        "<InvoiceRet><TxnID>2</TxnID><?  ?></InvoiceRet>"
        "<InvoiceRet><TxnID>3</TxnID></InvoiceRet></InvoiceQueryRs></QBXMLMsgsRs></QBXML>";
    ResultList list;
    EXPECT_TRUE(ExamineResponse(item, run->Search().Examinors, list));
    ASSERT_EQ(list.Rows.size(), 1u);
    EXPECT_EQ(list.Rows[0].Key, "k0");
    EXPECT_NE(item.Message.find("could not be read: record 2"), std::string::npos) << item.Message;
    EXPECT_TRUE(item.Done);
}

// To-print writes the new state into the kept answer: a re-search and a record
// look-up see it, and so does the company file.
TEST_F(StoredResponse, ToPrintIsSeenByReSearchAndLookUps) {
    Use([this] { return std::make_unique<SampleCompanyProcessor>(company); });
    Include(4, true);
    ASSERT_TRUE(RunToEnd());
    const std::size_t listed = run->Lists()[0].Rows.size();
    ASSERT_GT(listed, 2u);
    ASSERT_EQ(run->SetToPrint(4, true, true), static_cast<int>(listed));

    SearchObject2 edited;
    edited.Copy(run->Search(), CopyDirection::FromTarget);
    edited.IncludeItems.ItemByRequestType(4)->FieldExaminors.Add()->FieldCriteria.Add(
        *catalog.Item(4, "//InvoiceRet/IsToBePrinted"), Operation::IsTrue);
    run->ReSearch(edited, catalog);
    EXPECT_EQ(run->Lists()[0].Rows.size(), listed);

    ASSERT_EQ(run->SetToPrint(4, false, true), static_cast<int>(listed));
    run->ReExamine();
    EXPECT_TRUE(run->Lists()[0].Rows.empty());
    pugi::xml_document record;
    ASSERT_TRUE(run->RecordCopy(4, "k0", record));
    EXPECT_STREQ(record.document_element().child_value("IsToBePrinted"), "false");

    run.reset();
    link.reset();  // the processor saves what it still holds
    std::string saved;
    {
        std::ifstream in(company, std::ios::binary);
        saved.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto records = RecordTextsOf(saved, "InvoiceRet");
    ASSERT_FALSE(records.empty());
    EXPECT_NE(records.front().find("<IsToBePrinted>false</IsToBePrinted>"), std::string::npos);
}

}  // namespace
}  // namespace quarrion
