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
    // False where the system tells only of windows being created (Wine): one that
    // closes goes untold, and whoever follows the desktop has to look at the window set
    // now and then.
    virtual bool tellsEveryChange() = 0;
    // Whether the set of top-level windows differs from the one seen at the last call: one
    // cheap request to the system, whoever listens. The first call compares with nothing.
    virtual bool windowSetChanged() = 0;
};

}  // namespace platform
