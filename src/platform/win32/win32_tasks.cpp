#include "platform/win32/win32_tasks.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/message_window.h"

namespace platform::win32 {
namespace {

constexpr UINT kDoneMessage = WM_APP + 2;
constexpr wchar_t kClassName[] = L"Veilor.Tasks";

}  // namespace

class Win32Tasks::Handle : public Task {
  public:
    Handle(Win32Tasks& owner, std::uint32_t id) : owner_(owner), id_(id) {}
    ~Handle() override { owner_.waiting_.erase(id_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

  private:
    Win32Tasks& owner_;
    std::uint32_t id_;
};

Win32Tasks::Win32Tasks()
    : window_(createMessageWindow(
          kClassName, deliveringProc<Win32Tasks, kDoneMessage, &Win32Tasks::deliver>, this)) {}

Win32Tasks::~Win32Tasks() {
    waiting_.clear();
    for (Worker& worker : workers_)
        worker.thread.join();
    if (window_) DestroyWindow(static_cast<HWND>(window_));
}

std::unique_ptr<Task> Win32Tasks::run(std::function<void()> work, std::function<void()> done) {
    reap();
    const std::uint32_t id = nextId_++;
    waiting_[id] = std::move(done);
    auto handle = std::make_unique<Handle>(*this, id);
    HWND window = static_cast<HWND>(window_);
    auto finished = std::make_shared<std::atomic<bool>>(false);
    auto body = [work = std::move(work), window, id, finished]() mutable noexcept {
        try {
            work();
        } catch (...) {
            // Its `done` still runs and finds no result.
        }
        // What the work held goes here, on the worker.
        work = nullptr;
        PostMessageW(window, kDoneMessage, 0, static_cast<LPARAM>(id));
        finished->store(true);
    };
    try {
        // Room first: a thread that started must be kept, or it could never be joined.
        workers_.reserve(workers_.size() + 1);
        workers_.push_back({finished, std::thread(std::move(body))});
    } catch (...) {
        // No thread to be had: the work is not done here either, where the hotkeys wait;
        // its result comes back empty.
        PostMessageW(window, kDoneMessage, 0, static_cast<LPARAM>(id));
    }
    return handle;
}

void Win32Tasks::deliver(std::uint32_t id) {
    reap();
    auto found = waiting_.find(id);
    if (found == waiting_.end()) return;
    // Moved out: `done` may abandon its own task or start another.
    std::function<void()> done = std::move(found->second);
    waiting_.erase(found);
    if (done) done();
}

void Win32Tasks::reap() {
    std::erase_if(workers_, [](Worker& worker) {
        if (!worker.finished->load()) return false;
        worker.thread.join();
        return true;
    });
}

}  // namespace platform::win32
