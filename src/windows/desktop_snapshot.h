#pragma once
// The top-level windows in z-order with their titles, read once. Looking a title up
// here gives what FindWindow would give at the moment of reading (the first window in
// z-order with exactly that title) without walking every window again for every
// title, which made a refresh on a busy desktop cost the square of its window count.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/desktop.h"

namespace windows {

class DesktopSnapshot {
  public:
    struct Entry {
        platform::WindowHandle handle;
        std::string title;
    };

    explicit DesktopSnapshot(platform::Desktop& desktop);

    // In z-order, top first.
    const std::vector<Entry>& windows() const { return windows_; }
    // The first window in z-order titled exactly title; kNoWindow when none is.
    platform::WindowHandle find(const std::string& title) const;

  private:
    std::vector<Entry> windows_;
    std::unordered_map<std::string, platform::WindowHandle> firstByTitle_;
};

}  // namespace windows
