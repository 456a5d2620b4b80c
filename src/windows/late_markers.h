#pragma once
// Windows shown again because their marker was not written in time. Their program may
// only have been slow and still write the marker later, which would leave a window on
// screen titled with it. Each one is looked at again once its program answers, and a
// marker that arrived late is taken off, unless Veilor has hidden the window again since.
// Nothing here waits: the look comes from the message loop when the program answers.
#include <cstddef>
#include <memory>

#include "platform/desktop.h"
#include "windows/hidden_record.h"

namespace windows {

class LateMarkers {
  public:
    LateMarkers(platform::Desktop& desktop, const HiddenRecord& record);

    void watch(platform::WindowHandle window);
    // The windows waiting for their program's answer.
    std::size_t watching() const;

  private:
    struct State;
    // The answers may come after this object is gone; they hold the state only weakly.
    std::shared_ptr<State> state_;
};

}  // namespace windows
