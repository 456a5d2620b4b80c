#include "blackscreen/mod_black.h"

namespace blackscreen {
namespace {

constexpr int kHcAction = 0;
constexpr std::uint32_t kVkTab = 9;
constexpr std::uint32_t kVkDelete = 46;
constexpr std::uint32_t kVkLeftWin = 91;
constexpr std::uint32_t kVkRightWin = 92;

}  // namespace

bool swallowsKey(int code, std::uint32_t message, std::uint32_t vkCode) noexcept {
    if (code != kHcAction) return false;
    if (message != platform::kWmKeyDown && message != platform::kWmKeyUp &&
        message != platform::kWmSysKeyDown && message != platform::kWmSysKeyUp) {
        return false;
    }
    return vkCode == kVkTab || vkCode == kVkDelete || vkCode == kVkLeftWin || vkCode == kVkRightWin;
}

bool HookKeyboard(platform::KeyboardHook& hook) {
    return hook.install(&swallowsKey);
}

void UnhookKeyboard(platform::KeyboardHook& hook) {
    hook.remove();
}

}  // namespace blackscreen
