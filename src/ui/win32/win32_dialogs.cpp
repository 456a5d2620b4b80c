#include "ui/win32/win32_dialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "platform/win32/wide.h"

namespace ui::win32 {

using platform::win32::narrow;
using platform::win32::wide;

HWND dialogOwner() {
    HWND active = GetActiveWindow();
    return active && IsWindowVisible(active) ? active : nullptr;
}

int Win32Dialogs::messageBox(const std::string& text, const std::string& title, int style) {
    HWND owner = dialogOwner();
    UINT flags = static_cast<UINT>(style);
    // With nothing of ours on screen (the program sits in the notification area) the box
    // must still come to the front where the user can answer it.
    if (!owner) flags |= MB_SETFOREGROUND;
    return MessageBoxW(owner, wide(text).c_str(), wide(title).c_str(), flags);
}

std::wstring openFileFilter(std::string_view classic) {
    std::wstring filter = wide(classic);
    if (filter.empty()) return filter;
    if (filter.back() != L'|') filter.push_back(L'|');
    for (wchar_t& ch : filter) {
        if (ch == L'|') ch = L'\0';
    }
    filter.push_back(L'\0');
    return filter;
}

std::string Win32Dialogs::openFile(const std::string& title, const std::string& filter) {
    std::wstring filters = openFileFilter(filter);
    std::wstring caption = wide(title);
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = dialogOwner();
    ofn.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
    ofn.Flags =
        OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return {};
    return narrow(path.data());
}

}  // namespace ui::win32
