#pragma once
// Window news through SetWinEventHook, out of context: the system queues each event for
// this thread and hands it over while the thread takes its messages, so no code of ours
// runs inside another program. The hooks are in place only while someone listens.
#include <map>
#include <vector>

#include "platform/window_events.h"

namespace platform::win32 {

class Win32WindowEvents : public WindowEvents {
  public:
    Win32WindowEvents() = default;
    Win32WindowEvents(const Win32WindowEvents&) = delete;
    Win32WindowEvents& operator=(const Win32WindowEvents&) = delete;
    ~Win32WindowEvents() override;
    int subscribe(Listener listener) override;
    void unsubscribe(int token) override;
    bool tellsEveryChange() override;
    bool windowSetChanged() override;

    // For the hook procedure.
    void tell();

  private:
    void install();
    void uninstall();

    std::map<int, Listener> listeners_;
    int nextToken_ = 0;
    void* hooks_[2] = {nullptr, nullptr};
    // The top-level windows as last compared.
    std::vector<void*> windowSet_;
};

}  // namespace platform::win32
