#include "platform/sim/sim_instance.h"

namespace platform::sim {

SimInstance::~SimInstance() {
    if (!owner_) return;
    bus_.claimed = false;
    bus_.handler = nullptr;
}

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

Asked SimInstance::askRunning(const std::string& command, int) {
    if (!bus_.claimed || !bus_.firstAnswers || !bus_.handler) return {};
    ++bus_.delivered;
    asked_ = true;
    if (bus_.answersLate) return {true, std::nullopt};
    // A copy of the handler: the answering copy may end, and drop its own, while it runs.
    Handler handler = bus_.handler;
    return {true, handler(command)};
}

bool SimInstance::waitForRunningToEnd(int) {
    return asked_ && !bus_.claimed;
}

void SimInstance::listen(Handler handler) {
    if (owner_) bus_.handler = std::move(handler);
}

}  // namespace platform::sim
