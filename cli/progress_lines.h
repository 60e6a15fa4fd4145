#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quarrion::cli {

// While a search waits or examines, one line per type on standard error with the
// type's latest status, redrawn in place at most ten times a second. Only for a
// terminal: a disabled display writes nothing, so pipes and CI logs stay clean.
// The lines are erased when the display is cleared or destroyed, before the results
// are printed.
class ProgressLines {
  public:
    explicit ProgressLines(bool enabled) : enabled_(enabled) {}
    ~ProgressLines() { Clear(); }
    ProgressLines(const ProgressLines&) = delete;
    ProgressLines& operator=(const ProgressLines&) = delete;

    // Records `text` as the type's status (a new type gets the next line) and redraws
    // when the last drawing is old enough.
    void Show(std::int32_t requestType, const std::string& text);
    void Clear();

  private:
    void Draw();

    bool enabled_;
    std::vector<std::pair<std::int32_t, std::string>> lines_;
    std::size_t drawn_ = 0;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace quarrion::cli
