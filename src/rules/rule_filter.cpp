#include "rules/rule_filter.h"

#include "windows/window_ops.h"

namespace rules {

std::vector<windows::HideTarget> allowedTargets(const std::vector<windows::HideTarget>& targets,
                                                const HideRules& rules, ProgramNames& names) {
    if (rules.empty()) return targets;
    std::vector<windows::HideTarget> allowed;
    for (const windows::HideTarget& target : targets) {
        if (windows::hasHiddenMarker(target.title) ||
            rules.hides(names.ofWindow(target.handle), target.title))
            allowed.push_back(target);
    }
    return allowed;
}

tray::HideFilter iconFilter(const HideRules& rules, ProgramNames& names) {
    if (rules.empty()) return {};
    return [&rules, &names](const tray::TrayButton& button, platform::WindowHandle owner) {
        return rules.hides(names.ofWindow(owner), button.text.value_or(""));
    };
}

}  // namespace rules
