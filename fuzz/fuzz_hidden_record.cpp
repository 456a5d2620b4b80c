// The record of what is hidden, as a crashed run may have left it: whatever parses is
// written back to a text that parses to the same record, and any title or button text,
// whatever bytes it holds, comes back from the file intact.
#include "fuzz_check.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_files.h"
#include "windows/hidden_record.h"

namespace {

bool sameState(const windows::HiddenState& a, const windows::HiddenState& b) {
    if (a.bootTime != b.bootTime || a.taskbar != b.taskbar || a.desktopIcons != b.desktopIcons ||
        a.windows.size() != b.windows.size() || a.buttons.size() != b.buttons.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.windows.size(); ++i) {
        const windows::RecordedWindow &x = a.windows[i], &y = b.windows[i];
        if (x.handle != y.handle || x.processId != y.processId || x.title != y.title) return false;
    }
    for (std::size_t i = 0; i < a.buttons.size(); ++i) {
        if (a.buttons[i].commandId != b.buttons[i].commandId ||
            a.buttons[i].text != b.buttons[i].text) {
            return false;
        }
    }
    return true;
}

void roundTrip(const windows::HiddenState& state) {
    const std::string text = windows::formatRecord(state);
    std::optional<windows::HiddenState> back = windows::parseRecord(text);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(sameState(*back, state));
    FUZZ_CHECK(windows::formatRecord(*back) == text);
}

// A start after a crash: a file that is no record is removed; a record is kept for the
// start to restore from, and counts as this boot's only when its time is near this boot's.
void startWith(const std::string& file, const std::optional<windows::HiddenState>& parsed) {
    platform::sim::SimFiles files;
    platform::sim::SimClock clock;
    windows::HiddenRecord record(files, clock);
    const std::string path = "C:\\Veilor\\Hidden.dat";
    files.put(path, file);
    std::optional<windows::Leftover> left = record.leftoverAt(path);
    FUZZ_CHECK(left.has_value() == parsed.has_value());
    FUZZ_CHECK(files.fileExists(path) == parsed.has_value());
    if (!left) return;
    FUZZ_CHECK(sameState(left->state, *parsed));
    const bool thisBoot = parsed->bootTime >= clock.boot - windows::kSameBootSeconds &&
                          parsed->bootTime <= clock.boot + windows::kSameBootSeconds;
    FUZZ_CHECK(left->thisBoot == thisBoot);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = fuzz::text(data, size);
    const std::optional<windows::HiddenState> parsed = windows::parseRecord(input);
    if (parsed) roundTrip(*parsed);
    startWith(input, parsed);

    // The input as the titles of a record of its own, cut into a window's and a button's.
    windows::HiddenState state;
    const std::size_t half = input.size() / 2;
    state.bootTime = static_cast<std::int64_t>(input.size()) - 64;
    state.taskbar = input.size() % 2 == 1;
    state.windows.push_back(
        {static_cast<platform::WindowHandle>(size) * 977, 4242, input.substr(0, half)});
    state.windows.push_back({0, 0, input});
    state.buttons.push_back({-static_cast<int>(size), input.substr(half)});
    roundTrip(state);
    return 0;
}
