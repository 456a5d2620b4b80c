#pragma once
// A map of URLs and their answers, for tests. Nothing moves until the test says so:
// step() hands every open request its next block (or its end), as the worker thread of
// the real program would between two passes of the message loop.
#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/internet.h"

namespace platform::sim {

struct SimAnswer {
    int status = 200;
    std::string body;
    // Opens, then sends nothing until the test clears this.
    bool stalled = false;
    // The read after this many bytes fails, as when the connection drops.
    std::size_t breakAfter = static_cast<std::size_t>(-1);
    // The body goes on with zero bytes up to this length, for answers too long to spell.
    std::uint64_t padTo = 0;
};

class SimInternet : public Internet {
  public:
    std::unique_ptr<HttpTransfer> start(const HttpRequest& request, HttpHandlers handlers) override;
    // StrFormatByteSize's shape: three significant digits, "bytes", "KB", "MB", "GB".
    std::string byteSizeText(std::uint64_t bytes) override;
    // This computer's ANSI code page is UTF-8.
    std::string fromAnsi(const std::string& bytes) override { return bytes; }

    // One pass: every open request moves by one block or ends. False when none moved.
    bool step();
    // Steps until nothing moves any more (stalled requests stay open).
    void runAll();
    // Requests started and not yet ended or abandoned.
    int openCount() const;

    // By URL; a URL not listed has no server behind it.
    std::map<std::string, SimAnswer> answers;
    std::vector<HttpRequest> requests;

  private:
    struct State;
    class Transfer;
    static bool advance(State& state);
    std::list<std::shared_ptr<State>> open_;
};

}  // namespace platform::sim
