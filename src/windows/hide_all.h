#pragma once
// Hiding windows so that they can always be found again, and showing them again. A window
// is recorded before it is hidden, hidden at once, and marked after: a window whose marker
// cannot be written (its program does not answer, or its code page cannot hold the
// marker) is shown again and forgotten, so nothing stays hidden that could be lost.
#include <functional>
#include <vector>

#include "platform/desktop.h"
#include "ui/controls.h"
#include "windows/desktop_snapshot.h"
#include "windows/hidden_record.h"
#include "windows/late_markers.h"

namespace windows {

// A window about to be hidden: its handle and its title as it stands now.
struct HideTarget {
    platform::WindowHandle handle = platform::kNoWindow;
    std::string title;
};

// What the record keeps of the windows: each title without the marker it may carry.
std::vector<RecordedWindow> recordedWindows(platform::Desktop& desktop,
                                            const std::vector<HideTarget>& targets);
// Hides and marks windows the record already holds; `posted` is told once every hide is
// on its way, before the first title is written. Returns the windows that stay hidden;
// those shown again (their marker could not be written) leave the record and go to late.
std::vector<platform::WindowHandle> hideRecordedWindows(platform::Desktop& desktop,
                                                        HiddenRecord& record, LateMarkers& late,
                                                        const std::vector<HideTarget>& targets,
                                                        const std::function<void()>& posted = {});
// Records, hides and marks the windows (a title that already carries the marker is not
// marked twice). Returns the windows that stay hidden; those shown again go to late, in
// case their program writes the marker after all.
std::vector<platform::WindowHandle> hideWindows(platform::Desktop& desktop, HiddenRecord& record,
                                                LateMarkers& late,
                                                const std::vector<HideTarget>& targets);

// The windows the one-key hide takes from the window list's rows: every row's window, as
// the desktop was read, whose title may carry the marker or already does; not Veilor's
// own and not the desktop's. A window named by two rows is taken once.
std::vector<HideTarget> listedTargets(const DesktopSnapshot& desktop,
                                      const std::vector<std::string>& rows);

// Unmarks and shows the window of every row whose title carries the marker.
void showMarkedWindows(platform::Desktop& desktop, const ui::ListBox& list);

}  // namespace windows
