#ifndef PELK_CODEGEN_C_CF_CODE_H
#define PELK_CODEGEN_C_CF_CODE_H

#include "codegen/c/c_code.h"

/// CCFCode writes the C output for the Fujitsu FCC907S compiler: the ANSI C
/// output with far pointers in the vector table.
class CCFCode : public CCCode {
public:
    explicit CCFCode(const CSTTable* table);
    ~CCFCode() override;

    /// The vector table with a __far function pointer type; 0.
    int writeVectorTable() override;
};

#endif
