// Placeholder entry until the application wiring lands.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Veilor", L"Veilor", MB_OK);
    return 0;
}
