#include "pelk-table/check/target_symbols.h"

#include <cstdio>
#include <set>
#include <utility>

#include "codegen/generated_names.h"
#include "pelk-table/model/utf8_text.h"
#include "table/ascii_text.h"

namespace {

const std::set<std::string> kCKeywords = {
    "auto",     "break",  "case",     "char",   "const",  "continue", "default",    "do",     "double",  "else",
    "enum",     "extern", "float",    "for",    "goto",   "if",       "inline",     "int",    "long",    "register",
    "restrict", "return", "short",    "signed", "sizeof", "static",   "struct",     "switch", "typedef", "union",
    "unsigned", "void",   "volatile", "while",  "_Bool",  "_Complex", "_Imaginary",
};

// Registers and directives of the RA78K0 assembler, in capitals; the
// assembler reads them in either case. Instruction mnemonics are left out:
// the generated code uses names only as equ labels and operands, where the
// assembler tells a mnemonic from a symbol.
const std::set<std::string> kRa78k0Registers = {
    "A",  "X",  "B",  "C",  "D",  "E",  "H",  "L",  "AX",  "BC", "DE", "HL", "RP0", "RP1", "RP2", "RP3",
    "R0", "R1", "R2", "R3", "R4", "R5", "R6", "R7", "PSW", "SP", "CY", "PC", "RB0", "RB1", "RB2", "RB3",
};
const std::set<std::string> kRa78k0Directives = {
    "NAME", "PUBLIC", "EXTRN", "EXTBIT", "EQU", "SET",   "DSEG", "CSEG", "BSEG", "ORG",
    "DS",   "DB",     "DW",    "DBIT",   "END", "MACRO", "ENDM", "IF",   "ELSE", "ENDIF",
};

// Registers and directives of the ASM96 assembler, in capitals.
const std::set<std::string> kAsm96Registers = {
    "A", "T", "EP", "IX", "SP", "PC", "PS", "RP", "CCR", "R0", "R1", "R2", "R3", "R4", "R5", "R6", "R7",
};
const std::set<std::string> kAsm96Directives = {
    "NAME", "PUBLIC", "EXTRN", "EQU", "DSEG", "CSEG", "ENDS", "RB", "RW", "DB", "DW", "END", "ORG",
};

bool isLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// "'x'" for a printable byte, the byte value for a control byte.
std::string describe(unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    if (c == ' ')
        return "a space";
    if (c >= 0x80)
        return "text outside ASCII";
    if (c >= 0x21 && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    return std::string("the byte 0x") + kHex[c >> 4] + kHex[c & 15];
}

// The characters a reader cannot see in a name, by code point.
const struct {
    unsigned long point;
    const char* name;
} kInvisible[] = {{0x00A0, "a no-break space"},        {0x00AD, "a soft hyphen"},
                  {0x2007, "a figure space"},          {0x200B, "a zero-width space"},
                  {0x200C, "a zero-width non-joiner"}, {0x200D, "a zero-width joiner"},
                  {0x202F, "a narrow no-break space"}, {0x2060, "a word joiner"},
                  {0x3000, "an ideographic space"},    {0xFEFF, "a zero-width no-break space"}};

// An invisible character at symbol[at], named with its code point
// ("the invisible character U+00A0 (a no-break space) at its end"); empty
// for any other.
std::string invisibleAt(const std::string& symbol, std::size_t at) {
    const std::size_t length = CUtf8Text::sequenceLength(symbol, at);
    if (length < 2)
        return std::string();
    unsigned long point = static_cast<unsigned char>(symbol[at]) & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i)
        point = (point << 6) | (static_cast<unsigned char>(symbol[at + i]) & 0x3F);
    for (const auto& each : kInvisible) {
        if (each.point != point)
            continue;
        char code[16];
        std::snprintf(code, sizeof code, "U+%04lX", point);
        return std::string("the invisible character ") + code + " (" + each.name + ")" +
               (at + length == symbol.size() ? " at its end"
                : at == 0                    ? " at its start"
                                             : "");
    }
    return std::string();
}

}  // namespace

CTargetSymbols::CTargetSymbols(const TARGET_& target, std::string machineName)
    : m_target(target),
      m_machine(std::move(machineName)) {}

std::string CTargetSymbols::constantName(const std::string& name) const {
    return m_target.isAssembler ? name : CAsciiText::upperCase(name);
}

// C: a letter or "_", then letters, digits and "_". The assemblers also take
// "?" and "@" wherever a letter stands.
std::string CTargetSymbols::whyInvalid(const std::string& symbol) const {
    if (symbol.empty())
        return "is empty";
    const bool assembler = m_target.isAssembler;
    for (std::size_t i = 0; i < symbol.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(symbol[i]);
        const bool ok = isLetter(c) || isDigit(c) || c == '_' || (assembler && (c == '?' || c == '@'));
        const std::string invisible = ok ? std::string() : invisibleAt(symbol, i);
        if (!ok)
            return "holds " + (invisible.empty() ? describe(c) : invisible) + ", which no " + m_target.title +
                   " symbol can hold";
    }
    if (isDigit(static_cast<unsigned char>(symbol[0])))
        return "begins with a digit";
    std::string what;
    if (isReservedWord(symbol, what))
        return "is " + what;
    return std::string();
}

bool CTargetSymbols::isReservedWord(const std::string& symbol, std::string& what) const {
    if (!m_target.isAssembler) {
        if (kCKeywords.count(symbol) != 0) {
            what = "a C keyword";
            return true;
        }
        return false;
    }
    const bool ra78k0 = m_target.kind == kTargetNRA78K0;
    const std::string word = CAsciiText::upperCase(symbol);
    if ((ra78k0 ? kRa78k0Registers : kAsm96Registers).count(word) != 0) {
        what = std::string("a register of the ") + m_target.title;
        return true;
    }
    if ((ra78k0 ? kRa78k0Directives : kAsm96Directives).count(word) != 0) {
        what = std::string("a directive of the ") + m_target.title;
        return true;
    }
    return false;
}

// The order is the order in which a symbol is looked up; the cell routines
// come last.
std::vector<GENERATED_SYMBOL_> CTargetSymbols::fixedSymbols() const {
    if (m_machine.empty())
        return {};
    const CGeneratedNames names(m_machine);
    std::vector<GENERATED_SYMBOL_> symbols = {
        {names.initFunction(), "the init routine"},          {names.fsmFunction(), "the machine routine"},
        {names.getStateFunction(), "the get-state routine"}, {names.stateVariable(), "the state variable"},
        {names.vectorTable(), "the vector table"},
    };
    if (m_target.isAssembler) {
        symbols.push_back({names.moduleName(), "the module name"});
        symbols.push_back({names.codeSegment(), "the segment"});
        symbols.push_back({names.dataSegment(), "the segment"});
    } else {
        symbols.push_back({CGeneratedNames::vectorTableType(), "the vector table's type"});
        symbols.push_back({CGeneratedNames::eventParameter(), "the machine routine's parameter"});
    }
    return symbols;
}

std::vector<GENERATED_SYMBOL_> CTargetSymbols::generatedSymbols(int stateCount, int eventCount) const {
    std::vector<GENERATED_SYMBOL_> symbols = fixedSymbols();
    if (m_machine.empty())
        return symbols;
    const CGeneratedNames names(m_machine);
    for (int s = 0; s < stateCount; ++s) {
        for (int e = 0; e < eventCount; ++e)
            symbols.push_back({names.cellRoutine(e, s), "the cell routine"});
    }
    return symbols;
}

std::string CTargetSymbols::generatedSymbol(const std::string& symbol, int stateCount, int eventCount) const {
    for (const GENERATED_SYMBOL_& each : fixedSymbols()) {
        if (symbol == each.symbol)
            return each.what + " " + symbol;
    }
    int event = 0;
    int state = 0;
    if (m_machine.empty() || !CGeneratedNames(m_machine).isCellRoutine(symbol, event, state) || event >= eventCount ||
        state >= stateCount)
        return std::string();
    return "the cell routine " + symbol;
}
