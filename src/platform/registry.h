#pragma once
// Registry string values.
#include <optional>
#include <string>

namespace platform {

enum class RegistryRoot { LocalMachine, CurrentUser };

class Registry {
  public:
    virtual ~Registry() = default;
    // The value as text when it exists and is a string value.
    virtual std::optional<std::string> readString(RegistryRoot root, const std::string& key,
                                                  const std::string& name) = 0;
    // Creates the key when it is missing.
    virtual bool writeString(RegistryRoot root, const std::string& key, const std::string& name,
                             const std::string& data) = 0;
    virtual bool deleteValue(RegistryRoot root, const std::string& key,
                             const std::string& name) = 0;
};

}  // namespace platform
