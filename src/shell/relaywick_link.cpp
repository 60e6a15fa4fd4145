#include "shell/relaywick_link.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace quarrion {

Relaywick::PostToOwner PostToQtEventLoop() {
    return [](std::function<void()> task) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task),
                                  Qt::QueuedConnection);
    };
}

RelaywickLink::RelaywickLink() : link_(PostToQtEventLoop()) {
    // The handlers look the owner's callbacks up when they run, so the owner may set or
    // clear them at any time.
    RelaywickEvents& events = link_.Events();
    events.Message = [this](std::int32_t, const std::string&, bool, const std::string&) {
        if (OnActivity) OnActivity();
    };
    events.Response = [this](std::int32_t, std::string, const std::string&, const std::string&) {
        if (OnActivity) OnActivity();
    };
    events.PopUp = [this](std::int32_t code, const std::string& message) {
        if (OnPopUp) OnPopUp(code, message);
    };
}

}  // namespace quarrion
