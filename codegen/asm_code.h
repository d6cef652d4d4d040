#ifndef PELK_CODEGEN_ASM_CODE_H
#define PELK_CODEGEN_ASM_CODE_H

#include <string>
#include <vector>

#include "codegen/code.h"

class CSTTable;

/// One instruction line of a routine, the two columns of writeSourceLine.
/// In either, "{SV}" stands for the state variable, "{STT}" for the vector
/// table and "{N}" for the size in bytes of one state's row of it.
struct ASM_LINE_ {
    const char* mnemonic;
    const char* operand;
};

/// What one assembler target writes its own way; the rest of the module is
/// the same for every assembler target.
struct ASM_DIALECT_ {
    const char* storageDirective;        ///< reserves the state variable
    const char* wordDirective;           ///< one word of the vector table
    const char* equateDirective;         ///< a number of the include file
    const char* dataSegmentAttribute;    ///< after "dseg"
    const char* codeSegmentAttribute;    ///< after "cseg"
    bool closesSegments;                 ///< each segment ends with an "ends" line
    const char* includeOpening;          ///< the include directive up to the file name
    const char* includeClosing;          ///< the include directive after the file name
    bool includeInHead;                  ///< the include follows the module name, else the code segment line
    const char* callPrefix;              ///< before the action name in a call
    std::vector<ASM_LINE_> initRoutine;  ///< the init routine after its label
    std::vector<ASM_LINE_> fsmRoutine;   ///< the dispatcher after its label
};

/// CAsmCode writes the source and include file of an assembler target as
/// its dialect says; a target is this class given its dialect. The source
/// lines go through CCode's line writers, the lines those cannot form
/// (segments, the storage definition) straight into the source stream.
class CAsmCode : public CCode {
public:
    /// Borrows table as CCode does, and dialect for the generator's lifetime.
    CAsmCode(const CSTTable* table, const ASM_DIALECT_& dialect);
    ~CAsmCode() override;

    /// Module name, include directive (where the dialect puts it), public
    /// routines and the data segment with the state variable; 0.
    int writeSourceHead() override;
    /// Code segment, include directive (where the dialect puts it) and the
    /// routines; 0.
    int writeSourceBody() override;
    /// The end directive and the generation stamp; 0.
    int writeSourceTail() override;
    /// The whole include file; -1 (nothing written) when the include stream
    /// is failed or bad, else 0.
    int writeIncludeFile() override;

    /// "cs_" + name + "fsm", "cseg" and attribute (verbatim, also when empty).
    void writeCodeSegment(const std::string& name, const std::string& attribute);
    /// "cs_" + name + "fsm" and "ends"; the head and body write it only for a
    /// dialect that closes its segments.
    void writeCodeSegmentEnd(const std::string& name);
    /// "ds_" + name + "fsm", "dseg" and attribute.
    void writeDataSegment(const std::string& name, const std::string& attribute);
    /// "ds_" + name + "fsm" and "ends", as writeCodeSegmentEnd.
    void writeDataSegmentEnd(const std::string& name);
    /// label + ":", the storage directive, size and "; " + comment.
    void writeDataDefinition(const std::string& label, int size, const std::string& comment);
    /// The include directive for fileName; nothing when fileName is empty.
    void writeIncludeDirective(const std::string& fileName);
    /// "stt_" + machine name: one word per cell, state-major.
    void writeVectorTable();
    /// The init routine: sets the state variable to 0.
    void writeInitRoutine();
    /// The dispatcher: jumps to the cell routine of the event in A.
    void writeFsmRoutine();
    /// The routine returning the state variable.
    void writeGetStateRoutine();
    /// One routine per cell, states outer, events inner.
    void writeCellRoutines();

private:
    void writeSegmentLine(const std::string& segment, const std::string& rest);
    void writeRoutine(const std::string& label, const std::vector<ASM_LINE_>& lines);
    std::string filledIn(const char* column) const;
    void writeCellRoutine(int event, int state);

    const ASM_DIALECT_& m_dialect;
};

#endif
