#include "results/record_feed.h"

#include <cstdlib>
#include <cstring>

#include "link/xml_scanner.h"

namespace quarrion {

namespace {

// Records are handed to the reader in batches, so the lock is taken once per batch.
constexpr std::size_t kBatch = 64;

}  // namespace

// The handler of the pass: where each record starts and ends, and the limit mark the
// link puts on the response element of the first message set.
class RecordFeed::Pass {
  public:
    Pass(RecordFeed& feed, std::vector<std::string_view>& batch) : feed_(feed), batch_(batch) {}

    bool Start(std::string_view name, std::size_t at, std::string_view attributes, bool,
               int depth) {
        if (feed_.stop_.load(std::memory_order_relaxed)) return false;
        if (limitOpen_) ReadLimit(name, attributes, depth);
        if (recordDepth_ == 0 && name == feed_.recordName_) {
            recordDepth_ = depth;
            begin_ = at;
        }
        return true;
    }
    bool End(std::string_view, std::size_t end, int depth) {
        if (limitOpen_ && depth <= 2) limitOpen_ = false;
        if (depth == recordDepth_) {
            batch_.push_back(feed_.text_.substr(begin_, end - begin_));
            recordDepth_ = 0;
            if (batch_.size() >= kBatch) feed_.Publish(batch_, false);
        }
        return true;
    }
    void Text(std::string_view, int) {}

    bool limitReached = false;
    unsigned long long unsearched = 0;

  private:
    // The mark counts only on a response directly inside the first message set, and
    // only while the message set is the root's first child: the root must be QBXML.
    void ReadLimit(std::string_view name, std::string_view attributes, int depth) {
        if ((depth == 1 && name != "QBXML") || (depth == 2 && name != "QBXMLMsgsRs")) {
            limitOpen_ = false;
            return;
        }
        if (depth != 3) return;
        const std::string value = XmlScan::Attribute(attributes, "limitReached");
        // Read as pugixml reads a boolean attribute.
        if (value.empty() || std::strchr("1tTyY", value[0]) == nullptr) return;
        limitReached = true;
        const std::string remaining = XmlScan::Attribute(attributes, "iteratorRemainingCount");
        unsearched = std::strtoull(remaining.c_str(), nullptr, 10);
        limitOpen_ = false;
    }

    RecordFeed& feed_;
    std::vector<std::string_view>& batch_;
    int recordDepth_ = 0;  // 0 outside a record
    std::size_t begin_ = 0;
    bool limitOpen_ = true;  // still looking for the mark
};

RecordFeed::RecordFeed(std::string_view text, std::string recordName)
    : text_(text), recordName_(std::move(recordName)) {}

RecordFeed::~RecordFeed() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

void RecordFeed::Scan() {
    Run();
}

void RecordFeed::ScanAside() {
    thread_ = std::thread(&RecordFeed::Run, this);
}

void RecordFeed::Run() {
    std::vector<std::string_view> batch;
    batch.reserve(kBatch);
    Pass pass(*this, batch);
    const bool failed = static_cast<bool>(XmlScan::Scan(text_, pass)) || stop_;
    {
        std::lock_guard lock(mutex_);
        failed_ = failed;
        limitReached_ = pass.limitReached;
        unsearched_ = pass.unsearched;
    }
    Publish(batch, true);
}

void RecordFeed::Publish(std::vector<std::string_view>& batch, bool last) {
    {
        std::lock_guard lock(mutex_);
        published_.insert(published_.end(), batch.begin(), batch.end());
        if (last) ended_ = true;
    }
    batch.clear();
    found_.notify_one();
}

bool RecordFeed::Get(std::size_t i, std::string_view& record) {
    if (i >= taken_.size()) {
        std::unique_lock lock(mutex_);
        found_.wait(lock, [&] { return ended_ || published_.size() > i; });
        taken_.insert(taken_.end(), published_.begin() + static_cast<std::ptrdiff_t>(taken_.size()),
                      published_.end());
        if (i >= taken_.size() || (ended_ && failed_)) return false;
    }
    record = taken_[i];
    return true;
}

void RecordFeed::Wait() {
    std::unique_lock lock(mutex_);
    found_.wait(lock, [&] { return ended_; });
}

bool RecordFeed::Failed() {
    Wait();
    return failed_;
}

std::size_t RecordFeed::Count() {
    Wait();
    std::lock_guard lock(mutex_);
    return published_.size();
}

bool RecordFeed::LimitReached() {
    Wait();
    return limitReached_;
}

unsigned long long RecordFeed::Unsearched() {
    Wait();
    return unsearched_;
}

}  // namespace quarrion
