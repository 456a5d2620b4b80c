#include "platform/win32/win32_internet.h"

#include <windows.h>

#include <shlwapi.h>
#include <wininet.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/win32/message_window.h"
#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

constexpr UINT kWakeMessage = WM_APP + 1;
constexpr wchar_t kClassName[] = L"Veilor.Internet";
// Long enough for a slow server, short enough that a dead one is given up on.
constexpr DWORD kTimeoutMs = 15000;

class NetHandle {
  public:
    explicit NetHandle(HINTERNET h) : h_(h) {}
    ~NetHandle() {
        if (h_) InternetCloseHandle(h_);
    }
    NetHandle(const NetHandle&) = delete;
    NetHandle& operator=(const NetHandle&) = delete;
    HINTERNET get() const { return h_; }

  private:
    HINTERNET h_;
};

void boundTimeouts(HINTERNET session) {
    DWORD ms = kTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT}) {
        InternetSetOptionW(session, option, &ms, sizeof(ms));
    }
}

bool statusIsSuccess(HINTERNET url) {
    DWORD status = 0;
    DWORD size = sizeof(status);
    DWORD index = 0;
    if (!HttpQueryInfoW(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        &index)) {
        return false;
    }
    return status >= 200 && status <= 299;
}

}  // namespace

// What one worker and the user-interface thread share; the worker keeps it alive until
// it is done, also when the request was abandoned.
struct Win32Internet::Shared {
    HttpRequest request;
    HttpHandlers handlers;  // user-interface thread only
    std::uint32_t id = 0;
    HWND window = nullptr;
    std::atomic<bool> cancel{false};
    std::atomic<bool> wakePosted{false};
    std::mutex lock;
    std::deque<std::string> blocks;
    std::optional<HttpEnd> end;

    void hand(std::optional<std::string> block, std::optional<HttpEnd> last) {
        {
            std::lock_guard<std::mutex> guard(lock);
            if (block) blocks.push_back(std::move(*block));
            if (last) end = last;
        }
        // One wake at a time: the user-interface thread takes everything queued by then.
        if (!wakePosted.exchange(true)) {
            PostMessageW(window, kWakeMessage, 0, static_cast<LPARAM>(id));
        }
    }

    HttpEnd read(HINTERNET url) {
        char buffer[kBlockBytes];
        std::uint64_t total = 0;
        for (;;) {
            DWORD got = 0;
            if (!InternetReadFile(url, buffer, sizeof(buffer), &got)) return HttpEnd::Broken;
            if (got == 0) return HttpEnd::Finished;
            if (got > request.maxBytes - total) return HttpEnd::TooLarge;
            total += got;
            hand(std::string(buffer, got), std::nullopt);
            if (cancel.load()) return HttpEnd::Cancelled;
        }
    }

    HttpEnd fetch() {
        NetHandle session(InternetOpenW(wide(request.agent).c_str(), INTERNET_OPEN_TYPE_PRECONFIG,
                                        nullptr, nullptr, 0));
        if (!session.get()) return HttpEnd::CannotOpen;
        boundTimeouts(session.get());
        const DWORD flags = request.reload ? INTERNET_FLAG_RELOAD : 0;
        NetHandle url(
            InternetOpenUrlW(session.get(), wide(request.url).c_str(), nullptr, 0, flags, 0));
        if (!url.get()) return HttpEnd::CannotOpen;
        if (request.probe) return HttpEnd::Finished;
        if (!statusIsSuccess(url.get())) return HttpEnd::BadStatus;
        return read(url.get());
    }

    static void work(std::shared_ptr<Shared> self) noexcept {
        HttpEnd end = HttpEnd::Broken;
        try {
            end = self->fetch();
        } catch (...) {
            // Out of memory for a block: the transfer ends as a broken one.
        }
        self->hand(std::nullopt, end);
    }
};

class Win32Internet::Transfer : public HttpTransfer {
  public:
    Transfer(Win32Internet& owner, std::shared_ptr<Shared> shared)
        : owner_(owner), shared_(std::move(shared)) {}
    ~Transfer() override {
        shared_->cancel = true;
        owner_.live_.erase(shared_->id);
    }
    void cancel() override { shared_->cancel = true; }

  private:
    Win32Internet& owner_;
    std::shared_ptr<Shared> shared_;
};

Win32Internet::Win32Internet()
    : window_(createMessageWindow(
          kClassName, deliveringProc<Win32Internet, kWakeMessage, &Win32Internet::deliver>, this)) {
}

Win32Internet::~Win32Internet() {
    live_.clear();
    if (window_) DestroyWindow(static_cast<HWND>(window_));
}

std::unique_ptr<HttpTransfer> Win32Internet::start(const HttpRequest& request,
                                                   HttpHandlers handlers) {
    auto shared = std::make_shared<Shared>();
    shared->request = request;
    shared->handlers = std::move(handlers);
    shared->id = nextId_++;
    shared->window = static_cast<HWND>(window_);
    live_[shared->id] = shared;
    auto transfer = std::make_unique<Transfer>(*this, shared);
    try {
        std::thread(Shared::work, shared).detach();
    } catch (...) {
        shared->hand(std::nullopt, HttpEnd::CannotOpen);
    }
    return transfer;
}

void Win32Internet::deliver(std::uint32_t id) {
    auto found = live_.find(id);
    if (found == live_.end()) return;
    std::shared_ptr<Shared> shared = found->second;
    shared->wakePosted = false;
    std::vector<std::string> blocks;
    std::optional<HttpEnd> end;
    {
        std::lock_guard<std::mutex> guard(shared->lock);
        blocks.assign(std::make_move_iterator(shared->blocks.begin()),
                      std::make_move_iterator(shared->blocks.end()));
        shared->blocks.clear();
        end = shared->end;
    }
    if (!blocks.empty() && shared->handlers.onBlocks) shared->handlers.onBlocks(blocks);
    // The handler may have abandoned the request.
    if (!end || !live_.count(id)) return;
    live_.erase(id);
    if (shared->handlers.onEnd) shared->handlers.onEnd(*end);
}

std::string Win32Internet::byteSizeText(std::uint64_t bytes) {
    wchar_t text[128] = {};
    if (!StrFormatByteSizeW(static_cast<LONGLONG>(bytes), text, 128)) return std::to_string(bytes);
    return narrow(text);
}

std::string Win32Internet::fromAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return narrow(text);
}

}  // namespace platform::win32
