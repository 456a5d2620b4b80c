#pragma once
// An in-memory registry: keys matched ignoring case, string values only. A root can be
// made read-only to act as a user without the rights to write there.
#include <map>
#include <set>
#include <string>

#include "platform/registry.h"

namespace platform::sim {

class SimRegistry : public Registry {
  public:
    std::optional<std::string> readString(RegistryRoot root, const std::string& key,
                                          const std::string& name) override;
    bool writeString(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& data) override;
    bool deleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;

    bool hasValue(RegistryRoot root, const std::string& key, const std::string& name);
    std::set<RegistryRoot> readOnlyRoots;

  private:
    static std::string path(RegistryRoot root, const std::string& key, const std::string& name);
    std::map<std::string, std::string> values_;
};

}  // namespace platform::sim
