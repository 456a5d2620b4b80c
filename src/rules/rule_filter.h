#pragma once
// The user's rules applied to what the one-key hide is about to take: its windows and
// its notification-area icons. Only the one-key hide asks; a window or an icon the user
// picks by hand is the user's own choice.
#include <vector>

#include "rules/hide_rules.h"
#include "rules/program_names.h"
#include "tray/tray_toolbar.h"
#include "windows/hide_all.h"

namespace rules {

// The targets the rules let the hide take, in their order. A window that already carries
// the marker stays among them whatever the rules say: it is hidden already, and being
// recorded is what brings it back.
std::vector<windows::HideTarget> allowedTargets(const std::vector<windows::HideTarget>& targets,
                                                const HideRules& rules, ProgramNames& names);

// The icon filter for the hide: an icon goes when the rules let its program's file name
// or its text be hidden; an empty filter, which takes every icon, when there are no rules.
tray::HideFilter iconFilter(const HideRules& rules, ProgramNames& names);

}  // namespace rules
