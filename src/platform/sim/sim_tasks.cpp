#include "platform/sim/sim_tasks.h"

#include <stdexcept>

namespace platform::sim {

struct SimTasks::State {
    std::function<void()> work;
    std::function<void()> done;
    bool abandoned = false;
};

class SimTasks::Handle : public Task {
  public:
    explicit Handle(std::shared_ptr<State> state) : state_(std::move(state)) {}
    ~Handle() override {
        state_->abandoned = true;
        state_->done = nullptr;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

  private:
    std::shared_ptr<State> state_;
};

std::unique_ptr<Task> SimTasks::run(std::function<void()> work, std::function<void()> done) {
    auto state = std::make_shared<State>();
    state->work = std::move(work);
    state->done = std::move(done);
    queue_.push_back(state);
    return std::make_unique<Handle>(state);
}

void SimTasks::finish(std::size_t index) {
    if (index >= queue_.size()) throw std::out_of_range("no such task");
    std::shared_ptr<State> state = queue_[index];
    queue_.erase(queue_.begin() + static_cast<std::ptrdiff_t>(index));
    {
        // Gone with the worker, together with whatever the work held.
        std::function<void()> work = std::move(state->work);
        state->work = nullptr;
        try {
            work();
        } catch (...) {
            // As on a worker: nothing of it reaches the user-interface thread but `done`.
        }
    }
    if (state->abandoned || !state->done) return;
    // Moved out: `done` may abandon its own task.
    std::function<void()> done = std::move(state->done);
    state->done = nullptr;
    ++delivered_;
    done();
}

void SimTasks::runAll() {
    while (!queue_.empty())
        finish(0);
}

}  // namespace platform::sim
