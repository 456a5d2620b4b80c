#include "windows/late_markers.h"

#include <map>

#include "windows/window_ops.h"

namespace windows {
namespace {

// A program that took the marker late may take the unmarked title late as well; it gets
// this many looks in all.
constexpr int kMostLooks = 3;

}  // namespace

struct LateMarkers::State {
    struct Watch {
        int looks = 0;
        // Only the answer to the latest question counts: it comes after everything sent.
        unsigned latest = 0;
    };

    platform::Desktop& desktop;
    const HiddenRecord& record;
    std::map<platform::WindowHandle, Watch> watched;
    unsigned questions = 0;

    static void ask(const std::shared_ptr<State>& state, platform::WindowHandle window);
    void answered(const std::shared_ptr<State>& self, platform::WindowHandle window,
                  unsigned question);
};

void LateMarkers::State::ask(const std::shared_ptr<State>& state, platform::WindowHandle window) {
    const unsigned question = ++state->questions;
    state->watched[window].latest = question;
    std::weak_ptr<State> weak = state;
    state->desktop.whenAnswered(window, [weak, window, question] {
        if (std::shared_ptr<State> self = weak.lock()) self->answered(self, window, question);
    });
}

void LateMarkers::State::answered(const std::shared_ptr<State>& self, platform::WindowHandle window,
                                  unsigned question) {
    auto it = watched.find(window);
    if (it == watched.end() || it->second.latest != question) return;
    const int look = ++it->second.looks;
    const std::string title = GetWinText(desktop, window);
    // Gone (no title), hidden by Veilor again since, or never marked after all.
    if (!hasHiddenMarker(title) || record.holds(window, desktop.windowProcessId(window))) {
        watched.erase(it);
        return;
    }
    if (desktop.setWindowText(window, title.substr(kHiddenMarker.size())) || look >= kMostLooks) {
        watched.erase(it);
        return;
    }
    ask(self, window);
}

LateMarkers::LateMarkers(platform::Desktop& desktop, const HiddenRecord& record)
    : state_(std::make_shared<State>(State{desktop, record, {}, 0})) {}

void LateMarkers::watch(platform::WindowHandle window) {
    if (window == platform::kNoWindow) return;
    // Asked again even when already watched: only this later answer also covers the
    // marker just sent.
    state_->watched[window].looks = 0;
    State::ask(state_, window);
}

std::size_t LateMarkers::watching() const {
    return state_->watched.size();
}

}  // namespace windows
