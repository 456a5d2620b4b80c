#pragma once
// The rules in the settings file: section "Rules", keys Keep1, Keep2, ... and Only1,
// Only2, ..., up to 64 of each. A key that is empty, numbered outside 1 to 64, or holds
// no usable pattern is passed over, and a file without the section has no rules, so a
// settings file from before the rules loads as it always did.
#include <string>
#include <vector>

#include "platform/profile.h"
#include "rules/hide_rules.h"

namespace rules {

inline constexpr const char* kRulesSection = "Rules";

// Keep rules first, then only rules, each in the order of their numbers.
std::vector<Rule> ReadRules(platform::Profile& profile, const std::string& path);
// Numbers the rules of each kind from 1 in their order (beyond 64 of a kind they are
// left out) and takes every other rule key out of the section.
void WriteRules(platform::Profile& profile, const std::string& path,
                const std::vector<Rule>& rules);

}  // namespace rules
