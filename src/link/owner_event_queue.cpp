#include "link/owner_event_queue.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace quarrion {

struct OwnerEventQueue::State {
    mutable std::mutex mutex;
    std::condition_variable posted;
    std::deque<Task> tasks;
    bool closed = false;
};

OwnerEventQueue::OwnerEventQueue() : state_(std::make_shared<State>()) {}

OwnerEventQueue::~OwnerEventQueue() {
    std::lock_guard lock(state_->mutex);
    state_->closed = true;
    state_->tasks.clear();
}

void OwnerEventQueue::Post(Task task) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->closed) return;
        state_->tasks.push_back(std::move(task));
    }
    state_->posted.notify_one();
}

OwnerEventQueue::PostFunction OwnerEventQueue::Poster() const {
    std::weak_ptr<State> weak = state_;
    return [weak](Task task) {
        std::shared_ptr<State> state = weak.lock();
        if (!state) return;
        {
            std::lock_guard lock(state->mutex);
            if (state->closed) return;
            state->tasks.push_back(std::move(task));
        }
        state->posted.notify_one();
    };
}

std::size_t OwnerEventQueue::RunPending() {
    std::deque<Task> batch;
    {
        std::lock_guard lock(state_->mutex);
        batch.swap(state_->tasks);
    }
    for (Task& task : batch) task();
    return batch.size();
}

bool OwnerEventQueue::RunOne(std::chrono::milliseconds timeout) {
    Task task;
    {
        std::unique_lock lock(state_->mutex);
        if (!state_->posted.wait_for(lock, timeout, [&] { return !state_->tasks.empty(); })) {
            return false;
        }
        task = std::move(state_->tasks.front());
        state_->tasks.pop_front();
    }
    task();
    return true;
}

bool OwnerEventQueue::RunUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        RunOne(left);
    }
    return done();
}

std::size_t OwnerEventQueue::Size() const {
    std::lock_guard lock(state_->mutex);
    return state_->tasks.size();
}

}  // namespace quarrion
