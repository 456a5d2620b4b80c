#pragma once
// The tray page: the icons of the notification area by their text, hide and show one or
// all, and the rows of the icons Veilor hid this run marked. Which texts were hidden is
// remembered only in memory, for as long as the program runs.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"
#include "tray/tray_toolbar.h"
#include "ui/control_ids.h"
#include "ui/controls.h"
#include "ui/page_sight.h"

namespace tray {

class TrayPage {
  public:
    // Creates the page's controls inside the page frame.
    TrayPage(ui::Frame& frame, const platform::System& sys);
    TrayPage(const TrayPage&) = delete;
    TrayPage& operator=(const TrayPage&) = delete;

    ui::ListBox List2;
    ui::TextBox txtTrayTitle;
    ui::Button cmdRefresh2;
    ui::Button cmdHide2;
    ui::Button cmdShow2;
    ui::Button cmdHideAll;
    ui::Button cmdShowAll;
    ui::Timer tmrEnabled2;

    // The texts hidden this run, in the order they were hidden.
    std::vector<std::string> hideList2;
    // Set once anything was hidden from here (or by the one-key hide); restore-everything
    // shows the icons only when it is set.
    bool Dotray = false;

    // Told what the page hides and shows, so that the main window can keep its record
    // of what is hidden: the buttons before they go, a text or everything once shown.
    struct Hooks {
        BeforeHide hiding;
        std::function<void(const std::string& text)> shown;
        std::function<void()> allShown;
    };
    Hooks hooks;

    // Refills List2 from the notification area and marks the hidden rows.
    void ListTrayButtons();
    // Marks every row whose text is in the hidden list.
    void HideList();

    // The buttons' actions, also run by the hotkeys and by hide- and restore-everything.
    void cmdRefresh2_Click();
    void cmdHide2_Click();
    void cmdShow2_Click();
    void cmdHideAll_Click();
    void cmdShowAll_Click();
    void List2_Click();
    void tmrEnabled2_Timer();
    // What the main window does when it loads: the button state is set, and from then on
    // follows the chosen row at the timer's next tick, while the page can be seen.
    void start();

  private:
    void layout();
    void wireEvents();
    // The selected row of List2; nullopt when none is selected.
    std::optional<std::string> selectedRow() const;
    // The choice may have changed: the timer runs once, if anyone can see the buttons.
    void choiceChanged();

    bool started_ = false;

    platform::Desktop& desktop_;
    platform::NotifyArea& area_;
    ui::PageSight sight_{*List2.parent(), [this](bool seen) {
                             seen ? choiceChanged() : tmrEnabled2.setEnabled(false);
                         }};
};

}  // namespace tray
