#include <unistd.h>

#include "pelk-table/cli/diagnostic_style.h"

bool CDiagnosticStyle::colourTerminal(int fd) {
    return ::isatty(fd) == 1;
}
