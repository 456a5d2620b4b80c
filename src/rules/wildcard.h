#pragma once
// Wildcard patterns as users write them for file names: "*" stands for any run of
// characters, "?" for exactly one character (not one byte), and letters match in either
// case by the same rule that finds a window by its title. The pattern runs as a set of
// states, one bit per pattern character, stepped once per character of the text: the
// time is the text's length times the pattern's length in 64-bit words, whatever the
// pattern, so no settings file can make a hide hang in its matcher.
#include <string>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace rules {

// The text as the matcher compares it: case folded, one element per character.
std::u32string foldForMatch(std::string_view utf8);

class Wildcard {
  public:
    explicit Wildcard(std::string_view pattern);

    // Whether the pattern covers the whole of the folded text.
    bool matches(std::u32string_view folded) const;
    bool matches(std::string_view utf8) const { return matches(foldForMatch(utf8)); }

  private:
    using Bits = std::vector<std::uint64_t>;
    // Bit j stands for "the first j pattern characters are matched".
    std::size_t states_ = 0;
    Bits stars_;  // the pattern character at j is a star
    Bits any_;    // ... is a question mark (or a star): it takes any character
    // ... is this character or takes any; characters the pattern lacks take any_.
    std::unordered_map<char32_t, Bits> takes_;
};

}  // namespace rules
