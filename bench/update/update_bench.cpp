// Times a 50 MB download from a server on 127.0.0.1 through DownloadToFile (the worker
// thread, the blocks handed to this thread, the file, the label's text after every
// batch) beside the floor: the same answer read by a bare loop of 2048-byte
// InternetReadFile calls on this thread, written nowhere.
#include <windows.h>

#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "platform/sim/sim_system.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_internet.h"
#include "ui/form.h"
#include "ui/win32/win32_forms.h"
#include "update/loopback_server.h"
#include "update/online.h"

namespace {

using bench::nowMs;

constexpr size_t kBytes = 50u * 1024 * 1024;
constexpr int kRounds = 5;
const std::string kUrl = "http://127.0.0.1:" + std::to_string(update_wine::kPort) + "/big.bin";

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

size_t floorRead() {
    HINTERNET session = InternetOpenW(L"bench", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    HINTERNET url = InternetOpenUrlW(session, std::wstring(kUrl.begin(), kUrl.end()).c_str(),
                                     nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    size_t total = 0;
    char buffer[2048];
    DWORD got = 0;
    while (url && InternetReadFile(url, buffer, sizeof(buffer), &got) && got > 0)
        total += got;
    if (url) InternetCloseHandle(url);
    if (session) InternetCloseHandle(session);
    return total;
}

// Runs the message loop until the download has ended.
std::int32_t download(platform::System& sys, ui::Label& label, const std::string& path) {
    std::optional<update::DownloadResult> result;
    update::DownloadToFile job(sys, label, kUrl, path,
                               [&](const update::DownloadResult& r) { result = r; });
    MSG msg;
    while (!result && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return result ? result->bytes : -1;
}

}  // namespace

int main() {
    update_wine::LoopbackServer server;
    if (!server.listening()) {
        std::printf("port %u is taken\n", update_wine::kPort);
        return 1;
    }
    server.serve("/big.bin", {200, std::string(kBytes, '\x5a')});
    platform::sim::SimInstanceBus bus;
    platform::sim::SimSystem sim{bus};
    platform::win32::Win32Files files;
    platform::win32::Win32Clock clock;
    platform::win32::Win32Internet internet;
    platform::System s = sim.system();
    platform::System sys{s.profile,    files,        s.environment,  s.shell,
                         s.instance,   s.desktop,    s.registry,     clock,
                         s.notifyIcon, s.notifyArea, s.hotKeys,      s.keyboardHook,
                         s.processes,  internet,     s.windowEvents, s.tasks};
    ui::win32::Win32Forms forms;
    ui::Form form(forms, 1000, "frmain");
    form.setBounds(0, 0, 7485, 5655);
    ui::Label label(&form, 1121, "lblCount");
    label.setBounds(1560, 4900, 5655, 270);
    form.show();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string path;
    for (wchar_t* c = temp; *c; ++c)
        path += static_cast<char>(*c);  // the temporary folder of a test prefix is ASCII
    path += "veilor_update_bench.bin";

    floorRead();  // warm
    std::vector<double> floors, downloads, ratios;
    bool whole = true;
    for (int round = 0; round < kRounds; ++round) {
        double start = nowMs();
        whole = floorRead() == kBytes && whole;
        floors.push_back(nowMs() - start);
        start = nowMs();
        whole = download(sys, label, path) == static_cast<std::int32_t>(kBytes) && whole;
        downloads.push_back(nowMs() - start);
        ratios.push_back(downloads.back() / floors.back());
    }
    files.deleteFile(path);
    std::printf("50 MB from 127.0.0.1, median of %d rounds:\n", kRounds);
    std::printf("  floor (bare 2048-byte InternetReadFile loop)   %9.1f ms\n", median(floors));
    std::printf("  DownloadToFile (worker, file, label)           %9.1f ms  ratio %5.2f\n",
                median(downloads), median(ratios));
    std::printf("  last label: %s\n", label.text().c_str());
    std::fflush(stdout);
    form.unload();
    return whole ? 0 : 1;
}
