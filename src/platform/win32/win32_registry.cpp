#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

HKEY rootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Closes an open key when it goes out of scope.
class Key {
  public:
    ~Key() {
        if (h) RegCloseKey(h);
    }
    HKEY h = nullptr;
};

bool isString(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

// The stored data need not end in a NUL, nor stop at the first one it holds.
std::string textOf(const std::vector<wchar_t>& data, DWORD bytes) {
    size_t units = std::min<size_t>(bytes / sizeof(wchar_t), data.size());
    std::wstring_view text(data.data(), units);
    size_t nul = text.find(L'\0');
    return narrow(nul == std::wstring_view::npos ? text : text.substr(0, nul));
}

}  // namespace

std::optional<std::string> Win32Registry::readString(RegistryRoot root, const std::string& key,
                                                     const std::string& name) {
    Key k;
    if (RegOpenKeyExW(rootKey(root), wide(key).c_str(), 0, KEY_QUERY_VALUE, &k.h) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring wname = wide(name);
    std::vector<wchar_t> data(64);
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        LONG rc = RegQueryValueExW(k.h, wname.c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &bytes);
        if (rc == ERROR_MORE_DATA) {
            // The value may grow between calls; ask again with room for what it needs now.
            data.resize(bytes / sizeof(wchar_t) + 2);
            continue;
        }
        if (rc != ERROR_SUCCESS || !isString(type)) return std::nullopt;
        return textOf(data, bytes);
    }
    return std::nullopt;
}

bool Win32Registry::writeString(RegistryRoot root, const std::string& key, const std::string& name,
                                const std::string& data) {
    Key k;
    if (RegCreateKeyExW(rootKey(root), wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &k.h, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    std::wstring value = wide(data);
    DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(k.h, wide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(RegistryRoot root, const std::string& key,
                                const std::string& name) {
    Key k;
    if (RegOpenKeyExW(rootKey(root), wide(key).c_str(), 0, KEY_SET_VALUE, &k.h) != ERROR_SUCCESS) {
        return false;
    }
    return RegDeleteValueW(k.h, wide(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace platform::win32
