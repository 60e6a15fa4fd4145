#pragma once

#include <string>
#include <utility>

namespace quarrion {

// The answer of work that can fail in an expected way (a file not written, a page
// not made, options that cannot make a company): success, or the failure in words
// for the user. It cannot be dropped unread; testing it reads as the flag
// (`if (!written) Show(written.Message())`).
class [[nodiscard]] Outcome {
  public:
    Outcome() = default;  // success

    static Outcome Ok() { return {}; }
    // A failure always carries a message, so a blank reason cannot pass for success.
    static Outcome Fail(std::string message) {
        Outcome failed;
        failed.message_ = message.empty() ? "failed for an unknown reason" : std::move(message);
        return failed;
    }

    explicit operator bool() const { return message_.empty(); }
    bool Failed() const { return !message_.empty(); }
    // "" on success, else why the work failed.
    const std::string& Message() const { return message_; }

  private:
    std::string message_;
};

}  // namespace quarrion
