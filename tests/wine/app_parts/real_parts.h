// The program's context on the real system: every platform family, the real views and
// the real dialogs, as Veilor.exe puts them together.
#pragma once

#include "app/context.h"
#include "platform/win32/win32_system.h"
#include "ui/win32/win32_dialogs.h"
#include "ui/win32/win32_forms.h"

namespace app_parts_test {

struct RealParts {
    // Declared first: the views outlive the forms they host.
    ui::win32::Win32Forms forms;
    ui::win32::Win32Dialogs dialogs{forms.fonts()};
    platform::win32::Win32System system{"VeilorAppPartsTest"};
    platform::win32::Win32NotifyIcon& notifyIcon = system.notifyIcon;
    platform::win32::Win32Shell& shell = system.shell;
    app::Context ctx{system.system(), forms, dialogs, [] {}};
};

}  // namespace app_parts_test
