#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quarrion {

// The records of an answer's text, found by one strict pass (XmlScan) that also reads
// the link's record-limit mark, without building a document. The pass runs in place
// (Scan) or, for a large answer, on a thread of its own (ScanAside) while the reader
// takes the records found so far: on two cores finding the records then costs the
// examination almost nothing.
//
// The text must outlive the feed and stay unchanged while a pass runs. One reader
// thread calls everything; the feed's own thread only scans. Destroying the feed
// stops a pass still running and waits for it.
class RecordFeed {
  public:
    RecordFeed(std::string_view text, std::string recordName);
    ~RecordFeed();
    RecordFeed(const RecordFeed&) = delete;
    RecordFeed& operator=(const RecordFeed&) = delete;

    // Runs the pass here, to its end.
    void Scan();
    // Starts the pass on a thread of its own and returns at once.
    void ScanAside();

    // Record `i` in document order (its element, from '<' to the end of its end tag):
    // waits until the pass has found it or ended. False when the text holds no record
    // `i`, or the pass failed before reaching it.
    bool Get(std::size_t i, std::string_view& record);

    // Waits for the pass to end; then whether it failed (the text is not well-formed,
    // or holds what a qbXML answer never does), how many records it found, and the
    // link's limit mark: `LimitReached` when the first message set's response said
    // limitReached, with `Unsearched` its iteratorRemainingCount (0 when not said).
    void Wait();
    bool Failed();
    std::size_t Count();
    bool LimitReached();
    unsigned long long Unsearched();

  private:
    class Pass;
    void Run();
    void Publish(std::vector<std::string_view>& batch, bool last);

    std::string_view text_;
    std::string recordName_;
    std::vector<std::string_view> taken_;  // the reader's copy of what was published

    std::mutex mutex_;
    std::condition_variable found_;
    std::vector<std::string_view> published_;  // under mutex_
    bool ended_ = false;                       // under mutex_
    bool failed_ = false;
    bool limitReached_ = false;
    unsigned long long unsearched_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace quarrion
