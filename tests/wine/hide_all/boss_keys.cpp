#include "hide_all/boss_keys.h"

#include <iostream>

#include "ui/control_ids.h"

namespace scene {

using namespace wine_test;

// Armed a few hundred ms after the window shows here, and a press in between is dropped.
// The hide-self key, pressed until it answers and then until the window is back, tells
// when they are. An answer may come late on a busy machine, after the next press was
// made: a change counts only once it has held for a moment, and the window must end up
// shown by a press of ours.
void BossKeys::waitUntilHotKeysAnswer() {
    const HWND main = desk_.main();
    auto holds = [&](bool visible) {
        const ULONGLONG end = GetTickCount64() + 700;
        while (GetTickCount64() < end) {
            if ((IsWindowVisible(main) != FALSE) != visible) return false;
            pumpMessages();
            Sleep(10);
        }
        return true;
    };
    const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
    do {
        const bool visible = IsWindowVisible(main) != FALSE;
        ASSERT_NO_FATAL_FAILURE(press({VK_MENU, 'M'}));
        if (!pollUntil([&] { return (IsWindowVisible(main) != FALSE) != visible; }, 1000)) {
            continue;
        }
        if (holds(!visible) && !visible) return;
    } while (GetTickCount64() < deadline);
    FAIL() << "Veilor's hotkeys did not answer within " << kDeadlineMs << " ms";
}

namespace {

// Over every other window for a moment, clicked where the user would, then back among
// the others: what a successful SetForegroundWindow would have left.
void clickToTheFront(HWND window) {
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    RECT r{};
    GetWindowRect(window, &r);
    clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, window);
    pollUntil([&] { return GetForegroundWindow() == window; }, 3000);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
}

}  // namespace

// The keys go to the driver's window when it can come to the front (a peer whose thread
// does not answer may keep the front under Wine; hotkeys do not care which program has
// it).
// A Veilor busy for a moment may not give the front up yet, or take it back as an earlier
// press's answer shows its window: the turn is tried again until the deadline.
void BossKeys::turnToAnotherProgram() {
    auto elsewhere = [&] {
        DWORD owner = 0;
        GetWindowThreadProcessId(GetForegroundWindow(), &owner);
        return owner != desk_.veilor().pid();
    };
    const ULONGLONG deadline = GetTickCount64() + kDeadlineMs;
    do {
        SetForegroundWindow(keyboard_);
        if (pollUntil([&] { return GetForegroundWindow() == keyboard_; }, 1000)) return;
        // Wine may refuse a program the front; a click brings it there, as for a user.
        // Veilor's main window and others may cover the window, so it is raised first.
        clickToTheFront(keyboard_);
        if (elsewhere()) return;
    } while (GetTickCount64() < deadline);
    const HWND front = GetForegroundWindow();
    DWORD_PTR ignored = 0;
    const bool answers =
        SendMessageTimeoutW(front, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
    FAIL() << "no other program than Veilor got the keyboard in " << kDeadlineMs
           << " ms; in front: " << describeWindow(front)
           << (answers ? ", which answers messages" : ", which does not answer messages");
}

void BossKeys::press(const std::vector<WORD>& keys) {
    ASSERT_NO_FATAL_FAILURE(turnToAnotherProgram());
    pressKeys(keys);
}

// Every press Veilor takes turns the hotkey's mark over. Wine under Xvfb now and then
// drops an injected combination on its way (the mark stays as it was); such a press is
// made again, as a user would. A press taken twice turns the mark back and is not
// mistaken for one.
void BossKeys::pressHotKey(int index, const std::vector<WORD>& keys) {
    const std::string before = mark(index);
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_NO_FATAL_FAILURE(press(keys));
        if (pollUntil([&] { return mark(index) != before; }, 5000)) return;
        std::cout << "hotkey " << index << " was not taken; pressed again\n";
    }
    FAIL() << "Veilor did not take hotkey " << index << " in three presses";
}

void BossKeys::pressAlt(char letter) {
    const std::string letters = "AMTWRBI";
    ASSERT_NE(letters.find(letter), std::string::npos) << letter;
    pressHotKey(static_cast<int>(letters.find(letter)), {VK_MENU, static_cast<WORD>(letter)});
}

std::string BossKeys::mark(int index) {
    return windowText(desk_.control(ui::ids::kLabHotKey0 + index));
}

HWND veilorFocus(const DesktopScene& desk) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(desk.main(), nullptr), &info);
    return info.hwndFocus;
}

void openSettingsTab(DesktopScene& desk, int tab, int frameId) {
    RECT tabs{};
    HWND tabStrip = desk.control(ui::ids::kTabStrip1);
    GetWindowRect(tabStrip, &tabs);
    HWND frame = desk.control(frameId);
    for (int attempt = 0; attempt < 5 && !IsWindowVisible(frame); ++attempt) {
        SetForegroundWindow(desk.main());
        ASSERT_TRUE(pollUntil([&] { return GetForegroundWindow() == desk.main(); }, kDeadlineMs,
                              "Veilor to come to the front",
                              [] { return describeWindow(GetForegroundWindow()); }));
        ASSERT_TRUE(clickAt(tabs.left + 40 + 60 * tab, tabs.top + 10, tabStrip));
        pollUntil([&] { return IsWindowVisible(frame) != FALSE; }, 4000);
    }
    ASSERT_TRUE(desk.visibility(frame, true, "the tab's frame"));
}

void clickUntil(HWND control, const std::function<bool()>& done, const std::string& what) {
    bool happened = false;
    for (int attempt = 0; attempt < 5 && !happened; ++attempt) {
        ASSERT_TRUE(clickWithMouse(control));
        happened = pollUntil(done, 4000);
    }
    ASSERT_TRUE(happened) << "five clicks on " << describeWindow(control) << " and no " << what;
}

void clickIntoControl(const DesktopScene& desk, HWND control) {
    clickUntil(
        control, [&] { return veilorFocus(desk) == control; },
        concat("keyboard there; it is with ", describeWindow(veilorFocus(desk))));
}

::testing::AssertionResult altAFree() {
    return pollUntil(
        [] {
            if (!RegisterHotKey(nullptr, 1, MOD_ALT, 'A')) return false;
            UnregisterHotKey(nullptr, 1);
            return true;
        },
        kDeadlineMs, "Alt+A to be free");
}

}  // namespace scene
