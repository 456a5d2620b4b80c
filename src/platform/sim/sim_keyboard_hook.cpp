#include "platform/sim/sim_keyboard_hook.h"

namespace platform::sim {

bool SimKeyboardHook::install(KeyFilter filter) {
    if (filter_) return true;
    if (refuse || !filter) return false;
    filter_ = filter;
    alive_ = true;
    ++installs;
    return true;
}

bool SimKeyboardHook::reachesPrograms(int code, std::uint32_t message, std::uint32_t vkCode) const {
    // As the system does, the hook never learns the key of an event it is not to act on.
    return !(alive_ && filter_(code, message, code == 0 ? vkCode : 0));
}

}  // namespace platform::sim
