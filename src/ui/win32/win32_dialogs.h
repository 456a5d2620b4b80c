#pragma once
// The standard dialogs on the real desktop. Message boxes and the open-file dialog are
// the system's own; the input box is a small dialog of ours, built in code.
#include <windows.h>

#include <string>
#include <string_view>

#include "ui/dialogs.h"

namespace ui::win32 {

class UiFonts;

// Child IDs of the input box, for automation and the tests.
constexpr int kInputBoxPromptId = 100;
constexpr int kInputBoxEditId = 101;

class Win32Dialogs : public Dialogs {
  public:
    // fonts gives the input box its face; it must outlive this object.
    explicit Win32Dialogs(const UiFonts& fonts) : fonts_(fonts) {}

    int messageBox(const std::string& text, const std::string& title, int style) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string openFile(const std::string& title, const std::string& filter) override;

  private:
    const UiFonts& fonts_;
};

// "Description|*.ext|..." as the open-file dialog wants it: pairs separated and ended by
// NULs, the whole list ended by one more.
std::wstring openFileFilter(std::string_view classic);

// The window a dialog of ours belongs to: the program's active window, if any.
HWND dialogOwner();

}  // namespace ui::win32
