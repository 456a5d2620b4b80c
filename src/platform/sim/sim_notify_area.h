#pragma once
// A simulated shell: its process owns Shell_TrayWnd > TrayNotifyWnd > SysPager >
// ToolbarWindow32 on the simulated desktop, and the toolbar's buttons answer the way a
// real toolbar answers these messages: positions for "which button is here", command
// identifiers for everything else, the first button with an identifier wins, unknown
// identifiers fail. It counts what it was sent and what it holds open, so a test can
// check that every connection was released.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/notify_area.h"
#include "platform/sim/sim_desktop.h"

namespace platform::sim {

struct SimTrayButton {
    int commandId = 0;
    std::string text;
    bool hasText = true;  // false: the button carries no text string at all
    bool hidden = false;
    WindowHandle owner = kNoWindow;  // the icon's program's window, as the shell keeps it
};

struct SimPoint {
    int x = 0;
    int y = 0;
    bool operator==(const SimPoint&) const = default;
};

class SimNotifyArea : public NotifyArea {
  public:
    static constexpr std::uint32_t kShellProcess = 0x5E11;

    explicit SimNotifyArea(SimDesktop& desktop) : desktop_(desktop) {}

    SystemVersion systemVersion() override { return version; }
    std::unique_ptr<ToolbarConnection> connect(WindowHandle toolbar) override;
    std::optional<ClientSize> clientSize(WindowHandle window) override;
    bool postMouseMove(WindowHandle window, int x, int y) override;

    // Test set-up. Opens the shell's windows on the desktop, the toolbar with a client area
    // of width x height; with insidePager false the toolbar is a direct child of
    // TrayNotifyWnd, as in the oldest shells.
    void openShell(int width = 100, int height = 20, bool insidePager = true);
    void addButton(const std::string& text, int commandId, WindowHandle owner = kNoWindow);
    void addButtonWithoutText(int commandId);
    void setClientSize(WindowHandle window, ClientSize size) { sizes_[window] = size; }

    SystemVersion version{6, 1};
    bool processOpens = true;   // false: the shell's process refuses to be opened
    bool bufferCommits = true;  // false: no buffer can be committed in it
    std::vector<SimTrayButton> buttons;
    // Runs each time the button at a position is asked for, before the toolbar answers:
    // a test can let an icon come or go in the middle of a scan.
    std::function<void(int position)> beforeButtonAt;
    WindowHandle trayWnd = kNoWindow;
    WindowHandle notifyWnd = kNoWindow;
    WindowHandle sysPager = kNoWindow;
    WindowHandle toolbar = kNoWindow;

    // What the shell's side saw.
    const SimTrayButton* buttonById(int commandId) const;
    int connectionsMade() const { return connectionsMade_; }
    int processHandlesOpen() const { return processHandlesOpen_; }
    int buffersCommitted() const { return buffersCommitted_; }
    int autosizes() const { return autosizes_; }
    int hideMessages() const { return hideMessages_; }
    const std::vector<SimPoint>& mouseMoves(WindowHandle window) const;

  private:
    class Connection;
    friend class Connection;
    // The toolbar's buttons when the window is the live toolbar; nullptr for any other
    // window, and for one whose thread does not answer.
    std::vector<SimTrayButton>* answeringToolbar(WindowHandle window);
    SimTrayButton* findById(WindowHandle window, int commandId);

    SimDesktop& desktop_;
    std::map<WindowHandle, ClientSize> sizes_;
    std::map<WindowHandle, std::vector<SimPoint>> moves_;
    int connectionsMade_ = 0;
    int processHandlesOpen_ = 0;
    int buffersCommitted_ = 0;
    int autosizes_ = 0;
    int hideMessages_ = 0;
};

}  // namespace platform::sim
