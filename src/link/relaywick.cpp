#include "link/relaywick.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <future>
#include <limits>
#include <map>
#include <unordered_map>

#include <pugixml.hpp>

#include "foundation/app_paths.h"
#include "link/configured_processor.h"
#include "link/error_log.h"
#include "link/link_settings.h"
#include "link/qbxml_request_builder.h"
#include "link/records_response.h"
#include "qbxml/qbxml_document.h"
#include "qbxml/request_type_info.h"
#include "qbxml/to_print_list.h"

namespace quarrion {

namespace {

// "9000" -> "9,000".
std::string Thousands(std::size_t number) {
    std::string digits = std::to_string(number);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace

// What posted events reach. The owner's thread alone reads and writes it; `alive`
// turns false when the instance dies, so events still queued then are dropped.
struct Relaywick::Shared {
    std::atomic<bool> alive{true};
    RelaywickEvents events;
};

// The worker thread's side of an instance: the processor and everything a job needs.
class Relaywick::Session {
  public:
    Session(PostToOwner post, std::shared_ptr<Shared> shared, ProcessorFactory makeProcessor,
            std::filesystem::path dataFolder, const std::atomic<bool>& cancel)
        : post_(std::move(post)),
          shared_(std::move(shared)),
          makeProcessor_(std::move(makeProcessor)),
          dataFolder_(std::move(dataFolder)),
          cancel_(cancel) {}

    void Records(LinkDate from, LinkDate to, std::int32_t dateFilter, std::int32_t maxCount,
                 std::string typeName, std::int32_t requestType);
    std::string ToPrint(std::int32_t requestType, const std::string& entryList, bool toPrint,
                        std::int32_t batchSize, bool skipCheck);
    void Open(std::string recordId, std::int32_t requestType);

    void Message(std::int32_t requestType, std::string text, bool done, std::string file) {
        post_(
            [shared = shared_, requestType, text = std::move(text), done, file = std::move(file)] {
                if (shared->alive && shared->events.Message) {
                    shared->events.Message(requestType, text, done, file);
                }
            });
    }
    void PopUp(std::int32_t code, std::string message) {
        post_([shared = shared_, code, message = std::move(message)] {
            if (shared->alive && shared->events.PopUp) shared->events.PopUp(code, message);
        });
    }
    void Response(std::int32_t requestType, std::string response, std::string context) {
        // Shared, never copied, and moved out when delivered: a large answer exists once.
        auto text = std::make_shared<std::string>(std::move(response));
        post_([shared = shared_, requestType, text, context = std::move(context)] {
            if (shared->alive && shared->events.Response) {
                shared->events.Response(requestType, std::move(*text), std::string(), context);
            }
        });
    }

  private:
    RequestProcessor* Processor(ProcessorFailure& failure);
    void Log(bool enabled, std::string_view typeName, std::int32_t code, std::string severity,
             std::string message);
    // A failure to reach the company data: logged, popped up once per run of queued
    // requests, and, for a records request, reported as done for the type.
    void Failed(bool logEnabled, const RequestType* type, std::int32_t requestType,
                const ProcessorFailure& failure, const std::string& file, bool records = true);

    PostToOwner post_;
    std::shared_ptr<Shared> shared_;
    ProcessorFactory makeProcessor_;
    std::filesystem::path dataFolder_;
    const std::atomic<bool>& cancel_;
    std::unique_ptr<RequestProcessor> processor_;
    std::int32_t currentType_ = 0;  // the request type of the job in hand
    // When each failure last popped up. The requests of one search fail together (the
    // main window closes every window after a pop-up), so the same failure within a
    // short while is not shown again; a later search that meets it is told again.
    std::map<std::pair<std::int32_t, std::string>, std::chrono::steady_clock::time_point> shown_;
};

RequestProcessor* Relaywick::Session::Processor(ProcessorFailure& failure) {
    if (!processor_) {
        processor_ = makeProcessor_
                         ? makeProcessor_()
                         : MakeConfiguredProcessor(LinkSettings::Load(dataFolder_), dataFolder_);
        if (processor_) {
            // A waiting processor's progress belongs to the request type in hand.
            processor_->SetWaitHooks(
                [this](const std::string& text) {
                    Message(currentType_, text, false, processor_->FileText());
                },
                &cancel_);
        }
    }
    if (!processor_) {
        failure = {LinkError::ProcessorMissing,
                   RequestTypeInfo::ErrorText(LinkError::ProcessorMissing)};
    }
    return processor_.get();
}

void Relaywick::Session::Log(bool enabled, std::string_view typeName, std::int32_t code,
                             std::string severity, std::string message) {
    if (!enabled) return;
    // A log that cannot be written has nowhere to report itself; the request's own
    // answer still tells the caller what went wrong.
    static_cast<void>(
        ErrorLog(ErrorLog::PathIn(dataFolder_))
            .Append({std::string(typeName), code, std::move(severity), std::move(message)}));
}

void Relaywick::Session::Failed(bool logEnabled, const RequestType* type, std::int32_t requestType,
                                const ProcessorFailure& failure, const std::string& file,
                                bool records) {
    std::string typeName = type ? std::string(type->stem) : std::string();
    Log(logEnabled, typeName, failure.code, "Error", failure.message);
    const auto now = std::chrono::steady_clock::now();
    auto [last, first] = shown_.try_emplace({failure.code, failure.message}, now);
    if (first || now - last->second > std::chrono::seconds(2)) {
        last->second = now;
        PopUp(failure.code, failure.message);
    }
    if (!records) return;
    std::string title = type ? std::string(type->title) : "the requested";
    Message(requestType, "Could not get " + title + " records: " + failure.message, true, file);
}

void Relaywick::Session::Records(LinkDate from, LinkDate to, std::int32_t dateFilter,
                                 std::int32_t maxCount, std::string typeName,
                                 std::int32_t requestType) {
    currentType_ = requestType;
    const LinkSettings settings = LinkSettings::Load(dataFolder_);
    const bool logEnabled = settings.LogErrors;
    const RequestType* type = RequestTypeInfo::Find(requestType);
    if (!type) type = RequestTypeInfo::FindByName(typeName);
    if (!type) {
        std::string message = "The request type " + std::to_string(requestType) + " (\"" +
                              typeName + "\") is not one Quarrion can ask QuickBooks for.";
        Log(logEnabled, typeName, LinkError::RequestRejected, "Error", message);
        Message(requestType, message, true, "");
        return;
    }
    ProcessorFailure failure;
    RequestProcessor* processor = Processor(failure);
    if (!processor) {
        Failed(logEnabled, type, requestType, failure, "");
        return;
    }
    const std::string file = processor->FileText();
    const std::string title(type->title);
    const std::size_t cap =
        maxCount > 0 ? static_cast<std::size_t>(maxCount) : std::numeric_limits<std::size_t>::max();
    const std::size_t pageSize = static_cast<std::size_t>(std::max(1, settings.PageSize));
    const bool walking = QbxmlRequestBuilder::SupportsIterator(type->code);

    Message(requestType, "Requesting " + title + " records ...", false, file);
    RecordsQuery query;
    query.requestType = type->code;
    query.fromDate = from;
    query.toDate = to;
    query.dateFilter = dateFilter;
    query.iterator = walking ? IteratorStep::Start : IteratorStep::None;
    RecordsResponse answer{std::string(type->stem)};
    QueryPageInfo page;

    for (int number = 1;; ++number) {
        if (cancel_) return;
        std::size_t wanted = cap - answer.RecordCount();
        std::size_t ask = walking ? std::min(pageSize, wanted) : wanted;
        query.maxReturned =
            ask >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
                ? 0
                : static_cast<std::int32_t>(ask);
        query.requestId = std::to_string(number);
        ProcessResult result =
            processor->ProcessRequest(QbxmlRequestBuilder::RecordsQueryRequest(query));
        if (!result.Ok()) {
            Failed(logEnabled, type, requestType, result.failure, file);
            return;
        }
        if (std::string error = answer.AddPage(result.response, wanted, page, result.recordSpans);
            !error.empty()) {
            Failed(logEnabled, type, requestType, {LinkError::ResponseUnreadable, error}, file);
            return;
        }
        if (page.status.IsError()) {
            // An error answer is a failure of the type, never an empty list: logged,
            // shown in a pop-up and in the type's status with QuickBooks' own words.
            Failed(logEnabled, type, requestType,
                   {page.status.code, "QuickBooks refused the " + title + " request (" +
                                          std::to_string(page.status.code) +
                                          "): " + page.status.message},
                   file);
            return;
        }
        if (page.status.severity == "Warn") {
            Log(logEnabled, type->stem, page.status.code, page.status.severity,
                page.status.message);
        }
        bool more =
            walking && page.remaining > 0 && !page.iteratorId.empty() && answer.RecordCount() < cap;
        if (more && page.recordsInPage == 0) {
            // A walk that promises more but delivers nothing would never end.
            Failed(logEnabled, type, requestType,
                   {LinkError::ResponseUnreadable,
                    "The " + title + " answer promised more records but sent none."},
                   file);
            return;
        }
        if (!more) {
            if (walking && page.remaining > 0 && !page.iteratorId.empty()) {
                // The cap was reached: end the walk so QuickBooks can let it go.
                query.iterator = IteratorStep::Stop;
                query.iteratorId = page.iteratorId;
                query.requestId = std::to_string(number + 1);
                processor->ProcessRequest(QbxmlRequestBuilder::RecordsQueryRequest(query));
            }
            break;
        }
        std::size_t total = std::min(cap, answer.RecordCount() + page.remaining);
        Message(requestType,
                "Received " + Thousands(answer.RecordCount()) + " of " + Thousands(total) + " " +
                    title + " records ...",
                false, file);
        query.iterator = IteratorStep::Continue;
        query.iteratorId = page.iteratorId;
    }
    if (cancel_) return;
    std::size_t count = answer.RecordCount();
    // Records left at the limit: those of the last page not taken, and those a walk
    // still had. A type read without a walk that filled its limit may have more,
    // uncounted.
    std::size_t unsearched = page.recordsInPage - page.recordsTaken;
    if (walking && !page.iteratorId.empty()) unsearched += page.remaining;
    if (unsearched > 0 || (!walking && maxCount > 0 && count >= cap)) {
        answer.MarkLimitReached(unsearched);
    }
    Message(requestType,
            count == 0 ? "No " + title + " records found."
                       : "Received " + Thousands(count) + " " + title + " records.",
            false, file);
    Response(requestType, answer.Finish(), processor->Context());
}

std::string Relaywick::Session::ToPrint(std::int32_t requestType, const std::string& entryList,
                                        bool toPrint, std::int32_t batchSize, bool skipCheck) {
    currentType_ = requestType;
    const bool logEnabled = LinkSettings::Load(dataFolder_).LogErrors;
    const RequestType* type = RequestTypeInfo::Find(requestType);
    const std::string typeName = type ? std::string(type->stem) : std::to_string(requestType);
    std::vector<ToPrintEntry> entries = ParseToPrintEntries(entryList);
    if (entries.empty()) return {};
    if (!type || type->toPrintCategory == PrintCategory::None) {
        Log(logEnabled, typeName, LinkError::RequestRejected, "Error",
            "The to-be-printed state exists only for invoices, purchase orders, sales orders "
            "and credit memos; nothing was changed.");
        return {};
    }
    const std::string title(type->title);
    const std::string stem(type->stem);
    // Element names outlive every loop that looks them up (pugixml keeps the pointer).
    const std::string queryRsName = stem + "QueryRs";
    const std::string modRsName = stem + "ModRs";
    const std::string recordName = stem + "Ret";
    const std::size_t batch = static_cast<std::size_t>(std::max(1, batchSize));

    auto leftOut = [&](const ToPrintEntry& entry, std::int32_t code, const std::string& why) {
        Log(logEnabled, typeName, code, "Error",
            title + " " + (entry.txnId.empty() ? "(no TxnID)" : entry.txnId) + " (row " +
                entry.key + ") was left out: " + why);
    };

    ProcessorFailure failure;
    RequestProcessor* processor = Processor(failure);
    if (!processor) {
        Failed(logEnabled, type, requestType, failure, "", false);
        return {};
    }

    // Entries that can be sent at all.
    std::vector<std::size_t> usable;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ToPrintEntry& entry = entries[i];
        if (!entry.wellFormed || entry.key.empty()) {
            leftOut(entry, LinkError::RequestRejected,
                    "the entry is not \"TxnID<TAB>EditSequence<TAB>key\".");
        } else if (entry.txnId.empty()) {
            leftOut(entry, LinkError::RequestRejected, "the record has no TxnID.");
        } else {
            usable.push_back(i);
        }
    }

    // Read again what must be checked, and what lacks an edit sequence to send.
    std::vector<std::size_t> reread;
    for (std::size_t i : usable) {
        if (!skipCheck || !entries[i].hasEditSequence) reread.push_back(i);
    }
    std::vector<bool> keep(entries.size(), false);
    for (std::size_t i : usable) keep[i] = true;
    for (std::size_t start = 0; start < reread.size(); start += batch) {
        std::size_t end = std::min(reread.size(), start + batch);
        std::vector<std::string> ids;
        for (std::size_t k = start; k < end; ++k) ids.push_back(entries[reread[k]].txnId);
        ProcessResult result = processor->ProcessRequest(
            QbxmlRequestBuilder::ReReadRequest(type->code, ids, std::to_string(start / batch + 1)));
        if (!result.Ok()) {
            Failed(logEnabled, type, requestType, result.failure, processor->FileText(), false);
            return {};
        }
        pugi::xml_document doc;
        std::string error = Qbxml::Load(doc, result.response);
        pugi::xml_node rs = doc.child("QBXML").child("QBXMLMsgsRs").child(queryRsName.c_str());
        if (error.empty() && !rs) error = "The answer holds no " + stem + "QueryRs element.";
        if (!error.empty()) {
            Failed(logEnabled, type, requestType, {LinkError::ResponseUnreadable, error},
                   processor->FileText(), false);
            return {};
        }
        QbxmlStatus status = QbxmlStatus::Of(rs);
        std::unordered_map<std::string, std::string> current;
        if (!status.IsError()) {
            for (pugi::xml_node record : rs.children(recordName.c_str())) {
                current.emplace(Qbxml::ChildText(record, "TxnID"),
                                Qbxml::ChildText(record, "EditSequence"));
            }
        }
        for (std::size_t k = start; k < end; ++k) {
            ToPrintEntry& entry = entries[reread[k]];
            auto found = current.find(entry.txnId);
            if (status.IsError()) {
                keep[reread[k]] = false;
                leftOut(entry, status.code, "reading it again failed: " + status.message);
            } else if (found == current.end()) {
                keep[reread[k]] = false;
                leftOut(entry, QbxmlStatus::ObjectNotFound, "the transaction no longer exists.");
            } else if (entry.hasEditSequence && found->second != entry.editSequence) {
                keep[reread[k]] = false;
                leftOut(entry, LinkError::EditSequenceOutOfDate,
                        "it was changed since the search (edit sequence " + entry.editSequence +
                            ", now " + found->second + ").");
            } else {
                entry.editSequence = found->second;
            }
        }
    }

    std::vector<std::size_t> send;
    for (std::size_t i : usable) {
        if (keep[i]) send.push_back(i);
    }
    std::vector<ToPrintResult> results;
    bool abandoned = false;
    for (std::size_t start = 0; start < send.size() && !abandoned && !cancel_; start += batch) {
        std::size_t end = std::min(send.size(), start + batch);
        std::vector<ToPrintChange> changes;
        for (std::size_t k = start; k < end; ++k) {
            const ToPrintEntry& entry = entries[send[k]];
            changes.push_back({entry.txnId, entry.editSequence, std::to_string(send[k])});
        }
        ProcessResult result = processor->ProcessRequest(
            QbxmlRequestBuilder::ToPrintRequest(type->code, changes, toPrint));
        pugi::xml_document doc;
        std::string error;
        if (!result.Ok()) {
            Failed(logEnabled, type, requestType, result.failure, processor->FileText(), false);
            abandoned = true;
            continue;
        }
        error = Qbxml::Load(doc, result.response);
        if (!error.empty()) {
            // The batch may have been applied; keep what earlier batches reported.
            Failed(logEnabled, type, requestType, {LinkError::ResponseUnreadable, error},
                   processor->FileText(), false);
            abandoned = true;
            continue;
        }
        std::map<std::string, pugi::xml_node> answers;
        for (pugi::xml_node rs :
             doc.child("QBXML").child("QBXMLMsgsRs").children(modRsName.c_str())) {
            answers.emplace(rs.attribute("requestID").value(), rs);
        }
        for (std::size_t k = start; k < end; ++k) {
            const ToPrintEntry& entry = entries[send[k]];
            auto found = answers.find(std::to_string(send[k]));
            if (found == answers.end()) {
                leftOut(entry, LinkError::ResponseUnreadable, "QuickBooks gave no answer for it.");
                continue;
            }
            QbxmlStatus status = QbxmlStatus::Of(found->second);
            pugi::xml_node record = found->second.child(recordName.c_str());
            if (status.code == QbxmlStatus::EditSequenceOutOfDate) {
                leftOut(entry, status.code,
                        "it was changed since the search (QuickBooks: " + status.message + ").");
            } else if (status.IsError() || !record) {
                leftOut(entry, status.code, "QuickBooks refused the change: " + status.message);
            } else {
                results.push_back({entry.key, Qbxml::ChildText(record, "IsToBePrinted").data(),
                                   Qbxml::ChildText(record, "EditSequence").data()});
            }
        }
    }
    if (ProcessorFailure saved = processor->SaveChanges()) {
        // The processor went back to its last saved state: nothing reported happened.
        Failed(logEnabled, type, requestType, saved, processor->FileText(), false);
        return {};
    }
    return FormatToPrintResults(results);
}

void Relaywick::Session::Open(std::string recordId, std::int32_t requestType) {
    ProcessorFailure failure;
    RequestProcessor* processor = Processor(failure);
    if (processor) failure = processor->OpenRecord(recordId, requestType);
    if (failure) PopUp(failure.code, failure.message);
}

Relaywick::Relaywick(PostToOwner postToOwner, ProcessorFactory makeProcessor)
    : post_(std::move(postToOwner)),
      makeProcessor_(std::move(makeProcessor)),
      dataFolder_(DataFolder()),
      shared_(std::make_shared<Shared>()) {
    // Programmer error: without a way to reach the owner no event could ever arrive.
    assert(post_);
    session_ = std::make_unique<Session>(post_, shared_, makeProcessor_, dataFolder_, cancel_);
}

Relaywick::~Relaywick() {
    shared_->alive = false;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        cancel_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    if (worker_.joinable()) worker_.join();
    // The processor goes with the session; a sample company saves what it still holds.
    session_.reset();
}

RelaywickEvents& Relaywick::Events() {
    return shared_->events;
}

void Relaywick::Enqueue(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        if (!worker_.joinable()) worker_ = std::thread(&Relaywick::WorkerLoop, this);
    }
    wake_.notify_one();
}

void Relaywick::WorkerLoop() {
    for (;;) {
        std::function<void()> job;
        bool viewer = false;
        {
            std::unique_lock lock(mutex_);
            auto ready = [&] { return stopping_ || !jobs_.empty(); };
            if (logViewer_) {
                wake_.wait_for(lock, std::chrono::milliseconds(250), ready);
            } else {
                wake_.wait(lock, ready);
            }
            if (stopping_) return;
            viewer = logViewer_;
            if (!jobs_.empty()) {
                job = std::move(jobs_.front());
                jobs_.pop_front();
            }
        }
        if (job) {
            try {
                job();
            } catch (const std::exception& e) {
                // Nowhere else to report a log that cannot be written.
                static_cast<void>(
                    ErrorLog(ErrorLog::PathIn(dataFolder_))
                        .Append({"", LinkError::RequestRejected, "Error",
                                 std::string("The link stopped a request: ") + e.what()}));
            }
        }
        if (viewer) CheckErrorLog();
    }
}

void Relaywick::CheckErrorLog() {
    std::string stamp = ErrorLog(ErrorLog::PathIn(dataFolder_)).Stamp();
    {
        std::lock_guard lock(mutex_);
        if (stamp == logStamp_) return;
        logStamp_ = stamp;
    }
    session_->Message(0, "The error log changed.", true, "");
}

void Relaywick::RequestRecords(const LinkDate& fromDate, const LinkDate& toDate,
                               std::int32_t dateFilter, std::int32_t maxCount, const std::string&,
                               const std::string& requestTypeName, const std::string&,
                               std::int32_t requestType) {
    Enqueue([this, fromDate, toDate, dateFilter, maxCount, requestTypeName, requestType] {
        session_->Records(fromDate, toDate, dateFilter, maxCount, requestTypeName, requestType);
    });
}

void Relaywick::UpdateToPrint(std::int32_t requestType, const std::string& entryList,
                              const std::string&, bool toPrint, std::int32_t batchSize,
                              bool skipEditSequenceCheck, std::string& result) {
    // Queued behind the requests already asked for, so the answers keep their order.
    auto promise = std::make_shared<std::promise<std::string>>();
    std::future<std::string> answer = promise->get_future();
    Enqueue([this, promise, requestType, entryList, toPrint, batchSize, skipEditSequenceCheck] {
        try {
            promise->set_value(session_->ToPrint(requestType, entryList, toPrint, batchSize,
                                                 skipEditSequenceCheck));
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
    try {
        result = answer.get();
    } catch (const std::exception& e) {
        result.clear();
        session_->PopUp(LinkError::RequestRejected,
                        std::string("Setting the to-be-printed state failed: ") + e.what());
    }
}

void Relaywick::OpenRecord(const std::string& recordId, std::int32_t requestType,
                           const std::string&, const std::string&) {
    Enqueue([this, recordId, requestType] { session_->Open(recordId, requestType); });
}

std::string Relaywick::ErrorLogPath() const {
    return ErrorLog::PathIn(dataFolder_).string();
}

void Relaywick::SetLogViewer(bool logViewer) {
    {
        std::lock_guard lock(mutex_);
        if (logViewer && !logViewer_) logStamp_ = ErrorLog(ErrorLog::PathIn(dataFolder_)).Stamp();
        logViewer_ = logViewer;
        if (logViewer && !worker_.joinable()) worker_ = std::thread(&Relaywick::WorkerLoop, this);
    }
    wake_.notify_one();
}

bool Relaywick::LogErrors() const {
    return LinkSettings::Load(dataFolder_).LogErrors;
}

void Relaywick::SetLogErrors(bool logErrors) {
    LinkSettings settings = LinkSettings::Load(dataFolder_);
    settings.LogErrors = logErrors;
    // The menu's check mark is the only answer the window asks for; a settings file
    // that cannot be written leaves logging as it was on the next start.
    static_cast<void>(settings.Save(dataFolder_));
}

void Relaywick::ClearErrorLog() {
    // The error-log window reads the file again and shows what is left.
    static_cast<void>(ErrorLog(ErrorLog::PathIn(dataFolder_)).Clear());
}

}  // namespace quarrion
