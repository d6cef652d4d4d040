#include <unistd.h>

#include "pelk-table/diff/colour_choice.h"

bool CColourChoice::outputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}
