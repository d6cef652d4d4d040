#ifndef PELK_CODEGEN_RA78K0_N_CODE_H
#define PELK_CODEGEN_RA78K0_N_CODE_H

#include "codegen/code.h"

/// CNCode writes the NEC RA78K0 assembler output.
class CNCode : public CCode {
public:
    explicit CNCode(const CSTTable* table);
    ~CNCode() override;

    int writeSourceHead() override;
    int writeSourceBody() override;
    int writeSourceTail() override;
    int writeIncludeFile() override;
};

#endif
