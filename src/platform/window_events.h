#pragma once
// News of other programs' top-level windows: created, destroyed, shown, hidden or
// retitled. Lets a page that mirrors the desktop wake when it changes instead of
// looking again and again.
#include <functional>

namespace platform {

class WindowEvents {
  public:
    using Listener = std::function<void()>;

    virtual ~WindowEvents() = default;
    // From now on the listener runs on the user-interface thread soon after such a
    // change; several changes may come as one call, and a call may come for a change that
    // turns out not to matter. Returns a token for unsubscribe, 0 when the system will
    // tell nothing.
    virtual int subscribe(Listener listener) = 0;
    // Does nothing for a token that is not subscribed.
    virtual void unsubscribe(int token) = 0;
};

}  // namespace platform
