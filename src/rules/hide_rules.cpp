#include "rules/hide_rules.h"

#include <algorithm>

#include "core/text.h"
#include "core/utf.h"

namespace rules {
namespace {

bool anyMatches(const std::vector<Wildcard>& patterns, const std::u32string& program,
                const std::u32string& text) {
    return std::any_of(patterns.begin(), patterns.end(), [&](const Wildcard& w) {
        return (!program.empty() && w.matches(program)) || w.matches(text);
    });
}

}  // namespace

std::string cleanPattern(std::string_view pattern) {
    std::string clean = core::trim(pattern);
    if (clean.empty() || core::utf8ToUtf16(clean).size() > kMaxPatternChars) return {};
    const bool control = std::any_of(clean.begin(), clean.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return control ? std::string() : clean;
}

HideRules::HideRules(const std::vector<Rule>& rules) {
    for (const Rule& rule : rules) {
        const std::string pattern = cleanPattern(rule.pattern);
        if (pattern.empty()) continue;
        (rule.kind == RuleKind::Keep ? keep_ : only_).emplace_back(pattern);
    }
}

bool HideRules::hides(std::string_view programName, std::string_view text) const {
    if (empty()) return true;
    const std::u32string program = foldForMatch(programName);
    const std::u32string folded = foldForMatch(text);
    if (anyMatches(keep_, program, folded)) return false;
    return only_.empty() || anyMatches(only_, program, folded);
}

}  // namespace rules
