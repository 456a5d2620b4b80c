#include "rules/rules_file.h"

#include <algorithm>
#include <optional>

#include "core/text.h"
#include "settings/rw_ini.h"

namespace rules {
namespace {

struct RuleKey {
    RuleKind kind;
    int number;
};

const char* prefixOf(RuleKind kind) {
    return kind == RuleKind::Keep ? "Keep" : "Only";
}

// "Keep7" or "only12" (the file's key names ignore case); no sign, no leading zero.
std::optional<RuleKey> parseKey(const std::string& name) {
    for (RuleKind kind : {RuleKind::Keep, RuleKind::Only}) {
        const std::string_view prefix = prefixOf(kind);
        if (name.size() <= prefix.size() || name.size() > prefix.size() + 2) continue;
        if (!core::equalsNoCase(std::string_view(name).substr(0, prefix.size()), prefix)) continue;
        const std::string digits = name.substr(prefix.size());
        if (digits[0] == '0' ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        const int number = std::stoi(digits);
        if (number > kMaxRulesPerKind) return std::nullopt;
        return RuleKey{kind, number};
    }
    return std::nullopt;
}

// Room for the longest pattern in UTF-16 units, and one more to tell when it was cut.
constexpr int kReadBufferChars = kMaxPatternChars * 2 + 2;

std::string readPattern(platform::Profile& profile, const std::string& path,
                        const std::string& key) {
    std::string value;
    const int copied = profile.read(path, kRulesSection, key, "", value, kReadBufferChars);
    if (copied <= 0 || copied >= kReadBufferChars - 1) return {};
    return cleanPattern(value);
}

}  // namespace

std::vector<Rule> ReadRules(platform::Profile& profile, const std::string& path) {
    std::vector<RuleKey> keys;
    for (const std::string& name : profile.keyNames(path, kRulesSection)) {
        std::optional<RuleKey> key = parseKey(name);
        const bool seen = key && std::any_of(keys.begin(), keys.end(), [&](const RuleKey& k) {
                              return k.kind == key->kind && k.number == key->number;
                          });
        if (key && !seen) keys.push_back(*key);
    }
    std::sort(keys.begin(), keys.end(), [](const RuleKey& a, const RuleKey& b) {
        return a.kind != b.kind ? a.kind == RuleKind::Keep : a.number < b.number;
    });
    std::vector<Rule> rules;
    for (const RuleKey& key : keys) {
        std::string pattern =
            readPattern(profile, path, prefixOf(key.kind) + std::to_string(key.number));
        if (!pattern.empty()) rules.push_back({key.kind, std::move(pattern)});
    }
    return rules;
}

void WriteRules(platform::Profile& profile, const std::string& path,
                const std::vector<Rule>& rules) {
    std::vector<std::string> written;
    int counts[2] = {0, 0};
    for (const Rule& rule : rules) {
        const std::string pattern = cleanPattern(rule.pattern);
        int& count = counts[rule.kind == RuleKind::Keep ? 0 : 1];
        if (pattern.empty() || count == kMaxRulesPerKind) continue;
        const std::string key = prefixOf(rule.kind) + std::to_string(++count);
        // A quote at an end of a pattern is the pattern's own; the file would take a pair off.
        profile.write(path, kRulesSection, key, settings::storedValue(pattern));
        written.push_back(key);
    }
    for (const std::string& name : profile.keyNames(path, kRulesSection)) {
        const bool ours = parseKey(name).has_value();
        const bool kept = std::any_of(written.begin(), written.end(), [&](const std::string& k) {
            return core::equalsNoCase(k, name);
        });
        if (ours && !kept) profile.removeKey(path, kRulesSection, name);
    }
}

}  // namespace rules
