#pragma once
// Everything the logic may ask of the system, one reference per family. The Win32
// build fills it with the real implementations, the tests with the simulated desktop.
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/internet.h"
#include "platform/instance.h"
#include "platform/keyboard_hook.h"
#include "platform/notify_area.h"
#include "platform/notify_icon.h"
#include "platform/processes.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/tasks.h"
#include "platform/window_events.h"

namespace platform {

struct System {
    Profile& profile;
    Files& files;
    Environment& environment;
    Shell& shell;
    SingleInstance& instance;
    Desktop& desktop;
    Registry& registry;
    Clock& clock;
    NotifyIcon& notifyIcon;
    NotifyArea& notifyArea;
    HotKeys& hotKeys;
    KeyboardHook& keyboardHook;
    Processes& processes;
    Internet& internet;
    WindowEvents& windowEvents;
    Tasks& tasks;
};

}  // namespace platform
