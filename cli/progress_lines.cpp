#include "progress_lines.h"

#include <algorithm>
#include <iostream>

namespace quarrion::cli {

namespace {

constexpr std::size_t kLineWidth = 78;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

// Cursor to the start of the line `count` lines up (none for 0).
void MoveUp(std::size_t count) {
    if (count > 0) std::cerr << "\033[" << count << "F";
}

}  // namespace

void ProgressLines::Show(std::int32_t requestType, const std::string& text) {
    if (!enabled_) return;
    auto line = std::find_if(lines_.begin(), lines_.end(),
                             [&](const auto& entry) { return entry.first == requestType; });
    bool added = line == lines_.end();
    if (added) {
        lines_.emplace_back(requestType, text);
    } else {
        line->second = text;
    }
    auto now = std::chrono::steady_clock::now();
    if (!added && now - last_ < kRedrawEvery) return;
    last_ = now;
    Draw();
}

void ProgressLines::Draw() {
    MoveUp(drawn_);
    for (const auto& [type, text] : lines_) {
        std::string shown =
            text.size() > kLineWidth ? text.substr(0, kLineWidth - 3) + "..." : text;
        std::cerr << "\033[K" << shown << "\n";
    }
    std::cerr << std::flush;
    drawn_ = lines_.size();
}

void ProgressLines::Clear() {
    if (drawn_ > 0) {
        MoveUp(drawn_);
        std::cerr << "\033[J" << std::flush;
    }
    drawn_ = 0;
    lines_.clear();
}

}  // namespace quarrion::cli
