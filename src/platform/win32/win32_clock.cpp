#include "platform/win32/win32_clock.h"

#include <windows.h>

#include "platform/win32/wide.h"

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

std::string Win32Clock::dateTimeText(const LocalTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.year);
    st.wMonth = static_cast<WORD>(t.month);
    st.wDay = static_cast<WORD>(t.day);
    st.wHour = static_cast<WORD>(t.hour);
    st.wMinute = static_cast<WORD>(t.minute);
    st.wSecond = static_cast<WORD>(t.second);
    wchar_t date[80] = {}, time[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 80);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 80);
    return narrow(date) + " " + narrow(time);
}

}  // namespace platform::win32
