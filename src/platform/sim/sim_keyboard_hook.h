#pragma once
// A simulated low-level keyboard hook: tests send key events through it and see which of
// them would reach the programs of the desktop.
#include "platform/keyboard_hook.h"

namespace platform::sim {

class SimKeyboardHook : public KeyboardHook {
  public:
    bool install(KeyFilter filter) override;
    void remove() override {
        filter_ = nullptr;
        alive_ = false;
    }
    // What the program believes: a hook the system dropped still counts until removed.
    bool installed() const override { return filter_ != nullptr; }

    // One key event of the desktop: true when programs see it.
    bool reachesPrograms(int code, std::uint32_t message, std::uint32_t vkCode) const;
    // Test set-up: the system refuses every hook, as it does for a program without the
    // right to watch the desktop's keyboard.
    bool refuse = false;
    // The system takes the hook away without a word, as Windows does with a hook that
    // kept a key waiting past its time-out: the program still believes it is in place.
    void dropSilently() { alive_ = false; }
    int installs = 0;

  private:
    KeyFilter filter_ = nullptr;
    bool alive_ = false;
};

}  // namespace platform::sim
