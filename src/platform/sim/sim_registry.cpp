#include "platform/sim/sim_registry.h"

#include "core/text.h"

namespace platform::sim {

std::string SimRegistry::path(RegistryRoot root, const std::string& key, const std::string& name) {
    return core::toLowerAscii((root == RegistryRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + key +
                              "\\\\" + name);
}

std::optional<std::string> SimRegistry::readString(RegistryRoot root, const std::string& key,
                                                   const std::string& name) {
    auto it = values_.find(path(root, key, name));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

bool SimRegistry::writeString(RegistryRoot root, const std::string& key, const std::string& name,
                              const std::string& data) {
    if (readOnlyRoots.count(root)) return false;
    values_[path(root, key, name)] = data;
    return true;
}

bool SimRegistry::deleteValue(RegistryRoot root, const std::string& key, const std::string& name) {
    if (readOnlyRoots.count(root)) return false;
    return values_.erase(path(root, key, name)) != 0;
}

bool SimRegistry::hasValue(RegistryRoot root, const std::string& key, const std::string& name) {
    return values_.count(path(root, key, name)) != 0;
}

}  // namespace platform::sim
