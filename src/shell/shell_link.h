#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace quarrion {

// What the shell's windows need of one QuickBooks link instance: the error log and
// its switches, and the events that tell the error-log window to look again. The
// program implements it over Relaywick; tests use a fake pointing at a file of their
// own. Events arrive on the user-interface thread.
class ShellLink {
  public:
    virtual ~ShellLink() = default;

    virtual void SetId(std::int32_t id) = 0;
    // Marks the instance as the error-log window's own.
    virtual void SetLogViewer(bool viewer) = 0;
    // Full path of the error-log file: a TAB-separated text whose first line holds the
    // column titles.
    virtual std::string ErrorLogPath() const = 0;
    virtual bool LogErrors() const = 0;
    virtual void SetLogErrors(bool log) = 0;
    virtual void ClearErrorLog() = 0;

    // Raised when the link reported progress or a response (either may have added a
    // log line).
    std::function<void()> OnActivity;
    // Raised with an error the user must see; the owner passes it to the hub.
    std::function<void(std::int32_t errorCode, const std::string& message)> OnPopUp;
};

}  // namespace quarrion
