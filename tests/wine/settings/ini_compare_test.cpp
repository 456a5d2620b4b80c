// The portable INI engine (the simulated desktop's profile strings) against the system's
// own profile functions: the same steps on two real files must read the same values and
// leave the same bytes. Only ASCII is compared byte for byte: the system writes the file
// in the ANSI code page, the engine in UTF-8, so non-ASCII text differs by design.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "disk_files.h"
#include "platform/sim/sim_profile.h"
#include "platform/win32/win32_profile.h"
#include "settings/config.h"

namespace {

using settings_wine::DiskFiles;
using settings_wine::visible;

struct Step {
    enum Kind { ReadIni, WriteIni, RawRead } kind;
    std::string section;
    std::string key;
    std::string value;  // the default for ReadIni and RawRead, the value for WriteIni
};

struct Outcome {
    std::vector<std::string> reads;  // each read's count and text
    std::optional<std::string> bytes;
};

Outcome runSteps(platform::Profile& profile, const std::string& path,
                 const std::optional<std::string>& seed, const std::vector<Step>& steps) {
    DiskFiles disk;
    if (seed) disk.writeFile(path, *seed);
    settings::RWini ini(profile);
    ini.IniFileName = path;
    Outcome outcome;
    for (const Step& step : steps) {
        if (step.kind == Step::ReadIni) {
            outcome.reads.push_back(ini.ReadIni(step.section, step.key, step.value));
        } else if (step.kind == Step::WriteIni) {
            ini.WriteIni(step.section, step.key, step.value);
        } else {
            std::string out;
            int n = profile.read(path, step.section, step.key, step.value, out,
                                 settings::kValueBufferChars);
            outcome.reads.push_back(std::to_string(n) + ":" + out);
        }
    }
    outcome.bytes = disk.readFile(path);
    return outcome;
}

// Runs the steps through the system on one file and through the engine on another.
void expectSameAsSystem(const std::string& name, const std::optional<std::string>& seed,
                        const std::vector<Step>& steps) {
    std::string folder = settings_wine::freshFolder(name);
    platform::win32::Win32Profile system;
    DiskFiles disk;
    platform::sim::SimProfile portable(disk);
    Outcome expected = runSteps(system, folder + "\\system.ini", seed, steps);
    Outcome actual = runSteps(portable, folder + "\\portable.ini", seed, steps);
    EXPECT_EQ(actual.reads, expected.reads) << name;
    ASSERT_EQ(actual.bytes.has_value(), expected.bytes.has_value()) << name;
    if (expected.bytes) {
        EXPECT_EQ(visible(*actual.bytes), visible(*expected.bytes)) << name;
    }
}

std::vector<Step> loadConfigReads() {
    std::vector<Step> steps;
    for (int i = 0; i < settings::kHotKeyCount; ++i) {
        steps.push_back({Step::ReadIni, "HotKey", std::to_string(i), settings::kHotKeyDefaults[i]});
    }
    for (const settings::ConfigKey& k : settings::kConfigKeys) {
        steps.push_back({Step::ReadIni, "Config", k.key, k.defaultValue});
    }
    return steps;
}

const char* const kDefaultFile =
    "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n4=82,0,-1,0\r\n"
    "5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\nStartMini=0\r\nEndMini=0\r\n"
    "BlackPwd=\r\nEndMsg=0\r\n";

TEST(IniEngineMatchesSystem, FirstStartFromNoFile) {
    expectSameAsSystem("first_start", std::nullopt, loadConfigReads());
}

TEST(IniEngineMatchesSystem, ReadingExistingKeysLeavesTheFileAlone) {
    expectSameAsSystem("existing", std::string(kDefaultFile), loadConfigReads());
    expectSameAsSystem("existing_lf", std::string("[HotKey]\n0=66,-1,0,0\n[Config]\nStartRun=1\n"),
                       {{Step::ReadIni, "HotKey", "0", "65,0,-1,0"},
                        {Step::ReadIni, "Config", "StartRun", "0"},
                        {Step::WriteIni, "Config", "StartRun", "1"}});
}

TEST(IniEngineMatchesSystem, EmptyValuesAreRewrittenWithTheirDefault) {
    expectSameAsSystem("empty_values",
                       std::string("[HotKey]\r\n0=\r\n1=77,0,-1,0\r\n[Config]\r\nStartMini=\r\n"
                                   "BlackPwd=\r\nEndMini=   \r\n"),
                       loadConfigReads());
}

TEST(IniEngineMatchesSystem, MissingKeysAreAppendedToTheirSection) {
    expectSameAsSystem("append_keys",
                       std::string("[HotKey]\n0=65,0,-1,0\n\n\n[Config]\nStartRun=1\n\n"),
                       loadConfigReads());
}

TEST(IniEngineMatchesSystem, MissingSectionIsAppendedAfterTheLast) {
    expectSameAsSystem("second_section", std::string("[HotKey]\r\n0=1,2,3,4"), loadConfigReads());
    expectSameAsSystem("empty_file", std::string(), loadConfigReads());
    expectSameAsSystem("only_blank", std::string("\r\n\r\n  \r\n"), loadConfigReads());
}

TEST(IniEngineMatchesSystem, ExistingValueIsReplacedInPlace) {
    expectSameAsSystem("replace", std::string(kDefaultFile),
                       {{Step::WriteIni, "HotKey", "3", "65,-1,0,0"},
                        {Step::WriteIni, "Config", "BlackPwd", "secret"},
                        {Step::WriteIni, "Config", "StartRun", "1"},
                        {Step::ReadIni, "HotKey", "3", "x"},
                        {Step::ReadIni, "Config", "BlackPwd", ""}});
}

TEST(IniEngineMatchesSystem, SectionsAndKeysMatchIgnoringCase) {
    expectSameAsSystem("case",
                       std::string("[hotkey]\r\n0=66,0,-1,0\r\n[CONFIG]\r\nstartmini=1\r\n"
                                   "ENDMSG=1\r\n"),
                       {{Step::ReadIni, "HotKey", "0", "65,0,-1,0"},
                        {Step::ReadIni, "Config", "StartMini", "0"},
                        {Step::WriteIni, "Config", "EndMsg", "0"},
                        {Step::WriteIni, "config", "NewKey", "v"}});
}

TEST(IniEngineMatchesSystem, BlanksAroundNamesAndValues) {
    expectSameAsSystem("spaces",
                       std::string("  [ Config ]  \r\n  StartRun  =   1   \r\n"
                                   "\tBlackPwd=  pass word  \r\n"),
                       {{Step::ReadIni, "Config", "StartRun", "0"},
                        {Step::ReadIni, "Config", "BlackPwd", ""},
                        {Step::ReadIni, " Config ", " StartRun ", "0"},
                        {Step::WriteIni, "Config", "EndMsg", "  1  "},
                        {Step::RawRead, "Config", "Missing", "dflt  "}});
}

TEST(IniEngineMatchesSystem, LongValueIsCutWhenRead) {
    std::string longValue;
    for (int i = 0; i < 200; ++i)
        longValue += static_cast<char>('a' + i % 26);
    expectSameAsSystem("long", "[Config]\r\nBlackPwd=" + longValue + "\r\n",
                       {{Step::ReadIni, "Config", "BlackPwd", ""},
                        {Step::RawRead, "Config", "BlackPwd", ""},
                        {Step::WriteIni, "Config", "BlackPwd", longValue.substr(0, 150)},
                        {Step::RawRead, "Config", "BlackPwd", ""},
                        {Step::WriteIni, "Config", "BlackPwd", longValue.substr(0, 143)},
                        {Step::RawRead, "Config", "BlackPwd", ""}});
}

TEST(IniEngineMatchesSystem, QuotesCommentsAndStrayLines) {
    expectSameAsSystem("stray",
                       std::string("; Veilor\r\nstray line\r\n[HotKey]\r\n;note\r\n"
                                   "0=65,0,-1,0\r\nnoequals\r\n=nameless\r\n=again\r\n"
                                   "[Config]\r\nBlackPwd=\"quoted\"\r\nEndMsg='1'\r\n"
                                   "StartRun=\"\r\n"),
                       {{Step::ReadIni, "HotKey", "1", "77,0,-1,0"},
                        {Step::RawRead, "HotKey", "noequals", "d"},
                        {Step::ReadIni, "Config", "BlackPwd", ""},
                        {Step::ReadIni, "Config", "EndMsg", "0"},
                        {Step::ReadIni, "Config", "StartRun", "0"}});
}

TEST(IniEngineMatchesSystem, DuplicateSectionsAndOddLineEnds) {
    expectSameAsSystem(
        "duplicates",
        std::string("[Config]\r\nStartRun=1\r\nStartRun=2\r\n[Config]\r\n"
                    "EndMsg=1\r\n"),
        {{Step::ReadIni, "Config", "StartRun", "0"}, {Step::ReadIni, "Config", "EndMsg", "0"}});
    expectSameAsSystem("cr_only", std::string("[HotKey]\r0=66,0,-1,0\r\r[Config]\rStartRun=1\r"),
                       loadConfigReads());
}

}  // namespace
