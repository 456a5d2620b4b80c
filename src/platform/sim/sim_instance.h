#pragma once
// The single-instance channel between simulated processes: two SimInstance objects
// sharing one SimInstanceBus behave as two copies of the program on one desktop.
#include <functional>
#include <string>
#include <vector>

#include "platform/instance.h"

namespace platform::sim {

struct SimInstanceBus {
    bool claimed = false;
    bool firstAnswers = true;  // false: the first instance hangs and never answers
    // true: the first instance takes a command but is still at it when the asker gives up
    bool answersLate = false;
    platform::SingleInstance::Handler handler;
    int delivered = 0;
    bool answering = false;
    std::vector<std::function<void()>> afterAnswer;
};

class SimInstance : public SingleInstance {
  public:
    explicit SimInstance(SimInstanceBus& bus) : bus_(bus) {}
    // The first copy's process ends: the claim is free again and nobody listens.
    ~SimInstance() override;
    SimInstance(const SimInstance&) = delete;
    SimInstance& operator=(const SimInstance&) = delete;

    bool claim() override;
    bool sendToRunning(const std::string& command, int timeoutMs) override;
    Asked askRunning(const std::string& command, int timeoutMs) override;
    // True once the first copy's SimInstance is gone; a simulated wait passes no time.
    bool waitForRunningToEnd(int timeoutMs) override;
    void listen(Handler handler) override;
    void afterAnswer(std::function<void()> action) override;

  private:
    SimInstanceBus& bus_;
    bool owner_ = false;
    bool asked_ = false;
};

}  // namespace platform::sim
