#pragma once
// The single-instance channel: the first instance claims it and listens, a later one
// finds the claim taken and delivers one command to the first, and may wait for its answer.
#include <functional>
#include <optional>
#include <string>

namespace platform {

// What became of a command handed to the running instance and waited for.
struct Asked {
    bool delivered = false;             // the running instance took the command
    std::optional<std::string> answer;  // and answered it in time
};

class SingleInstance {
  public:
    // The first instance's handler, called on the user-interface thread; what it returns
    // goes back to a sender that asked for an answer.
    using Handler = std::function<std::string(const std::string&)>;

    virtual ~SingleInstance() = default;
    // True when this process is the first instance (and now holds the claim).
    virtual bool claim() = 0;
    // Delivers the command to the running instance; false when it could not be reached
    // within timeoutMs. Never blocks longer than that.
    virtual bool sendToRunning(const std::string& command, int timeoutMs) = 0;
    // Delivers the command and waits for the handler's answer, within timeoutMs in all.
    // Never blocks longer than that.
    virtual Asked askRunning(const std::string& command, int timeoutMs) = 0;
    // After askRunning: waits until the instance that answered has ended; false when it
    // still runs after timeoutMs (or none answered).
    virtual bool waitForRunningToEnd(int timeoutMs) = 0;
    virtual void listen(Handler handler) = 0;
    // For the handler: runs the action once its answer has gone back to the asking copy
    // (at once when no command is being answered). An exit must not outrun its answer.
    virtual void afterAnswer(std::function<void()> action) = 0;
};

}  // namespace platform
