#include "settings/config.h"

#include "hotkeys/hotkey_text.h"
#include "settings/password.h"

namespace settings {

const std::array<const char*, kHotKeyCount> kHotKeyDefaults = {
    "65,0,-1,0", "77,0,-1,0", "84,0,-1,0", "87,0,-1,0", "82,0,-1,0", "66,0,-1,0", "73,0,-1,0",
};

const std::array<ConfigKey, 5> kConfigKeys = {{
    {"StartRun", "0"},
    {"StartMini", "0"},
    {"EndMini", "0"},
    {"BlackPwd", ""},
    {"EndMsg", "0"},
}};

std::string configPath(const std::string& mydoc) {
    return AddString(mydoc, "\\") + "Config.ini";
}

void LoadConfig(platform::Profile& profile, const std::string& path, const HotKeyBoxes& boxes,
                Settings& loaded) {
    RWini ini(profile);
    ini.IniFileName = path;
    for (int i = 0; i < kHotKeyCount; ++i) {
        std::string stored = ini.ReadIni(kHotKeySection, std::to_string(i), kHotKeyDefaults[i]);
        if (!boxes[i]) continue;
        boxes[i]->tag = stored;
        hotkeys::HotKeyValue v = hotkeys::parseHotKeyValue(stored);
        hotkeys::SetHotKeyBox(*boxes[i], v.keyCode, v.ctrl, v.alt, v.shift);
    }
    std::string* targets[] = {&loaded.mStartRun, &loaded.mStartMini, &loaded.mEndMini,
                              &loaded.mBlackPwd, &loaded.mEndMsg};
    for (size_t k = 0; k < kConfigKeys.size(); ++k) {
        *targets[k] = ini.ReadIni(kConfigSection, kConfigKeys[k].key, kConfigKeys[k].defaultValue);
    }
}

void SaveConfig(platform::Profile& profile, const std::string& path, const HotKeyBoxes& boxes,
                const OptionBoxes& options, const ui::TextBox& passwordConfirm) {
    RWini ini(profile);
    ini.IniFileName = path;
    for (int i = 0; i < kHotKeyCount; ++i) {
        if (boxes[i]) ini.WriteIni(kHotKeySection, std::to_string(i), boxes[i]->tag);
    }
    const std::string values[] = {
        std::to_string(options.CheckStarRun.value()),
        std::to_string(options.CheckStartMini.value()),
        std::to_string(options.CheckEndMini.value()),
        storedPassword(passwordConfirm.text()),
        std::to_string(options.EndMsgbox.value()),
    };
    for (size_t k = 0; k < kConfigKeys.size(); ++k) {
        ini.WriteIni(kConfigSection, kConfigKeys[k].key, values[k]);
    }
}

}  // namespace settings
