#pragma once
// The window half of hide-everything and restore-everything: every row of the window
// list is looked up by its text and marked and hidden, or unmarked and shown. The rows
// are counted before the loop starts, and a row whose window has gone is passed over.
#include "platform/desktop.h"
#include "ui/controls.h"

namespace windows {

// Marks and hides the window of every row whose title may carry the marker. A window
// whose title could not be marked (its program does not answer) stays shown, so that
// nothing is hidden that could not be found again.
void hideListedWindows(platform::Desktop& desktop, const ui::ListBox& list);
// Unmarks and shows the window of every row whose title carries the marker.
void showMarkedWindows(platform::Desktop& desktop, const ui::ListBox& list);

}  // namespace windows
