// The switches Veilor is started with, and the words the two copies exchange for them.
#include <gtest/gtest.h>

#include "cli/command_line.h"

namespace {

using cli::Command;
using cli::parseArguments;

TEST(CommandLine, EverySwitchInAnyCaseWithSlashOrDash) {
    const std::pair<const char*, Command> cases[] = {
        {"/hide", Command::Hide},       {"-HIDE", Command::Hide},
        {"/Restore", Command::Restore}, {"-restore", Command::Restore},
        {"/TOGGLE", Command::Toggle},   {"-Toggle", Command::Toggle},
        {"/sTaTuS", Command::Status},   {"-status", Command::Status},
        {"/EXIT", Command::Exit},       {"-exit", Command::Exit},
    };
    for (const auto& [text, command] : cases) {
        cli::Parsed parsed = parseArguments({text});
        EXPECT_EQ(parsed.command, command) << text;
        EXPECT_EQ(parsed.problem, "") << text;
    }
}

TEST(CommandLine, NothingOrOnlyEmptyArgumentsIsAPlainStart) {
    EXPECT_EQ(parseArguments({}).command, Command::None);
    EXPECT_EQ(parseArguments({"", "  "}).command, Command::None);
    EXPECT_EQ(parseArguments({"", "/status"}).command, Command::Status);
}

TEST(CommandLine, AnythingElseIsUnknownAndSaysWhat) {
    for (const char* text : {"/foo", "hide", "/", "-", "--hide", "/hide2", "/hid", "/ hide"}) {
        cli::Parsed parsed = parseArguments({text});
        EXPECT_EQ(parsed.command, Command::Unknown) << text;
        EXPECT_EQ(parsed.problem, std::string("unknown switch: ") + text);
    }
}

TEST(CommandLine, SeveralSwitchesAreRefusedRatherThanOneChosen) {
    for (const std::vector<std::string>& given : {std::vector<std::string>{"/hide", "/restore"},
                                                  {"/status", "/status"},
                                                  {"/exit", "now"}}) {
        cli::Parsed parsed = parseArguments(given);
        EXPECT_EQ(parsed.command, Command::Unknown);
        EXPECT_EQ(parsed.problem, "one switch at a time, not: " + given[0] + " " + given[1]);
    }
}

TEST(CommandLine, UsageNamesEverySwitchAndExitCode) {
    const std::string text = cli::usage();
    for (const char* part :
         {"/hide", "/restore", "/toggle", "/status", "/exit", "0 done", "1 something hidden",
          "2 Veilor is not running", "3 unknown switch", "4 refused", "5 Veilor did not answer"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part;
    }
}

TEST(CommandWire, CommandsGoOverAndComeBackButShowAndStrangersAreNotCommands) {
    for (Command c :
         {Command::Hide, Command::Restore, Command::Toggle, Command::Status, Command::Exit}) {
        EXPECT_EQ(cli::fromWire(cli::wireCommand(c)), c);
    }
    EXPECT_EQ(cli::wireCommand(Command::Unknown), "");
    for (const char* text : {"Show", "", "hide", "/hide", "Veilor.Command ", "Veilor.Command HIDE",
                             "Veilor.Command hide "}) {
        EXPECT_EQ(cli::fromWire(text), std::nullopt) << text;
    }
}

TEST(CommandWire, RepliesKeepCodeAndLineAndRefuseAnythingElse) {
    const cli::Reply reply{4, "refused: the black screen is locked"};
    std::optional<cli::Reply> back = cli::parseReply(cli::formatReply(reply));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->exitCode, 4);
    EXPECT_EQ(back->line, reply.line);
    std::optional<cli::Reply> empty = cli::parseReply(cli::formatReply({0, ""}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->line, "");
    for (const char* text : {"", "Show", "Veilor.Reply ", "Veilor.Reply x line", "Veilor.Reply 1",
                             "Veilor.Reply 1line", "Veilor.Reply -1 line"}) {
        EXPECT_EQ(cli::parseReply(text).has_value(), false) << text;
    }
}

TEST(HiddenCount, DescribesWhatIsHiddenInWords) {
    EXPECT_EQ(cli::describe({}), "nothing");
    EXPECT_EQ(cli::describe({12, 3, false, false}), "12 windows, 3 icons");
    EXPECT_EQ(cli::describe({1, 1, false, false}), "1 window, 1 icon");
    EXPECT_EQ(cli::describe({0, 0, true, true}),
              "0 windows, 0 icons, the taskbar, the desktop icons");
    EXPECT_FALSE(cli::HiddenCount{}.any());
    EXPECT_TRUE((cli::HiddenCount{0, 0, false, true}.any()));
}

}  // namespace
