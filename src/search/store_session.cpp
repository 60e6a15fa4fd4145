#include "search/store_session.h"

#include "foundation/app_paths.h"
#include "foundation/atomic_path.h"
#include "store/store_paths.h"

namespace quarrion {

StoreSession::StoreSession(StoreNotifier* notifier) : notifier_(notifier), io_(catalog_, this) {}

StoreSession::~StoreSession() = default;

StoreResult StoreSession::Open() {
    // Files a killed run was writing when it died go before anything else starts.
    RemoveLeftoverTemporaries(DataFolder());
    io_.SetDatabaseName(DatabasePath().string());
    const bool firstTime = io_.FirstTime();
    if (StoreResult started = StartStore(io_); !started) return started;
    if (firstTime) {
        StoreResult result = io_.InitDataA();
        initialised_ = static_cast<bool>(result);
        return result;
    }
    // LoadData runs the first-time initialisation itself when it finds no catalog.
    if (StoreResult loaded = io_.LoadData(); !loaded) return loaded;
    // An initialisation has just taken the shipped control file: an update would only
    // repeat it.
    if (io_.NeedsUpdate() && !initialised_) return io_.InitDataB();
    return StoreResult::Ok();
}

void StoreSession::ShowError(const std::string& title, const std::string& text) {
    if (notifier_) notifier_->ShowError(title, text);
}

void StoreSession::ErrorOccurred(long number, const std::string& description,
                                 const std::string& source, const std::string& operation) {
    if (notifier_) notifier_->ErrorOccurred(number, description, source, operation);
}

bool StoreSession::ConfirmReplace(const std::string& caption, const std::string& message) {
    return notifier_ && notifier_->ConfirmReplace(caption, message);
}

void StoreSession::RunFirstTimeInitialisation(const std::function<bool()>& run) {
    auto tracked = [this, &run] {
        bool succeeded = run();
        if (succeeded) initialised_ = true;
        return succeeded;
    };
    if (notifier_) {
        notifier_->RunFirstTimeInitialisation(tracked);
    } else {
        tracked();
    }
}

void StoreSession::LetEventsRun() {
    if (notifier_) notifier_->LetEventsRun();
}

}  // namespace quarrion
