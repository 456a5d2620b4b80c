#pragma once
// The program's own icon in the notification area: at most one, with a tip, and the
// mouse messages the user makes on it.
#include <functional>
#include <string>

namespace platform {

// The message the shell sends for the icon: WM_USER + 1001.
constexpr unsigned kNotifyIconCallback = 2025;

// Mouse messages as the callback reports them, with their Win32 values.
namespace mouse {
constexpr int kMove = 0x200;
constexpr int kLeftDown = 0x201;
constexpr int kLeftUp = 0x202;
constexpr int kLeftDoubleClick = 0x203;
constexpr int kRightDown = 0x204;
constexpr int kRightUp = 0x205;
}  // namespace mouse

class NotifyIcon {
  public:
    using MouseHandler = std::function<void(int mouseMessage)>;

    virtual ~NotifyIcon() = default;
    // Runs for every mouse message on the icon; an empty handler ignores them.
    virtual void setMouseHandler(MouseHandler handler) = 0;
    // Adds the icon with its tip. With the icon already there only the tip changes, so
    // the user never sees two. False when the shell did not take it now; the icon is
    // kept all the same and shown as soon as a shell starts.
    virtual bool add(const std::string& tip) = 0;
    // Changes the tip; remembered for the next add when no icon is there.
    virtual bool setTip(const std::string& tip) = 0;
    virtual bool remove() = 0;
    // The program keeps an icon there, from add until remove.
    virtual bool present() const = 0;
};

}  // namespace platform
