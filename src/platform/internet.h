#pragma once
// HTTP requests, each on a worker thread of its own so that a slow or silent server never
// holds the user-interface thread, where the hotkeys are answered. What a request
// receives comes back on the user-interface thread, in order, through its handlers.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class HttpEnd {
    Finished,    // every byte of the answer was handed over (or, for a probe, it answered)
    Cancelled,   // stopped after a block because cancel() was called
    CannotOpen,  // no session, or the URL could not be opened (no server, no answer in time)
    BadStatus,   // the server answered with a status outside 200-299; no byte was handed over
    Broken,      // a read failed part-way; what came before was handed over
    TooLarge,    // the answer grew past maxBytes; only what came before was handed over
};

struct HttpRequest {
    std::string agent;
    std::string url;
    // Always from the server, never from a cache.
    bool reload = false;
    // Only whether the server answers at all: no status check, no body.
    bool probe = false;
    // The most bytes taken from the answer; a longer one ends as TooLarge, so that a
    // server cannot fill the disk (or the memory, while the blocks wait to be handed).
    std::uint64_t maxBytes = UINT64_MAX;
};

struct HttpHandlers {
    // Blocks of at most kBlockBytes each, in order; several may come at once when the
    // user-interface thread was busy.
    std::function<void(const std::vector<std::string>& blocks)> onBlocks;
    // Once, last.
    std::function<void(HttpEnd end)> onEnd;
};

class HttpTransfer {
  public:
    virtual ~HttpTransfer() = default;
    // The worker stops after the block it is reading; nothing more is handed over but
    // the end (Cancelled). Safe to call at any time.
    virtual void cancel() = 0;
};

class Internet {
  public:
    static constexpr std::size_t kBlockBytes = 2048;
    virtual ~Internet() = default;
    // Starts the request; destroying the transfer abandons it: no handler runs after.
    virtual std::unique_ptr<HttpTransfer> start(const HttpRequest& request,
                                                HttpHandlers handlers) = 0;
    // The system's short form of a byte count, such as "1.95 KB" (StrFormatByteSize).
    virtual std::string byteSizeText(std::uint64_t bytes) = 0;
    // Text the server wrote in the system's ANSI code page, as UTF-8.
    virtual std::string fromAnsi(const std::string& bytes) = 0;
};

}  // namespace platform
