#ifndef PELK_CODEGEN_ASM96_F_CODE_H
#define PELK_CODEGEN_ASM96_F_CODE_H

#include <string>

#include "codegen/code.h"

class CAsmCodeWriter;

/// CFCode writes the Fujitsu ASM96 assembler source and include file.
class CFCode : public CCode {
public:
    explicit CFCode(const CSTTable* table);
    ~CFCode() override;

    /// Module name, public routines and the state variable; returns 0.
    int writeSourceHead() override;
    /// Code segment and the routines; returns 0.
    int writeSourceBody() override;
    /// End directive and generation stamp; returns 0.
    int writeSourceTail() override;
    /// Externals, state and event numbers; -1 (nothing written) when the
    /// include stream is failed or bad, else 0.
    int writeIncludeFile() override;

    /// "cs_" + name + "fsm", "cseg" and attribute.
    void writeCodeSegment(const std::string& name, const std::string& attribute);
    /// "cs_" + name + "fsm" and "ends".
    void writeCodeSegmentEnd(const std::string& name);
    /// "ds_" + name + "fsm", "dseg" and attribute.
    void writeDataSegment(const std::string& name, const std::string& attribute);
    /// "ds_" + name + "fsm" and "ends".
    void writeDataSegmentEnd(const std::string& name);
    /// label + ":", the storage directive, size and "; " + comment.
    void writeDataDefinition(const std::string& label, int size, const std::string& comment);
    /// The include directive for fileName; nothing when fileName is empty.
    void writeIncludeDirective(const std::string& fileName);
    void writeVectorTable();
    void writeInitRoutine();
    /// The dispatcher: jumps to the cell routine of the event in A.
    void writeFsmRoutine();
    void writeGetStateRoutine();
    void writeCellRoutines();

private:
    CAsmCodeWriter writer();
};

#endif
