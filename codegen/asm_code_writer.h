#ifndef PELK_CODEGEN_ASM_CODE_WRITER_H
#define PELK_CODEGEN_ASM_CODE_WRITER_H

#include <ostream>
#include <string>

class CCode;
class CSTTable;

/// CAsmCodeWriter writes the blocks that the assembler targets have in
/// common: the vector table, the get-state routine, the cell routines, the
/// tail of the source file and the include file. It writes the source lines
/// through the line writers of the generator it serves; the targets differ
/// only in the operand of an action call, which gets callPrefix in front.
class CAsmCodeWriter {
public:
    /// Borrows code and table for the lifetime of the writer.
    CAsmCodeWriter(CCode& code, const CSTTable& table, const std::string& columnSeparator,
                   const std::string& wordDirective, const std::string& equateDirective, const std::string& callPrefix);

    /// "stt_" + machine name: one word per cell, state-major; returns 0.
    int writeVectorTable();
    /// The routine returning the state variable; returns 0.
    int writeGetStateRoutine();
    /// One routine per cell, states outer, events inner; returns 0.
    int writeCellRoutines();
    /// The end directive and the generation stamp; returns 0.
    int writeSourceTail();
    /// The whole include file into include; -1 (nothing written) when the
    /// stream is failed or bad, else 0.
    int writeIncludeFile(std::ostream& include);

private:
    void writeCellRoutine(int event, int state);

    CCode& m_code;
    const CSTTable& m_table;
    std::string m_columnSeparator;
    std::string m_wordDirective;
    std::string m_equateDirective;
    std::string m_callPrefix;
};

#endif
