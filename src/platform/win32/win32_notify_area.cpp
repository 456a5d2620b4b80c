#include "platform/win32/win32_notify_area.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <limits>
#include <utility>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// Enough to write a buffer into the shell's memory, read it back and free it, and no more.
constexpr DWORD kShellAccess = PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE;
static_assert(kShellAccess == 0x38);

// The toolbar copies a whole button text into the buffer, however long, so the buffer is
// far larger than any tool tip and a longer text is never asked for.
constexpr SIZE_T kBufferBytes = 64 * 1024;
constexpr LRESULT kBufferUnits = kBufferBytes / sizeof(wchar_t) - 1;

// TBBUTTON as the shell writes it: 20 bytes from a 32-bit shell, 32 from a 64-bit one
// (the reserved bytes and the two pointer-sized fields grow). Veilor may be either size
// and so may the shell. The command identifier sits at the same offset in both, so
// reading the larger size serves either shell without asking which one it is.
struct ShellButton32 {
    std::int32_t iBitmap;
    std::int32_t idCommand;
    std::uint8_t fsState;
    std::uint8_t fsStyle;
    std::uint8_t bReserved[2];
    std::uint32_t dwData;
    std::int32_t iString;
};
struct ShellButton64 {
    std::int32_t iBitmap;
    std::int32_t idCommand;
    std::uint8_t fsState;
    std::uint8_t fsStyle;
    std::uint8_t bReserved[6];
    std::uint64_t dwData;
    std::int64_t iString;
};
static_assert(sizeof(ShellButton32) == 20 && sizeof(ShellButton64) == 32);
static_assert(offsetof(ShellButton32, idCommand) == offsetof(ShellButton64, idCommand));
static_assert(sizeof(TBBUTTON) ==
              (sizeof(void*) == 8 ? sizeof(ShellButton64) : sizeof(ShellButton32)));
static_assert(offsetof(TBBUTTON, idCommand) == offsetof(ShellButton64, idCommand));
constexpr std::size_t kButtonReadBytes = sizeof(ShellButton64);

// Whether the process runs as a 32-bit program on a 64-bit Windows; false also when it
// cannot be asked.
bool underWow64(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return false;
    BOOL wow64 = FALSE;
    const bool asked = IsWow64Process(process, &wow64);
    CloseHandle(process);
    return asked && wow64;
}

bool systemIs64Bit() {
    return sizeof(void*) == 8 || underWow64(GetCurrentProcessId());
}

HWND hwndOf(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

class ProcessHandle {
  public:
    explicit ProcessHandle(HANDLE handle) : handle_(handle) {}
    ~ProcessHandle() {
        if (handle_) CloseHandle(handle_);
    }
    ProcessHandle(ProcessHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, nullptr)) {}
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    ProcessHandle& operator=(ProcessHandle&&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// A region committed in another process; released before the process handle is closed.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, void* address) : process_(process), address_(address) {}
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(RemoteBuffer&& other) noexcept
        : process_(other.process_), address_(std::exchange(other.address_, nullptr)) {}
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(RemoteBuffer&&) = delete;
    LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }

    bool read(void* out, std::size_t bytes) const {
        SIZE_T got = 0;
        return ReadProcessMemory(process_, address_, out, bytes, &got) && got == bytes;
    }

  private:
    HANDLE process_;
    void* address_;
};

class Win32ToolbarConnection : public ToolbarConnection {
  public:
    Win32ToolbarConnection(HWND toolbar, ProcessHandle process, RemoteBuffer buffer)
        : toolbar_(toolbar), process_(std::move(process)), buffer_(std::move(buffer)) {}

    int buttonCount() override {
        std::optional<LRESULT> count = send(TB_BUTTONCOUNT, 0, 0);
        return count && *count > 0 ? static_cast<int>(*count) : 0;
    }

    std::optional<int> commandId(int position) override {
        std::optional<LRESULT> ok =
            send(TB_GETBUTTON, static_cast<WPARAM>(position), buffer_.address());
        if (!ok || *ok == 0) return std::nullopt;
        unsigned char bytes[kButtonReadBytes] = {};
        if (!buffer_.read(bytes, sizeof(bytes))) return std::nullopt;
        std::int32_t id = 0;
        std::memcpy(&id, bytes + offsetof(ShellButton64, idCommand), sizeof(id));
        return id;
    }

    std::optional<std::string> buttonText(int commandId) override {
        const WPARAM id = static_cast<WPARAM>(commandId);
        // Asked without a buffer first: the toolbar copies without a limit.
        std::optional<LRESULT> length = send(TB_GETBUTTONTEXTW, id, 0);
        if (!length || *length < 0 || *length > kBufferUnits) return std::nullopt;
        std::optional<LRESULT> copied = send(TB_GETBUTTONTEXTW, id, buffer_.address());
        if (!copied || *copied < 0 || *copied > kBufferUnits) return std::nullopt;
        std::wstring text(static_cast<std::size_t>(std::min<LRESULT>(*copied, kMaxTextUnits)),
                          L'\0');
        if (!text.empty() && !buffer_.read(text.data(), text.size() * sizeof(wchar_t))) {
            return std::nullopt;
        }
        text.resize(std::wcslen(text.c_str()));
        return narrow(text);
    }

    // The shell keeps, behind each button's data, a record that begins with the icon's
    // window: read the button as the shell lays it out, then that first field. Window
    // handles fit in 32 bits on either bitness, so the low half is enough.
    WindowHandle ownerWindow(int position) override {
        std::optional<LRESULT> ok =
            send(TB_GETBUTTON, static_cast<WPARAM>(position), buffer_.address());
        if (!ok || *ok == 0) return kNoWindow;
        unsigned char bytes[kButtonReadBytes] = {};
        if (!buffer_.read(bytes, sizeof(bytes))) return kNoWindow;
        std::uint64_t data = 0;
        if (shellIs64Bit()) {
            std::memcpy(&data, bytes + offsetof(ShellButton64, dwData), sizeof(std::uint64_t));
        } else {
            std::memcpy(&data, bytes + offsetof(ShellButton32, dwData), sizeof(std::uint32_t));
        }
        if (data == 0 || data > std::numeric_limits<std::uintptr_t>::max()) return kNoWindow;
        std::uint32_t owner = 0;
        SIZE_T got = 0;
        if (!ReadProcessMemory(process_.get(), reinterpret_cast<const void*>(data), &owner,
                               sizeof(owner), &got) ||
            got != sizeof(owner))
            return kNoWindow;
        HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner));
        return IsWindow(window) ? reinterpret_cast<WindowHandle>(window) : kNoWindow;
    }

    bool hideButton(int commandId, bool hide) override {
        std::optional<LRESULT> ok =
            send(TB_HIDEBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(hide ? TRUE : FALSE, 0));
        return ok && *ok != 0;
    }

    void autosize() override { send(TB_AUTOSIZE, 0, 0); }

  private:
    // A 64-bit Windows runs the shell as a 64-bit program unless the shell itself runs
    // under WOW64; asked once per connection.
    bool shellIs64Bit() {
        if (!shell64_) shell64_ = systemIs64Bit() && !underWow64(shellProcessId());
        return *shell64_;
    }
    DWORD shellProcessId() const {
        DWORD processId = 0;
        GetWindowThreadProcessId(toolbar_, &processId);
        return processId;
    }

    // The toolbar's answer; nullopt once the shell has failed to answer in time, after
    // which the connection asks nothing more.
    std::optional<LRESULT> send(UINT message, WPARAM wParam, LPARAM lParam) {
        if (!answering_) return std::nullopt;
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(toolbar_, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                 Win32NotifyArea::kAnswerTimeoutMs, &result)) {
            answering_ = false;
            return std::nullopt;
        }
        // A 64-bit shell's -1 arrives in a 32-bit Veilor as 0xFFFFFFFF: same value.
        return static_cast<LRESULT>(result);
    }

    HWND toolbar_;
    ProcessHandle process_;  // declared before the buffer: closed after it is released
    RemoteBuffer buffer_;
    bool answering_ = true;
    std::optional<bool> shell64_;
};

}  // namespace

SystemVersion Win32NotifyArea::systemVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) return {};
    return {static_cast<int>(info.dwMajorVersion), static_cast<int>(info.dwMinorVersion)};
}

std::unique_ptr<ToolbarConnection> Win32NotifyArea::connect(WindowHandle toolbar) {
    HWND hwnd = hwndOf(toolbar);
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == 0) return nullptr;
    ProcessHandle process(OpenProcess(kShellAccess, FALSE, processId));
    if (!process.get()) return nullptr;
    void* address = VirtualAllocEx(process.get(), nullptr, kBufferBytes, MEM_COMMIT | MEM_RESERVE,
                                   PAGE_READWRITE);
    if (!address) return nullptr;
    RemoteBuffer buffer(process.get(), address);
    return std::make_unique<Win32ToolbarConnection>(hwnd, std::move(process), std::move(buffer));
}

std::optional<ClientSize> Win32NotifyArea::clientSize(WindowHandle window) {
    RECT rect{};
    HWND hwnd = hwndOf(window);
    if (!hwnd || !GetClientRect(hwnd, &rect)) return std::nullopt;
    return ClientSize{rect.right, rect.bottom};
}

bool Win32NotifyArea::postMouseMove(WindowHandle window, int x, int y) {
    HWND hwnd = hwndOf(window);
    return hwnd && PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

}  // namespace platform::win32
