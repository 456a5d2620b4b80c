#include "platform/sim/sim_internet.h"

#include <algorithm>
#include <cstdio>

namespace platform::sim {

struct SimInternet::State {
    HttpRequest request;
    HttpHandlers handlers;
    SimInternet* owner = nullptr;
    bool opened = false;
    bool cancelled = false;
    bool done = false;
    std::uint64_t sent = 0;
};

class SimInternet::Transfer : public HttpTransfer {
  public:
    explicit Transfer(std::shared_ptr<State> state) : state_(std::move(state)) {}
    ~Transfer() override { state_->done = true; }
    void cancel() override { state_->cancelled = true; }

  private:
    std::shared_ptr<State> state_;
};

std::unique_ptr<HttpTransfer> SimInternet::start(const HttpRequest& request,
                                                 HttpHandlers handlers) {
    requests.push_back(request);
    auto state = std::make_shared<State>();
    state->request = request;
    state->handlers = std::move(handlers);
    state->owner = this;
    open_.push_back(state);
    return std::make_unique<Transfer>(state);
}

namespace {

void finish(HttpHandlers& handlers, bool& done, HttpEnd end) {
    done = true;
    if (handlers.onEnd) handlers.onEnd(end);
}

}  // namespace

// The same order of checks as the worker: open, status, then one block per pass, the
// cancel flag read after each block.
bool SimInternet::advance(State& s) {
    auto found = s.owner->answers.find(s.request.url);
    if (found == s.owner->answers.end()) {
        finish(s.handlers, s.done, HttpEnd::CannotOpen);
        return true;
    }
    const SimAnswer& answer = found->second;
    if (s.request.probe) {
        finish(s.handlers, s.done, HttpEnd::Finished);
        return true;
    }
    if (answer.status < 200 || answer.status > 299) {
        finish(s.handlers, s.done, HttpEnd::BadStatus);
        return true;
    }
    if (s.cancelled) {
        finish(s.handlers, s.done, HttpEnd::Cancelled);
        return true;
    }
    if (answer.stalled) return false;
    if (s.sent >= answer.breakAfter) {
        finish(s.handlers, s.done, HttpEnd::Broken);
        return true;
    }
    const std::uint64_t length = std::max<std::uint64_t>(answer.body.size(), answer.padTo);
    if (s.sent >= length) {
        finish(s.handlers, s.done, HttpEnd::Finished);
        return true;
    }
    const std::size_t size = static_cast<std::size_t>(
        std::min<std::uint64_t>({kBlockBytes, length - s.sent, answer.breakAfter - s.sent}));
    if (size > s.request.maxBytes - s.sent) {
        finish(s.handlers, s.done, HttpEnd::TooLarge);
        return true;
    }
    std::string block = s.sent < answer.body.size()
                            ? answer.body.substr(static_cast<std::size_t>(s.sent), size)
                            : std::string();
    block.resize(size, '\0');
    s.sent += size;
    if (s.handlers.onBlocks) s.handlers.onBlocks({block});
    return true;
}

bool SimInternet::step() {
    open_.remove_if([](const auto& s) { return s->done; });
    // A handler may start or abandon requests: this pass moves the ones open before it.
    const std::list<std::shared_ptr<State>> pass = open_;
    bool moved = false;
    for (const auto& state : pass) {
        if (!state->done && advance(*state)) moved = true;
    }
    open_.remove_if([](const auto& s) { return s->done; });
    return moved;
}

void SimInternet::runAll() {
    while (step()) {
    }
}

int SimInternet::openCount() const {
    return static_cast<int>(
        std::count_if(open_.begin(), open_.end(), [](const auto& s) { return !s->done; }));
}

std::string SimInternet::byteSizeText(std::uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + " bytes";
    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    double value = static_cast<double>(bytes) / 1024.0;
    int unit = 0;
    while (value >= 1000.0 && unit < 5) {
        value /= 1024.0;
        ++unit;
    }
    // Three significant digits, cut rather than rounded, as the shell does.
    char text[32];
    if (value < 10)
        std::snprintf(text, sizeof(text), "%.2f %s", static_cast<int>(value * 100) / 100.0,
                      units[unit]);
    else if (value < 100)
        std::snprintf(text, sizeof(text), "%.1f %s", static_cast<int>(value * 10) / 10.0,
                      units[unit]);
    else
        std::snprintf(text, sizeof(text), "%d %s", static_cast<int>(value), units[unit]);
    return text;
}

}  // namespace platform::sim
