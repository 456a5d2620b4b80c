#pragma once
// A small HTTP/1.0 server on 127.0.0.1 inside the test driver, one thread per connection.
// Each path answers as the test says: whole, slowly, stalled until released, with an
// error status; a path with no answer gets 404.
#include <winsock2.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace update_wine {

inline constexpr unsigned short kPort = 47815;

struct Answer {
    int status = 200;
    std::string body;
    // Bytes sent per piece and the pause after each piece; 0: all at once.
    size_t pieceBytes = 0;
    DWORD pauseMs = 0;
    // Holds the answer back, headers and all, until release(); then sends it.
    bool stall = false;
};

class LoopbackServer {
  public:
    LoopbackServer();
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    bool listening() const { return listener_ != INVALID_SOCKET; }

    void serve(const std::string& path, Answer answer);
    // Lets every stalled answer go (and stops stalling new ones).
    void release();
    // The paths asked for so far, in order.
    std::vector<std::string> requests();
    // Whether a connection is held in a stall right now.
    bool stalling();

  private:
    void acceptLoop();
    void answer(SOCKET client);
    void sendAnswer(SOCKET client, const Answer& a);
    SOCKET listener_ = INVALID_SOCKET;
    std::thread acceptor_;
    std::mutex lock_;
    std::condition_variable released_;
    bool releasedAll_ = false;
    bool stopping_ = false;
    int stalled_ = 0;
    std::map<std::string, Answer> answers_;
    std::vector<std::string> requests_;
    std::vector<std::thread> connections_;
};

}  // namespace update_wine
