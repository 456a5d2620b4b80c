#pragma once
// The top-level windows in z-order with their titles, read once. Looking a title up
// here gives what FindWindow would give at the moment of reading (the first window in
// z-order with that title, by the one title rule, core::sameTitle) without walking every
// window again for every title, which made a refresh on a busy desktop cost the square of
// its window count. Message-only windows are never among them.
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
    // The first window in z-order with that title; nullptr (kNoWindow) when none has it.
    const Entry* entry(const std::string& title) const;
    platform::WindowHandle find(const std::string& title) const;
    // Every window with that title, in z-order.
    std::vector<const Entry*> entries(const std::string& title) const;

  private:
    std::vector<Entry> windows_;
    // Folded title to the indices of its windows, in z-order.
    std::unordered_map<std::string, std::vector<std::size_t>> byTitle_;
};

// One window looked up by its title, as the desktop is now; kNoWindow for an empty
// title, which would otherwise match any window at all.
platform::WindowHandle FindTitledWindow(platform::Desktop& desktop, const std::string& title);

}  // namespace windows
