#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/owner_event_queue.h"
#include "link/relaywick.h"
#include "results/search_run.h"

namespace quarrion {

// A processor factory answering from a sample-company file, which must exist (it is
// never created); changes such as to-print marks are saved into it.
Relaywick::ProcessorFactory CompanyFileProcessor(std::filesystem::path companyFile);
// A processor factory answering from a folder of saved qbXML response files.
Relaywick::ProcessorFactory ResponseFolderProcessor(std::filesystem::path folder);

// One search run by a program without an event loop of its own (the terminal tool,
// tests): the session owns the queue the link posts its events to, the link and the
// run, and delivers the events on the calling thread while it waits.
//
// Without a factory the link settings of the data folder choose the processor (by
// default the embedded sample company). DataFolder() must point where it should
// before the session is made.
class SearchSession {
  public:
    struct PopUpMessage {
        std::int32_t Code = 0;
        std::string Text;
    };

    explicit SearchSession(Relaywick::ProcessorFactory makeProcessor = {});
    ~SearchSession();
    SearchSession(const SearchSession&) = delete;
    SearchSession& operator=(const SearchSession&) = delete;

    // The run; fill its Search() and set its hooks before RunToEnd. Its PopUp hook
    // belongs to the session (see PopUps).
    SearchRun& Run() { return *run_; }
    Relaywick& Link() { return *link_; }

    // Starts the run and delivers the link's events until every included type is
    // done. `tick`, when given, is called about every `tickEvery` while waiting (a
    // progress display). A search without included types returns at once.
    void RunToEnd(const std::function<void()>& tick = {},
                  std::chrono::milliseconds tickEvery = std::chrono::milliseconds(100));

    // Delivers the events queued so far (those a to-print update raised, say).
    void DeliverPending();

    // The pop-ups the link raised, in order: failures to reach the company data.
    const std::vector<PopUpMessage>& PopUps() const { return popUps_; }

    // True when the type is done without ever receiving an answer: the link could
    // not get its records (its Message says why).
    static bool TypeFailed(const IncItem& item) { return item.Done && item.Response.empty(); }
    // True when some included type failed so.
    bool AnyTypeFailed();

  private:
    // Declared in this order so the run goes first, then the link (which delivers
    // nothing once destroyed), then the queue.
    OwnerEventQueue queue_;
    std::unique_ptr<Relaywick> link_;
    std::unique_ptr<SearchRun> run_;
    std::vector<PopUpMessage> popUps_;
};

}  // namespace quarrion
