#include "link/relaywick.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <mutex>
#include <set>
#include <thread>

#include "company_text.h"
#include "foundation/codes.h"
#include "link/configured_processor.h"
#include "link/error_log.h"
#include "link/link_settings.h"
#include "link/owner_event_queue.h"
#include "link/sample_company_processor.h"
#include "processor_test_support.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"
#include "support/text_parts.h"

namespace quarrion {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

struct MessageEvent {
    std::int32_t requestType;
    std::string text;
    bool done;
    std::string file;
};
struct PopUpEvent {
    std::int32_t code;
    std::string message;
};
struct ResponseEvent {
    std::int32_t requestType;
    std::string response;
    std::string unused;
    std::string context;
};

// Everything a link raised, and on which threads.
struct Recorder {
    std::vector<MessageEvent> messages;
    std::vector<PopUpEvent> popUps;
    std::vector<ResponseEvent> responses;
    std::set<std::thread::id> threads;

    Recorder() = default;
    explicit Recorder(Relaywick& link) { Connect(link); }
    void Note() { threads.insert(std::this_thread::get_id()); }
    std::size_t Count() const { return messages.size() + popUps.size() + responses.size(); }
    bool HasMessage(const std::string& text) const {
        return std::ranges::any_of(messages, [&](const MessageEvent& m) { return m.text == text; });
    }
    long DoneMessages() const {
        return std::ranges::count_if(messages, [](const MessageEvent& m) { return m.done; });
    }
    void Connect(Relaywick& link) {
        link.Events().Message = [this](std::int32_t type, const std::string& text, bool done,
                                       const std::string& file) {
            Note();
            messages.push_back({type, text, done, file});
        };
        link.Events().PopUp = [this](std::int32_t code, const std::string& message) {
            Note();
            popUps.push_back({code, message});
        };
        link.Events().Response = [this](std::int32_t type, const std::string& response,
                                        const std::string& unused, const std::string& context) {
            Note();
            responses.push_back({type, response, unused, context});
        };
    }
};

// What a processor was asked, shared with the test; every live processor holds it.
struct SpyLog {
    std::mutex mutex;
    std::vector<std::string> requests;
    std::chrono::milliseconds delay{0};

    std::vector<std::string> Requests() {
        std::lock_guard lock(mutex);
        return requests;
    }
    // How many requests held every one of `parts`.
    long Sent(std::initializer_list<std::string_view> parts) {
        return std::ranges::count_if(Requests(), [&](const std::string& r) {
            return std::ranges::all_of(parts, [&](auto p) { return r.find(p) != r.npos; });
        });
    }
};

class SpyProcessor : public RequestProcessor {
  public:
    SpyProcessor(std::unique_ptr<RequestProcessor> inner, std::shared_ptr<SpyLog> log)
        : inner_(std::move(inner)), log_(std::move(log)) {}
    ProcessResult ProcessRequest(std::string_view request) override {
        {
            std::lock_guard lock(log_->mutex);
            log_->requests.emplace_back(request);
        }
        if (log_->delay.count() > 0) std::this_thread::sleep_for(log_->delay);
        return inner_->ProcessRequest(request);
    }
    ProcessorFailure SaveChanges() override { return inner_->SaveChanges(); }
    ProcessorFailure OpenRecord(std::string_view id, std::int32_t type) override {
        return inner_->OpenRecord(id, type);
    }
    std::string Context() const override { return inner_->Context(); }
    std::string FileText() const override { return inner_->FileText(); }

  private:
    std::unique_ptr<RequestProcessor> inner_;
    std::shared_ptr<SpyLog> log_;
};

std::vector<std::string> RecordIds(const std::string& response, const char* recordName) {
    pugi::xml_document doc;
    std::vector<std::string> ids;
    if (!doc.load_string(response.c_str())) return {"<unreadable>"};
    for (pugi::xpath_node node : doc.select_nodes((std::string("//") + recordName).c_str())) {
        ids.push_back(node.node().select_node("TxnID|ListID").node().text().get());
    }
    return ids;
}

class RelaywickTest : public ::testing::Test {
  protected:
    // Writes a company and points the link settings at it.
    void UseCompany(const std::string& text, int pageSize = 500) {
        test::WriteText(company_, text);
        LinkSettings settings;
        settings.CompanyFile = company_;
        settings.PageSize = pageSize;
        ASSERT_TRUE(settings.Save(home_.Path()));
    }
    Relaywick::ProcessorFactory Spied() {
        return [path = company_, log = spy_] {
            return std::make_unique<SpyProcessor>(std::make_unique<SampleCompanyProcessor>(path),
                                                  log);
        };
    }
    bool Wait(const std::function<bool()>& done) { return queue_.RunUntil(done, 20s); }
    // Asks for all records of a type, without dates, at most `max`.
    static void Ask(Relaywick& link, std::int32_t type, std::int32_t max = 9000) {
        link.RequestRecords(LinkDate{}, LinkDate{}, 1, max, "", RequestTypeInfo::TypeName(type), "",
                            type);
    }
    std::string Log() { return test::ReadAll(ErrorLog::PathIn(home_.Path())); }

    test::HomeOfItsOwn home_;
    std::filesystem::path company_ = home_.Path() / "company.qbxml";
    std::shared_ptr<SpyLog> spy_ = std::make_shared<SpyLog>();
    OwnerEventQueue queue_;
};

// Events come on the owner's thread, the response naming its source. (Answering from
// response files set in the link settings is walked by the results window's tests.)
TEST_F(RelaywickTest, EventsArriveOnTheOwnersThreadNamingTheirSource) {
    UseCompany(test::CompanyText({{"Invoice", test::Invoices(12)}}));
    Relaywick link(queue_.Poster());
    Recorder events(link);
    Ask(link, RequestTypeCode::Invoice);
    ASSERT_TRUE(Wait([&] { return !events.responses.empty(); }));
    EXPECT_EQ(events.threads, (std::set<std::thread::id>{std::this_thread::get_id()}));
    const ResponseEvent& response = events.responses[0];
    EXPECT_EQ((std::tuple{response.requestType, response.context, response.unused}),
              (std::tuple{RequestTypeCode::Invoice, std::string("Sample Company"), std::string()}));
    EXPECT_EQ(RecordIds(response.response, "InvoiceRet").size(), 12u);
    ASSERT_FALSE(events.messages.empty());
    EXPECT_EQ(events.messages[0].file, company_.string());
    EXPECT_EQ(events.DoneMessages(), 0);
}

// Types with iterators are walked page by page, once or up to the maximum; types
// without are asked once.
TEST_F(RelaywickTest, IteratorWalkDeliversEveryRecordOnceOrStopsAtTheMaximum) {
    const std::string account =
        "<AccountRet><ListID>A-1</ListID><Name>Bank</Name><IsActive>true</IsActive></AccountRet>";
    UseCompany(test::CompanyText({{"Invoice", test::Invoices(50)}, {"Account", {account}}}), 7);
    Relaywick link(queue_.Poster(), Spied());
    Recorder events(link);
    Ask(link, RequestTypeCode::Invoice);
    ASSERT_TRUE(Wait([&] { return !events.responses.empty(); }));
    std::vector<std::string> expected;
    for (int i = 1; i <= 50; ++i) expected.push_back("T-" + std::to_string(i));
    EXPECT_EQ(RecordIds(events.responses[0].response, "InvoiceRet"), expected);
    EXPECT_TRUE(events.HasMessage("Received 49 of 50 Invoice records ..."));
    EXPECT_TRUE(events.HasMessage("Received 50 Invoice records."));
    ASSERT_EQ(spy_->Requests().size(), 8u);
    EXPECT_THAT(spy_->Requests()[0], HasSubstr("iterator=\"Start\""));
    EXPECT_EQ(spy_->Sent({"iterator=\"Continue\""}), 7);

    Ask(link, RequestTypeCode::Invoice, 20);
    ASSERT_TRUE(Wait([&] { return events.responses.size() == 2; }));
    EXPECT_EQ(RecordIds(events.responses[1].response, "InvoiceRet").size(), 20u);
    EXPECT_TRUE(events.HasMessage("Received 7 of 20 Invoice records ..."));
    auto requests = spy_->Requests();
    EXPECT_THAT(requests.back(), HasSubstr("iterator=\"Stop\""));
    // The last page asked only for what was still missing.
    EXPECT_THAT(requests[requests.size() - 2], HasSubstr("<MaxReturned>6</MaxReturned>"));

    const std::size_t asked = requests.size();
    Ask(link, RequestTypeCode::Account, 100);
    ASSERT_TRUE(Wait([&] { return events.responses.size() == 3; }));
    EXPECT_EQ(RecordIds(events.responses[2].response, "AccountRet"),
              (std::vector<std::string>{"A-1"}));
    requests = spy_->Requests();
    ASSERT_EQ(requests.size(), asked + 1);
    EXPECT_EQ(requests.back().find("iterator"), std::string::npos);
    EXPECT_THAT(requests.back(), HasSubstr("<MaxReturned>100</MaxReturned>"));
}

// A missing company pops up once however many types wait, ends each, is logged and
// tells the viewer of the error log. (An unreadable one never overwritten: the processor's
// bad-company test; its search failing: the terminal tool's.)
TEST_F(RelaywickTest, AMissingCompanyPopsUpOnceAndIsNeverCreated) {
    LinkSettings settings;
    settings.CompanyFile = home_.Path() / "nowhere.qbxml";
    ASSERT_TRUE(settings.Save(home_.Path()));
    Relaywick viewer(queue_.Poster());
    Recorder seen(viewer);
    viewer.SetLogViewer(true);
    Relaywick link(queue_.Poster());
    Recorder events(link);
    Ask(link, RequestTypeCode::Invoice);
    Ask(link, RequestTypeCode::Customer);
    ASSERT_TRUE(Wait([&] { return events.DoneMessages() == 2; }));
    queue_.RunUntil([] { return false; }, 50ms);
    ASSERT_EQ(events.popUps.size(), 1u);
    EXPECT_EQ(events.popUps[0].code, LinkError::CompanyFileMissing);
    EXPECT_THAT(events.popUps[0].message, HasSubstr("nowhere.qbxml"));
    EXPECT_TRUE(events.responses.empty());
    EXPECT_FALSE(std::filesystem::exists(home_.Path() / "nowhere.qbxml"));
    EXPECT_EQ(test::Lines(Log()).size(), 3u);  // header and one line per type
    ASSERT_TRUE(Wait([&] { return !seen.messages.empty(); }));
    EXPECT_EQ((std::pair{seen.messages[0].requestType, seen.messages[0].done}),
              (std::pair{0, true}));
    // Switched off, the log is not written. (Where it lives, that every instance shares the
    // switch, and clearing: the error log window's tests.)
    link.SetLogErrors(false);
    Ask(link, RequestTypeCode::Invoice);
    ASSERT_TRUE(Wait([&] { return events.DoneMessages() == 3; }));
    EXPECT_EQ(test::Lines(Log()).size(), 3u);
}

TEST_F(RelaywickTest, NoEventArrivesAfterDestructionWhileARequestIsInFlight) {
    UseCompany(test::CompanyText({{"Invoice", test::Invoices(10)}}), 2);
    spy_->delay = 100ms;
    Recorder events;
    {
        Relaywick link(queue_.Poster(), Spied());
        events.Connect(link);
        Ask(link, RequestTypeCode::Invoice);
        Ask(link, RequestTypeCode::Customer);
        while (spy_->Requests().empty()) std::this_thread::sleep_for(1ms);
    }
    queue_.RunUntil([] { return false; }, 300ms);
    EXPECT_EQ(events.Count(), 0u);
    // The walk was cut short, the queued request never sent, the processor released.
    EXPECT_LE(spy_->Requests().size(), 2u);
    EXPECT_EQ(spy_.use_count(), 1);
}

TEST_F(RelaywickTest, EventsAlreadyQueuedAreDroppedWhenTheInstanceDies) {
    UseCompany(test::CompanyText({{"Invoice", test::Invoices(3)}}));
    Recorder events;
    {
        Relaywick link(queue_.Poster());
        events.Connect(link);
        Ask(link, RequestTypeCode::Invoice);
        // Requesting, received, response: wait until all three are queued, run none.
        auto deadline = std::chrono::steady_clock::now() + 20s;
        while (queue_.Size() < 3 && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(1ms);
        }
        ASSERT_EQ(queue_.Size(), 3u);
    }
    EXPECT_EQ(queue_.RunPending(), 3u);
    EXPECT_EQ(events.Count(), 0u);
}

TEST_F(RelaywickTest, AHandlerMayDestroyItsOwnLink) {
    UseCompany(test::CompanyText({{"Invoice", test::Invoices(30)}}), 5);
    auto link = std::make_unique<Relaywick>(queue_.Poster());
    int messages = 0;
    link->Events().Message = [&](std::int32_t, const std::string&, bool, const std::string&) {
        ++messages;
        link.reset();
    };
    link->Events().Response = [&](std::int32_t, const std::string&, const std::string&,
                                  const std::string&) { ADD_FAILURE() << "response after close"; };
    Ask(*link, RequestTypeCode::Invoice);
    ASSERT_TRUE(Wait([&] { return link == nullptr; }));
    queue_.RunUntil([] { return false; }, 200ms);
    EXPECT_EQ(messages, 1);
}

// A walk whose second page is cut off inside a record keeps nothing of the first either.
Relaywick::ProcessorFactory CutOffOnTheSecondPage() {
    const std::string page =
        "<?xml version=\"1.0\"?><QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"0\" "
        "iteratorRemainingCount=\"1\" iteratorID=\"{w-1}\">" +
        test::InvoiceRecord({"T-1"}) + "</InvoiceQueryRs></QBXMLMsgsRs></QBXML>";
    return [page] {
        return std::make_unique<test::StubProcessor>([page, asked = 0](std::string_view) mutable {
            return ProcessResult{++asked == 1 ? page : page.substr(0, page.find("</Memo>")), {}};
        });
    };
}

TEST_F(RelaywickTest, AnUnreadableAnswerPopsUpAndIsNotKept) {
    const std::pair<const char*, Relaywick::ProcessorFactory> answers[] = {
        {"not XML", test::Answering("not xml at all")},
        {"deep", test::Answering(std::string(20000, '<'))},
        {"cut off", CutOffOnTheSecondPage()},
    };
    for (const auto& [label, factory] : answers) {
        SCOPED_TRACE(label);
        Relaywick link(queue_.Poster(), factory);
        Recorder events(link);
        Ask(link, RequestTypeCode::Invoice);
        ASSERT_TRUE(Wait([&] { return events.DoneMessages() == 1; }));
        queue_.RunUntil([] { return false; }, 20ms);
        EXPECT_THAT(events.messages.back().text, HasSubstr("could not be read"));
        ASSERT_EQ(events.popUps.size(), 1u);
        EXPECT_EQ(events.popUps[0].code, LinkError::ResponseUnreadable);
        EXPECT_TRUE(events.responses.empty());
    }
}

TEST_F(RelaywickTest, TheDefaultCompanyIsCreatedInTheDataFolderOnFirstUseOnly) {
    auto saved = DefaultCompanyWriter();
    int written = 0;
    DefaultCompanyWriter() = [&](const std::filesystem::path& path) {
        ++written;
        test::WriteText(path, test::CompanyText({{"Invoice", test::Invoices(2)}}));
        return Outcome::Ok();
    };
    for (int run = 0; run < 2; ++run) {  // a second instance finds the company made
        Relaywick link(queue_.Poster());
        Recorder events(link);
        Ask(link, RequestTypeCode::Invoice);
        ASSERT_TRUE(Wait([&] { return events.responses.size() == 1; }));
        EXPECT_EQ(RecordIds(events.responses[0].response, "InvoiceRet").size(), 2u);
    }
    DefaultCompanyWriter() = saved;
    EXPECT_EQ(written, 1);
    EXPECT_TRUE(std::filesystem::exists(DefaultCompanyPath(home_.Path())));
}

class ToPrintTest : public RelaywickTest {
  protected:
    // Invoices T-1..T-3 as searched, with edit sequences 1001..1003; T-2 since changed.
    void SetUpChangedCompany() {
        std::vector<std::string> invoices = test::Invoices(3);
        invoices[1] = test::InvoiceRecord({.txnId = "T-2", .editSequence = "5555"});
        UseCompany(test::CompanyText({{"Invoice", invoices}}));
    }
    std::string Mark(Relaywick& link, const std::string& entries, bool skip, int batch = 100) {
        std::string result = "unset";
        link.UpdateToPrint(RequestTypeCode::Invoice, entries, company_.string(), true, batch, skip,
                           result);
        return result;
    }
    // One element of every invoice in the company file, joined by commas.
    std::string OnDisk(const char* element) {
        pugi::xml_document doc;
        doc.load_file(company_.c_str());
        std::string values;
        for (pugi::xpath_node node :
             doc.select_nodes(("//InvoiceRet/" + std::string(element)).c_str())) {
            values += (values.empty() ? "" : ",") + std::string(node.node().text().get());
        }
        return values;
    }

    const std::string entries_ = "T-1\t1001\tk0,T-2\t1002\tk1,T-3\t1003\tk2";
};

// T-2 changed since the search. With the double check it is re-read, left out and
// logged without being sent; without it, it is sent, refused (3200) and logged. T-9 no
// longer exists. Either way the others are marked and T-2 and T-9 are not.
TEST_F(ToPrintTest, ChangedAndVanishedTransactionsAreLeftOutAndLoggedWithOrWithoutTheCheck) {
    for (bool skipCheck : {false, true}) {
        SCOPED_TRACE(skipCheck ? "without the double check" : "with the double check");
        SetUpChangedCompany();
        ASSERT_TRUE(ErrorLog(ErrorLog::PathIn(home_.Path())).Clear());
        spy_->requests.clear();
        Relaywick link(queue_.Poster(), Spied());
        const std::string result = Mark(link, entries_ + ",T-9\t1009\tk9", skipCheck);
        EXPECT_EQ(spy_->Sent({"<InvoiceModRq", "<TxnID>T-1</TxnID>"}), 1);
        EXPECT_EQ(spy_->Sent({"<InvoiceModRq", "<TxnID>T-2</TxnID>"}), skipCheck ? 1 : 0);
        EXPECT_EQ(spy_->Sent({"InvoiceQueryRq"}), skipCheck ? 0 : 1)
            << "re-read only when checking";
        // The result matches what QuickBooks now holds.
        EXPECT_EQ(OnDisk("IsToBePrinted"), "true,false,true");
        const auto sequences = test::Split(OnDisk("EditSequence"), ',');
        EXPECT_NE(sequences[0], "1001");
        EXPECT_EQ(result, "k0\ttrue\t" + sequences[0] + ",k2\ttrue\t" + sequences[2]);
        auto lines = test::Lines(Log());
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_THAT(lines[1], HasSubstr("T-2"));
        EXPECT_THAT(lines[1], HasSubstr(skipCheck ? "\t3200\t" : "changed since the search"));
        EXPECT_THAT(lines[2], HasSubstr("T-9"));
        if (!skipCheck) EXPECT_THAT(lines[2], HasSubstr("no longer exists"));
    }
}

// Modify requests go in batches; an entry may leave out its edit sequence. (Clearing is
// walked by the terminal tool's to-print test.)
TEST_F(ToPrintTest, MarksInBatchesAndTakesEntriesWithoutAnEditSequence) {
    UseCompany(test::CompanyText({{"Invoice", test::Invoices(5)}}));
    Relaywick link(queue_.Poster(), Spied());
    const std::string result =
        Mark(link, "T-1\t1001\tk0,T-2\tk7,T-3\t1003\tk2,T-4\t1004\tk3,T-5\t1005\tk4", true, 2);
    EXPECT_EQ(OnDisk("IsToBePrinted"), "true,true,true,true,true");
    const auto sequences = test::Split(OnDisk("EditSequence"), ',');
    const std::vector<std::string> keys{"k0", "k7", "k2", "k3", "k4"};
    std::string expected;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        expected += (i ? "," : "") + keys[i] + "\ttrue\t" + sequences[i];
    }
    EXPECT_EQ(result, expected);
    EXPECT_EQ(spy_->Sent({"<InvoiceModRq"}), 3);
}

}  // namespace
}  // namespace quarrion
