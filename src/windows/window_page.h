#pragma once
// The window page of the main window: the list of other programs' titled windows, the
// selected title, and the buttons that hide, show and rename the selected window. The
// list is rebuilt from the desktop on every refresh; a hidden window is known by the
// hidden marker in its own title and by the record of what this run hid.
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/page_sight.h"
#include "windows/hidden_record.h"
#include "windows/late_markers.h"

namespace windows {

class DesktopSnapshot;

class WindowPage {
  public:
    // The page's controls become children of frame (5655 x 3375 twips). mainWindow
    // answers the main window's handle, which is only known once it is loaded.
    WindowPage(ui::Frame& frame, platform::System& sys, ui::Dialogs& dialogs, HiddenRecord& record,
               std::function<platform::WindowHandle()> mainWindow);
    WindowPage(const WindowPage&) = delete;
    WindowPage& operator=(const WindowPage&) = delete;
    ~WindowPage();

    // How long the watcher gathers news of the desktop before it looks: one look for a
    // whole burst of changes.
    static constexpr int kCoalesceMs = 50;
    // Where the system does not tell of every change, the watcher compares the window set
    // itself: soon after a change, then less and less often while nothing changes, but
    // never so seldom that a closed window stays listed for more than a second.
    static constexpr int kWindowSetFirstMs = 100;
    static constexpr int kWindowSetLongestMs = 1000;

    // Rebuilds List1 from the desktop (or from the desktop as just read) and empties
    // txtWindowTitle.
    void Refresh1();
    void Refresh1(const DesktopSnapshot& desktop);

    // Refresh1 in two steps, for a caller with something more urgent in between: the rows
    // are read from the desktop first, and shown when the caller gets round to it.
    struct Listing {
        std::vector<std::string> rows;
        // The windows that gave them.
        std::set<platform::WindowHandle> windows;
    };
    Listing listRows(const DesktopSnapshot& desktop);
    void Refresh1(const Listing& listing);
    // Turns the watcher on, as the program starts. It looks at the desktop only while
    // the page can be seen: at once when it comes into sight, then after each change the
    // system tells of.
    void startWatcher();
    // One look: the tooltip, the listed windows that went or came, the buttons.
    void tmrEnabled1_Timer();

    void List1_Click();
    void cmdHide1_Click();
    void cmdShow1_Click();
    void cmdRename_Click();

    // Set by every hide, never cleared: restoring windows is due only once one was hidden.
    bool Dowindow = false;
    // Every hide of the program hands over its windows whose marker came too late.
    LateMarkers lateMarkers;

  private:
    ui::Frame& frame_;

  public:
    ui::ListBox List1{&frame_, ui::ids::kList1, "List1"};
    ui::TextBox txtWindowTitle{&frame_, ui::ids::kTxtWindowTitle, "txtWindowTitle"};
    ui::CheckBox chkVisible{&frame_, ui::ids::kChkVisible, "chkVisible"};
    ui::Button cmdRefresh1{&frame_, ui::ids::kCmdRefresh1, "cmdRefresh1"};
    ui::Button cmdHide1{&frame_, ui::ids::kCmdHide1, "cmdHide1"};
    ui::Button cmdShow1{&frame_, ui::ids::kCmdShow1, "cmdShow1"};
    ui::Button cmdRename{&frame_, ui::ids::kCmdRename, "cmdRename"};
    // The taskbar toggle; the main window owns what it does.
    ui::Button cmdhidewin{&frame_, ui::ids::kCmdhidewin, "cmdhidewin"};
    ui::Timer tmrEnabled1{&frame_, ui::ids::kTmrEnabled1, "tmrEnabled1"};
    ui::Timer tmrWindowSet{&frame_, ui::ids::kTmrWindowSet, "tmrWindowSet"};

    struct Slot {
        int left, top, width, height;
    };
    static constexpr Slot kButtonSlot{3960, 780, 1575, 400};

  private:
    void layout();
    void wireEvents();
    void showListing(const Listing& listing);
    void sightChanged(bool seen);
    void windowsChanged();
    // The window set compared, at a system that does not tell of every change.
    void tmrWindowSet_Timer();
    void watchWindowSet(int intervalMs);
    // Lists windows that give a row now but gave none at the last listing (opened or
    // shown since), keeping the row the user had chosen.
    void addNewWindows(const DesktopSnapshot& desktop);
    // One probe of the refresh: the row, if any, that the window h gives.
    bool addRowFor(std::vector<std::string>& rows, const DesktopSnapshot& desktop,
                   platform::WindowHandle h, const std::string& title,
                   platform::WindowHandle mainWindow);
    // Makes List1 show exactly these rows, with nothing selected.
    void showRows(const std::vector<std::string>& rows);
    // Refreshes when a listed window has gone; true when it did.
    bool watchRows(const DesktopSnapshot& desktop);
    void showToolTip();
    void enableButtons();
    // The window titled as txtWindowTitle says, found again now.
    platform::WindowHandle target();

    // An invisible window that this run hid, whatever its title says now.
    bool hiddenByUs(platform::WindowHandle w, const std::string& title);
    // A show is only posted: the refresh that follows it may still find the window
    // invisible, so it gets its row once its program has taken the show.
    void listOnceShown(platform::WindowHandle w);

    platform::Desktop& desktop_;
    ui::Dialogs& dialogs_;
    HiddenRecord& record_;
    std::function<platform::WindowHandle()> mainWindow_;
    std::set<platform::WindowHandle> listed_;
    bool watcherOn_ = false;
    int subscription_ = 0;
    platform::WindowEvents& events_;
    ui::PageSight sight_{frame_, [this](bool seen) { sightChanged(seen); }};
    // Held by the answers still to come; they do nothing once the page has gone.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace windows
