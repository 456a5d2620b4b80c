#pragma once
// Other programs' windows through user32. Nothing here may wait on another program's
// thread without a bound: a hung window must never freeze Veilor.
#include "platform/desktop.h"

namespace platform::win32 {

class Win32Desktop : public Desktop {
  public:
    // How long setWindowText waits for the window's thread before giving up.
    static constexpr unsigned kSetTextTimeoutMs = 500;

    WindowHandle findWindow(const std::string& className, const std::string& title) override;
    WindowHandle findChildWindow(WindowHandle parent, WindowHandle after,
                                 const std::string& className, const std::string& title) override;
    std::vector<WindowHandle> topLevelWindows() override;
    // Another process's window: its stored text, read without a message, so never blocks.
    std::string windowText(WindowHandle window) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    bool setWindowText(WindowHandle window, const std::string& text) override;
    void whenAnswered(WindowHandle window, std::function<void()> answered) override;
    bool showWindow(WindowHandle window, ShowCommand show) override;
    // For another thread's window the change is posted (SWP_ASYNCWINDOWPOS), so a hung
    // shell cannot freeze Veilor.
    bool setWindowPos(WindowHandle window, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    bool isWindowVisible(WindowHandle window) override;
    bool isWindowEnabled(WindowHandle window) override;
    std::uint32_t windowStyle(WindowHandle window) override;
    // Changing the style sends the window style-change messages and waits for them:
    // meant for Veilor's own windows.
    bool setWindowStyle(WindowHandle window, std::uint32_t style) override;
    void beginCaptionDrag(WindowHandle window) override;
    int screenWidthTwips() override;
    TwipsRect virtualScreenTwips() override;
    void monitorOff(WindowHandle via) override;
    void excludeFromCapture(WindowHandle window) override;
    // Only for a window of the calling thread, as SetCapture allows.
    void setCapture(WindowHandle window) override;
    void releaseCapture() override;
};

}  // namespace platform::win32
