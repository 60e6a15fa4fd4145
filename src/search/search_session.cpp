#include "search/search_session.h"

#include "link/response_files_processor.h"
#include "link/sample_company_processor.h"

namespace quarrion {

Relaywick::ProcessorFactory CompanyFileProcessor(std::filesystem::path companyFile) {
    return [companyFile = std::move(companyFile)]() -> std::unique_ptr<RequestProcessor> {
        return std::make_unique<SampleCompanyProcessor>(companyFile);
    };
}

Relaywick::ProcessorFactory ResponseFolderProcessor(std::filesystem::path folder) {
    return [folder = std::move(folder)]() -> std::unique_ptr<RequestProcessor> {
        return std::make_unique<ResponseFilesProcessor>(folder);
    };
}

SearchSession::SearchSession(Relaywick::ProcessorFactory makeProcessor)
    : link_(std::make_unique<Relaywick>(queue_.Poster(), std::move(makeProcessor))),
      run_(std::make_unique<SearchRun>(*link_)) {
    run_->PopUp = [this](std::int32_t code, const std::string& message) {
        popUps_.push_back({code, message});
    };
}

SearchSession::~SearchSession() {
    run_.reset();
    link_.reset();
}

void SearchSession::RunToEnd(const std::function<void()>& tick,
                             std::chrono::milliseconds tickEvery) {
    run_->Start();
    auto done = [this] { return run_->AllDone(); };
    while (!done()) {
        queue_.RunUntil(done, tickEvery);
        if (tick) tick();
    }
    // Pop-ups raised together with the last message are queued behind it.
    DeliverPending();
}

void SearchSession::DeliverPending() {
    queue_.RunPending();
}

bool SearchSession::AnyTypeFailed() {
    for (const IncItem& item : run_->Search().IncludeItems) {
        if (TypeFailed(item)) return true;
    }
    return false;
}

}  // namespace quarrion
