#pragma once
// Profile strings on the simulated file system, with the system call's results.
#include "platform/files.h"
#include "platform/profile.h"

namespace platform::sim {

class SimProfile : public Profile {
  public:
    explicit SimProfile(Files& files) : files_(files) {}
    int read(const std::string& file, const std::string& section, const std::string& key,
             const std::string& defaultValue, std::string& out, int bufferChars) override;
    bool write(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value) override;

  private:
    Files& files_;
};

}  // namespace platform::sim
