#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "link/request_processor.h"
#include "link/soap_envelope.h"

namespace quarrion {

// How the Web Connector service judges its callers and paces a session.
struct WebConnectorConfig {
    // The UserName of the application file; the password is checked against the hash.
    std::string userName;
    std::string passwordHash;  // PasswordHash form; an empty or foreign text lets no one in
    // A ticket dies when its session has been silent this long.
    std::chrono::milliseconds ticketLifetime = std::chrono::minutes(30);
    // A session silent this long has lost its Web Connector (a live one calls at least
    // every few seconds), so another may sign in in its place.
    std::chrono::milliseconds sessionQuiet = std::chrono::seconds(20);
    // How long sendRequestXML holds the call open for a request to arrive: the pages of
    // a search follow each other within milliseconds.
    std::chrono::milliseconds followUpWait = std::chrono::seconds(2);
    // How long a session stays open without work ("NoOp": the Web Connector asks again
    // every few seconds), so the next search need not wait for the next scheduled update.
    std::chrono::milliseconds idleLinger = std::chrono::minutes(2);
    // Whether connections and refusals go to the error log (the link's LogErrors).
    bool logEvents = true;
    std::filesystem::path errorLog;  // empty: nothing is logged
};

// One qbXML request on its way to QuickBooks through the Web Connector and back.
// Created by Submit; its fields are guarded by the service's lock.
struct WebConnectorJob {
    enum class State { Queued, Sent, Answered, Failed, Withdrawn };
    std::string request;
    State state = State::Queued;
    std::string response;      // when Answered
    ProcessorFailure failure;  // when Failed
};

// The Web Connector's side of the conversation, without the HTTP: the callers are
// judged, the session kept and the queued qbXML requests handed out and answered. Every
// member is safe to call from any thread (the HTTP server runs calls on several).
//
// One session at a time: a Web Connector signs in with the configured user and
// password and gets a random ticket, good for calls from the same address until the
// session closes or has been silent for the ticket lifetime. Requests are queued by the
// link's processors and handed out one at a time in the order queued.
class WebConnectorService {
  public:
    explicit WebConnectorService(WebConnectorConfig config);

    // Answers one SOAP call from `peer` (the caller's address) with a reply envelope.
    // `fault` is set when the call is none the service knows (the reply is a fault).
    std::string Handle(const Soap::Call& call, const std::string& peer, bool& fault);

    // Queues a qbXML request message set for the next Web Connector session.
    std::shared_ptr<WebConnectorJob> Submit(std::string request);

    // Waits until the job is answered or failed, until `deadline`, or until `cancel`
    // turns true; a job not answered by then is withdrawn (an answer arriving later is
    // dropped) and a failure is returned. `changed` is told when the job is handed to
    // the Web Connector (called without the lock held, on the waiting thread).
    ProcessResult Wait(const std::shared_ptr<WebConnectorJob>& job,
                       std::chrono::steady_clock::time_point deadline,
                       const std::atomic<bool>* cancel,
                       const std::function<void(WebConnectorJob::State)>& changed);

    // The service is about to stop: a session waiting for work is told there is none
    // (sendRequestXML answers "" at once, receiveResponseXML 100), so the Web Connector
    // closes it cleanly. Then waits up to `grace` for the open session to close while
    // the Web Connector is calling.
    void Finish(std::chrono::milliseconds grace);

    // What the connection is doing, for a person watching it.
    struct Status {
        bool sessionOpen = false;
        std::string peer;           // the Web Connector's address in the open session
        std::string companyFile;    // the company file QuickBooks has open, as last reported
        std::string clientVersion;  // the Web Connector's version, as last reported
        std::size_t queued = 0;     // requests waiting for the Web Connector
        bool sent = false;          // a request is with QuickBooks now
        std::size_t answered = 0;   // answers received since the service started
        std::optional<std::chrono::system_clock::time_point> lastContact;
        std::string lastEvent;  // the last connection or refusal, as logged
    };
    Status CurrentStatus() const;

    // Writes a connection event to the error log (severity "Info", "Warn" or "Error")
    // and keeps it as the last event.
    void LogEvent(std::string_view severity, std::string message);

  private:
    using Clock = std::chrono::steady_clock;

    struct Session {
        std::string ticket;
        std::string peer;
        Clock::time_point lastCall;
        Clock::time_point lastWork;
        std::shared_ptr<WebConnectorJob> inFlight;
        std::string lastError;  // what getLastError answers
        std::size_t answered = 0;
    };

    std::string ServerVersion();
    std::string ClientVersion(const Soap::Call& call);
    // The ticket and what the Web Connector is to do ("", "none", "nvu", "busy").
    std::vector<std::string> Authenticate(const Soap::Call& call, const std::string& peer);
    std::string SendRequest(const Soap::Call& call, const std::string& peer);
    int ReceiveResponse(const Soap::Call& call, const std::string& peer);
    std::string ConnectionError(const Soap::Call& call, const std::string& peer);
    std::string GetLastError(const Soap::Call& call, const std::string& peer);
    std::string CloseConnection(const Soap::Call& call, const std::string& peer);

    // The open session the ticket belongs to, called from `peer`, or nullptr (the call
    // is logged as refused). Expired sessions are ended here. Needs the lock.
    Session* SessionOf(const std::string& ticket, const std::string& peer, std::string_view method);
    // Ends the open session; a request handed out and not answered goes back to the
    // front of the queue. Needs the lock.
    void EndSession();
    bool SessionLive(Clock::time_point now) const;
    void LogLocked(std::string_view severity, std::string message);

    WebConnectorConfig config_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<WebConnectorJob>> queue_;
    std::optional<Session> session_;
    std::string clientVersion_;
    std::string companyFile_;
    std::size_t answered_ = 0;
    std::optional<std::chrono::system_clock::time_point> lastContact_;
    std::string lastEvent_;
    bool finishing_ = false;
    int callsInProgress_ = 0;
};

}  // namespace quarrion
