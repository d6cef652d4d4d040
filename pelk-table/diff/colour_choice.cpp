#include "pelk-table/diff/colour_choice.h"

bool CColourChoice::parse(const std::string& value, Mode& mode) {
    if (value == "auto")
        mode = kAuto;
    else if (value == "always")
        mode = kAlways;
    else if (value == "never")
        mode = kNever;
    else
        return false;
    return true;
}

bool CColourChoice::decide(Mode mode, const char* noColor, bool terminal) {
    if (mode != kAuto)
        return mode == kAlways;
    return terminal && (noColor == nullptr || *noColor == '\0');
}
