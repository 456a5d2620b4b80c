#pragma once
// The single-instance channel between copies of the program in one user session.
// A named mutex decides which copy is first; the first copy listens on a window of
// its own class that has no title and never shows, and a later copy hands it one
// command as a WM_COPYDATA message.
#include <deque>
#include <functional>
#include <string>

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
    // Creates the listening window; the handler runs from the message loop of the
    // thread that called listen, after the sender has been answered.
    void listen(std::function<void(const std::string&)> handler) override;

  private:
    struct Proc;  // the listening window's procedure
    void received(std::string command);
    void deliverPending();

    std::wstring mutexName_;
    std::wstring className_;
    void* mutex_ = nullptr;
    void* window_ = nullptr;
    bool classRegistered_ = false;
    std::function<void(const std::string&)> handler_;
    std::deque<std::string> pending_;
};

}  // namespace platform::win32
