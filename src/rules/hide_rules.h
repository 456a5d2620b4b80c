#pragma once
// What the one-key hide leaves alone and what it takes, as the user set it: "keep" rules
// name what it never hides, "only" rules (when there is at least one) name all it hides,
// and a keep rule wins over an only rule. A rule names a program by its file name
// ("notepad.exe") or a window or icon by its text; either matching is enough. With no
// rules at all everything is hidden, as before there were rules.
#include <string>
#include <string_view>
#include <vector>

#include "rules/wildcard.h"

namespace rules {

enum class RuleKind { Keep, Only };

struct Rule {
    RuleKind kind = RuleKind::Keep;
    std::string pattern;
    bool operator==(const Rule&) const = default;
};

// At most this many of each kind are kept in the settings file.
constexpr int kMaxRulesPerKind = 64;
// A pattern longer than this (characters) is not a name anyone types, and is ignored.
constexpr int kMaxPatternChars = 260;

// The pattern as a rule holds it (blanks at its ends dropped); empty when it cannot be
// a rule: empty, too long, or holding a control character.
std::string cleanPattern(std::string_view pattern);

class HideRules {
  public:
    HideRules() = default;
    explicit HideRules(const std::vector<Rule>& rules);

    // No rule: the one-key hide takes everything, and needs no program names.
    bool empty() const { return keep_.empty() && only_.empty(); }
    // Whether the one-key hide takes what belongs to this program (its file name; empty
    // when unknown) and bears this text (a title without the hidden marker, or an icon's
    // tool tip).
    bool hides(std::string_view programName, std::string_view text) const;

  private:
    std::vector<Wildcard> keep_;
    std::vector<Wildcard> only_;
};

}  // namespace rules
