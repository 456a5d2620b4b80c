#pragma once
// One simulated computer with the program's forms on it, as a test's starting point.
#include <memory>

#include "app/application.h"
#include "app/constants.h"
#include "platform/sim/sim_system.h"
#include "ui/sim/sim_dialogs.h"
#include "ui/sim/sim_forms.h"

namespace testing_support {

struct SimProgram {
    explicit SimProgram(platform::sim::SimInstanceBus& bus) : sim(bus) { installComponents(); }
    SimProgram() { installComponents(); }

    void installComponents() {
        sim.hotKeys.setDelivery(
            [this](platform::WindowHandle window, int id) { forms.deliverHotKey(window, id); });
        sim.files.put("C:\\Windows\\system32\\comctl32.dll", "");
        sim.files.put("C:\\Windows\\system32\\wininet.dll", "");
        sim.files.put("C:\\Users\\user\\Documents\\desktop.ini", "");
        sim.files.put("C:\\Users\\user\\AppData\\Local\\IconCache.db", "");
    }
    // The start, and the message loop's first turn after it.
    app::Application& start() {
        startBeforeLoop();
        forms.pump();
        return *application;
    }
    // The start-up sequence alone, up to where the message loop would take over.
    app::Application& startBeforeLoop() {
        application = std::make_unique<app::Application>(ctx);
        result = application->Main();
        return *application;
    }
    app::Frmain& frmain() { return application->frmain(); }
    std::string configText() {
        return sim.files.readFile("C:\\Users\\user\\Documents\\Veilor\\Config.ini")
            .value_or("<none>");
    }

    platform::sim::SimSystem sim;
    ui::sim::SimForms forms;
    ui::sim::SimDialogs dialogs;
    int quits = 0;
    app::Context ctx{sim.system(), forms, dialogs, [this] { ++quits; }};
    std::unique_ptr<app::Application> application;
    app::StartResult result{};
};

inline constexpr const char* kDefaultConfig =
    "[HotKey]\r\n0=65,0,-1,0\r\n1=77,0,-1,0\r\n2=84,0,-1,0\r\n3=87,0,-1,0\r\n4=82,0,-1,0\r\n"
    "5=66,0,-1,0\r\n6=73,0,-1,0\r\n[Config]\r\nStartRun=0\r\nStartMini=0\r\nEndMini=0\r\n"
    "BlackPwd=\r\nEndMsg=0\r\n";

}  // namespace testing_support
