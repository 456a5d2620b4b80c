#pragma once
// Other programs' icons in the notification area, read, hidden and shown by their text
// through the shell's toolbar. Nothing is kept between calls: every operation (and each
// IconPass) finds the toolbar again, opens one connection to the shell's process and
// releases it when done. When the toolbar or the shell's process cannot be reached, an operation
// does nothing (a list stays empty).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/desktop.h"
#include "platform/notify_area.h"
#include "ui/controls.h"

namespace tray {

// Written in front of the list row of an icon that Veilor hid.
inline constexpr std::string_view kHiddenMarker = "[隐藏] ";

// One button of the toolbar as read: its place, the identifier the toolbar knows it by,
// and its text (the owning program's tool tip); no text when the toolbar reported none.
struct TrayButton {
    int position = 0;
    int commandId = 0;
    std::optional<std::string> text;
};

// Shell_TrayWnd > TrayNotifyWnd > SysPager > ToolbarWindow32; kNoWindow when any link is
// missing.
platform::WindowHandle iconToolbar(platform::Desktop& desktop);
// The window the sweep of RefreshTray goes to, by the layout of this version's shell.
platform::WindowHandle FindTrayToolbar(platform::Desktop& desktop, platform::NotifyArea& area);

// Every button of the icon toolbar in order, hidden ones included.
std::vector<TrayButton> readTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area);
// The list rows for those buttons: buttons without text give none, a run of neighbours
// with one text gives one row, and an empty text gives no row while no row exists yet.
std::vector<std::string> listRows(const std::vector<TrayButton>& buttons);

// Empties the list and fills it with the rows of the buttons.
void ListTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area, ui::ListBox& list);
void ListTrayButtons(const std::vector<TrayButton>& buttons, ui::ListBox& list);
// Hides (shows) every button whose text is exactly this text, case and all.
void HideTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::string& text);
void ShowTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::string& text);
// Told which buttons are about to be hidden, before the first of them is.
using BeforeHide = std::function<void(const std::vector<TrayButton>&)>;

// Asked of each button about to be hidden, with the window of the icon's program
// (kNoWindow when the shell does not tell); the button stays when it answers false.
using HideFilter = std::function<bool(const TrayButton&, platform::WindowHandle owner)>;

// The same for every button whose text is any of these, in one pass over the toolbar.
void HideTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::vector<std::string>& texts, const BeforeHide& beforeHide = {});

// The one-key hide's pass over the icons, split around the hiding of the windows: every
// button is read at once, so that the record can name the icons before the first window
// goes, and the picked ones are hidden later over the same connection.
class IconPass {
  public:
    IconPass(platform::Desktop& desktop, platform::NotifyArea& area);
    // The buttons as read, in order.
    const std::vector<TrayButton>& buttons() const { return buttons_; }
    // Those whose text is one of these and that the filter lets go.
    std::vector<TrayButton> pick(const std::vector<std::string>& texts, const HideFilter& filter);
    void hide(const std::vector<TrayButton>& buttons);

  private:
    std::unique_ptr<platform::ToolbarConnection> toolbar_;
    std::vector<TrayButton> buttons_;
};
void ShowTrayButtons(platform::Desktop& desktop, platform::NotifyArea& area,
                     const std::vector<std::string>& texts);
// Shows every button whose identifier or text is one of these (a program may have
// changed its icon's text while it was hidden). Returns how many were shown.
int ShowTrayButtonsOf(platform::Desktop& desktop, platform::NotifyArea& area,
                      const std::vector<int>& commandIds, const std::vector<std::string>& texts);
// Shows every button whose identifier and text are both those of one of these pairs (an
// empty text matches nothing). For what an earlier boot hid: the shell numbers its
// buttons anew when it starts, so an identifier alone may name another program's icon,
// perhaps one its own program keeps hidden. Returns how many were shown.
int ShowTrayButtonsExactly(platform::Desktop& desktop, platform::NotifyArea& area,
                           const std::vector<std::pair<int, std::string>>& buttons);
// Moves a posted pointer over every interior point of the toolbar, so that the shell
// notices icons whose programs have ended and drops them. Does not wait for the shell.
void RefreshTray(platform::Desktop& desktop, platform::NotifyArea& area);

}  // namespace tray
