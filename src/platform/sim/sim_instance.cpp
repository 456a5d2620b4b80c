#include "platform/sim/sim_instance.h"

namespace platform::sim {
namespace {

void runAfterAnswer(SimInstanceBus& bus) {
    std::vector<std::function<void()>> actions;
    actions.swap(bus.afterAnswer);
    for (auto& action : actions)
        action();
}

}  // namespace

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
    bus_.answering = true;
    Asked asked{true, handler(command)};
    bus_.answering = false;
    runAfterAnswer(bus_);
    return asked;
}

void SimInstance::afterAnswer(std::function<void()> action) {
    bus_.afterAnswer.push_back(std::move(action));
    if (!bus_.answering) runAfterAnswer(bus_);
}

bool SimInstance::waitForRunningToEnd(int) {
    return asked_ && !bus_.claimed;
}

void SimInstance::listen(Handler handler) {
    if (owner_) bus_.handler = std::move(handler);
}

}  // namespace platform::sim
