#pragma once
// The single-instance channel between copies of the program in one user session.
// A named mutex decides which copy is first; the first copy listens on a window of
// its own class that has no title and never shows, and a later copy hands it one
// command as a WM_COPYDATA message. A copy that wants an answer names a message-only
// window of its own as the sender, and the first copy hands its answer there the same way.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/instance.h"

namespace platform::win32 {

class Win32SingleInstance : public SingleInstance {
  public:
    // name tells programs apart: copies with the same name share one claim.
    explicit Win32SingleInstance(const std::string& name = "Veilor");
    ~Win32SingleInstance() override;
    Win32SingleInstance(const Win32SingleInstance&) = delete;
    Win32SingleInstance& operator=(const Win32SingleInstance&) = delete;

    bool claim() override;
    // Waits up to timeoutMs for the first copy's window to appear (it may still be
    // starting), then for the first copy to take the command.
    bool sendToRunning(const std::string& command, int timeoutMs) override;
    // Pumps this thread's messages while it waits for the answer.
    Asked askRunning(const std::string& command, int timeoutMs) override;
    bool waitForRunningToEnd(int timeoutMs) override;
    // Creates the listening window; the handler runs from the message loop of the
    // thread that called listen, after the sender has been told the command arrived.
    void listen(Handler handler) override;
    void afterAnswer(std::function<void()> action) override;

  private:
    struct Proc;  // the listening window's procedure
    struct Pending {
        std::string command;
        void* replyTo = nullptr;  // the asking copy's window, or none
    };
    // Hands the command over; the target's handle, or nullptr when nobody took it in time.
    void* deliver(const std::string& command, void* replyWindow, unsigned long start,
                  unsigned long limit);
    void received(std::string command, void* replyTo);
    void deliverPending();
    void answer(void* replyTo, const std::string& reply);
    void runAfterAnswer();

    std::wstring mutexName_;
    std::wstring className_;
    void* mutex_ = nullptr;
    void* window_ = nullptr;
    bool classRegistered_ = false;
    Handler handler_;
    std::deque<Pending> pending_;
    bool answering_ = false;
    std::vector<std::function<void()>> afterAnswer_;
    // The copy that answered askRunning, held so its end can be awaited.
    void* answeredProcess_ = nullptr;
};

}  // namespace platform::win32
