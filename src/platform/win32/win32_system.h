#pragma once
// The real computer: every platform family through the Win32 API, wired the way
// the simulated one is, for Veilor.exe.
#include <string>

#include "platform/system.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_internet.h"
#include "platform/win32/win32_keyboard_hook.h"
#include "platform/win32/win32_instance.h"
#include "platform/win32/win32_notify_area.h"
#include "platform/win32/win32_notify_icon.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_tasks.h"
#include "platform/win32/win32_window_events.h"

namespace platform::win32 {

class Win32System {
  public:
    // instanceName tells copies of this program apart from everything else in the
    // session; tests give their own so they never meet a running Veilor.
    explicit Win32System(const std::string& instanceName = "Veilor") : instance(instanceName) {}

    System system() {
        return System{profile,   files,    environment,  shell,      instance, desktop,
                      registry,  clock,    notifyIcon,   notifyArea, hotKeys,  keyboardHook,
                      processes, internet, windowEvents, tasks};
    }

    Win32Profile profile;
    Win32Files files;
    Win32Environment environment;
    Win32Shell shell;
    Win32SingleInstance instance;
    Win32Desktop desktop;
    Win32Registry registry;
    Win32Clock clock;
    Win32NotifyIcon notifyIcon;
    Win32NotifyArea notifyArea;
    Win32HotKeys hotKeys;
    Win32KeyboardHook keyboardHook;
    Win32Processes processes;
    Win32Internet internet;
    Win32WindowEvents windowEvents;
    // Last: gone first, once its workers are done with the families above.
    Win32Tasks tasks;
};

}  // namespace platform::win32
