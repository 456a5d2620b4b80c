// Update.txt and Pass.txt as the server sends them: the cut into three parts, the
// version number and the file name the update offers.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "fuzz_check.h"
#include "update/server_text.h"

namespace {

// Digits and at most one point, and at least one digit: said another way than the program.
bool plainDecimal(std::string_view text) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto digits = std::count_if(text.begin(), text.end(), isDigit);
    const auto points = std::count(text.begin(), text.end(), '.');
    return digits > 0 && points <= 1 && digits + points == static_cast<long>(text.size());
}

void checkNumber(const std::string& text) {
    std::optional<double> n = update::plainNumber(text);
    FUZZ_CHECK(n.has_value() == plainDecimal(text));
    if (!n) return;
    FUZZ_CHECK(!std::isnan(*n) && *n >= 0);
    // Where the C library reads a normal number, the two agree but for rounding.
    const double expected = std::strtod(text.c_str(), nullptr);
    if (std::isfinite(expected) && expected > 1e-300 && expected < 1e300)
        FUZZ_CHECK(std::fabs(*n - expected) <= expected * 1e-9);
}

void checkFileName(std::string_view name) {
    if (!update::isBareFileName(name)) return;
    // Nothing that names a folder, a drive, a stream, a parent or a hidden file.
    FUZZ_CHECK(!name.empty() && name.size() <= 64);
    FUZZ_CHECK(name.find_first_of("\\/:") == std::string_view::npos);
    FUZZ_CHECK(name.front() != '.');
    for (char c : name)
        FUZZ_CHECK(static_cast<unsigned char>(c) > 0x20 && static_cast<unsigned char>(c) < 0x7f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    std::optional<update::ServerParts> parts = update::splitParts(input);
    const std::size_t first = input.find("\r\n");
    const bool twoBreaks =
        first != std::string::npos && input.find("\r\n", first + 2) != std::string::npos;
    FUZZ_CHECK(parts.has_value() == twoBreaks);
    checkNumber(input);
    checkFileName(input);
    if (!parts) return 0;
    FUZZ_CHECK(parts->part1 + "\r\n" + parts->part2 + "\r\n" + parts->part3 == input);
    FUZZ_CHECK(parts->part1.find("\r\n") == std::string::npos);
    FUZZ_CHECK(parts->part2.find("\r\n") == std::string::npos);
    checkNumber(parts->part1);
    checkFileName(parts->part2);
    return 0;
}
