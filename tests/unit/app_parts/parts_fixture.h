#pragma once
// A simulated computer with the program's context, for the main window's parts.
#include "app/context.h"
#include "platform/sim/sim_system.h"
#include "ui/sim/sim_dialogs.h"
#include "ui/sim/sim_forms.h"

namespace app_parts_test {

struct SimParts {
    platform::sim::SimInstanceBus bus;
    platform::sim::SimSystem sim{bus};
    ui::sim::SimForms forms;
    ui::sim::SimDialogs dialogs;
    int quits = 0;
    app::Context ctx{sim.system(), forms, dialogs, [this] { ++quits; }};
};

}  // namespace app_parts_test
