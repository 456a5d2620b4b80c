// The command line a script or a macro pad starts Veilor with, the word a second start
// hands to the running copy, and the answer it reads back. Input: the arguments, one a
// line; the whole input is also tried as a word on the channel and as an answer.
#include "cli/command_line.h"
#include "fuzz_check.h"

namespace {

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t") == std::string::npos;
}

void checkArguments(const std::vector<std::string>& arguments) {
    const cli::Parsed parsed = cli::parseArguments(arguments);
    std::vector<std::string> given;
    for (const std::string& a : arguments) {
        if (!blank(a)) given.push_back(a);
    }
    FUZZ_CHECK((parsed.command == cli::Command::None) == given.empty());
    FUZZ_CHECK(parsed.problem.empty() == (parsed.command != cli::Command::Unknown));
    if (parsed.command == cli::Command::None || parsed.command == cli::Command::Unknown) return;
    // A command comes from exactly one switch that names it, and travels intact.
    FUZZ_CHECK(given.size() == 1 && given[0].size() > 1);
    FUZZ_CHECK(given[0][0] == '/' || given[0][0] == '-');
    const std::string name = cli::switchName(parsed.command);
    FUZZ_CHECK(given[0].size() == name.size() + 1);
    FUZZ_CHECK(cli::fromWire(cli::wireCommand(parsed.command)) == parsed.command);
}

void checkWire(const std::string& text) {
    if (std::optional<cli::Command> command = cli::fromWire(text))
        FUZZ_CHECK(cli::wireCommand(*command) == text);
}

void checkReply(const std::string& text) {
    const std::optional<cli::Reply> reply = cli::parseReply(text);
    if (!reply) return;
    FUZZ_CHECK(reply->exitCode >= 0);
    const std::optional<cli::Reply> again = cli::parseReply(cli::formatReply(*reply));
    FUZZ_CHECK(again && again->exitCode == reply->exitCode && again->line == reply->line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    checkArguments(fuzz::fields(input, '\n'));
    checkArguments({input});
    checkWire(input);
    checkReply(input);
    // Any line the running copy says comes back to the asking copy as it was said.
    const cli::Reply said{static_cast<int>(size % 6), input};
    const std::optional<cli::Reply> heard = cli::parseReply(cli::formatReply(said));
    FUZZ_CHECK(heard && heard->exitCode == said.exitCode && heard->line == said.line);
    return 0;
}
