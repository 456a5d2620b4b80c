#pragma once
// Number parsing with the forgiving rules of the settings file's original readers:
// leading blanks skipped, digits read as far as they go, anything else ends the
// number, and text with no number at all is 0. Never throws.
#include <cstdint>
#include <string_view>

namespace core {

double val(std::string_view text);
// val() rounded half to even and clamped into the 32-bit range.
std::int32_t valInt(std::string_view text);

}  // namespace core
