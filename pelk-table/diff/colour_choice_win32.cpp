#include <io.h>

#include "pelk-table/diff/colour_choice.h"

bool CColourChoice::outputIsTerminal() {
    return _isatty(1) != 0;
}
