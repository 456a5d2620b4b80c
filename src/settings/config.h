#pragma once
// The whole settings file: where it lives, its keys and defaults, and the order in which
// the main window loads and saves it. These functions know the main window's controls
// only as the boxes they are handed.
#include <array>
#include <string>

#include "platform/profile.h"
#include "settings/repair.h"
#include "settings/rw_ini.h"
#include "ui/controls.h"

namespace settings {

constexpr int kHotKeyCount = 7;
inline constexpr const char* kHotKeySection = "HotKey";
inline constexpr const char* kConfigSection = "Config";

// The hotkey boxes, index 0 to 6, each stored under the key of its index.
using HotKeyBoxes = std::array<ui::TextBox*, kHotKeyCount>;

// Default value of each hotkey: Alt + A, M, T, W, R, B, I.
extern const std::array<const char*, kHotKeyCount> kHotKeyDefaults;

struct ConfigKey {
    const char* key;
    const char* defaultValue;
};
// The keys of section Config in the order they are loaded and saved.
extern const std::array<ConfigKey, 5> kConfigKeys;

// The settings as last loaded, as the text the file holds.
struct Settings {
    std::string mStartRun;
    std::string mStartMini;
    std::string mEndMini;
    std::string mBlackPwd;
    std::string mEndMsg;
};

// The option check boxes of the settings page, saved as their values.
struct OptionBoxes {
    const ui::CheckBox& CheckStarRun;
    const ui::CheckBox& CheckStartMini;
    const ui::CheckBox& CheckEndMini;
    const ui::CheckBox& EndMsgbox;
};

// The settings file inside the settings folder.
std::string configPath(const std::string& mydoc);

// Loads every hotkey into its box (text and canonical tag) and the options into loaded;
// whatever is missing or empty is written back with its default.
void LoadConfig(platform::Profile& profile, const std::string& path, const HotKeyBoxes& boxes,
                Settings& loaded);
// Writes every key, also when nothing changed; the password is the confirmation box's text,
// stored so that it loads back as typed.
void SaveConfig(platform::Profile& profile, const std::string& path, const HotKeyBoxes& boxes,
                const OptionBoxes& options, const ui::TextBox& passwordConfirm);

}  // namespace settings
