#pragma once
// Worker threads, simulated. Nothing runs inside run(): a task waits, with the program's
// state free to change meanwhile, until the test finishes it, as a worker would run and
// the message loop would then hand its result over. An abandoned task's work still runs
// when finished (a real worker cannot be stopped), but its result is never handed over.
#include <cstddef>
#include <deque>
#include <memory>

#include "platform/tasks.h"

namespace platform::sim {

class SimTasks : public Tasks {
  public:
    std::unique_ptr<Task> run(std::function<void()> work, std::function<void()> done) override;

    // Tasks whose work has not run yet, abandoned ones included.
    std::size_t pending() const { return queue_.size(); }
    // Runs the work of the task queued `index`-th (0 the oldest), then hands its result
    // over unless it was abandoned. A worker that ends sooner than an older one is index 1.
    void finish(std::size_t index = 0);
    // Finishes every task, oldest first, also those that results handed over start.
    void runAll();
    // Results handed over so far.
    int delivered() const { return delivered_; }

  private:
    struct State;
    class Handle;
    std::deque<std::shared_ptr<State>> queue_;
    int delivered_ = 0;
};

}  // namespace platform::sim
