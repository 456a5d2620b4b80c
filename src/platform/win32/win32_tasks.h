#pragma once
// Worker threads whose results a message-only window of the user-interface thread hands
// over: any message loop of that thread delivers them, a message box's included.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "platform/tasks.h"

namespace platform::win32 {

class Win32Tasks : public Tasks {
  public:
    Win32Tasks();
    Win32Tasks(const Win32Tasks&) = delete;
    Win32Tasks& operator=(const Win32Tasks&) = delete;
    // Waits for the workers still running (each is bounded): none may outlive the
    // platform objects its work reads.
    ~Win32Tasks() override;
    std::unique_ptr<Task> run(std::function<void()> work, std::function<void()> done) override;

  private:
    class Handle;
    struct Worker {
        std::shared_ptr<std::atomic<bool>> finished;
        std::thread thread;
    };
    void deliver(std::uint32_t id);
    // Joins the workers that have ended; only their last instructions remain to run.
    void reap();

    void* window_ = nullptr;
    std::uint32_t nextId_ = 1;
    // The results still wanted, by the id their worker posts.
    std::map<std::uint32_t, std::function<void()>> waiting_;
    std::vector<Worker> workers_;
};

}  // namespace platform::win32
