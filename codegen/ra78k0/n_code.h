#ifndef PELK_CODEGEN_RA78K0_N_CODE_H
#define PELK_CODEGEN_RA78K0_N_CODE_H

#include "codegen/asm_code.h"

/// CNCode writes the NEC RA78K0 assembler source and include file: CAsmCode given this target's dialect.
class CNCode : public CAsmCode {
public:
    /// Borrows table (may be null; generate() replaces it).
    explicit CNCode(const CSTTable* table);
};

#endif
