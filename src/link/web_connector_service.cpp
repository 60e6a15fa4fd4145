#include "link/web_connector_service.h"

#include <algorithm>

#include "link/error_log.h"
#include "link/password_hash.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// authenticate's second string: what the Web Connector is to do.
constexpr std::string_view kUseOpenCompany = "";
constexpr std::string_view kNoWork = "none";
constexpr std::string_view kNotValidUser = "nvu";
constexpr std::string_view kBusy = "busy";
// getLastError's answer that keeps the session open: the Web Connector asks again soon.
constexpr std::string_view kNoOp = "NoOp";
// receiveResponseXML's answers.
constexpr int kFinished = 100;
constexpr int kFailed = -1;

constexpr std::string_view kServerVersion = "Quarrion Web Connector service 1.0";
constexpr std::string_view kUnknownTicket =
    "Quarrion does not know this session ticket, or the session has ended. The Web "
    "Connector signs in again at its next update.";

// 128 random bits in the shape of a GUID (the Web Connector suggests GUIDs, and every
// bit is random rather than a version-4 GUID's 122).
std::string NewTicket() {
    std::string bytes = RandomBytes(16);
    if (bytes.empty()) return {};
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string ticket;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) ticket += '-';
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        ticket += kHex[byte >> 4];
        ticket += kHex[byte & 0x0F];
    }
    return ticket;
}

// A refused or unusable ticket: random too, so a caller learns nothing from it.
std::string Decoy() {
    std::string ticket = NewTicket();
    return ticket.empty() ? std::string("0") : ticket;
}

std::string WithHresult(const std::string& message, const std::string& hresult) {
    std::string text = message.empty() ? std::string("no message") : message;
    if (!hresult.empty()) text += " (" + hresult + ")";
    return text;
}

}  // namespace

WebConnectorService::WebConnectorService(WebConnectorConfig config) : config_(std::move(config)) {}

std::string WebConnectorService::Handle(const Soap::Call& call, const std::string& peer,
                                        bool& fault) {
    fault = false;
    {
        std::lock_guard lock(mutex_);
        lastContact_ = std::chrono::system_clock::now();
        ++callsInProgress_;
    }
    struct Done {
        WebConnectorService* service;
        ~Done() {
            std::lock_guard lock(service->mutex_);
            --service->callsInProgress_;
            service->changed_.notify_all();
        }
    } done{this};
    const std::string& method = call.method;
    if (method == "serverVersion") return Soap::StringReply(method, ServerVersion());
    if (method == "clientVersion") return Soap::StringReply(method, ClientVersion(call));
    if (method == "authenticate") {
        return Soap::StringArrayReply(method, Authenticate(call, peer));
    }
    if (method == "sendRequestXML") return Soap::StringReply(method, SendRequest(call, peer));
    if (method == "receiveResponseXML") {
        return Soap::IntReply(method, ReceiveResponse(call, peer));
    }
    if (method == "connectionError") return Soap::StringReply(method, ConnectionError(call, peer));
    if (method == "getLastError") return Soap::StringReply(method, GetLastError(call, peer));
    if (method == "closeConnection") return Soap::StringReply(method, CloseConnection(call, peer));
    fault = true;
    LogEvent("Warn", "Refused a call from " + peer +
                         ": Quarrion's Web Connector service has no "
                         "operation \"" +
                         method + "\".");
    return Soap::Fault("Client", "Unknown operation: " + method);
}

std::string WebConnectorService::ServerVersion() {
    return std::string(kServerVersion);
}

std::string WebConnectorService::ClientVersion(const Soap::Call& call) {
    std::lock_guard lock(mutex_);
    clientVersion_ = call.Parameter("strVersion");
    return {};  // every Web Connector version may go on
}

std::vector<std::string> WebConnectorService::Authenticate(const Soap::Call& call,
                                                           const std::string& peer) {
    const std::string user = call.Parameter("strUserName");
    // The hash is checked even for a wrong user, so the time taken tells nothing.
    const bool passwordOk =
        PasswordHash::Verify(call.Parameter("strPassword"), config_.passwordHash);
    const bool userOk = !config_.userName.empty() && user == config_.userName;
    std::lock_guard lock(mutex_);
    if (!passwordOk || !userOk) {
        LogLocked("Warn", "Refused the Web Connector at " + peer +
                              ": wrong user name or password "
                              "(user \"" +
                              user + "\").");
        return {Decoy(), std::string(kNotValidUser)};
    }
    const Clock::time_point now = Clock::now();
    // The same Web Connector signing in again has lost its session; another one waits.
    if (SessionLive(now) && session_->peer != peer) {
        LogLocked("Warn", "Refused the Web Connector at " + peer +
                              ": another Web Connector "
                              "session (from " +
                              session_->peer + ") is open.");
        return {Decoy(), std::string(kBusy)};
    }
    if (session_) {
        LogLocked("Info", "The Web Connector session from " + session_->peer +
                              " was replaced by a new sign-in.");
        EndSession();
    }
    if (queue_.empty()) {
        LogLocked("Info", "The Web Connector at " + peer + " signed in as \"" + user +
                              "\"; Quarrion has no requests now.");
        return {Decoy(), std::string(kNoWork)};
    }
    std::string ticket = NewTicket();
    if (ticket.empty()) {
        LogLocked("Error", "Refused the Web Connector at " + peer +
                               ": no random session ticket could be made.");
        return {Decoy(), std::string(kBusy)};
    }
    session_ = Session{ticket, peer, now, now, nullptr, {}, 0};
    LogLocked("Info", "The Web Connector at " + peer + " signed in as \"" + user +
                          "\"; session opened with " + std::to_string(queue_.size()) +
                          " request(s) waiting.");
    return {ticket, std::string(kUseOpenCompany)};
}

std::string WebConnectorService::SendRequest(const Soap::Call& call, const std::string& peer) {
    std::unique_lock lock(mutex_);
    Session* session = SessionOf(call.Parameter("ticket"), peer, "sendRequestXML");
    if (!session) return {};
    if (std::string file = call.Parameter("strCompanyFileName"); !file.empty()) {
        companyFile_ = file;
    }
    if (session->inFlight) {
        // The Web Connector asks again without answering: the request was lost on its
        // way, so it is sent once more.
        session->inFlight->state = WebConnectorJob::State::Queued;
        queue_.push_front(std::move(session->inFlight));
        session->inFlight = nullptr;
    }
    const Clock::time_point until = Clock::now() + config_.followUpWait;
    changed_.wait_until(lock, until, [&] { return !queue_.empty() || !session_ || finishing_; });
    // The session may have been ended while the lock was let go.
    session = session_ && session_->ticket == call.Parameter("ticket") ? &*session_ : nullptr;
    if (!session) return {};
    const Clock::time_point now = Clock::now();
    session->lastCall = now;
    if (queue_.empty()) {
        session->lastError = !finishing_ && now - session->lastWork < config_.idleLinger
                                 ? std::string(kNoOp)
                                 : std::string("Quarrion has no more requests.");
        return {};
    }
    std::shared_ptr<WebConnectorJob> job = std::move(queue_.front());
    queue_.pop_front();
    job->state = WebConnectorJob::State::Sent;
    session->inFlight = job;
    session->lastError.clear();
    changed_.notify_all();
    return job->request;
}

int WebConnectorService::ReceiveResponse(const Soap::Call& call, const std::string& peer) {
    std::lock_guard lock(mutex_);
    Session* session = SessionOf(call.Parameter("ticket"), peer, "receiveResponseXML");
    if (!session) return kFailed;
    const Clock::time_point now = Clock::now();
    session->lastWork = now;
    std::shared_ptr<WebConnectorJob> job = std::move(session->inFlight);
    session->inFlight = nullptr;
    const std::string response = call.Parameter("response");
    const std::string hresult = call.Parameter("hresult");
    const std::string message = call.Parameter("message");
    if (response.empty() && (!hresult.empty() || !message.empty())) {
        std::string text =
            "QuickBooks could not run Quarrion's request: " + WithHresult(message, hresult);
        LogLocked("Error", text);
        if (job && job->state == WebConnectorJob::State::Sent) {
            job->state = WebConnectorJob::State::Failed;
            job->failure = {LinkError::QuickBooksConnectionFailed, text};
        }
        session->lastError = text;
        changed_.notify_all();
        return kFailed;
    }
    if (job && job->state == WebConnectorJob::State::Sent) {
        job->state = WebConnectorJob::State::Answered;
        job->response = response;
        ++session->answered;
        ++answered_;
        changed_.notify_all();
    }
    if (queue_.empty() && (finishing_ || config_.idleLinger.count() <= 0)) return kFinished;
    // Never 100 while the session lingers for more work; never 0, which the Web
    // Connector does not read as progress.
    const std::size_t done = session->answered;
    const std::size_t total = done + queue_.size();
    int percent = total == 0 ? 1 : static_cast<int>(done * 100 / total);
    return std::clamp(percent, 1, 99);
}

std::string WebConnectorService::ConnectionError(const Soap::Call& call, const std::string& peer) {
    std::lock_guard lock(mutex_);
    Session* session = SessionOf(call.Parameter("ticket"), peer, "connectionError");
    if (!session) return "done";
    std::string text = "The Web Connector could not open the QuickBooks company: " +
                       WithHresult(call.Parameter("message"), call.Parameter("hresult"));
    LogLocked("Error", text);
    // The requests waiting now cannot be answered in this session: they fail at once
    // rather than wait out their time.
    if (session->inFlight) queue_.push_front(std::move(session->inFlight));
    for (const std::shared_ptr<WebConnectorJob>& job : queue_) {
        job->state = WebConnectorJob::State::Failed;
        job->failure = {LinkError::QuickBooksConnectionFailed, text};
    }
    queue_.clear();
    session_.reset();
    changed_.notify_all();
    return "done";
}

std::string WebConnectorService::GetLastError(const Soap::Call& call, const std::string& peer) {
    std::lock_guard lock(mutex_);
    Session* session = SessionOf(call.Parameter("ticket"), peer, "getLastError");
    if (!session) return std::string(kUnknownTicket);
    return session->lastError.empty() ? std::string("No error.") : session->lastError;
}

std::string WebConnectorService::CloseConnection(const Soap::Call& call, const std::string& peer) {
    std::lock_guard lock(mutex_);
    Session* session = SessionOf(call.Parameter("ticket"), peer, "closeConnection");
    if (!session) return "Quarrion's session had already ended.";
    std::string summary = "OK: QuickBooks answered " + std::to_string(session->answered) +
                          " request(s) from Quarrion.";
    LogLocked("Info", "The Web Connector at " + session->peer + " closed its session; " +
                          std::to_string(session->answered) + " request(s) answered.");
    EndSession();
    return summary;
}

WebConnectorService::Session* WebConnectorService::SessionOf(const std::string& ticket,
                                                             const std::string& peer,
                                                             std::string_view method) {
    const Clock::time_point now = Clock::now();
    if (session_ && now - session_->lastCall >= config_.ticketLifetime) {
        LogLocked("Info", "The Web Connector session from " + session_->peer + " expired.");
        EndSession();
    }
    if (!ticket.empty() && session_ && session_->ticket == ticket && session_->peer == peer) {
        session_->lastCall = now;
        return &*session_;
    }
    LogLocked("Warn", "Refused a " + std::string(method) + " call from " + peer +
                          ": unknown or expired session ticket.");
    return nullptr;
}

void WebConnectorService::EndSession() {
    if (!session_) return;
    if (session_->inFlight && session_->inFlight->state == WebConnectorJob::State::Sent) {
        session_->inFlight->state = WebConnectorJob::State::Queued;
        queue_.push_front(std::move(session_->inFlight));
    }
    session_.reset();
    changed_.notify_all();
}

bool WebConnectorService::SessionLive(Clock::time_point now) const {
    return session_ && now - session_->lastCall < config_.sessionQuiet &&
           now - session_->lastCall < config_.ticketLifetime;
}

std::shared_ptr<WebConnectorJob> WebConnectorService::Submit(std::string request) {
    auto job = std::make_shared<WebConnectorJob>();
    job->request = std::move(request);
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(job);
    }
    changed_.notify_all();
    return job;
}

ProcessResult WebConnectorService::Wait(
    const std::shared_ptr<WebConnectorJob>& job, Clock::time_point deadline,
    const std::atomic<bool>* cancel, const std::function<void(WebConnectorJob::State)>& changed) {
    using State = WebConnectorJob::State;
    std::unique_lock lock(mutex_);
    State seen = State::Queued;
    for (;;) {
        if (job->state == State::Answered) return ProcessResult{std::move(job->response), {}, {}};
        if (job->state == State::Failed) return ProcessResult{{}, job->failure, {}};
        const bool cancelled = cancel && cancel->load();
        if (cancelled || Clock::now() >= deadline) {
            const bool wasSent = job->state == State::Sent;
            std::erase(queue_, job);
            job->state = State::Withdrawn;
            if (session_ && session_->inFlight == job) session_->inFlight = nullptr;
            if (cancelled) {
                return ProcessResult::Failed(LinkError::WebConnectorTimedOut,
                                             "The request was cancelled.");
            }
            return ProcessResult::Failed(
                LinkError::WebConnectorTimedOut,
                wasSent ? std::string("QuickBooks did not answer through the Web Connector in "
                                      "time.")
                        : std::string("The QuickBooks Web Connector did not call in time. Is "
                                      "it running beside QuickBooks, with Quarrion's "
                                      "application added and its password entered?"));
        }
        if (job->state != seen) {
            seen = job->state;
            if (changed) {
                lock.unlock();
                changed(seen);
                lock.lock();
            }
            continue;
        }
        // Short slices, so a cancel is seen quickly.
        changed_.wait_until(lock,
                            std::min(deadline, Clock::now() + std::chrono::milliseconds(100)));
    }
}

void WebConnectorService::Finish(std::chrono::milliseconds grace) {
    std::unique_lock lock(mutex_);
    finishing_ = true;
    changed_.notify_all();
    // Only a Web Connector in the middle of its calls is waited for: one pausing
    // between "NoOp" polls comes back too late to be worth holding the caller.
    const Clock::time_point until = Clock::now() + grace;
    while (session_ && Clock::now() < until &&
           (callsInProgress_ > 0 || Clock::now() - session_->lastCall < std::chrono::seconds(1))) {
        changed_.wait_for(lock, std::chrono::milliseconds(20));
    }
}

WebConnectorService::Status WebConnectorService::CurrentStatus() const {
    std::lock_guard lock(mutex_);
    Status status;
    const Clock::time_point now = Clock::now();
    status.sessionOpen = session_ && now - session_->lastCall < config_.ticketLifetime;
    if (status.sessionOpen) {
        status.peer = session_->peer;
        status.sent = session_->inFlight != nullptr;
    }
    status.companyFile = companyFile_;
    status.clientVersion = clientVersion_;
    status.queued = queue_.size();
    status.answered = answered_;
    status.lastContact = lastContact_;
    status.lastEvent = lastEvent_;
    return status;
}

void WebConnectorService::LogEvent(std::string_view severity, std::string message) {
    std::lock_guard lock(mutex_);
    LogLocked(severity, std::move(message));
}

void WebConnectorService::LogLocked(std::string_view severity, std::string message) {
    lastEvent_ = message;
    if (!config_.logEvents || config_.errorLog.empty()) return;
    // The event stays readable as the last event even when the log cannot be written.
    static_cast<void>(
        ErrorLog(config_.errorLog).Append({"", 0, std::string(severity), std::move(message)}));
}

}  // namespace quarrion
