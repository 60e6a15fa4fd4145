#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <utility>

#include "link/link_date.h"
#include "link/request_processor.h"

namespace quarrion {

// What a link instance raises. Every handler runs on the owner's thread, through the
// instance's post-to-owner function, and never after the instance is destroyed.
struct RelaywickEvents {
    // Progress or completion of one request type's records. `done` is true only when no
    // Response will follow for that request (it failed); `quickBooksFile` names what the
    // answers come from.
    std::function<void(std::int32_t requestType, const std::string& text, bool done,
                       const std::string& quickBooksFile)>
        Message;
    // An error the user must see: a LinkError code (or QuickBooks' own) and a message.
    std::function<void(std::int32_t errorCode, const std::string& message)> PopUp;
    // All records of one request type: a qbXML response document whose record elements
    // are stem + "Ret". The text is handed over, not copied: a handler that takes it by
    // value owns it (an answer can be tens of megabytes). `unused` is always empty.
    // `responseContext` names the processor.
    std::function<void(std::int32_t requestType, std::string response, const std::string& unused,
                       const std::string& responseContext)>
        Response;
};

// The QuickBooks link. Each results window and each error-log window owns one instance
// and receives its events; instances share nothing but the files of the data folder.
//
// The instance builds qbXML requests from the search's parameters, hands them to a
// request processor (the sample company, response files, ...) on a worker thread of
// its own, and raises the answers as events on the owner's thread. Requests of one
// instance are answered in the order asked. Destroying the instance cancels queued
// work, waits for the request in hand (at most one processor call) and guarantees
// that no event is delivered afterwards.
//
// Every public call belongs on the owner's thread.
class Relaywick {
  public:
    // Runs a task on the owner's thread later, in the order posted (the desktop program
    // queues to the Qt event loop, the terminal tool to an OwnerEventQueue).
    using PostToOwner = std::function<void(std::function<void()>)>;
    // Makes the processor; called on the worker thread at first need. Without one the
    // link settings of the data folder choose it.
    using ProcessorFactory = std::function<std::unique_ptr<RequestProcessor>()>;

    explicit Relaywick(PostToOwner postToOwner, ProcessorFactory makeProcessor = {});
    ~Relaywick();
    Relaywick(const Relaywick&) = delete;
    Relaywick& operator=(const Relaywick&) = delete;

    // The handlers; set them before asking for anything.
    RelaywickEvents& Events();

    // The owner's id (the window counter value).
    std::int32_t Id() const { return id_; }
    void SetId(std::int32_t id) { id_ = id; }

    // Asks for the records of one request type and returns at once. Date filter 1
    // applies the range to the transaction date, 2 to the modified date (for list types
    // only 2 filters); zero dates leave their bound out. `maxCount` caps the records
    // (0 or less: no cap). The type is found by its code, else by its name. Progress
    // comes through Message, the records through one Response; on failure a Message
    // with done true (and, for a failure to reach the company data, a PopUp). The
    // unused text and the XML file path are accepted and not needed.
    void RequestRecords(const LinkDate& fromDate, const LinkDate& toDate, std::int32_t dateFilter,
                        std::int32_t maxCount, const std::string& unused,
                        const std::string& requestTypeName, const std::string& xmlFilePath,
                        std::int32_t requestType);

    // Sets (or clears) the to-be-printed state of the listed transactions and waits for
    // it. `entryList` and `result` use the to-print list formats (to_print_list.h).
    // With `skipEditSequenceCheck` false every transaction is first read again and one
    // whose edit sequence changed since the search is logged and left out; with it true
    // the edit sequences are sent as they are and a transaction QuickBooks refuses as
    // changed (status 3200) is logged and left out. Transactions that no longer exist,
    // entries without TxnID and other refusals are logged and left out too. Modify
    // requests go in batches of `batchSize`. `quickBooksFile` is accepted and not
    // needed: the instance answers from its own processor.
    void UpdateToPrint(std::int32_t requestType, const std::string& entryList,
                       const std::string& quickBooksFile, bool toPrint, std::int32_t batchSize,
                       bool skipEditSequenceCheck, std::string& result);

    // Asks the processor to show the record; one that cannot raises a PopUp saying so.
    void OpenRecord(const std::string& recordId, std::int32_t requestType,
                    const std::string& quickBooksFile, const std::string& responseContext);

    // Full path of the error log (a TAB-separated text file, see error_log.h).
    std::string ErrorLogPath() const;
    // True on the error-log window's instance: it then raises Message (request type 0,
    // done true) whenever the error log changes, so the window can show it again.
    void SetLogViewer(bool logViewer);
    // Whether errors are logged; stored in the link settings of the data folder, so
    // every instance, and the next run, agree.
    bool LogErrors() const;
    void SetLogErrors(bool logErrors);
    // Empties the error log to its header line.
    void ClearErrorLog();

  private:
    struct Shared;

    void Enqueue(std::function<void()> job);
    void WorkerLoop();
    void CheckErrorLog();

    PostToOwner post_;
    ProcessorFactory makeProcessor_;
    std::filesystem::path dataFolder_;
    std::shared_ptr<Shared> shared_;
    std::int32_t id_ = 0;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    bool logViewer_ = false;
    std::atomic<bool> cancel_{false};
    std::thread worker_;

    // The worker's side; its jobs run on the worker thread only.
    class Session;
    std::unique_ptr<Session> session_;
    std::string logStamp_;  // the error log as last seen by a log viewer (under mutex_)
};

}  // namespace quarrion
