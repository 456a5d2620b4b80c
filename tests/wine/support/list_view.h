// Another program's list view (SysListView32 in report layout), read and clicked from the
// driver. Its messages carry pointers, so every read goes through a buffer inside the
// list's own process. The driver and the program must be of one bitness.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace wine_test {

using ListViewRow = std::vector<std::string>;  // the text, then each sub-item

// Every row with `columns` cells each, as UTF-8; a list that does not answer, or whose
// process cannot be reached, fails the test and reads as empty.
std::vector<ListViewRow> listViewRows(HWND listView, int columns);
// The column captions.
std::vector<std::string> listViewColumns(HWND listView);
// Scrolls the row into sight and gives the screen point in the middle of its first cell;
// nullopt (the test failing) when it cannot be read.
std::optional<POINT> listViewRowPoint(HWND listView, int row);

}  // namespace wine_test
