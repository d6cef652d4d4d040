#ifndef PELK_CODEGEN_ASM96_F_CODE_H
#define PELK_CODEGEN_ASM96_F_CODE_H

#include "codegen/asm_code.h"

/// CFCode writes the Fujitsu ASM96 assembler source and include file: CAsmCode given this target's dialect.
class CFCode : public CAsmCode {
public:
    /// Borrows table (may be null; generate() replaces it).
    explicit CFCode(const CSTTable* table);
};

#endif
