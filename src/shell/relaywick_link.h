#pragma once

#include <memory>

#include "link/relaywick.h"
#include "shell/shell_link.h"

namespace quarrion {

// How the desktop program receives link events: each one is queued onto the Qt event
// loop and runs between window events on the user-interface thread. Every window that
// owns a Relaywick passes this.
Relaywick::PostToOwner PostToQtEventLoop();

// A link instance as the shell's windows see it: the error log and its switches, with
// Message and Response reported as activity.
class RelaywickLink : public ShellLink {
  public:
    RelaywickLink();

    void SetId(std::int32_t id) override { link_.SetId(id); }
    void SetLogViewer(bool viewer) override { link_.SetLogViewer(viewer); }
    std::string ErrorLogPath() const override { return link_.ErrorLogPath(); }
    bool LogErrors() const override { return link_.LogErrors(); }
    void SetLogErrors(bool log) override { link_.SetLogErrors(log); }
    void ClearErrorLog() override { link_.ClearErrorLog(); }

  private:
    Relaywick link_;
};

}  // namespace quarrion
