#pragma once
// The two small text files on the server: three parts cut at the first two CR LF, and
// the rules that keep what the server wrote from becoming a path or a command unchecked.
#include <optional>
#include <string>
#include <string_view>

namespace update {

struct ServerParts {
    std::string part1;
    std::string part2;
    // Everything after the second CR LF, a final CR LF included.
    std::string part3;
};

// nullopt when the text holds fewer than two CR LF.
std::optional<ServerParts> splitParts(const std::string& text);

// A plain decimal number: digits with at most one "." and at least one digit; nullopt
// for anything else (blanks, signs, exponents, other separators).
std::optional<double> plainNumber(std::string_view text);

// A bare file name: letters, digits, ".", "_" and "-", not starting with ".", 1 to 64
// characters. Nothing that could leave the server's folder or the local one.
bool isBareFileName(std::string_view name);

// The program's own version as one number: major "." minor revision, so 1, 0, 0 is 1.00.
double versionNumber(int major, int minor, int revision);

}  // namespace update
