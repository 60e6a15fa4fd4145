#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/search_object2.h"
#include "store/io_manager.h"
#include "store_fixture.h"

namespace quarrion {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using test::Inspect;
using test::RowCount;

// A rule's values as text; "-" stands for a value left empty.
std::string Values(const RuleValues& rule) {
    auto one = [](const CompareData& data) { return data.ContainsData() ? data.ValueText() : "-"; };
    auto list = [](const CompareList& values) {
        std::string text = "[";
        for (const auto& entry : values) {
            if (entry->ContainsData()) text += entry->ValueText() + ";";
        }
        return text + "]";
    };
    return " text=" + one(rule.TextCompare) + " number=" + one(rule.NumberCompare) +
           " from=" + one(rule.NumberRange.A()) + " to=" + one(rule.NumberRange.B()) +
           " texts=" + list(rule.TextList) + " numbers=" + list(rule.NumberList);
}

// Everything a saved search keeps, one line per object, in collection order. Groups and
// rules without data are left out: the store does not keep them.
std::string Describe(const SearchObject2& s) {
    std::ostringstream out;
    out << "search " << s.Name << " | " << s.Description << " | filter " << s.DateFilter << " | "
        << s.FormatFrom() << " " << s.FormatTo() << " | max " << s.Max << "\n";
    for (const IncItem& item : s.IncludeItems) {
        out << " include " << item.Name << " " << item.RequestType() << "\n";
        for (const DisplayColumn& column : item.DisplayColumns) {
            out << "  column " << column.Tag()->Key() << " #" << column.Tag()->ID << " \""
                << column.Heading() << "\"\n";
        }
        for (const FieldExaminor& group : item.FieldExaminors) {
            if (!group.ContainsData()) continue;
            out << "  field group\n";
            for (const FieldCriterion& rule : group.FieldCriteria) {
                if (!rule.ContainsData()) continue;
                out << "   field rule " << rule.Field()->Key() << " #" << rule.Field()->ID << " op "
                    << rule.Operand << " '" << rule.AndOr << "'" << Values(rule) << "\n";
            }
        }
    }
    for (const Examinor& group : s.Examinors) {
        if (!group.ContainsData()) continue;
        out << " group\n";
        for (const Criterion& rule : group.Criteria) {
            if (!rule.ContainsData()) continue;
            out << "  rule op " << rule.Operand << " type " << rule.DataType() << " '" << rule.AndOr
                << "'" << Values(rule) << "\n";
        }
    }
    return out.str();
}

class SearchStore : public test::StoreFolder {
  protected:
    void SetUp() override {
        std::vector<std::string> lines;
        for (auto [code, path, type] : std::vector<std::tuple<int, std::string, std::string>>{
                 {4, "//InvoiceRet/TxnDate", "DATETYPE"},
                 {4, "//InvoiceRet/RefNumber", "STRTYPE"},
                 {4, "//InvoiceRet/CustomerRef/FullName", "STRTYPE"},
                 {4, "//InvoiceRet/Subtotal", "AMTTYPE"},
                 {4, "//InvoiceRet/Memo", "STRTYPE"},
                 {12, "//PurchaseOrderRet/RefNumber", "STRTYPE"},
                 {12, "//PurchaseOrderRet/TotalAmount", "AMTTYPE"}}) {
            test::ControlLine line;
            line.code = code;
            line.tagName = path;
            line.defaultHeading = path.substr(path.rfind('/') + 1);
            line.dataType = type;
            lines.push_back(line.Text());
        }
        test::WriteControlFile(control_, "header\t1", lines);
        io_.SetControlFile(control_);
        ASSERT_TRUE(io_.CheckDatabase(path_.string()));
        ASSERT_TRUE(io_.InitDataA());
        ASSERT_TRUE(io_.OpenDatabase());
    }

    const QBXMLTag& Tag(int code, const std::string& path) {
        const QBXMLTag* tag = catalog_.Item(code, path);
        EXPECT_NE(tag, nullptr) << path;
        return *tag;
    }

    // A search using every part of the tree: two included types with display columns
    // (numbered with a gap where one was removed) and field rules (text, range with one
    // end, both lists), and word rules.
    void Fill(SearchObject2& s) {
        s.Name = "Large invoices";
        s.Description = "Invoices above 500\r\nfrom ACME";
        s.DateFilter = 1;
        s.FromDate = SearchDate(year(2005) / month(1) / day(1));
        s.ToDate = SearchDate(year(2005) / month(3) / day(31));
        s.Max = 120;  // not kept: a loaded search asks for the default

        IncItem* invoices = s.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
        invoices->DisplayColumns.Add(Tag(4, "//InvoiceRet/Memo"));
        invoices->DisplayColumns.Add(Tag(4, "//InvoiceRet/TxnDate"), "Date");
        invoices->DisplayColumns.Remove(std::size_t{1});
        invoices->DisplayColumns.Add(Tag(4, "//InvoiceRet/RefNumber"));
        invoices->DisplayColumns.Add(Tag(4, "//InvoiceRet/Subtotal"), "Amount due");
        FieldExaminor* first = invoices->FieldExaminors.Add();
        FieldCriterion* name = first->FieldCriteria.Add(Tag(4, "//InvoiceRet/CustomerRef/FullName"),
                                                        Operation::StartsWith);
        name->TextCompare.SetValue("ACME");
        FieldCriterion* amount =
            first->FieldCriteria.Add(Tag(4, "//InvoiceRet/Subtotal"), Operation::Between);
        amount->AndOr = "AND";
        amount->NumberRange.A().SetValue(100.0);
        FieldExaminor* second = invoices->FieldExaminors.Add();
        FieldCriterion* refs =
            second->FieldCriteria.Add(Tag(4, "//InvoiceRet/RefNumber"), Operation::InList);
        refs->AndOr = "OR";
        refs->TextList.Add(std::string("A100"));
        refs->TextList.Add(std::string("B200"));
        FieldCriterion* totals =
            second->FieldCriteria.Add(Tag(4, "//InvoiceRet/Subtotal"), Operation::InList);
        totals->NumberList.Add(1.5);
        totals->NumberList.Add(-2.0);

        IncItem* orders = s.IncludeItems.Add("PurchaseOrder", RequestTypeCode::PurchaseOrder);
        orders->DisplayColumns.Add(Tag(12, "//PurchaseOrderRet/RefNumber"), "PO");
        orders->DisplayColumns.Add(Tag(12, "//PurchaseOrderRet/TotalAmount"));

        Examinor* words = s.Examinors.Add();
        words->Criteria.Add(Operation::GreaterThan, Choice::AnyNumber)
            ->NumberCompare.SetValue(500.0);
        Criterion* acme = words->Criteria.Add(Operation::Contains, Choice::Text);
        acme->AndOr = "AND";
        acme->TextCompare.SetValue("ACME");
        Examinor* more = s.Examinors.Add();
        Criterion* upTo = more->Criteria.Add(Operation::Between, Choice::Amount);
        upTo->AndOr = "OR";
        upTo->NumberRange.B().SetValue(200.0);
        more->Criteria.Add(Operation::InList, Choice::Text)->TextList.Add(std::string("Net 30"));
        more->Criteria.Add(Operation::InList, Choice::AnyNumber)->NumberList.Add(42.0);
        more->Criteria.Add(Operation::IsBlank, Choice::Text);
    }

    SearchObject2* Saved(SearchObject2s& all, const std::string& name) {
        SearchObject2* s = all.Item(std::string_view(name));
        EXPECT_NE(s, nullptr) << name;
        return s;
    }

    std::string DumpAll() { return test::DumpRows(path_, test::SearchTables(path_)); }
};

TEST_F(SearchStore, AFullSearchTreeComesBackEqual) {
    SearchObject2 original;
    Fill(original);
    // Groups and rules without data are not kept; display columns are, whatever they hold.
    original.Examinors.Add()->Criteria.Add(Operation::Contains, Choice::Text);
    original.IncludeItems.Item("PurchaseOrder")
        ->FieldExaminors.Add()
        ->FieldCriteria.Add(Tag(12, "//PurchaseOrderRet/RefNumber"), Operation::Contains);
    long id = 0;
    ASSERT_TRUE(io_.SaveSearchObject(&original, &id));
    EXPECT_GT(id, 0);
    EXPECT_EQ(original.ID, 0) << "saving leaves the search in memory as it was";

    auto all = io_.SearchObjects();
    ASSERT_EQ(all->Count(), 1u);
    SearchObject2* loaded = Saved(*all, "Large invoices");
    EXPECT_EQ(loaded->ID, id);
    original.Max = 9000;
    EXPECT_EQ(Describe(*loaded), Describe(original));
    EXPECT_EQ(loaded->Examinors.Count(), 2u);
    EXPECT_EQ(loaded->IncludeItems.Item("PurchaseOrder")->FieldExaminors.Count(), 0u);
    EXPECT_EQ(loaded->IncludeItems.Item("PurchaseOrder")->DisplayColumns.Count(), 2u);
    EXPECT_TRUE(notifier_.failures.empty());
    EXPECT_TRUE(notifier_.questions.empty());

    // Columns of elements gone from the catalog are rebuilt from their rows.
    catalog_.Clear();
    all = io_.SearchObjects();
    EXPECT_EQ(Describe(*Saved(*all, original.Name)), Describe(original));
}

TEST_F(SearchStore, SearchesAreListedByNameInAnyLetterCase) {
    for (const char* name : {"beta", "Alpha", "gamma"}) {
        SearchObject2 named;
        named.Name = name;
        ASSERT_TRUE(io_.SaveSearchObject(&named));
    }
    std::string names;
    auto listed = io_.SearchObjects();
    for (const SearchObject2& saved : *listed) names += saved.Name + " ";
    EXPECT_EQ(names, "Alpha beta gamma ");
}

TEST_F(SearchStore, DeletingASearchLeavesNoRowOfItsTreeBehind) {
    SearchObject2 kept, gone;
    Fill(kept);
    Fill(gone);
    gone.Name = "Gone";
    ASSERT_TRUE(io_.SaveSearchObject(&kept));
    const std::string alone = DumpAll();
    const std::vector<std::string> tables = test::SearchTables(path_);
    EXPECT_EQ(tables.size(), 11u);
    auto db = Inspect(path_);
    for (const auto& table : tables) EXPECT_GT(RowCount(db, table), 0) << table << " unused";

    ASSERT_TRUE(io_.SaveSearchObject(&gone));
    auto all = io_.SearchObjects();
    ASSERT_TRUE(io_.DeleteSearchObject(*Saved(*all, "Gone")));
    EXPECT_EQ(DumpAll(), alone);
    EXPECT_FALSE(io_.DeleteSearchObject(*Saved(*all, "Gone"))) << "it is gone already";
    EXPECT_EQ(io_.LastError().Number, StoreErrorCode::NoSuchSearch);
}

TEST_F(SearchStore, ALoadedSearchSavedAgainReplacesItsOwnRowWithoutAsking) {
    SearchObject2 s;
    Fill(s);
    ASSERT_TRUE(io_.SaveSearchObject(&s));
    auto all = io_.SearchObjects();
    SearchObject2* loaded = Saved(*all, s.Name);
    loaded->Description = "changed";
    loaded->Examinors.Remove(std::size_t{2});
    ASSERT_TRUE(io_.SaveSearchObject(loaded));
    auto after = io_.SearchObjects();
    ASSERT_EQ(after->Count(), 1u);
    EXPECT_EQ(Describe(*Saved(*after, s.Name)), Describe(*loaded));

    SearchObject2* again = Saved(*after, s.Name);  // a save gives the search a new row
    again->Name = "Renamed";
    ASSERT_TRUE(io_.SaveSearchObject(again));
    after = io_.SearchObjects();
    ASSERT_EQ(after->Count(), 1u);
    EXPECT_NE(after->Item("Renamed"), nullptr);
    EXPECT_TRUE(notifier_.questions.empty());
}

TEST_F(SearchStore, SavingUnderAnotherSearchsNameAsksOnceAndCancelChangesNothing) {
    SearchObject2 first, second;
    Fill(first);
    ASSERT_TRUE(io_.SaveSearchObject(&first));
    second.Name = "LARGE INVOICES";  // the same name in other letters
    second.Description = "the newcomer";
    std::string before = DumpAll();

    notifier_.replaceAnswer = false;
    EXPECT_FALSE(io_.SaveSearchObject(&second));
    EXPECT_EQ(notifier_.questions.size(), 1u);
    EXPECT_EQ(DumpAll(), before);
    EXPECT_EQ(io_.LastError().Number, StoreErrorCode::SaveCancelled);
    EXPECT_TRUE(notifier_.failures.empty()) << "a refusal by the user is no error";

    notifier_.replaceAnswer = true;
    ASSERT_TRUE(io_.SaveSearchObject(&second));
    EXPECT_EQ(notifier_.questions.size(), 2u);
    auto all = io_.SearchObjects();
    ASSERT_EQ(all->Count(), 1u);
    EXPECT_EQ(all->Item(std::size_t{1})->Description, "the newcomer");
    auto db = Inspect(path_);
    EXPECT_EQ(RowCount(db, "Criterion"), 0) << "the replaced search took its tree along";
}

TEST_F(SearchStore, AFailingStepIsReportedByNameAndLeavesTheStoreAsItWas) {
    SearchObject2 existing;
    Fill(existing);
    existing.Name = "Existing";
    ASSERT_TRUE(io_.SaveSearchObject(&existing));
    std::string before = DumpAll();

    const std::string tooLong(51, 'x');
    QBXMLTags unsaved;
    const QBXMLTag* stranger =
        unsaved.Add(RequestTypeCode::Invoice, "", 0, 0, "//InvoiceRet/Stranger", "S", 1, "", false,
                    "", "STRTYPE", 0);
    const std::vector<std::pair<const char*, std::function<void(SearchObject2&)>>> cases{
        {"IOManager::SaveSearchObject", [&](SearchObject2& s) { s.Name = tooLong; }},
        {"IOManager::SaveCriterion",
         [&](SearchObject2& s) {
             s.Examinors.Item(std::size_t{1})
                 ->Criteria.Item(std::size_t{2})
                 ->TextCompare.SetValue(std::string_view(tooLong));
         }},
        {"IOManager::SaveFieldCriteria",
         [&](SearchObject2& s) {
             s.IncludeItems.Item("Invoice")
                 ->FieldExaminors.Item(std::size_t{1})
                 ->FieldCriteria.Add(*stranger, Operation::IsBlank);
         }},
        {"IOManager::SaveFieldCriterionTextList",
         [&](SearchObject2& s) {
             s.IncludeItems.Item("Invoice")
                 ->FieldExaminors.Item(std::size_t{2})
                 ->FieldCriteria.Item(std::size_t{1})
                 ->TextList.Add(tooLong);
         }},
        {"IOManager::SaveDisplayColumns",
         [&](SearchObject2& s) {
             s.IncludeItems.Item("Invoice")->DisplayColumns.Add(Tag(4, "//InvoiceRet/Memo"),
                                                                tooLong);
         }},
    };
    for (const auto& [operation, spoil] : cases) {
        SearchObject2 s;
        Fill(s);
        spoil(s);
        notifier_.failures.clear();
        EXPECT_FALSE(io_.SaveSearchObject(&s)) << operation;
        ASSERT_EQ(notifier_.failures.size(), 1u) << operation;
        EXPECT_EQ(notifier_.failures[0].operation, operation);
        EXPECT_FALSE(notifier_.failures[0].description.empty());
        EXPECT_EQ(DumpAll(), before) << operation << " left rows behind";
    }
}

TEST_F(SearchStore, NothingIsSavedOrListedWithoutAnOpenDatabase) {
    SearchObject2 s;
    Fill(s);
    io_.CloseDatabase();
    EXPECT_FALSE(io_.SaveSearchObject(&s));
    ASSERT_EQ(notifier_.failures.size(), 1u);
    EXPECT_EQ(notifier_.failures[0].operation, "IOManager::SaveSearchObject");
    EXPECT_EQ(notifier_.failures[0].number, StoreErrorCode::DatabaseNotOpen);
    EXPECT_EQ(io_.SearchObjects()->Count(), 0u);
    EXPECT_FALSE(io_.SaveSearchObject(nullptr));
}

TEST_F(SearchStore, KillingTheProgramWhileItSavesLeavesEverySearchWholeOrAbsent) {
    io_.CloseDatabase();  // a connection must not cross a fork
    std::mt19937 random(20240611);
    for (int cycle = 0; cycle < 3; ++cycle) {
        pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            // The child saves without end: new searches, and one name replaced over and
            // over, which deletes a whole tree and writes it again each time.
            test::RecordingNotifier agree;
            agree.replaceAnswer = true;
            QBXMLTags catalog;
            IOManager io(catalog, &agree);
            io.SetDatabaseName(path_.string());
            if (!io.OpenDatabase()) _exit(2);
            for (long i = 0;; ++i) {
                SearchObject2 s;
                Fill(s);
                s.Name = i % 2 ? "Replaced"
                               : "Cycle " + std::to_string(cycle) + " #" + std::to_string(i);
                if (!io.SaveSearchObject(&s)) _exit(3);
            }
        }
        // Let it get going, then kill it at an arbitrary moment.
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        for (;;) {
            auto db = Inspect(path_);
            if (RowCount(db, "Search") >= 4 * (cycle + 1)) break;
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the child saved nothing";
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child stopped on its own with " << status;
    }

    auto db = Inspect(path_);
    EXPECT_EQ(test::Rows(db, "PRAGMA integrity_check"), "ok\n");
    EXPECT_EQ(test::Rows(db, "PRAGMA foreign_key_check"), "") << "a row names a parent gone";

    ASSERT_TRUE(io_.OpenDatabase());
    auto all = io_.SearchObjects();
    EXPECT_GE(all->Count(), 6u);
    EXPECT_NE(all->Item("Replaced"), nullptr);
    for (const SearchObject2& loaded : *all) {
        SearchObject2 whole;
        Fill(whole);
        whole.Name = loaded.Name;
        whole.Max = 9000;
        EXPECT_EQ(Describe(loaded), Describe(whole)) << loaded.Name << " is not whole";
    }
    // Nothing outside a listed search's tree survived either.
    long includes = 0;
    for (const SearchObject2& loaded : *all)
        includes += static_cast<long>(loaded.IncludeItems.Count());
    EXPECT_EQ(RowCount(db, "Search Include"), includes);
}

}  // namespace
}  // namespace quarrion
