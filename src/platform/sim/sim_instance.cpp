#include "platform/sim/sim_instance.h"

namespace platform::sim {

bool SimInstance::claim() {
    if (bus_.claimed && !owner_) return false;
    bus_.claimed = owner_ = true;
    return true;
}

bool SimInstance::sendToRunning(const std::string& command, int) {
    if (!bus_.claimed || !bus_.firstAnswers || !bus_.handler) return false;
    ++bus_.delivered;
    bus_.handler(command);
    return true;
}

void SimInstance::listen(std::function<void(const std::string&)> handler) {
    if (owner_) bus_.handler = std::move(handler);
}

}  // namespace platform::sim
