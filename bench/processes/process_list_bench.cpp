// Times one refill of the real process page (real list view, real processes, read on a real
// worker) with 100 extra peer processes running, from the click until its rows are in,
// beside the floor: a bare Process32First/Next walk that asks QueryFullProcessImageNameW
// for the path of every process it meets. Also how long the user-interface thread was held
// meanwhile, which is what the hotkeys wait for.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "platform/sim/sim_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_tasks.h"
#include "processes/process_page.h"
#include "processes/process_rows.h"
#include "ui/control_ids.h"
#include "ui/form.h"
#include "ui/sim/sim_dialogs.h"
#include "ui/win32/win32_forms.h"

namespace {

using bench::nowMs;

constexpr int kPeers = 100;
constexpr int kRounds = 9;

double timeMs(const std::function<void()>& work) {
    const double start = nowMs();
    work();
    return nowMs() - start;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A bare walk of every process; `visit` returns whether the process counted.
size_t walkProcesses(const std::function<bool(DWORD processId)>& visit) {
    size_t counted = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (visit(entry.th32ProcessID)) ++counted;
    }
    CloseHandle(snapshot);
    return counted;
}

// The floor: every process once, with the path the system keeps for its image.
size_t floorWalk() {
    return walkProcesses([](DWORD processId) {
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
        if (!process) return false;
        wchar_t path[MAX_PATH];
        DWORD size = MAX_PATH;
        const bool named = QueryFullProcessImageNameW(process, 0, path, &size) != FALSE;
        CloseHandle(process);
        return named;
    });
}

// For scale: the same walk taking the module snapshot the list's path rules read.
size_t moduleWalk() {
    return walkProcesses([](DWORD processId) {
        HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
        if (modules == INVALID_HANDLE_VALUE) return false;
        MODULEENTRY32W module{};
        module.dwSize = sizeof module;
        for (BOOL next = Module32FirstW(modules, &module); next;
             next = Module32NextW(modules, &module)) {
        }
        CloseHandle(modules);
        return true;
    });
}

std::wstring peerPath() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"process_peer.exe";
}

// Dispatches what is waiting; returns the longest single message's time.
double pump() {
    double longest = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        const double start = nowMs();
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        longest = std::max(longest, nowMs() - start);
    }
    return longest;
}

struct Refill {
    double total = 0;  // from the click until the rows are in
    double held = 0;   // the longest the user-interface thread was busy in one go
};

Refill refill(processes::ProcessPage& page) {
    Refill r;
    const double start = nowMs();
    page.Command11_Click();
    r.held = nowMs() - start;
    while (page.refilling()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
        r.held = std::max(r.held, pump());
    }
    r.total = nowMs() - start;
    return r;
}

struct Peers {
    std::vector<PROCESS_INFORMATION> processes;
    bool start(int count) {
        for (int i = 0; i < count; ++i) {
            std::wstring commandLine = L"\"" + peerPath() + L"\"";
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION info{};
            if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, &startup, &info)) {
                return false;
            }
            processes.push_back(info);
            if (WaitForInputIdle(info.hProcess, 60000) != 0) return false;
        }
        return true;
    }
    ~Peers() {
        for (PROCESS_INFORMATION& info : processes) {
            TerminateProcess(info.hProcess, 0);
            WaitForSingleObject(info.hProcess, 10000);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

}  // namespace

int main() {
    Peers peers;
    if (!peers.start(kPeers)) {
        std::printf("could not start %d process_peer.exe\n", kPeers);
        return 1;
    }
    platform::sim::SimInstanceBus bus;
    platform::sim::SimSystem sim{bus};
    platform::win32::Win32Processes real;
    platform::win32::Win32Tasks tasks;
    platform::System s = sim.system();
    platform::System sys{s.profile,    s.files,      s.environment,  s.shell,
                         s.instance,   s.desktop,    s.registry,     s.clock,
                         s.notifyIcon, s.notifyArea, s.hotKeys,      s.keyboardHook,
                         real,         s.internet,   s.windowEvents, tasks};
    ui::win32::Win32Forms forms;
    ui::sim::SimDialogs dialogs;
    ui::Form form(forms, 1000, "frmain");
    form.setBounds(0, 0, 7485, 5655);
    ui::Frame frame(&form, ui::ids::kFrame8, "Frame8");
    frame.setBounds(1560, 1440, 5655, 3375);
    processes::ProcessPage page(frame, sys, dialogs, "Veilor");
    real.enableDebugPrivilege();
    page.createColumns();
    form.show();
    pump();

    refill(page);  // warm: first calls pay for loading and caching
    std::vector<double> floors, refills, ratios, held, rowsOnly, walks, walkRatios;
    for (int round = 0; round < kRounds; ++round) {
        floors.push_back(timeMs([] { floorWalk(); }));
        const Refill r = refill(page);
        refills.push_back(r.total);
        held.push_back(r.held);
        ratios.push_back(refills.back() / floors.back());
        rowsOnly.push_back(timeMs([&] { processes::processRows(real); }));
        walks.push_back(timeMs([] { moduleWalk(); }));
        walkRatios.push_back(walks.back() / floors.back());
        pump();
    }
    const size_t rows = page.ListView1.items().size();
    std::printf("process list refill with %d peer processes, %zu rows, median of %d rounds:\n",
                kPeers, rows, kRounds);
    std::printf("  floor (Process32First/Next + QueryFullProcessImageNameW)  %8.2f ms\n",
                median(floors));
    std::printf(
        "  refill (Command11 until its rows are in)                  %8.2f ms  ratio %6.2f\n",
        median(refills), median(ratios));
    std::printf("  longest the user-interface thread was held in one go      %8.2f ms\n",
                median(held));
    std::printf("  of which the rows alone, without the list view            %8.2f ms\n",
                median(rowsOnly));
    std::printf(
        "  for scale: the walk with a module snapshot per process    %8.2f ms  ratio %6.2f\n",
        median(walks), median(walkRatios));
    std::fflush(stdout);
    form.unload();
    return rows >= static_cast<size_t>(kPeers) ? 0 : 1;
}
