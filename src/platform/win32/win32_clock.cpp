#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace platform::win32 {

std::uint32_t Win32Clock::tickCount() {
    return GetTickCount();
}

void Win32Clock::sleep(std::uint32_t ms) {
    Sleep(ms);
}

LocalTime Win32Clock::now() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::int64_t Win32Clock::bootTime() {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    const ULONGLONG since1601 = (ULONGLONG{ft.dwHighDateTime} << 32) | ft.dwLowDateTime;
    constexpr ULONGLONG kFrom1601To1970 = 116444736000000000ULL;  // in 100 ns units
    const auto now = static_cast<std::int64_t>((since1601 - kFrom1601To1970) / 10000000ULL);
    return now - static_cast<std::int64_t>(GetTickCount64() / 1000);
}

}  // namespace platform::win32
