// The hiding rules: a pattern and a text, both as a user or a hand-edited Config.ini may
// give them. The matcher agrees with a plain reading of "*" and "?" and stays linear in
// the text whatever the pattern (the run's -timeout holds it to that), and the rules
// written to the settings file read back as they were written. Input: the pattern on the
// first line, the text after it; further lines are more rules for the file.
#include <algorithm>

#include "fuzz_check.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "rules/hide_rules.h"
#include "rules/rules_file.h"
#include "rules/wildcard.h"

namespace {

// Whether the folded pattern covers the whole folded text: the textbook table, for
// patterns and texts short enough for it.
bool reference(const std::u32string& pattern, const std::u32string& text) {
    std::vector<char> row(text.size() + 1, 0), next(text.size() + 1, 0);
    row[0] = 1;
    for (char32_t p : pattern) {
        std::fill(next.begin(), next.end(), 0);
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (p == U'*') {
                next[i] = row[i] || (i > 0 && next[i - 1]);
            } else if (i > 0) {
                next[i] = row[i - 1] && (p == U'?' || p == text[i - 1]);
            }
        }
        row.swap(next);
    }
    return row[text.size()] != 0;
}

void checkMatcher(const std::string& pattern, const std::string& text) {
    const rules::Wildcard wildcard(pattern);
    const std::u32string folded = rules::foldForMatch(text);
    const bool matched = wildcard.matches(folded);
    FUZZ_CHECK(matched == wildcard.matches(std::string_view(text)));
    const std::u32string p = rules::foldForMatch(pattern);
    if (p.size() * folded.size() <= 200000) FUZZ_CHECK(matched == reference(p, folded));
    // Text matches itself as a pattern unless it holds a wildcard; "*" matches anything.
    if (pattern.find_first_of("*?") == std::string::npos)
        FUZZ_CHECK(rules::Wildcard(pattern).matches(rules::foldForMatch(pattern)));
    FUZZ_CHECK(rules::Wildcard("*").matches(folded));
}

void checkRules(const std::vector<std::string>& lines, const std::string& text) {
    std::vector<rules::Rule> given;
    for (std::size_t i = 0; i < lines.size(); ++i)
        given.push_back({i % 2 ? rules::RuleKind::Only : rules::RuleKind::Keep, lines[i]});
    // A keep rule wins; no rule hides everything.
    const rules::HideRules hideRules(given);
    if (hideRules.empty()) FUZZ_CHECK(hideRules.hides("notepad.exe", text));

    platform::sim::SimFiles files;
    platform::sim::SimProfile profile{files};
    const std::string path = "C:\\Veilor\\Config.ini";
    files.put(path, text);
    std::vector<rules::Rule> expected;
    int counts[2] = {0, 0};
    for (const rules::Rule& rule : given) {
        const std::string clean = rules::cleanPattern(rule.pattern);
        int& count = counts[rule.kind == rules::RuleKind::Keep ? 0 : 1];
        // The rules page refuses what the file cannot keep; the others are written.
        if (clean.empty() || !profile.keepsText(path, clean) || count == rules::kMaxRulesPerKind)
            continue;
        ++count;
        expected.push_back({rule.kind, clean});
    }
    rules::WriteRules(profile, path, expected);
    std::stable_sort(expected.begin(), expected.end(),
                     [](const rules::Rule& a, const rules::Rule& b) {
                         return a.kind == rules::RuleKind::Keep && b.kind != rules::RuleKind::Keep;
                     });
    FUZZ_CHECK(rules::ReadRules(profile, path) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    const std::size_t newline = input.find('\n');
    const std::string pattern = input.substr(0, newline);
    const std::string text = newline == std::string::npos ? "" : input.substr(newline + 1);
    checkMatcher(pattern, text);
    checkRules(fuzz::fields(input, '\n'), text);
    return 0;
}
