#pragma once
// Global atoms and hotkeys, simulated. Atoms count their references as the system's do;
// a test can make the values start anywhere (0xC000 and above are what Windows gives
// string atoms), mark combinations as held by another program, and press a combination:
// the program that registered it gets the hotkey message through the delivery function.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/hotkeys.h"

namespace platform::sim {

class SimHotKeys : public HotKeys {
  public:
    // Hands a hotkey message (window, id) to the simulated views.
    using Delivery = std::function<void(WindowHandle window, int id)>;

    struct Registration {
        WindowHandle window;
        int id;
        unsigned modifiers;
        int keyCode;
    };

    std::uint16_t addAtom(const std::string& name) override;
    void deleteAtom(std::uint16_t atom) override;
    bool registerHotKey(WindowHandle window, int id, unsigned modifiers, int keyCode) override;
    bool unregisterHotKey(WindowHandle window, int id) override;

    void setDelivery(Delivery delivery) { delivery_ = std::move(delivery); }
    // The value the next new atom gets; later ones follow it.
    void setNextAtom(std::uint16_t atom) { nextAtom_ = atom; }
    // Another program holds (or lets go of) the combination.
    void holdElsewhere(unsigned modifiers, int keyCode);
    void releaseElsewhere(unsigned modifiers, int keyCode);
    // The user presses the combination anywhere: true when this program had registered
    // it and the message was delivered.
    bool press(int keyCode, unsigned modifiers);
    // The user holds the combination down until the keyboard has repeated the key this
    // many times: every repeat is one more hotkey message, unless the combination was
    // registered with kNoRepeat. The number of messages delivered.
    int hold(int keyCode, unsigned modifiers, int repeats);

    const std::vector<Registration>& registrations() const { return registrations_; }
    bool registered(unsigned modifiers, int keyCode) const;
    // The atoms that exist now, by value, with their names.
    const std::map<std::uint16_t, std::string>& atoms() const { return names_; }

  private:
    const Registration* find(unsigned modifiers, int keyCode) const;

    Delivery delivery_;
    std::vector<Registration> registrations_;
    std::vector<std::pair<unsigned, int>> heldElsewhere_;
    std::map<std::uint16_t, std::string> names_;
    std::map<std::uint16_t, int> references_;
    std::uint16_t nextAtom_ = 0xC000;
};

}  // namespace platform::sim
