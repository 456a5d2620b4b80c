#pragma once
// Simulated top-level and child windows of other programs, as strict as Win32: FindWindow
// returns the first window in z-order whose class and title match ignoring case, never a
// message-only window; SetWindowPos applies the rectangle it is given unless its flags
// say otherwise; an ANSI window keeps only what its code page can hold of a new title;
// every call given handle 0 or a closed window fails without effect. Like the system's
// event hook, it tells its listeners of every top-level window it opens, closes, shows,
// hides or retitles through its calls (a test that edits a window directly tells nobody);
// told to be like Wine, it tells of windows it opens and of nothing else.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/window_events.h"

namespace platform::sim {

struct SimWindow {
    WindowHandle handle = kNoWindow;
    WindowHandle parent = kNoWindow;
    std::string className;
    std::string title;
    bool visible = true;
    bool enabled = true;
    bool hung = false;  // its thread does not answer messages
    // Its thread is busy for now: a message sent to it times out on the sender's side, yet
    // it is handled once the thread gets round to it (SimDesktop::catchUp).
    bool slow = false;
    // Its window procedure takes ANSI text, in a code page without any character beyond
    // ASCII: whatever else a new title holds arrives as '?'.
    bool ansi = false;
    // A message-only window: no lookup or enumeration of top-level windows sees it.
    bool messageOnly = false;
    std::uint32_t style = 0;
    std::uint32_t processId = 0;
    int showCalls = 0;
    // The window's rectangle, as setWindowPos leaves it.
    int x = 0, y = 0, cx = 0, cy = 0;
    int posCalls = 0;
};

class SimDesktop : public Desktop, public WindowEvents {
  public:
    int subscribe(Listener listener) override;
    void unsubscribe(int token) override;
    bool tellsEveryChange() override { return !toldOnlyOfCreation; }
    bool windowSetChanged() override;
    // As Wine's event hook: only a window that opens is told.
    bool toldOnlyOfCreation = false;
    // How many listeners are subscribed, how often the windows were enumerated, and how
    // often the window set was compared.
    int listeners() const { return static_cast<int>(listeners_.size()); }
    int enumerations = 0;
    // Messages sent to windows (a title written, an answer asked for), hung ones too: each
    // is a wait on the window's program. Reading a title sends none.
    int messagesSent = 0;
    int windowSetLooks = 0;
    WindowHandle findWindow(const std::string& className, const std::string& title) override;
    WindowHandle findChildWindow(WindowHandle parent, WindowHandle after,
                                 const std::string& className, const std::string& title) override;
    std::vector<WindowHandle> topLevelWindows() override;
    std::string windowText(WindowHandle window) override;
    std::uint32_t windowProcessId(WindowHandle window) override;
    bool setWindowText(WindowHandle window, const std::string& text) override;
    void whenAnswered(WindowHandle window, std::function<void()> answered) override;
    bool showWindow(WindowHandle window, ShowCommand show) override;
    bool setWindowPos(WindowHandle window, int x, int y, int cx, int cy,
                      std::uint32_t flags) override;
    bool isWindowVisible(WindowHandle window) override;
    bool isWindowEnabled(WindowHandle window) override;
    std::uint32_t windowStyle(WindowHandle window) override;
    bool setWindowStyle(WindowHandle window, std::uint32_t style) override;
    void beginCaptionDrag(WindowHandle window) override { dragged.push_back(window); }
    std::vector<WindowHandle> dragged;
    int screenWidthTwips() override { return screenWidth; }
    TwipsRect virtualScreenTwips() override { return virtualScreen; }
    void monitorOff(WindowHandle via) override { monitorOffs.push_back(via); }
    void excludeFromCapture(WindowHandle window) override { excludedFromCapture.push_back(window); }
    void setCapture(WindowHandle window) override { capture = window; }
    void releaseCapture() override { capture = kNoWindow; }
    // Told of every show or hide before it takes effect, so a test can see what else
    // had happened by then.
    std::function<void(WindowHandle, bool shown)> beforeShow;
    // A 1024-pixel-wide screen at 96 DPI.
    int screenWidth = 15360;
    // Two monitors: the primary one, and one of 1280 x 1024 pixels to its left.
    TwipsRect virtualScreen{-19200, 0, 34560, 15360};
    std::vector<WindowHandle> monitorOffs;
    std::vector<WindowHandle> excludedFromCapture;
    // The window holding the mouse, kNoWindow when none does.
    WindowHandle capture = kNoWindow;

    // Test set-up: a new window on top of the z-order (or at the bottom), returning its handle.
    WindowHandle open(SimWindow window, bool atBottom = false);
    void close(WindowHandle window);
    // The window's thread gets through what was sent to it, in order: each text that
    // timed out takes effect, each waiting answer is called, and the window answers at
    // once from then on (slow is over). A hung window stays hung and does nothing.
    void catchUp(WindowHandle window);
    // Calls waiting for the window's answer.
    int answersWaiting(WindowHandle window) const;
    SimWindow* find(WindowHandle window);
    const std::vector<SimWindow>& windows() const { return windows_; }

  private:
    // Tells the listeners of a change to w, when w is a top-level window.
    void changed(const SimWindow& w, bool created = false);
    std::vector<std::pair<int, Listener>> listeners_;
    std::vector<WindowHandle> windowSet_;
    int nextToken_ = 0;
    bool matches(const SimWindow& w, WindowHandle parent, const std::string& className,
                 const std::string& title) const;
    static std::string throughCodePage(const SimWindow& w, const std::string& text);
    // The window's program takes a title it was sent.
    void takeText(SimWindow& w, const std::string& text);
    std::vector<SimWindow> windows_;  // z-order, top first
    // What each window's thread has yet to get through, in the order it was sent: texts
    // not yet taken, and the answers waited for.
    struct Pending {
        std::string text;
        std::function<void()> answered;  // empty for a text
    };
    std::map<WindowHandle, std::vector<Pending>> backlog_;
    WindowHandle next_ = 0x20000;
};

}  // namespace platform::sim
