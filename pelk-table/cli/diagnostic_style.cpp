#include "pelk-table/cli/diagnostic_style.h"

#include <cstdlib>

bool CDiagnosticStyle::takeOptions(std::vector<std::string>& args, std::string& message) {
    const std::string option = "-fdiagnostics-color";
    std::vector<std::string> kept;
    for (const std::string& arg : args) {
        if (arg == "-fno-diagnostics-show-caret" || arg == "-fdiagnostics-show-caret") {
            m_caret = arg == "-fdiagnostics-show-caret";
        } else if (arg == option || arg == "-fno-diagnostics-color") {
            m_colour = arg == option ? kAlways : kNever;
        } else if (arg.compare(0, option.size() + 1, option + "=") == 0) {
            const std::string value = arg.substr(option.size() + 1);
            if (!parse(value, m_colour)) {
                message = "unknown colour choice '" + value + "' in " + arg + " (auto, always or never)";
                return false;
            }
        } else {
            kept.push_back(arg);
        }
    }
    args = kept;
    return true;
}

bool CDiagnosticStyle::colours(int fd, bool onTerminal) const {
    return decide(m_colour, std::getenv("NO_COLOR"), std::getenv("TERM"), onTerminal || colourTerminal(fd));
}

TEXT_STYLE_ CDiagnosticStyle::textStyle() const {
    TEXT_STYLE_ style;
    style.caret = m_caret;
    style.colour = colours(2);
    return style;
}

bool CDiagnosticStyle::decide(Colour choice, const char* noColor, const char* term, bool terminal) {
    if (choice != kAuto)
        return choice == kAlways;
    const bool noColour = noColor != nullptr && *noColor != '\0';
    const bool dumb = term != nullptr && std::string(term) == "dumb";
    return terminal && !noColour && !dumb;
}

bool CDiagnosticStyle::parse(const std::string& value, Colour& choice) {
    if (value == "auto")
        choice = kAuto;
    else if (value == "always")
        choice = kAlways;
    else if (value == "never")
        choice = kNever;
    else
        return false;
    return true;
}
