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

}  // namespace platform::win32
