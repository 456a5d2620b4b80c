#pragma once
// The program's own notification-area icon through Shell_NotifyIconW. The icon talks to
// a hidden window of its own, so whoever owns the main window never has to share its
// window procedure; that window also hears the shell restart and puts the icon back.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "platform/notify_icon.h"

namespace platform::win32 {

// The program's icon in the executable's resources.
constexpr int kProgramIconId = 1;

// The program's icon at the system's small or large icon size, or the stock application
// icon where the executable carries none. Shared by the system: never destroy it.
HICON loadProgramIcon(bool small);

class Win32NotifyIcon : public NotifyIcon {
  public:
    Win32NotifyIcon();
    // Takes the icon away and closes the window; on the thread that created it.
    ~Win32NotifyIcon() override;
    Win32NotifyIcon(const Win32NotifyIcon&) = delete;
    Win32NotifyIcon& operator=(const Win32NotifyIcon&) = delete;

    void setMouseHandler(MouseHandler handler) override { handler_ = std::move(handler); }
    bool add(const std::string& tip) override;
    bool setTip(const std::string& tip) override;
    bool remove() override;
    bool present() const override { return present_; }

    // The window the shell talks to, and the icon's number there.
    HWND window() const { return hwnd_; }
    static constexpr UINT kIconId = 0;

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp) noexcept;
    void runHandler(int mouseMessage) noexcept;
    bool shellAdd();
    NOTIFYICONDATAW data(UINT flags) const;

    HWND hwnd_ = nullptr;
    UINT taskbarCreated_ = 0;
    HICON icon_ = nullptr;
    std::wstring tip_;
    bool present_ = false;
    MouseHandler handler_;
};

}  // namespace platform::win32
