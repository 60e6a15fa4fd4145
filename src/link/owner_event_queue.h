#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>

namespace quarrion {

// A queue of work for one owner thread, for programs without an event loop of their
// own (the terminal tool, tests): other threads post, the owner runs what was posted
// when it chooses. The desktop program uses Qt's event loop instead.
class OwnerEventQueue {
  public:
    using Task = std::function<void()>;
    using PostFunction = std::function<void(Task)>;

    OwnerEventQueue();
    ~OwnerEventQueue();
    OwnerEventQueue(const OwnerEventQueue&) = delete;
    OwnerEventQueue& operator=(const OwnerEventQueue&) = delete;

    // Queues a task; any thread. Tasks run in the order posted.
    void Post(Task task);

    // A function that posts to this queue, for handing to a link. It may outlive the
    // queue: what it posts after the queue is gone is dropped, never run.
    PostFunction Poster() const;

    // Runs every task queued now (not those they post); returns how many ran.
    std::size_t RunPending();

    // Waits up to `timeout` for a task and runs it; false when none came.
    bool RunOne(std::chrono::milliseconds timeout);

    // Runs tasks as they come until `done` answers true (checked before waiting and after
    // each task) or `timeout` passes; answers `done()` at the end.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    // Number of tasks waiting.
    std::size_t Size() const;

  private:
    struct State;
    std::shared_ptr<State> state_;
};

}  // namespace quarrion
