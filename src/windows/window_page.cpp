#include "windows/window_page.h"

#include <algorithm>

#include "core/text.h"
#include "windows/desktop_snapshot.h"
#include "windows/hide_all.h"
#include "windows/window_ops.h"

namespace windows {
namespace {

// Chat windows rewrite their titles while someone types; their rows are not taken
// for windows that have gone.
constexpr std::string_view kTypingSuffix = "正在输入";
constexpr std::string_view kChattingSuffix = "交谈中";

std::string withoutFrozenMarker(const std::string& row) {
    return hasFrozenMarker(row) ? row.substr(kFrozenMarker.size()) : row;
}

}  // namespace

WindowPage::WindowPage(ui::Frame& frame, platform::System& sys, ui::Dialogs& dialogs,
                       HiddenRecord& record, std::function<platform::WindowHandle()> mainWindow)
    : lateMarkers(sys.desktop, record),
      frame_(frame),
      desktop_(sys.desktop),
      dialogs_(dialogs),
      record_(record),
      mainWindow_(std::move(mainWindow)),
      events_(sys.windowEvents) {
    layout();
    wireEvents();
}

WindowPage::~WindowPage() {
    events_.unsubscribe(subscription_);
}

void WindowPage::layout() {
    List1.setBounds(120, 300, 3720, 2460);
    txtWindowTitle.setBounds(120, 2880, 3720, 375);
    txtWindowTitle.setReadOnly(true);
    chkVisible.setText("仅显示可见窗口");
    chkVisible.setBounds(3960, 300, 1635, 300);
    const std::pair<ui::Button*, const char*> buttons[] = {
        {&cmdRefresh1, "刷新列表"}, {&cmdHide1, "隐藏窗体"},     {&cmdShow1, "显示窗体"},
        {&cmdRename, "重命名窗体"}, {&cmdhidewin, "隐藏任务栏"},
    };
    int top = kButtonSlot.top;
    for (const auto& [button, caption] : buttons) {
        button->setText(caption);
        button->setBounds(kButtonSlot.left, top, kButtonSlot.width, kButtonSlot.height);
        top += 520;
    }
    // Stopped until the program has loaded; from then on each change sets it going once.
    tmrEnabled1.setEnabled(false);
    tmrEnabled1.setInterval(0);
    tmrWindowSet.setEnabled(false);
}

void WindowPage::wireEvents() {
    List1.onClick = [this] { List1_Click(); };
    chkVisible.onClick = [this] {
        Refresh1();
        sightChanged(sight_.seen());
    };
    cmdRefresh1.onClick = [this] { Refresh1(); };
    cmdHide1.onClick = [this] { cmdHide1_Click(); };
    cmdShow1.onClick = [this] { cmdShow1_Click(); };
    cmdRename.onClick = [this] { cmdRename_Click(); };
    tmrEnabled1.onTick = [this] { tmrEnabled1_Timer(); };
    tmrWindowSet.onTick = [this] { tmrWindowSet_Timer(); };
}

void WindowPage::Refresh1() {
    Refresh1(DesktopSnapshot(desktop_));
}

void WindowPage::Refresh1(const DesktopSnapshot& desktop) {
    Refresh1(listRows(desktop));
}

void WindowPage::Refresh1(const Listing& listing) {
    showListing(listing);
    txtWindowTitle.setText("");
    enableButtons();
}

WindowPage::Listing WindowPage::listRows(const DesktopSnapshot& desktop) {
    Listing listing;
    const platform::WindowHandle self = mainWindow_ ? mainWindow_() : platform::kNoWindow;
    for (const DesktopSnapshot::Entry& probe : desktop.windows()) {
        if (addRowFor(listing.rows, desktop, probe.handle, probe.title, self))
            listing.windows.insert(probe.handle);
    }
    return listing;
}

void WindowPage::showListing(const Listing& listing) {
    showRows(listing.rows);
    listed_ = listing.windows;
}

void WindowPage::showRows(const std::vector<std::string>& rows) {
    List1.setListIndex(-1);
    // A list box redraws itself for every row it is given, so the rows it already shows
    // in place are kept and only the rest is replaced.
    int keep = 0;
    while (keep < List1.listCount() && keep < static_cast<int>(rows.size()) &&
           List1.list(keep) == rows[keep]) {
        ++keep;
    }
    while (List1.listCount() > keep)
        List1.removeItem(List1.listCount() - 1);
    for (std::size_t i = keep; i < rows.size(); ++i)
        List1.addItem(rows[i]);
}

bool WindowPage::addRowFor(std::vector<std::string>& rows, const DesktopSnapshot& desktop,
                           platform::WindowHandle h, const std::string& title,
                           platform::WindowHandle mainWindow) {
    if (h == mainWindow || isOwnTitle(title) || title.empty() || title == kProgramManager)
        return false;
    // The row stands for whichever window owns this title first, not necessarily h.
    const platform::WindowHandle w = desktop.find(title);
    if (w == platform::kNoWindow) return false;
    if (chkVisible.value() == 1) {
        if (!desktop_.isWindowVisible(w)) return false;
        rows.push_back(desktop_.isWindowEnabled(w) ? title : std::string(kFrozenMarker) + title);
        return true;
    }
    if (!desktop_.isWindowEnabled(w)) return false;
    // Invisible windows are listed only when Veilor hid them, so they can be shown again.
    if (!desktop_.isWindowVisible(w) && !hiddenByUs(w, title)) return false;
    rows.push_back(title);
    return true;
}

bool WindowPage::hiddenByUs(platform::WindowHandle w, const std::string& title) {
    return hasHiddenMarker(title) || record_.holds(w, desktop_.windowProcessId(w));
}

void WindowPage::List1_Click() {
    showToolTip();
    const std::string row = List1.list(List1.listIndex());
    const std::string title = GetWinText(desktop_, FindTitledWindow(desktop_, row));
    // A window whose real title carries a marker is found by the row exactly as it is.
    if (hasHiddenMarker(title) || hasFrozenMarker(title)) {
        txtWindowTitle.setText(row);
    } else if (hasFrozenMarker(row)) {
        txtWindowTitle.setText(row.substr(kFrozenMarker.size()));
    } else if (hasHiddenMarker(row)) {
        txtWindowTitle.setText(row.substr(kHiddenMarker.size()));
    } else {
        txtWindowTitle.setText(row);
    }
    enableButtons();
}

platform::WindowHandle WindowPage::target() {
    return FindTitledWindow(desktop_, txtWindowTitle.text());
}

// Veilor's own windows and the desktop's are never hidden: nothing would bring them back.
void WindowPage::cmdHide1_Click() {
    Dowindow = true;
    const platform::WindowHandle w = target();
    const std::string title = GetWinText(desktop_, w);
    if (w != platform::kNoWindow && (isMarkable(title) || hasHiddenMarker(title)))
        hideWindows(desktop_, record_, lateMarkers, {{w, title}});
    Refresh1();
}

void WindowPage::cmdShow1_Click() {
    const platform::WindowHandle w = target();
    const std::string title = GetWinText(desktop_, w);
    if (hasHiddenMarker(title)) desktop_.setWindowText(w, title.substr(kHiddenMarker.size()));
    WinCommand(desktop_, w, kWinShow);
    if (w != platform::kNoWindow) record_.removeWindows({w});
    Refresh1();
    listOnceShown(w);
}

void WindowPage::listOnceShown(platform::WindowHandle w) {
    if (w == platform::kNoWindow) return;
    std::weak_ptr<bool> alive = alive_;
    desktop_.whenAnswered(w, [this, alive] {
        if (alive.lock()) addNewWindows(DesktopSnapshot(desktop_));
    });
}

void WindowPage::cmdRename_Click() {
    const platform::WindowHandle w = target();
    if (w == platform::kNoWindow) return;
    const std::string answer =
        dialogs_.inputBox("请输入新的名称：", "窗体重命名", GetWinText(desktop_, w));
    if (core::trim(answer).empty() || answer == txtWindowTitle.text()) return;
    desktop_.setWindowText(w, answer);
    Refresh1();
}

void WindowPage::startWatcher() {
    tmrEnabled1.setInterval(kCoalesceMs);
    watcherOn_ = true;
    showToolTip();
    enableButtons();
    if (sight_.seen()) sightChanged(true);
}

// Only the rows of "仅显示可见窗口" follow the desktop; without it the tooltip and the
// buttons follow the user's choice alone, and no news of the desktop is needed.
void WindowPage::sightChanged(bool seen) {
    if (!watcherOn_) return;
    events_.unsubscribe(subscription_);
    subscription_ = 0;
    tmrEnabled1.setEnabled(false);
    tmrWindowSet.setEnabled(false);
    if (!seen) return;
    if (chkVisible.value() == 1) {
        subscription_ = events_.subscribe([this] { windowsChanged(); });
        if (subscription_ == 0 || !events_.tellsEveryChange()) watchWindowSet(kWindowSetFirstMs);
    }
    tmrEnabled1_Timer();
}

// Only noted here: the look comes once the burst has had time to end.
void WindowPage::windowsChanged() {
    if (!tmrEnabled1.running()) tmrEnabled1.setEnabled(true);
}

void WindowPage::watchWindowSet(int intervalMs) {
    tmrWindowSet.setInterval(intervalMs);
    tmrWindowSet.setEnabled(true);
}

void WindowPage::tmrWindowSet_Timer() {
    if (!events_.windowSetChanged()) {
        if (tmrWindowSet.interval() < kWindowSetLongestMs)
            watchWindowSet(std::min(tmrWindowSet.interval() * 2, kWindowSetLongestMs));
        return;
    }
    // The change is seen already; gathering a burst would only hold the row longer.
    tmrEnabled1_Timer();
}

void WindowPage::tmrEnabled1_Timer() {
    tmrEnabled1.setEnabled(false);
    showToolTip();
    if (chkVisible.value() == 1) {
        // The window set is compared next against the windows this look lists (a window
        // told of as it opened, listed, then closed, is a change), and soon: one change
        // often brings another that goes untold, as a window that opens and soon closes.
        if (tmrWindowSet.enabled()) {
            events_.windowSetChanged();
            watchWindowSet(kWindowSetFirstMs);
        }
        DesktopSnapshot desktop(desktop_);
        if (!watchRows(desktop)) addNewWindows(desktop);
    }
    enableButtons();
}

void WindowPage::showToolTip() {
    List1.setToolTip(List1.list(List1.listIndex()));
}

bool WindowPage::watchRows(const DesktopSnapshot& desktop) {
    const int count = List1.listCount();
    bool refreshed = false;
    // A refresh may shorten the list; the rows past its end are nothing to watch.
    for (int i = 0; i < count && i < List1.listCount(); ++i) {
        const std::string row = List1.list(i);
        if (desktop.find(withoutFrozenMarker(row)) != platform::kNoWindow) continue;
        if (core::endsWith(row, kTypingSuffix) || core::endsWith(row, kChattingSuffix)) continue;
        Refresh1(desktop);
        refreshed = true;
    }
    return refreshed;
}

void WindowPage::addNewWindows(const DesktopSnapshot& desktop) {
    Listing listing = listRows(desktop);
    bool gained = false;
    for (platform::WindowHandle w : listing.windows)
        gained = gained || !listed_.contains(w);
    if (!gained) return;
    const std::string chosen = List1.list(List1.listIndex());
    showListing(listing);
    for (int i = 0; i < List1.listCount(); ++i) {
        if (!chosen.empty() && List1.list(i) == chosen) {
            List1.setListIndex(i);
            break;
        }
    }
}

void WindowPage::enableButtons() {
    const std::string& x = txtWindowTitle.text();
    const bool ownTitle = x == kAppTitle || (core::startsWith(x, " ") && x.substr(1) == kAppTitle);
    const bool usable = !x.empty() && !ownTitle;
    for (ui::Button* button : {&cmdRename, &cmdShow1, &cmdHide1})
        button->setEnabled(usable);
}

}  // namespace windows
