#pragma once
// HTTP through WinINet, one worker thread per request. The workers hand what they read
// to a message-only window of the user-interface thread, which runs the handlers.
#include <cstdint>
#include <map>
#include <memory>

#include "platform/internet.h"

namespace platform::win32 {

class Win32Internet : public Internet {
  public:
    Win32Internet();
    Win32Internet(const Win32Internet&) = delete;
    Win32Internet& operator=(const Win32Internet&) = delete;
    ~Win32Internet() override;
    std::unique_ptr<HttpTransfer> start(const HttpRequest& request, HttpHandlers handlers) override;
    std::string byteSizeText(std::uint64_t bytes) override;
    std::string fromAnsi(const std::string& bytes) override;

    struct Shared;

  private:
    class Transfer;
    void deliver(std::uint32_t id);
    void* window_ = nullptr;
    std::uint32_t nextId_ = 1;
    // The requests whose handlers still run, by the id their worker posts.
    std::map<std::uint32_t, std::shared_ptr<Shared>> live_;
};

}  // namespace platform::win32
