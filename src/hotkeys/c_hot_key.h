#pragma once
// The program's system-wide hotkeys. Each combination is registered for one window under
// a fresh global atom; the window's hotkey messages come back here (hotKeyMessage) and
// are raised as HotKeyPress once StartHotKeys has armed the class through its timer.
// Nothing runs while waiting for a key: the normal message loop sleeps, no timer is
// left running.
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/hotkeys.h"
#include "platform/shell.h"
#include "platform/types.h"
#include "ui/controls.h"

namespace hotkeys {

class cHotKey {
  public:
    // index (1..n), key code, Ctrl, Alt, Shift.
    using PressHandler = std::function<void(int, int, bool, bool, bool)>;

    cHotKey(platform::HotKeys& hotKeys, platform::Shell& shell);
    ~cHotKey();
    cHotKey(const cHotKey&) = delete;
    cHotKey& operator=(const cHotKey&) = delete;

    platform::WindowHandle frmHwnd() const { return frmHwnd_; }
    void setFrmHwnd(platform::WindowHandle window) { frmHwnd_ = window; }

    // The new entry's index (1..n), or -1 when the combination is already in the table or
    // the system would not register it; the table is then as it was.
    int AddHotKey(int keyCode, bool ctrl, bool alt, bool shift);
    // Entries after the removed one move down one index.
    bool DelHotKey(int keyCode, bool ctrl, bool alt, bool shift);
    // Stops, unregisters everything and empties the table. Always false.
    bool ClsAllHotKey();
    // The number of entries, or -1 (outputs untouched) for an index outside 0..n.
    int GetHotKeySetting(int index, int& keyCode, bool& ctrl, bool& alt, bool& shift) const;
    int HotKeysCount() const { return static_cast<int>(table_.size()) - 1; }

    // Arms the hotkeys at the timer's next tick; nothing at all with an empty table.
    void StartHotKeys(ui::Timer& theTimer);
    // No more HotKeyPress until the next StartHotKeys; registrations stay.
    void StopHotKeys();

    // The window's hotkey message, its id as a signed 32-bit value.
    void hotKeyMessage(int id);
    // HotKeyPress is raised now (the timer has ticked and nothing has stopped it since);
    // presses between StartHotKeys and that tick are raised at the tick.
    bool armed() const { return pumping_ && !stop_; }

    PressHandler HotKeyPress;

  private:
    struct Entry {
        int keyCode = 0;
        bool ctrl = false, alt = false, shift = false;
        std::int16_t id = 0;
    };

    int lookup(int keyCode, bool ctrl, bool alt, bool shift) const;
    std::string atomName();
    std::uint16_t freshAtom();
    bool idInUse(std::int16_t id) const;
    void removeAt(int index);
    void releaseAll();
    void timerTick();
    // HotKeyPress for the first entry registered under id; nothing when none is.
    void raise(int id);

    platform::HotKeys& hotKeys_;
    platform::Shell& shell_;
    platform::WindowHandle frmHwnd_ = platform::kNoWindow;
    // Position 0 never holds an entry; entries are 1..n.
    std::vector<Entry> table_{Entry{}};
    bool stop_ = true;
    bool pumping_ = false;
    // Presses that came after StartHotKeys and before its timer ticked.
    std::vector<int> waiting_;
    ui::Timer* CtlTimer_ = nullptr;
    // The timer may outlive this object: its handler checks this first.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>();
    std::mt19937 random_;
};

}  // namespace hotkeys
