#ifndef PELK_CODEGEN_ASM96_F_CODE_H
#define PELK_CODEGEN_ASM96_F_CODE_H

#include "codegen/code.h"

/// CFCode writes the Fujitsu ASM96 assembler output.
class CFCode : public CCode {
public:
    explicit CFCode(const CSTTable* table);
    ~CFCode() override;

    int writeSourceHead() override;
    int writeSourceBody() override;
    int writeSourceTail() override;
    int writeIncludeFile() override;
};

#endif
