#pragma once
// The shell's notification-area toolbar through user32 and the shell's own memory. Every
// message to the shell waits a bounded time: a shell that does not answer ends the
// operation instead of freezing Veilor.
#include "platform/notify_area.h"

namespace platform::win32 {

class Win32NotifyArea : public NotifyArea {
  public:
    // How long one toolbar message may take before the shell is taken as not answering.
    static constexpr unsigned kAnswerTimeoutMs = 2000;

    SystemVersion systemVersion() override;
    std::unique_ptr<ToolbarConnection> connect(WindowHandle toolbar) override;
    std::optional<ClientSize> clientSize(WindowHandle window) override;
    bool postMouseMove(WindowHandle window, int x, int y) override;
};

}  // namespace platform::win32
