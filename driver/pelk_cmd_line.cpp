#include "driver/pelk_cmd_line.h"

#include <iostream>
#include <sstream>

namespace {

const char kUsageLine[] = "usage: pelk -n<FsmName> [-i<ContextFile>] [-a<Assembler|Compiler>] StateTransitionTable.txt";

// One line of the help text: its leading blanks and the rest.
struct HelpLine {
    int indent;
    const char* text;
};

const HelpLine kHelpLines[] = {
    {0, "Pelk"},
    {0, kUsageLine},
    {4, "argments:"},
    {9, "-n<FsmName>     assign FSM name. generate two files."},
    {25, "<FsmName>fsm.asm, <FsmName>fsm.inc or"},
    {25, "<FsmName>fsm.c, <FsmName>fsm.h"},
    {9, "-i<ContextFile> include file for Action subroutines."},
    {9, "-a<Assembler|Compiler>"},
    {25, "assign assembler or compiler as followings."},
    {25, "`-aNRA78K0' is NEC RA78K0(default)."},
    {25, "`-aFASM96' is FUJITSU ASM96."},
    {25, "`-aCFCC907S' is FUJITSU FCC907S C compiler."},
    {25, "`-aC' is ANSI C."},
    {9, "StateTransitionTable.txt TSV(TAB separated value)-file"},
    {23, "included keyword `START'."},
};

}  // namespace

CPelkCmdLine::CPelkCmdLine(int argc, const char* const* argv)
    : CCmdLine(argc, argv),
      m_targetKind(CTargets::defaultTarget().kind) {}

CPelkCmdLine::~CPelkCmdLine() = default;

int CPelkCmdLine::parse() {
    const unsigned n = argCount();
    if (n < 2)
        return kUsage;
    if (n == 2)
        return parseRequest(m_arguments[1]);

    bool tableMissing = true;
    bool nameMissing = true;
    for (unsigned i = 1; i < n; ++i) {
        const std::string& argument = m_arguments[i];
        // An empty argument is neither a path nor an option: refuse it as an
        // option rather than reading a table named "".
        if (argument.empty())
            return optionError(argument);
        if (argument[0] != '-' && argument[0] != '/') {
            m_tablePath = argument;
            tableMissing = false;
            continue;
        }
        const int outcome = parseOption(argument);
        if (outcome != kRun)
            return outcome;
        if (argument[1] == 'n' || argument[1] == 'N')
            nameMissing = false;
    }
    if (tableMissing) {
        m_errorMessage = "you must assign State Transition Table file.";
        return kError;
    }
    if (nameMissing) {
        m_errorMessage = "you must assign FSM name by option -n<FSMname>.";
        return kError;
    }
    return kRun;
}

// A single argument is only ever a request for help or the version.
int CPelkCmdLine::parseRequest(const std::string& argument) {
    if (equalsIgnoreCase(argument, "-h") || equalsIgnoreCase(argument, "-?"))
        return kHelp;
    if (equalsIgnoreCase(argument, "-v"))
        return kVersion;
    return optionError(argument);
}

// option -> ('-' | '/') letter value; '/' serves exactly like '-'.
int CPelkCmdLine::parseOption(const std::string& option) {
    if (option.size() <= 2)
        return optionError(option);
    const std::string value = option.substr(2);
    switch (option[1]) {
    case 'a':
    case 'A': {
        int kind = m_targetKind;
        if (targetFromName(value, kind) != 0) {
            std::ostringstream message;
            message << "assembler " << value << " is not supported.";
            m_errorMessage = message.str();
            return kError;
        }
        m_targetKind = kind;
        return kRun;
    }
    case 'i':
    case 'I':
        m_contextFile = value;
        return kRun;
    case 'n':
    case 'N':
        m_fsmName = value;
        return kRun;
    default:
        return optionError(option);
    }
}

int CPelkCmdLine::optionError(const std::string& option) {
    std::ostringstream message;
    message << "option " << option << " is invalid.";
    m_errorMessage = message.str();
    return kError;
}

int CPelkCmdLine::targetFromName(const std::string& name, int& kind) {
    const TARGET_* target = CTargets::byName(name);
    if (!target)
        return 1;
    kind = target->kind;
    return 0;
}

void CPelkCmdLine::printHelp() {
    std::string help;
    for (const HelpLine& line : kHelpLines) {
        if (!help.empty())
            help += '\n';
        help.append(static_cast<std::string::size_type>(line.indent), ' ');
        help += line.text;
    }
    std::cout << help << std::endl;
    printVersion();
}

void CPelkCmdLine::printUsage() {
    std::cout << kUsageLine << std::endl;
}

void CPelkCmdLine::printVersion() {
    std::cout << "Pelk version " << PELK_VERSION << std::endl;
}
