#ifndef PELK_TABLE_CHECK_TARGET_SYMBOLS_H
#define PELK_TABLE_CHECK_TARGET_SYMBOLS_H

#include <string>
#include <vector>

#include "codegen/targets.h"

/// A symbol that the generated code defines, and what it is ("the state
/// variable").
struct GENERATED_SYMBOL_ {
    std::string symbol;
    std::string what;
};

/// CTargetSymbols knows what the generated code of one target makes of the
/// names in a table: the case change, the symbols it allows and reserves,
/// and the symbols it defines itself.
class CTargetSymbols {
public:
    /// machineName may be empty (then no generated symbol is known).
    CTargetSymbols(const TARGET_& target, std::string machineName);

    const TARGET_& target() const { return m_target; }

    /// The constant a state or event name becomes: in capitals for the C
    /// targets, as written for the assembler targets.
    std::string constantName(const std::string& name) const;

    /// Why symbol is not a valid symbol of the target; empty when it is.
    std::string whyInvalid(const std::string& symbol) const;

    /// Which generated symbol symbol equals ("the machine routine Lampfsm");
    /// empty when none. Cell routines count for the given table size.
    std::string generatedSymbol(const std::string& symbol, int stateCount, int eventCount) const;
    /// Every symbol the generated code defines for a table of that size, the
    /// cell routines last; empty without a machine name.
    std::vector<GENERATED_SYMBOL_> generatedSymbols(int stateCount, int eventCount) const;

    /// Most events an assembler dispatcher can take (the row of one state,
    /// two bytes per event, is loaded as an 8-bit immediate).
    static const int kMaxAssemblerEvents = 127;

private:
    bool isReservedWord(const std::string& symbol, std::string& what) const;
    std::vector<GENERATED_SYMBOL_> fixedSymbols() const;

    const TARGET_& m_target;
    std::string m_machine;
};

#endif
