#ifndef PELK_CODEGEN_GENERATED_NAMES_H
#define PELK_CODEGEN_GENERATED_NAMES_H

#include <string>

/// CGeneratedNames builds every symbol that the generated code defines from
/// the machine name M: the generators write them and pelk-table's collision
/// check looks for them, so both take them from here.
class CGeneratedNames {
public:
    explicit CGeneratedNames(std::string machineName);

    /// "init_" + M + "fsm".
    std::string initFunction() const;
    /// M + "fsm"; also the base name of both output files.
    std::string fsmFunction() const;
    /// M + "state".
    std::string stateVariable() const;
    /// "get_" + stateVariable().
    std::string getStateFunction() const;
    /// "get_" + stateVariable, for a generator that names its state variable
    /// itself.
    static std::string getStateFunctionOf(const std::string& stateVariable);
    /// "stt_" + M: the table of cell routines.
    std::string vectorTable() const;
    /// M + "_on" + event + "at" + state, both in plain decimal.
    std::string cellRoutine(int event, int state) const;
    /// True when symbol is cellRoutine(event, state) for some event and
    /// state (plain decimal, no leading zero, at most nine digits each);
    /// sets both then.
    bool isCellRoutine(const std::string& symbol, int& event, int& state) const;

    /// Assembler targets: "n_" + M + "fsm".
    std::string moduleName() const;
    /// Assembler targets: "cs_" + M + "fsm".
    std::string codeSegment() const;
    /// Assembler targets: "ds_" + M + "fsm".
    std::string dataSegment() const;

    /// C targets: the function pointer type of the vector table.
    static const char* vectorTableType() { return "pfn_drv"; }
    /// C targets: the parameter of the machine routine.
    static const char* eventParameter() { return "uc_event"; }

private:
    std::string m_machine;
};

#endif
