#include "windows_console.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace nanaren {

namespace {

constexpr UINT ShiftJisCodePage = 932;

// The console's output code page before the game.
UINT savedCodePage = 0;

void RestoreCodePageAtExit() {
    std::fflush(stdout);  // the last text still in Shift-JIS
    SetConsoleOutputCP(savedCodePage);
}

BOOL WINAPI RestoreCodePageOnSignal(DWORD) {
    SetConsoleOutputCP(savedCodePage);
    return FALSE;  // the default handling ends the program
}

}  // namespace

void ShowShiftJisOnConsole() {
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
    // Each flushed piece of text goes to the console in one write, so that no
    // two-byte character is split between writes; and a C runtime that passes
    // console text through the locale's code page reads it as Shift-JIS. Wine
    // needs both.
    std::setvbuf(stdout, nullptr, _IOFBF, 4096);
    std::setlocale(LC_CTYPE, ".932");
    savedCodePage = GetConsoleOutputCP();
    if (savedCodePage == ShiftJisCodePage || !SetConsoleOutputCP(ShiftJisCodePage)) return;
    std::atexit(RestoreCodePageAtExit);
    SetConsoleCtrlHandler(RestoreCodePageOnSignal, TRUE);
}

}  // namespace nanaren
