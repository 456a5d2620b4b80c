#pragma once
// The view of a WebBrowser control: a child window that hosts the system's web browser
// control in a small OLE container of our own (no context menu, no scroll bars, no 3-D
// border, no script error boxes). Where the system has no browser engine the window
// shows a plain notice instead; nothing else depends on the page loading. Needs OLE
// initialised on the thread (OleInitialize).
#include <windows.h>

#include <string>

namespace ui::win32 {

// What the panel shows where no page can be shown.
constexpr wchar_t kWebPanelNotice[] = L"无法显示最新资讯。";
constexpr wchar_t kWebPanelClass[] = L"VeilorWebPanel";

// Creates the panel as a child of parent with the given ID, place and style (WS_CHILD is
// added); the notice uses font. Null if not even the panel window could be made. The
// panel stays empty until it is prepared: loading a browser engine can take longer than
// everything else a window does before it is shown.
HWND createWebPanel(HWND parent, int id, RECT place, DWORD style, HFONT font);
// Puts the browser, or the notice where there is none, into the panel; once.
void prepareWebPanel(HWND panel);
// Prepares the panel if need be, then shows the page at url; ignored where the panel
// shows the notice.
void navigateWebPanel(HWND panel, const std::wstring& url);

}  // namespace ui::win32
