#include "platform/win32/win32_processes.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// What ending a process needs: the right to end it, to wait for it to be gone, to read
// its image name and creation time, and to ask whether the system marks it critical.
constexpr DWORD kEndAccess = PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;
// Where there is no IsProcessCritical, the kernel answers that question only to a handle
// with the full query right; it is asked for first, and without it the flag stays unknown.
constexpr DWORD kEndAccessFull = kEndAccess | PROCESS_QUERY_INFORMATION;
// A module snapshot fails with ERROR_BAD_LENGTH while the process is loading or unloading
// a module; the call is meant to be tried again then, but never for ever.
constexpr int kModuleSnapshotTries = 4;
// ProcessBreakOnTermination: the flag that makes a process critical.
constexpr ULONG kBreakOnTermination = 29;
constexpr LONG kStatusNotImplemented = static_cast<LONG>(0xC0000002);
constexpr LONG kStatusInvalidInfoClass = static_cast<LONG>(0xC0000003);
constexpr DWORD kLongestPath = 32768;

class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~Handle() {
        if (h_) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

  private:
    HANDLE h_;
};

template <size_t N>
std::string fieldText(const wchar_t (&field)[N]) {
    return narrow(std::wstring_view(field, wcsnlen(field, N)));
}

template <typename Function>
Function systemFunction(const wchar_t* module, const char* name) {
    HMODULE library = GetModuleHandleW(module);
    return library
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
               : nullptr;
}

// Where the system has no IsProcessCritical, the flag is asked of the kernel directly.
// A kernel that does not know the question at all (Wine) has no critical processes; any
// other failure, such as a handle without the full query right, leaves the answer open.
Criticality breakOnTermination(HANDLE process) {
    using Query = LONG(WINAPI*)(HANDLE, ULONG, void*, ULONG, ULONG*);
    auto query = systemFunction<Query>(L"ntdll.dll", "NtQueryInformationProcess");
    if (!query) return Criticality::Unknown;
    ULONG flag = 0;
    const LONG status = query(process, kBreakOnTermination, &flag, sizeof flag, nullptr);
    if (status == kStatusInvalidInfoClass || status == kStatusNotImplemented) {
        return Criticality::NotCritical;
    }
    if (status < 0) return Criticality::Unknown;
    return flag ? Criticality::Critical : Criticality::NotCritical;
}

std::optional<std::uint64_t> startedAt(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return std::nullopt;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::wstring fullImageName(HANDLE process) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD size = static_cast<DWORD>(path.size());
        if (QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
            path.resize(size);
            return path;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= kLongestPath) {
            return std::wstring();
        }
        path.resize(kLongestPath);
    }
}

class Win32OpenedProcess : public OpenedProcess {
  public:
    explicit Win32OpenedProcess(HANDLE process) : process_(process) {}

    Criticality critical() override {
        using IsCritical = BOOL(WINAPI*)(HANDLE, BOOL*);
        auto isCritical = systemFunction<IsCritical>(L"kernel32.dll", "IsProcessCritical");
        if (!isCritical) return breakOnTermination(process_.get());
        BOOL critical = FALSE;
        if (!isCritical(process_.get(), &critical)) return Criticality::Unknown;
        return critical ? Criticality::Critical : Criticality::NotCritical;
    }

    std::optional<std::uint64_t> creationTime() override { return startedAt(process_.get()); }

    std::string imageName() override {
        const std::wstring path = fullImageName(process_.get());
        return narrow(path.substr(path.find_last_of(L"\\/") + 1));
    }

    bool terminate(std::uint32_t exitCode) override {
        return TerminateProcess(process_.get(), exitCode) != FALSE;
    }

    bool waitForExit(std::uint32_t timeoutMs) override {
        return WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
    }

  private:
    Handle process_;
};

HANDLE moduleSnapshot(std::uint32_t processId) {
    for (int i = 0; i < kModuleSnapshotTries; ++i) {
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
        if (snapshot != INVALID_HANDLE_VALUE || GetLastError() != ERROR_BAD_LENGTH) return snapshot;
    }
    return INVALID_HANDLE_VALUE;
}

}  // namespace

std::vector<ProcessEntry> Win32Processes::processes() {
    std::vector<ProcessEntry> entries;
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        entries.push_back({entry.th32ProcessID, fieldText(entry.szExeFile)});
    }
    return entries;
}

std::optional<std::vector<std::string>> Win32Processes::modulePaths(std::uint32_t processId) {
    Handle snapshot(moduleSnapshot(processId));
    if (!snapshot) return std::nullopt;
    std::vector<std::string> paths;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot.get(), &entry); more;
         more = Module32NextW(snapshot.get(), &entry)) {
        paths.push_back(fieldText(entry.szExePath));
    }
    return paths;
}

std::string Win32Processes::imagePath(std::uint32_t processId) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return std::string();
    return narrow(fullImageName(process.get()));
}

ProcessImage Win32Processes::image(std::uint32_t processId) {
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return {};
    return {narrow(fullImageName(process.get())), startedAt(process.get())};
}

std::unique_ptr<OpenedProcess> Win32Processes::openForTermination(std::uint32_t processId) {
    HANDLE process = OpenProcess(kEndAccessFull, FALSE, processId);
    if (!process) process = OpenProcess(kEndAccess, FALSE, processId);
    if (!process) return nullptr;
    return std::make_unique<Win32OpenedProcess>(process);
}

std::uint32_t Win32Processes::currentProcessId() {
    return GetCurrentProcessId();
}

bool Win32Processes::enableDebugPrivilege() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) {
        return false;
    }
    Handle token(raw);
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, SE_DEBUG_NAME, &wanted.Privileges[0].Luid)) return false;
    TOKEN_PRIVILEGES previous{};
    DWORD length = sizeof previous;
    // Succeeds also when the privilege is not held at all; only the error tells.
    if (!AdjustTokenPrivileges(token.get(), FALSE, &wanted, sizeof previous, &previous, &length)) {
        return false;
    }
    return GetLastError() == ERROR_SUCCESS;
}

}  // namespace platform::win32
