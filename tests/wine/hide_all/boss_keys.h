#pragma once
// Veilor's hotkeys and its settings page driven as a user drives them, on a DesktopScene:
// real key presses while another program has the keyboard, and the settings tabs and
// hotkey boxes clicked with the real mouse. Use each under ASSERT_NO_FATAL_FAILURE.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "hide_all/desktop_scene.h"

namespace scene {

class BossKeys {
  public:
    // keyboard: a window of the driver's own (wine_test::openKeyboardWindow) that holds
    // the keyboard while the keys are pressed.
    BossKeys(DesktopScene& desk, HWND keyboard) : desk_(desk), keyboard_(keyboard) {}

    // Veilor shows its window a moment before its hotkeys are armed; returns once they
    // answer.
    void waitUntilHotKeysAnswer();
    // Brings another program than Veilor to the front, as a user turning to it.
    void turnToAnotherProgram();
    // Presses a combination while another program than Veilor has the keyboard.
    void press(const std::vector<WORD>& keys);
    // Presses one of Veilor's hotkeys and waits until Veilor has taken it.
    void pressHotKey(int index, const std::vector<WORD>& keys);
    // Alt with a letter of the default settings.
    void pressAlt(char letter);
    // The mark beside hotkey box `index`, which turns over on every press Veilor takes.
    std::string mark(int index);

  private:
    DesktopScene& desk_;
    HWND keyboard_;
};

// The control that has the keyboard in Veilor (which need not be at the front).
HWND veilorFocus(const DesktopScene& desk);
// Clicks a tab's header of the settings page (0 options, 1 hotkeys, 2 black-screen lock)
// until its frame shows.
void openSettingsTab(DesktopScene& desk, int tab, int frameId);
// Clicks the control with the real mouse until `done` holds: a user whose click did not
// land (Wine's activation can lose a race with the driver's own window) clicks again.
void clickUntil(HWND control, const std::function<bool()>& done, const std::string& what);
// Clicks the control with the real mouse until Veilor's keyboard is on it.
void clickIntoControl(const DesktopScene& desk, HWND control);
// Whether a program could take Alt+A now: Veilor has let its one-key hide go.
::testing::AssertionResult altAFree();

}  // namespace scene
