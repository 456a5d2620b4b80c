// The settings file as the settings page meets it: whatever a hand edit or an older
// version left in Config.ini is loaded, shown, saved and loaded again, and the second
// load gives back what was saved. Input: the password typed on the first line, then the
// file's bytes.
#include <array>
#include <memory>

#include "core/val.h"
#include "fuzz_check.h"
#include "hotkeys/hotkey_text.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_profile.h"
#include "settings/config.h"
#include "settings/password.h"

namespace {

const std::string kFolder = "C:\\Users\\user\\Documents\\Veilor";

struct Page {
    Page() {
        for (int i = 0; i < settings::kHotKeyCount; ++i) {
            owned[i] = std::make_unique<ui::TextBox>(nullptr, 200 + i, "txtHotKey");
            boxes[i] = owned[i].get();
        }
    }
    std::array<std::unique_ptr<ui::TextBox>, settings::kHotKeyCount> owned;
    settings::HotKeyBoxes boxes{};
    std::array<ui::CheckBox, 4> options{
        ui::CheckBox{nullptr, 300, "CheckStarRun"}, ui::CheckBox{nullptr, 301, "CheckStartMini"},
        ui::CheckBox{nullptr, 302, "CheckEndMini"}, ui::CheckBox{nullptr, 303, "EndMsgbox"}};
    ui::TextBox password{nullptr, 305, "txtBlackPwd"};
    settings::Settings loaded;

    void save(platform::Profile& profile, const std::string& path) {
        settings::SaveConfig(profile, path, boxes, {options[0], options[1], options[2], options[3]},
                             password);
    }
    std::array<std::string, 4> optionTexts() const {
        return {loaded.mStartRun, loaded.mStartMini, loaded.mEndMini, loaded.mEndMsg};
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    const std::size_t newline = input.find('\n');
    std::string typed = input.substr(0, newline);
    const std::string file = newline == std::string::npos ? "" : input.substr(newline + 1);

    platform::sim::SimFiles files;
    platform::sim::SimProfile profile{files};
    const std::string path = settings::configPath(kFolder);
    files.put(path, file);

    Page page;
    settings::LoadConfig(profile, path, page.boxes, page.loaded);
    std::array<std::string, settings::kHotKeyCount> tags;
    for (int i = 0; i < settings::kHotKeyCount; ++i) {
        tags[i] = page.boxes[i]->tag;
        hotkeys::HotKeyValue v = hotkeys::parseHotKeyValue(tags[i]);
        FUZZ_CHECK(tags[i] == hotkeys::hotKeyTag(v.keyCode, v.ctrl, v.alt, v.shift));
    }
    const std::array<std::string, 4> texts = page.optionTexts();
    for (std::size_t k = 0; k < page.options.size(); ++k)
        page.options[k].setValue(core::valInt(texts[k]));
    // The page saves only a password the file can give back; anything else is refused.
    if (settings::passwordFit(profile, path, typed) != settings::PasswordFit::Fits) typed.clear();
    page.password.setText(typed);

    page.save(profile, path);
    const std::string saved = files.readFile(path).value_or("");
    settings::LoadConfig(profile, path, page.boxes, page.loaded);
    for (int i = 0; i < settings::kHotKeyCount; ++i)
        FUZZ_CHECK(page.boxes[i]->tag == tags[i]);
    const std::array<std::string, 4> reloaded = page.optionTexts();
    for (std::size_t k = 0; k < page.options.size(); ++k)
        FUZZ_CHECK(core::valInt(reloaded[k]) == page.options[k].value());
    FUZZ_CHECK(page.loaded.mBlackPwd == typed);
    // Loading wrote nothing new, and saving the same page again changes no byte.
    FUZZ_CHECK(files.readFile(path).value_or("") == saved);
    page.save(profile, path);
    FUZZ_CHECK(files.readFile(path).value_or("") == saved);
    return 0;
}
