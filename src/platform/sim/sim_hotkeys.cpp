#include "platform/sim/sim_hotkeys.h"

#include <algorithm>

namespace platform::sim {
namespace {

// The modifier bits that pick a combination; the rest (no-repeat) only change delivery.
constexpr unsigned kCombinationBits = 0xF;

}  // namespace

std::uint16_t SimHotKeys::addAtom(const std::string& name) {
    if (name.empty() || name.size() > 255) return 0;
    for (auto& [atom, existing] : names_) {
        if (existing == name) {
            ++references_[atom];
            return atom;
        }
    }
    while (nextAtom_ == 0 || names_.count(nextAtom_))
        ++nextAtom_;
    std::uint16_t atom = nextAtom_++;
    names_[atom] = name;
    references_[atom] = 1;
    return atom;
}

void SimHotKeys::deleteAtom(std::uint16_t atom) {
    auto it = references_.find(atom);
    if (it == references_.end()) return;
    if (--it->second > 0) return;
    references_.erase(it);
    names_.erase(atom);
}

const SimHotKeys::Registration* SimHotKeys::find(unsigned modifiers, int keyCode) const {
    for (const Registration& r : registrations_) {
        if (r.keyCode == keyCode && (r.modifiers & kCombinationBits) == modifiers) return &r;
    }
    return nullptr;
}

bool SimHotKeys::registered(unsigned modifiers, int keyCode) const {
    return find(modifiers & kCombinationBits, keyCode) != nullptr;
}

bool SimHotKeys::registerHotKey(WindowHandle window, int id, unsigned modifiers, int keyCode) {
    if (window == kNoWindow || keyCode <= 0 || keyCode > 0xFF) return false;
    unsigned combination = modifiers & kCombinationBits;
    bool elsewhere = std::find(heldElsewhere_.begin(), heldElsewhere_.end(),
                               std::make_pair(combination, keyCode)) != heldElsewhere_.end();
    if (elsewhere || find(combination, keyCode)) return false;
    registrations_.push_back({window, id, modifiers, keyCode});
    return true;
}

bool SimHotKeys::unregisterHotKey(WindowHandle window, int id) {
    auto it = std::find_if(registrations_.begin(), registrations_.end(),
                           [&](const Registration& r) { return r.window == window && r.id == id; });
    if (it == registrations_.end()) return false;
    registrations_.erase(it);
    return true;
}

void SimHotKeys::holdElsewhere(unsigned modifiers, int keyCode) {
    heldElsewhere_.emplace_back(modifiers & kCombinationBits, keyCode);
}

void SimHotKeys::releaseElsewhere(unsigned modifiers, int keyCode) {
    std::erase(heldElsewhere_, std::make_pair(modifiers & kCombinationBits, keyCode));
}

bool SimHotKeys::press(int keyCode, unsigned modifiers) {
    const Registration* r = find(modifiers & kCombinationBits, keyCode);
    if (!r || !delivery_) return false;
    Registration copy = *r;  // the receiver may unregister it while handling the message
    delivery_(copy.window, copy.id);
    return true;
}

int SimHotKeys::hold(int keyCode, unsigned modifiers, int repeats) {
    if (!press(keyCode, modifiers)) return 0;
    int delivered = 1;
    for (int i = 0; i < repeats; ++i) {
        // Looked up again each time: the receiver may have let go of it meanwhile.
        const Registration* r = find(modifiers & kCombinationBits, keyCode);
        if (!r || (r->modifiers & modifier::kNoRepeat)) break;
        delivered += press(keyCode, modifiers) ? 1 : 0;
    }
    return delivered;
}

}  // namespace platform::sim
