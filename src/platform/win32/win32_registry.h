#pragma once
// Registry string values. A 32-bit build on 64-bit Windows sees the 32-bit view of
// HKLM\Software (Wow6432Node); Windows honours the Run key in both views.
#include "platform/registry.h"

namespace platform::win32 {

class Win32Registry : public Registry {
  public:
    // Only REG_SZ and REG_EXPAND_SZ count as strings; the latter comes back unexpanded.
    std::optional<std::string> readString(RegistryRoot root, const std::string& key,
                                          const std::string& name) override;
    bool writeString(RegistryRoot root, const std::string& key, const std::string& name,
                     const std::string& data) override;
    bool deleteValue(RegistryRoot root, const std::string& key, const std::string& name) override;
};

}  // namespace platform::win32
