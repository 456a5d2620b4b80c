#pragma once
// Work that asks the system something slow (another program's state, a wait for one to be
// gone) runs on a worker thread; its result comes back on the user-interface thread, where
// the hotkeys are answered, and is never waited for there.
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace platform {

// A task handed to a worker. Destroying it abandons it: the work still runs to its end
// (it is bounded), but its result is never handed over.
class Task {
  public:
    virtual ~Task() = default;
};

class Tasks {
  public:
    virtual ~Tasks() = default;
    // Runs `work` on a worker thread, then `done` on the user-interface thread, at the
    // message loop's next pass after the work (also inside a message box's own loop),
    // never inside this call. `work` touches nothing the user-interface thread uses; it
    // may be destroyed on the worker. A work that throws still has its `done` run.
    virtual std::unique_ptr<Task> run(std::function<void()> work, std::function<void()> done) = 0;
};

// The same with a result that the worker hands to `done`; a work that threw (out of
// memory) hands over an empty Result.
template <typename Result, typename Work, typename Done>
std::unique_ptr<Task> runTask(Tasks& tasks, Work work, Done done) {
    auto result = std::make_shared<std::optional<Result>>();
    return tasks.run(
        [result, work = std::move(work)]() mutable {
            try {
                result->emplace(work());
            } catch (...) {
                result->reset();
            }
        },
        [result, done = std::move(done)]() mutable {
            done(result->has_value() ? std::move(**result) : Result{});
        });
}

}  // namespace platform
