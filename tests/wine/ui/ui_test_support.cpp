#include "ui_test_support.h"

namespace ui_test {

TestForm::TestForm() {
    form.setText("测试窗体");
    form.setBounds(0, 0, 7485, 5655);
    title.setBounds(240, 120, 4000, 300);
    title.setText("窗口管理器 Veilor");
    title.setBold(true);
    title.setForeColor(0x00804000);
    frame.setBounds(240, 480, 3300, 1800);
    frame.setText("托盘管理器");
    inner.setBounds(240, 300, 2800, 300);
    inner.setText("隐藏的图标");
    nested.setBounds(240, 720, 2800, 900);
    nested.setText("嵌套");
    nestedButton.setBounds(240, 300, 1500, 420);
    nestedButton.setText("显示");
    button.setBounds(3720, 480, 1500, 420);
    button.setText("隐藏窗口");
    picture.setBounds(5400, 480, 1800, 420);
    picture.setText("一键隐藏");
    picture.setToolTip("隐藏全部");
    check.setBounds(3720, 1020, 3000, 300);
    check.setText("开机启动");
    text.setBounds(3720, 1440, 3480, 330);
    list.setBounds(240, 2400, 3300, 1500);
    listView.setBounds(3720, 1920, 3480, 1980);
    listView.addColumn("进程", 1200);
    listView.addColumn("路径", 2100);
    tabs.setBounds(240, 4080, 6960, 1380);
    tabs.addTab("常规选项", "a");
    tabs.addTab("快捷键", "b");
    tabs.addTab("黑屏锁定", "c");
}

::testing::AssertionResult TestForm::showInFront() {
    form.show();
    HWND top = hwnd();
    if (!top) return ::testing::AssertionFailure() << "the form has no window";
    SetForegroundWindow(top);
    // In front, activated (the activation has placed the keyboard focus) and with every
    // message that showing it caused handled, so the first input meets a settled form.
    return wine_test::pollUntil(
        [&] {
            HWND focus = GetFocus();
            return IsWindowVisible(top) && GetForegroundWindow() == top &&
                   (focus == top || IsChild(top, focus)) && GetQueueStatus(QS_ALLINPUT) == 0;
        },
        wine_test::kDeadlineMs, "the form to be shown in front",
        [&] { return wine_test::describeWindow(GetForegroundWindow()); });
}

RECT rectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

::testing::AssertionResult clickAt(HWND window, POINT client) {
    auto front = wine_test::bringToFront(window);
    if (!front) return front;
    POINT screen = client;
    ClientToScreen(window, &screen);
    return wine_test::clickAtPoint(screen, window);
}

::testing::AssertionResult clickCentre(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return clickAt(window, {r.right / 2, r.bottom / 2});
}

::testing::AssertionResult clickUntil(HWND window, POINT client,
                                      const std::function<bool()>& effect,
                                      const std::string& what) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto clicked = clickAt(window, client);
        if (!clicked) return clicked;
        if (wine_test::pollUntil(effect, 2000)) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "two clicks on " << wine_test::describeWindow(window) << " and still no " << what;
}

::testing::AssertionResult clickCentreUntil(HWND window, const std::function<bool()>& effect,
                                            const std::string& what) {
    RECT r{};
    GetClientRect(window, &r);
    return clickUntil(window, {r.right / 2, r.bottom / 2}, effect, what);
}

void pressKey(WORD vk, bool shift) {
    INPUT inputs[4] = {};
    int n = 0;
    auto key = [&](WORD code, bool up) {
        inputs[n].type = INPUT_KEYBOARD;
        inputs[n].ki.wVk = code;
        inputs[n].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++n;
    };
    if (shift) key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift) key(VK_SHIFT, true);
    SendInput(static_cast<UINT>(n), inputs, sizeof(INPUT));
}

std::wstring text16(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

namespace {

struct Search {
    const std::wstring* className;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM lp) {
    auto& s = *reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (*s.className != cls || text16(hwnd) != *s.title) return TRUE;
    s.found = hwnd;
    return FALSE;
}

}  // namespace

WindowHelper::WindowHelper(std::wstring className, std::wstring title,
                           std::function<void(HWND)> act)
    : thread_([this, className, title, act] {
          DWORD start = GetTickCount();
          while (GetTickCount() - start < wine_test::kDeadlineMs) {
              Search s{&className, &title, nullptr};
              EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&s));
              if (s.found) {
                  found_ = true;
                  act(s.found);
                  return;
              }
              Sleep(20);  // a second thread polling; the main thread is in the modal loop
          }
      }) {}

WindowHelper::~WindowHelper() {
    join();
}

void WindowHelper::join() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace ui_test
