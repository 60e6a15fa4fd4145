// The Web Connector request processor and its SOAP service, called over loopback by a
// simulated Web Connector that answers from a sample company as QuickBooks would.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <atomic>
#include <regex>
#include <thread>

#include "company_text.h"
#include "foundation/codes.h"
#include "link/configured_processor.h"
#include "link/link_settings.h"
#include "link/password_hash.h"
#include "link/sample_company_processor.h"
#include "link/soap_envelope.h"
#include "link/tls_certificate.h"
#include "link/web_connector_app_file.h"
#include "link/web_connector_processor.h"
#include "link/web_connector_server.h"
#include "link/web_connector_service.h"
#include "link/web_connector_setup.h"
#include "processor_test_support.h"
#include "search/search_builder.h"
#include "search/search_session.h"
#include "search/store_session.h"
#include "simulated_web_connector.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

constexpr const char* kUser = "acme-books";
constexpr const char* kPassword = "correct horse battery";
// Few iterations: the tests check the scheme, not its cost.
constexpr int kTestIterations = 1000;

TEST(PasswordHash, MatchesOnlyTheSamePasswordInItsOwnFormAndSaltsEachHash) {
    std::string stored = PasswordHash::Make(kPassword, kTestIterations);
    ASSERT_TRUE(PasswordHash::IsHash(stored)) << stored;
    EXPECT_EQ(stored.find(kPassword), std::string::npos);
    EXPECT_TRUE(PasswordHash::Verify(kPassword, stored));
    EXPECT_FALSE(PasswordHash::Verify("correct horse batterY", stored));
    EXPECT_FALSE(PasswordHash::Verify("", stored));
    EXPECT_NE(PasswordHash::Make(kPassword, kTestIterations), stored) << "a fresh salt each time";

    // Stored texts of another form never match.
    const std::string good = PasswordHash::Make("pw", kTestIterations);
    const std::string salt = good.substr(good.find('$', 15) + 1);
    for (const std::string& stored :
         {std::string("pw"), "sha256$1000$" + salt, "pbkdf2-sha256$0$" + salt,
          "pbkdf2-sha256$99999999999$" + salt,
          "pbkdf2-sha256$1000$!!!$" + salt.substr(salt.find('$') + 1),
          "pbkdf2-sha256$1000$" + salt.substr(0, salt.find('$')) + "$AAAA", good + "$extra"}) {
        EXPECT_FALSE(PasswordHash::IsHash(stored)) << stored;
        EXPECT_FALSE(PasswordHash::Verify("pw", stored)) << stored;
    }
}

TEST(SoapEnvelope, ReadsACallWhateverPrefixesItUsesAndUndoesEscapes) {
    const std::string qbxml = "<?xml version=\"1.0\"?><QBXML><A x=\"1&amp;2\"/></QBXML>";
    std::string escaped;
    Qbxml::AppendEscaped(escaped, qbxml);
    const std::string prefixed =
        "<?xml version=\"1.0\"?><s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:i=\"http://www.w3.org/2001/XMLSchema-instance\"><s:Body>"
        "<q:receiveResponseXML xmlns:q=\"http://developer.intuit.com/\"><q:ticket>T</q:ticket>"
        "<q:response>" +
        escaped +
        "</q:response><q:hresult i:nil=\"true\"/><q:message/>"
        "</q:receiveResponseXML></s:Body></s:Envelope>";
    // Envelopes built here are read back by every call of the loopback tests.
    Soap::Call call;
    ASSERT_EQ(Soap::ParseCall(prefixed, call), "");
    EXPECT_EQ(
        (std::vector<std::string>{call.method, call.Parameter("ticket"), call.Parameter("response"),
                                  call.Parameter("hresult"), call.Parameter("absent")}),
        (std::vector<std::string>{"receiveResponseXML", "T", qbxml, "", ""}));
}

TEST(SoapEnvelope, RefusesWhatIsNotACallOfTheService) {
    const std::pair<const char*, const char*> cases[] = {
        {"<a><b></a>", "not a readable XML document"},
        {"<!DOCTYPE x [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><x>&e;</x>",
         "not a readable XML document"},
        {"<Envelope><Body/></Envelope>", "not a SOAP 1.1 envelope"},
        {"<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"/>", "no Body"},
        {"<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body/></s:Envelope>",
         "holds no call"},
        {"<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>"
         "<authenticate xmlns=\"http://example.com/\"/></s:Body></s:Envelope>",
         "not in the namespace"},
    };
    for (const auto& [body, named] : cases) {
        Soap::Call call;
        EXPECT_THAT(Soap::ParseCall(body, call), HasSubstr(named)) << body;
    }
}

// The terminal tool's link test follows the file's address and user; here, escaping, the
// support page's default and the company's GUID.
TEST(WebConnectorAppFile, EscapesItsTextsAndNamesTheCompanyByARegistryFormGuid) {
    WebConnectorAppFile file;
    file.appUrl = "https://books.example:8443/qbwc";
    file.userName = "a&b";
    file.fileId = RandomGuid();
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(file.Text().c_str()));
    pugi::xml_node root = doc.child("QBWCXML");
    EXPECT_STREQ(root.child_value("UserName"), "a&b");
    EXPECT_STREQ(root.child_value("AppSupport"), "https://books.example:8443/qbwc");
    EXPECT_TRUE(
        std::regex_match(root.child_value("FileID"),
                         std::regex(R"(\{[0-9A-Fa-f]{8}(-[0-9A-Fa-f]{4}){3}-[0-9A-Fa-f]{12}\})")))
        << root.child_value("FileID");
}

TEST(WebConnectorSettings, AnAddressBeyondLoopbackGetsASelfSignedCertificate) {
    test::TempDir dir;
    LinkSettings settings;
    settings.WebConnectorListen = "0.0.0.0:18443";
    settings.WebConnectorUser = kUser;
    settings.WebConnectorPasswordHash = PasswordHash::Make(kPassword, kTestIterations);
    WebConnectorSetup setup, again;
    ASSERT_EQ(MakeWebConnectorSetup(settings, dir.Path(), setup), "");
    EXPECT_TRUE(setup.madeCertificate);
    EXPECT_EQ(setup.endpoint.certFile, DefaultCertificatePath(dir.Path()));
    CertificateFingerprints fingerprints;
    ASSERT_EQ(ReadCertificateFingerprints(setup.endpoint.certFile, fingerprints), "");
    EXPECT_EQ(fingerprints.sha256.size(), 32u * 3 - 1);
    auto perms = std::filesystem::status(setup.endpoint.keyFile).permissions();
    EXPECT_EQ(perms & (std::filesystem::perms::group_all | std::filesystem::perms::others_all),
              std::filesystem::perms::none);
    ASSERT_EQ(MakeWebConnectorSetup(settings, dir.Path(), again), "");
    EXPECT_FALSE(again.madeCertificate) << "made once, then kept";

    settings.WebConnectorPasswordHash.clear();
    EXPECT_THAT(MakeWebConnectorSetup(settings, dir.Path(), again), HasSubstr("password"));
}

WebConnectorConfig FastConfig(const std::filesystem::path& log) {
    WebConnectorConfig config;
    config.userName = kUser;
    config.passwordHash = PasswordHash::Make(kPassword, kTestIterations);
    config.followUpWait = 100ms;
    config.idleLinger = 300ms;
    config.errorLog = log;
    return config;
}

// The service called directly, so callers can come from several addresses.
TEST(WebConnectorService, OneSessionAtATimeAndTicketsBoundToTheirCaller) {
    test::TempDir dir;
    WebConnectorService service(FastConfig(dir.Path() / "log.txt"));
    auto job = service.Submit("<QBXML/>");
    auto first = test::CallService(
        service, "authenticate", {{"strUserName", kUser}, {"strPassword", kPassword}}, "10.0.0.1");
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[1], "");
    EXPECT_GE(first[0].size(), 32u);
    auto second = test::CallService(
        service, "authenticate", {{"strUserName", kUser}, {"strPassword", kPassword}}, "10.0.0.2");
    EXPECT_EQ(second[1], "busy");
    EXPECT_EQ(test::CallService(service, "sendRequestXML", {{"ticket", first[0]}}, "10.0.0.2")[0],
              "")
        << "a ticket works only for the caller it was given to";
    EXPECT_EQ(test::CallService(service, "sendRequestXML", {{"ticket", first[0]}}, "10.0.0.1")[0],
              "<QBXML/>");
    EXPECT_THAT(
        test::CallService(service, "closeConnection", {{"ticket", first[0]}}, "10.0.0.1")[0],
        HasSubstr("OK"));
    EXPECT_THAT(test::CallService(service, "getLastError", {{"ticket", first[0]}}, "10.0.0.1")[0],
                HasSubstr("does not know"))
        << "a closed session's ticket is dead";
    const std::string log = test::ReadAll(dir.Path() / "log.txt");
    for (const char* logged :
         {"another Web Connector session (from 10.0.0.1) is open",
          "Refused a sendRequestXML call from 10.0.0.2", "signed in as \"acme-books\""}) {
        EXPECT_THAT(log, HasSubstr(logged));
    }
}

// Runs scheduled updates until one finds work: until a request is queued the Web
// Connector hears "none".
test::SimulatedWebConnector::Update UpdateOnceWorkWaits(
    test::SimulatedWebConnector& connector, const test::SimulatedWebConnector::Options& options) {
    test::SimulatedWebConnector::Update update;
    for (int i = 0; i < 100; ++i) {
        update = connector.RunUpdate(options);
        if (update.authenticateStatus != "none") break;
        std::this_thread::sleep_for(20ms);
    }
    return update;
}

// A server on a free loopback port with a fast configuration.
class WebConnectorLoopback : public ::testing::Test {
  protected:
    void Start(WebConnectorEndpoint endpoint = {}, WebConnectorConfig config = {}) {
        if (config.userName.empty()) config = FastConfig(Log());
        std::string error;
        server_ = WebConnectorServer::Start(
            endpoint, std::make_shared<WebConnectorService>(std::move(config)), error);
        ASSERT_TRUE(server_) << error;
        ASSERT_GT(server_->Port(), 0);
    }
    std::filesystem::path Log() const { return dir_.Path() / "Error Log.txt"; }
    WebConnectorProcessor Processor(std::chrono::milliseconds wait) {
        std::shared_ptr<WebConnectorServer> shared = server_;
        return WebConnectorProcessor([shared](std::string&) { return shared; }, wait);
    }

    test::TempDir dir_;
    // One request waits in the service while a Web Connector runs one update.
    ProcessResult RunOnce(const test::SimulatedWebConnector::Options& options,
                          RequestProcessor* quickBooks,
                          test::SimulatedWebConnector::Update& update) {
        WebConnectorProcessor processor = Processor(20s);
        ProcessResult result;
        std::thread waiting([&] { result = processor.ProcessRequest("<QBXML/>"); });
        test::SimulatedWebConnector connector(server_->Url(), quickBooks);
        update = UpdateOnceWorkWaits(connector, options);
        waiting.join();
        return result;
    }

    std::shared_ptr<WebConnectorServer> server_;
};

TEST_F(WebConnectorLoopback, NoWorkMeansNoneAndAWrongUserOrPasswordGetsNvuAndNothingElse) {
    Start();
    test::SimulatedWebConnector connector(server_->Url(), nullptr);
    // Signed in with nothing to do, the Web Connector hears "none".
    EXPECT_EQ(connector.RunUpdate({kUser, kPassword}).authenticateStatus, "none");
    auto job = server_->Service().Submit("<QBXML/>");
    for (auto [user, password] : {std::pair{kUser, "wrong"}, std::pair{"someone", kPassword}}) {
        auto update = connector.RunUpdate({user, password});
        EXPECT_EQ(update.authenticateStatus, "nvu") << user;
        EXPECT_EQ(update.requestsRun, 0);
        auto reply =
            connector.Call("authenticate", {{"strUserName", user}, {"strPassword", password}});
        EXPECT_EQ(reply.values.size(), 2u) << "a ticket and nvu, no reason";
    }
    EXPECT_EQ(server_->Service().CurrentStatus().queued, 1u) << "nothing was handed out";
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("wrong user name or password (user \"someone\")"));
}

TEST_F(WebConnectorLoopback, AnExpiredTicketIsRefusedAndTheRequestWaits) {
    WebConnectorConfig config = FastConfig(Log());
    config.ticketLifetime = 300ms;
    Start({}, config);
    test::SimulatedWebConnector connector(server_->Url(), nullptr);
    auto job = server_->Service().Submit("<QBXML/>");
    auto signIn =
        connector.Call("authenticate", {{"strUserName", kUser}, {"strPassword", kPassword}});
    ASSERT_EQ(signIn.values, (std::vector<std::string>{signIn.First(), ""}));
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(connector.Call("sendRequestXML", {{"ticket", signIn.First()}}).First(), "");
    EXPECT_EQ(
        connector.Call("receiveResponseXML", {{"ticket", signIn.First()}, {"response", "<x/>"}})
            .First(),
        "-1");
    EXPECT_THAT(connector.Call("getLastError", {{"ticket", signIn.First()}}).First(),
                HasSubstr("does not know"));
    EXPECT_EQ(server_->Service().CurrentStatus().queued, 1u)
        << "the request waits for a new session";
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("unknown or expired session ticket"));
}

TEST_F(WebConnectorLoopback, TheWaitRunningOutIsAClearFailure) {
    Start();
    WebConnectorProcessor processor = Processor(300ms);
    std::vector<std::string> progress;
    processor.SetWaitHooks([&](const std::string& text) { progress.push_back(text); }, nullptr);
    const auto started = std::chrono::steady_clock::now();
    ProcessResult result = processor.ProcessRequest("<QBXML/>");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.failure.code, LinkError::WebConnectorTimedOut);
    EXPECT_THAT(result.failure.message, HasSubstr("did not call in time"));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress[0],
              "Waiting for the QuickBooks Web Connector at " + server_->Url() + " ...");
    EXPECT_EQ(server_->Service().CurrentStatus().queued, 0u) << "the request was withdrawn";

    // While the Web Connector stays away, the next request does not wait the time again.
    const auto again = std::chrono::steady_clock::now();
    EXPECT_EQ(processor.ProcessRequest("<QBXML/>").failure.message, result.failure.message);
    EXPECT_LT(std::chrono::steady_clock::now() - again, 200ms);
    // Once it has called, requests wait for it again.
    test::SimulatedWebConnector connector(server_->Url(), nullptr);
    connector.Call("serverVersion", {});
    const auto third = std::chrono::steady_clock::now();
    EXPECT_FALSE(processor.ProcessRequest("<QBXML/>").Ok());
    EXPECT_GE(std::chrono::steady_clock::now() - third, 250ms);
}

TEST_F(WebConnectorLoopback, ACancelEndsTheWaitAtOnce) {
    Start();
    WebConnectorProcessor processor = Processor(60s);
    std::atomic<bool> cancel{false};
    processor.SetWaitHooks({}, &cancel);
    std::thread canceller([&] {
        std::this_thread::sleep_for(100ms);
        cancel = true;
    });
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(processor.ProcessRequest("<QBXML/>").Ok());
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    canceller.join();
}

// The company not opening, and QuickBooks refusing a request in the middle of a
// session, both fail the waiting request with QuickBooks' words and code.
TEST_F(WebConnectorLoopback, QuickBooksFailuresReachTheWaitingRequest) {
    Start();
    test::SimulatedWebConnector::Update update;
    ProcessResult result =
        RunOnce({kUser, kPassword, "0x80040408", "Could not start QuickBooks."}, nullptr, update);
    EXPECT_EQ(update.connectionErrorResult, "done");
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.failure.code, LinkError::QuickBooksConnectionFailed);
    EXPECT_THAT(result.failure.message, HasSubstr("Could not start QuickBooks. (0x80040408)"));
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("could not open the QuickBooks company"));

    test::StubProcessor quickBooks([](std::string_view) {
        return ProcessResult::Failed(1, "The company file is in single-user mode.");
    });
    result = RunOnce({kUser, kPassword}, &quickBooks, update);
    ASSERT_EQ(update.percents, std::vector<int>{-1});
    EXPECT_THAT(update.lastError, HasSubstr("single-user mode"));
    ASSERT_FALSE(result.Ok());
    EXPECT_EQ(result.failure.code, LinkError::QuickBooksConnectionFailed);
    EXPECT_THAT(result.failure.message, HasSubstr("(0x80040400)"));
}

TEST_F(WebConnectorLoopback, StoppingTheServiceLetsAnOpenSessionCloseCleanly) {
    Start();
    test::StubProcessor quickBooks([](std::string_view) {
        return ProcessResult{"<?xml version=\"1.0\"?><QBXML><QBXMLMsgsRs/></QBXML>", {}};
    });
    test::SimulatedWebConnector connector(server_->Url(), &quickBooks);
    test::SimulatedWebConnector::Update update;
    {
        auto processor = std::make_unique<WebConnectorProcessor>(Processor(20s));
        std::thread waiting([&] { EXPECT_TRUE(processor->ProcessRequest("<QBXML/>").Ok()); });
        std::thread running([&] {
            // Many NoOps: the session would linger far longer than the test.
            update = UpdateOnceWorkWaits(connector, {kUser, kPassword, "", "", 10000, 10ms});
        });
        waiting.join();
        processor.reset();  // the service's last holder is the test now
        std::this_thread::sleep_for(100ms);
        const auto stopping = std::chrono::steady_clock::now();
        server_.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - stopping, 2s);
        running.join();
    }
    EXPECT_EQ(update.requestsRun, 1);
    EXPECT_EQ(update.lastError, "Quarrion has no more requests.");
    EXPECT_EQ(update.closeResult.rfind("OK", 0), 0u) << update.closeResult;
}

TEST_F(WebConnectorLoopback, AnOversizedBodyIsRefusedAndLogged) {
    WebConnectorEndpoint endpoint;
    endpoint.maxBodyBytes = 4096;
    Start(endpoint);
    test::SimulatedWebConnector connector(server_->Url(), nullptr);
    auto reply = connector.Call("receiveResponseXML",
                                {{"ticket", "x"}, {"response", std::string(10000, 'a')}});
    EXPECT_EQ(reply.httpStatus, 413);
    EXPECT_EQ(connector.Call("serverVersion", {}).httpStatus, 200) << "the service goes on";
    auto junk = connector.Post("<not-soap/>");
    EXPECT_EQ(junk.httpStatus, 500);
    EXPECT_THAT(junk.body, HasSubstr("Fault"));
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("larger than 4096 bytes"));
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("not a SOAP 1.1 envelope"));
}

// Plain HTTP is only for loopback; TLS works with a certificate made here.
TEST_F(WebConnectorLoopback, TlsWithACertificateMadeHere) {
    WebConnectorEndpoint endpoint;
    endpoint.host = "0.0.0.0";
    std::string error;
    EXPECT_FALSE(WebConnectorServer::Start(
        endpoint, std::make_shared<WebConnectorService>(FastConfig(Log())), error));
    EXPECT_THAT(error, HasSubstr("only allowed on a loopback address"));

    endpoint.host = "127.0.0.1";
    endpoint.certFile = dir_.Path() / "test.crt";
    endpoint.keyFile = dir_.Path() / "test.key";
    ASSERT_EQ(MakeSelfSignedCertificate(endpoint.certFile, endpoint.keyFile, "127.0.0.1"), "");
    Start(endpoint);
    ASSERT_TRUE(server_->Secure());
    EXPECT_EQ(server_->Url().rfind("https://127.0.0.1:", 0), 0u) << server_->Url();

    test::SimulatedWebConnector trusting(server_->Url(), nullptr, endpoint.certFile.string());
    auto version = trusting.Call("serverVersion", {});
    EXPECT_EQ(version.httpStatus, 200);
    EXPECT_THAT(version.First(), HasSubstr("Quarrion"));

    // A Web Connector that does not trust the certificate cannot talk to the service.
    std::filesystem::path other = dir_.Path() / "other.crt";
    ASSERT_EQ(MakeSelfSignedCertificate(other, dir_.Path() / "other.key", "127.0.0.1"), "");
    test::SimulatedWebConnector wary(server_->Url(), nullptr, other.string());
    EXPECT_EQ(wary.Call("serverVersion", {}).httpStatus, 0);
    // Nor does plain HTTP reach it.
    std::string plain = server_->Url();
    plain.replace(0, 5, "http");
    test::SimulatedWebConnector clear(plain, nullptr);
    EXPECT_NE(clear.Call("serverVersion", {}).httpStatus, 200);
}

// A search of several types and a to-print run through the service against one copy
// of a sample company, and directly against another: the rows and the company change
// must be the same.
class WebConnectorEndToEnd : public WebConnectorLoopback {
  protected:
    void SetUp() override {
        ASSERT_EQ(test::WriteSmallSampleCompany(direct_), "");
        std::filesystem::copy_file(direct_, remote_);
        Start();
        quickBooks_ = std::make_unique<SampleCompanyProcessor>(remote_);
        connector_ =
            std::make_unique<test::SimulatedWebConnector>(server_->Url(), quickBooks_.get());
        running_ = std::thread([this] {
            while (!stop_) {
                auto update = connector_->RunUpdate({kUser, kPassword, "", "", 20, 10ms});
                requests_ += update.requestsRun;
                if (update.requestsRun > 0) EXPECT_FALSE(quickBooks_->SaveChanges());
                if (update.authenticateStatus == "none") std::this_thread::sleep_for(10ms);
            }
        });
    }
    void TearDown() override {
        stop_ = true;
        if (running_.joinable()) running_.join();
    }

    Relaywick::ProcessorFactory ThroughWebConnector() {
        std::shared_ptr<WebConnectorServer> shared = server_;
        return [shared] {
            return std::make_unique<WebConnectorProcessor>(
                [shared](std::string&) { return shared; }, 30s);
        };
    }

    // Searches four types and marks the invoices found to be printed; per type, the rows
    // found as key, cells and match text joined.
    std::vector<std::vector<std::string>> Search(Relaywick::ProcessorFactory factory) {
        StoreSession store;
        EXPECT_TRUE(store.Open());
        SearchBuilder builder(store.Catalog());
        using namespace RequestTypeCode;
        for (std::int32_t type : {Invoice, Customer, Bill, PurchaseOrder})
            builder.IncludeType(type);
        EXPECT_EQ(builder.AddRule("text contains a"), "");
        SearchSession session(std::move(factory));
        EXPECT_EQ(builder.Build(session.Run().Search()).Message(), "");
        session.RunToEnd();
        EXPECT_FALSE(session.AnyTypeFailed());
        EXPECT_TRUE(session.PopUps().empty());
        std::vector<std::vector<std::string>> found;
        for (const ResultList& list : session.Run().Lists()) {
            found.emplace_back();
            for (const ResultRow& row : list.Rows) {
                std::string text = row.Key;
                for (const std::string& cell : row.Cells) text += "\t" + cell;
                found.back().push_back(text + "\t" + row.MatchText);
            }
        }
        EXPECT_GT(session.Run().SetToPrint(Invoice, true, false), 0);
        session.DeliverPending();
        return found;
    }
    // Which invoices are to be printed, by TxnID, in the company file.
    std::vector<std::string> ToBePrinted(const std::filesystem::path& company) {
        pugi::xml_document doc;
        EXPECT_TRUE(doc.load_file(company.c_str()));
        std::vector<std::string> ids;
        for (pugi::xpath_node record : doc.select_nodes("//InvoiceRet[IsToBePrinted='true']")) {
            ids.push_back(record.node().child_value("TxnID"));
        }
        return ids;
    }

    std::filesystem::path direct_ = dir_.Path() / "direct.qbxml";
    std::filesystem::path remote_ = dir_.Path() / "remote.qbxml";
    std::unique_ptr<SampleCompanyProcessor> quickBooks_;
    std::unique_ptr<test::SimulatedWebConnector> connector_;
    std::atomic<bool> stop_{false};
    std::atomic<int> requests_{0};
    std::thread running_;
};

TEST_F(WebConnectorEndToEnd, ASearchAndAToPrintRunGiveWhatTheCompanyGivesDirectly) {
    ASSERT_EQ(ToBePrinted(direct_), ToBePrinted(remote_));
    const auto before = ToBePrinted(remote_);
    const auto direct = Search(CompanyFileProcessor(direct_));
    const auto remote = Search(ThroughWebConnector());
    ASSERT_EQ(remote.size(), 4u);
    EXPECT_GT(direct[0].size() + direct[1].size() + direct[2].size() + direct[3].size(), 20u);
    EXPECT_EQ(remote, direct);

    stop_ = true;
    running_.join();
    EXPECT_GT(requests_.load(), 4);
    quickBooks_.reset();  // saves what QuickBooks holds
    const auto after = ToBePrinted(remote_);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, ToBePrinted(direct_));
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("signed in as \"acme-books\"; session opened"));
    EXPECT_THAT(test::ReadAll(Log()), HasSubstr("closed its session"));
}

}  // namespace
}  // namespace quarrion
