#pragma once
// One simulated computer: every platform family in memory, plus the simulated views
// and dialogs, wired together the way the real program is. Tests build one of these,
// arrange peer windows, files and answers, and drive the program's forms.
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_environment.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_hotkeys.h"
#include "platform/sim/sim_internet.h"
#include "platform/sim/sim_keyboard_hook.h"
#include "platform/sim/sim_instance.h"
#include "platform/sim/sim_notify_area.h"
#include "platform/sim/sim_notify_icon.h"
#include "platform/sim/sim_processes.h"
#include "platform/sim/sim_profile.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_tasks.h"
#include "platform/system.h"

namespace platform::sim {

// Holds the instance channel of a computer that runs one copy only; a base class, so it
// exists before the members that refer to it.
struct OwnInstanceBus {
    SimInstanceBus ownBus;
};

class SimSystem : private OwnInstanceBus {
  public:
    explicit SimSystem(SimInstanceBus& bus) : instance(bus) {}
    SimSystem() : instance(ownBus) {}

    System system() {
        return System{profile,   files,    environment, shell,      instance, desktop,
                      registry,  clock,    notifyIcon,  notifyArea, hotKeys,  keyboardHook,
                      processes, internet, desktop,     tasks};
    }

    SimFiles files;
    SimProfile profile{files};
    SimEnvironment environment;
    SimShell shell;
    SimInstance instance;
    SimDesktop desktop;
    SimRegistry registry;
    SimClock clock;
    SimNotifyIcon notifyIcon;
    SimNotifyArea notifyArea{desktop};
    SimHotKeys hotKeys;
    SimKeyboardHook keyboardHook;
    SimProcesses processes{desktop};
    SimInternet internet;
    SimTasks tasks;
};

}  // namespace platform::sim
