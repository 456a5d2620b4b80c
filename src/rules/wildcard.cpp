#include "rules/wildcard.h"

#include "core/text.h"
#include "core/utf.h"

namespace rules {
namespace {

bool isHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::u32string toCodePoints(std::u16string_view units) {
    std::u32string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t c = units[i];
        if (isHigh(c) && i + 1 < units.size() && isLow(units[i + 1])) {
            out.push_back(0x10000 + ((char32_t(c) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void setBit(std::vector<std::uint64_t>& bits, std::size_t j) {
    bits[j / 64] |= std::uint64_t{1} << (j % 64);
}

bool testBit(const std::vector<std::uint64_t>& bits, std::size_t j) {
    return (bits[j / 64] >> (j % 64)) & 1;
}

// (bits & mask) moved up by one state, or-ed into out.
void orShifted(std::vector<std::uint64_t>& out, const std::vector<std::uint64_t>& bits,
               const std::vector<std::uint64_t>& mask) {
    std::uint64_t carry = 0;
    for (std::size_t w = 0; w < bits.size(); ++w) {
        const std::uint64_t v = bits[w] & mask[w];
        out[w] |= (v << 1) | carry;
        carry = v >> 63;
    }
}

}  // namespace

std::u32string foldForMatch(std::string_view utf8) {
    return toCodePoints(core::utf8ToUtf16(core::foldTitle(utf8)));
}

Wildcard::Wildcard(std::string_view pattern) {
    std::u32string chars;
    for (char32_t c : foldForMatch(pattern)) {
        // A run of stars is one star: the step below follows one star per state.
        if (c != U'*' || chars.empty() || chars.back() != U'*') chars.push_back(c);
    }
    states_ = chars.size() + 1;
    const Bits none((states_ + 63) / 64, 0);
    stars_ = any_ = none;
    for (std::size_t j = 0; j < chars.size(); ++j) {
        if (chars[j] == U'*') setBit(stars_, j);
        if (chars[j] == U'*' || chars[j] == U'?') setBit(any_, j);
    }
    for (std::size_t j = 0; j < chars.size(); ++j) {
        if (chars[j] == U'*' || chars[j] == U'?') continue;
        auto [entry, added] = takes_.try_emplace(chars[j], any_);
        setBit(entry->second, j);
    }
}

// A star's state keeps itself on any character, and lets the next state be reached
// without one; every other state moves up on a character it takes.
bool Wildcard::matches(std::u32string_view text) const {
    Bits now(stars_.size(), 0), next(stars_.size(), 0);
    setBit(now, 0);
    orShifted(now, now, stars_);
    for (char32_t c : text) {
        auto taking = takes_.find(c);
        const Bits& takes = taking == takes_.end() ? any_ : taking->second;
        bool alive = false;
        for (std::size_t w = 0; w < now.size(); ++w)
            next[w] = now[w] & stars_[w];
        orShifted(next, now, takes);
        // In place: a state a star lets through is never a star itself.
        orShifted(next, next, stars_);
        for (std::uint64_t w : next)
            alive = alive || w != 0;
        if (!alive) return false;
        now.swap(next);
    }
    return testBit(now, states_ - 1);
}

}  // namespace rules
