#include "windows_console.h"

#define WIN32_LEAN_AND_MEAN
#include <fcntl.h>
#include <io.h>
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
    std::fflush(stdout);  // the last text still in the game's code page
    SetConsoleOutputCP(savedCodePage);
}

BOOL WINAPI RestoreCodePageOnSignal(DWORD) {
    SetConsoleOutputCP(savedCodePage);
    return FALSE;  // the default handling ends the program
}

void SwitchCodePage(UINT codePage) {
    savedCodePage = GetConsoleOutputCP();
    if (savedCodePage == codePage || !SetConsoleOutputCP(codePage)) return;
    std::atexit(RestoreCodePageAtExit);
    SetConsoleCtrlHandler(RestoreCodePageOnSignal, TRUE);
}

// The console's output mode before the game took sequences.
DWORD savedOutputMode = 0;

void RestoreOutputModeAtExit() {
    std::fflush(stdout);
    SetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), savedOutputMode);
}

}  // namespace

bool TakeTerminalSequences() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!GetConsoleMode(output, &savedOutputMode)) return false;
    if (savedOutputMode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) return true;
    if (!SetConsoleMode(output, savedOutputMode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
        return false;
    }
    std::atexit(RestoreOutputModeAtExit);
    return true;
}

void ShowTextOnConsole(Language language, Encoding encoding) {
    DWORD mode = 0;
    if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
    // Each flushed piece of text goes to the console in one write, so that no
    // character of several bytes is split between writes (and wine draws a
    // line at once rather than a character at a time).
    std::setvbuf(stdout, nullptr, _IOFBF, 4096);
    if (language == Language::English) return;
    if (encoding == Encoding::ShiftJis) {
        // A C runtime that passes console text through the locale's code page
        // reads it as Shift-JIS. Wine needs this as well as the whole writes.
        std::setlocale(LC_CTYPE, ".932");
        SwitchCodePage(ShiftJisCodePage);
        return;
    }
    // No C runtime of ours has a UTF-8 locale to pass console text through;
    // in binary mode it reaches the console as it is, where a line feed
    // alone is a line break.
    _setmode(_fileno(stdout), _O_BINARY);
    SwitchCodePage(CP_UTF8);
}

}  // namespace nanaren
