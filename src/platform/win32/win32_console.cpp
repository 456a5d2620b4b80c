#include "platform/win32/win32_console.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/wide.h"

namespace platform::win32 {
namespace {

// Console lines end in CR LF; the text itself may hold several lines (the usage).
std::string withLineEnds(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out + "\r\n";
}

bool writeAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// A file or a pipe a script set up when it started this process.
bool redirected(HANDLE output) {
    if (!output || output == INVALID_HANDLE_VALUE) return false;
    const DWORD type = GetFileType(output);
    return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE;
}

void writeToParentConsole(const std::string& text) {
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    HANDLE console =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        // In the console's own characters, whatever its code page.
        const std::wstring line = wide(text);
        DWORD written = 0;
        if (!WriteConsoleW(console, line.data(), static_cast<DWORD>(line.size()), &written,
                           nullptr)) {
            writeAll(console, text);
        }
        CloseHandle(console);
    }
    // A copy that goes on running must not hold the console of the shell it came from.
    FreeConsole();
}

}  // namespace

std::vector<std::string> commandLineArguments() {
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(narrow(argv[i]));
    LocalFree(argv);
    return arguments;
}

void writeToConsole(const std::string& text) {
    if (text.empty()) return;
    const std::string lines = withLineEnds(text);
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (redirected(output)) {
        writeAll(output, lines);
        return;
    }
    writeToParentConsole(lines);
}

}  // namespace platform::win32
