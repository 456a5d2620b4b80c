#pragma once
// The single-instance channel between simulated processes: two SimInstance objects
// sharing one SimInstanceBus behave as two copies of the program on one desktop.
#include <functional>
#include <string>

#include "platform/instance.h"

namespace platform::sim {

struct SimInstanceBus {
    bool claimed = false;
    bool firstAnswers = true;  // false: the first instance hangs and never answers
    std::function<void(const std::string&)> handler;
    int delivered = 0;
};

class SimInstance : public SingleInstance {
  public:
    explicit SimInstance(SimInstanceBus& bus) : bus_(bus) {}
    bool claim() override;
    bool sendToRunning(const std::string& command, int timeoutMs) override;
    void listen(std::function<void(const std::string&)> handler) override;

  private:
    SimInstanceBus& bus_;
    bool owner_ = false;
};

}  // namespace platform::sim
