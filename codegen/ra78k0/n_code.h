#ifndef PELK_CODEGEN_RA78K0_N_CODE_H
#define PELK_CODEGEN_RA78K0_N_CODE_H

#include <string>

#include "codegen/code.h"

class CAsmCodeWriter;

/// CNCode writes the NEC RA78K0 assembler source and include file.
class CNCode : public CCode {
public:
    explicit CNCode(const CSTTable* table);
    ~CNCode() override;

    /// The parts of the module; see CAsmCodeWriter. Each returns 0 but
    /// writeIncludeFile, -1 (nothing written) into a failed include stream.
    int writeSourceHead() override;
    int writeSourceBody() override;
    int writeSourceTail() override;
    int writeIncludeFile() override;

    /// The lines and blocks of the source file, as CAsmCodeWriter's
    /// operations of the same names write them for this target.
    void writeCodeSegment(const std::string& name, const std::string& attribute);
    void writeDataSegment(const std::string& name, const std::string& attribute);
    void writeDataDefinition(const std::string& label, int size, const std::string& comment);
    void writeIncludeDirective(const std::string& fileName);
    void writeVectorTable();
    void writeInitRoutine();
    void writeFsmRoutine();
    void writeGetStateRoutine();
    void writeCellRoutines();

private:
    CAsmCodeWriter writer();
};

#endif
