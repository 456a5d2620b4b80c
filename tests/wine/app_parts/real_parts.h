// The program's context on the real system: every platform family, the real views and
// the real dialogs, as Veilor.exe puts them together.
#pragma once

#include "app/context.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_notify_area.h"
#include "platform/win32/win32_notify_icon.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "ui/win32/win32_dialogs.h"
#include "ui/win32/win32_forms.h"

namespace app_parts_test {

struct RealParts {
    // Declared first: the views outlive the forms they host.
    ui::win32::Win32Forms forms;
    ui::win32::Win32Dialogs dialogs{forms.fonts()};
    platform::win32::Win32Profile profile;
    platform::win32::Win32Files files;
    platform::win32::Win32Environment environment;
    platform::win32::Win32Shell shell;
    platform::win32::Win32SingleInstance instance{"VeilorAppPartsTest"};
    platform::win32::Win32Desktop desktop;
    platform::win32::Win32Registry registry;
    platform::win32::Win32Clock clock;
    platform::win32::Win32NotifyIcon notifyIcon;
    platform::win32::Win32NotifyArea notifyArea;
    app::Context ctx{platform::System{profile, files, environment, shell, instance, desktop,
                                      registry, clock, notifyIcon, notifyArea},
                     forms, dialogs, [] {}};
};

}  // namespace app_parts_test
