#pragma once
// The single-instance channel: the first instance claims it and listens, a later one
// finds the claim taken and delivers one command to the first.
#include <functional>
#include <string>

namespace platform {

class SingleInstance {
  public:
    virtual ~SingleInstance() = default;
    // True when this process is the first instance (and now holds the claim).
    virtual bool claim() = 0;
    // Delivers the command to the running instance; false when it could not be reached
    // within timeoutMs. Never blocks longer than that.
    virtual bool sendToRunning(const std::string& command, int timeoutMs) = 0;
    // The first instance's handler, called on the user-interface thread.
    virtual void listen(std::function<void(const std::string&)> handler) = 0;
};

}  // namespace platform
