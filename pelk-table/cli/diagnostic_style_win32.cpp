#include <windows.h>

#include "pelk-table/cli/diagnostic_style.h"

// A console shows the ANSI colours once its virtual terminal processing is
// on (Windows 10 and later); an older console, or a pipe, gets none.
bool CDiagnosticStyle::colourTerminal(int fd) {
    const HANDLE handle = GetStdHandle(fd == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
        return false;
    const DWORD virtualTerminal = 0x0004;  // ENABLE_VIRTUAL_TERMINAL_PROCESSING
    return (mode & virtualTerminal) != 0 || SetConsoleMode(handle, mode | virtualTerminal) != 0;
}
