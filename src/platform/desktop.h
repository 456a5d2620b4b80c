#pragma once
// Top-level windows of every program on the desktop, addressed by handle.
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

// The SetWindowPos flags the program passes, with their Win32 values.
constexpr std::uint32_t kSwpNoSize = 0x1;
constexpr std::uint32_t kSwpNoMove = 0x2;
constexpr std::uint32_t kSwpNoZOrder = 0x4;
constexpr std::uint32_t kSwpNoActivate = 0x10;
constexpr std::uint32_t kSwpShowWindow = 0x40;
constexpr std::uint32_t kSwpHideWindow = 0x80;

class Desktop {
  public:
    virtual ~Desktop() = default;
    // The first window in z-order whose class and title match, ignoring case (titles by
    // core::sameTitle); an empty class or title matches any. Message-only windows are
    // never found. kNoWindow when there is none.
    virtual WindowHandle findWindow(const std::string& className, const std::string& title) = 0;
    virtual WindowHandle findChildWindow(WindowHandle parent, WindowHandle after,
                                         const std::string& className,
                                         const std::string& title) = 0;
    // The top-level windows in z-order, top first.
    virtual std::vector<WindowHandle> topLevelWindows() = 0;
    // The title as the system keeps it; never sends the window's program a message.
    virtual std::string windowText(WindowHandle window) = 0;
    // The process that owns the window; 0 when there is no such window.
    virtual std::uint32_t windowProcessId(WindowHandle window) = 0;
    // Bounded: a window whose thread does not answer in time answers false. Its program
    // may only be slow, though, and take the text later all the same.
    virtual bool setWindowText(WindowHandle window, const std::string& text) = 0;
    // Calls answered once the window's thread has got through what was sent to it before,
    // from the message loop of the calling thread; never waits. Nothing is called for a
    // window whose thread never answers again.
    virtual void whenAnswered(WindowHandle window, std::function<void()> answered) = 0;
    // Does not wait for the window's thread.
    virtual bool showWindow(WindowHandle window, ShowCommand show) = 0;
    // Position, size and show state in one call (SetWindowPos flags); insert-after is
    // always the top. As in Win32 the position and size are applied unless kSwpNoMove /
    // kSwpNoSize say otherwise, also with a show or hide flag. Does not wait for another
    // program's thread.
    virtual bool setWindowPos(WindowHandle window, int x, int y, int cx, int cy,
                              std::uint32_t flags) = 0;
    virtual bool isWindowVisible(WindowHandle window) = 0;
    virtual bool isWindowEnabled(WindowHandle window) = 0;
    virtual std::uint32_t windowStyle(WindowHandle window) = 0;
    virtual bool setWindowStyle(WindowHandle window, std::uint32_t style) = 0;
    // Lets the user move one of our own windows by dragging anywhere on it, as if the
    // caption were dragged; returns when the drag is over.
    virtual void beginCaptionDrag(WindowHandle window) = 0;
    // The width of the primary screen in twips, through the screen's DPI.
    virtual int screenWidthTwips() = 0;
    // Every monitor together: left and top are negative when a monitor lies left of or
    // above the primary one.
    virtual TwipsRect virtualScreenTwips() = 0;
    // Asks the display to power off, through one of our own windows.
    virtual void monitorOff(WindowHandle via) = 0;
    // Keeps one of our own windows out of screenshots and screen recordings where the
    // system can; quietly does nothing where it cannot.
    virtual void excludeFromCapture(WindowHandle window) = 0;
    // Mouse input goes to one of our own windows, also while the pointer is outside it,
    // until released.
    virtual void setCapture(WindowHandle window) = 0;
    virtual void releaseCapture() = 0;
};

}  // namespace platform
