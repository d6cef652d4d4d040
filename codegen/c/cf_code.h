#ifndef PELK_CODEGEN_C_CF_CODE_H
#define PELK_CODEGEN_C_CF_CODE_H

#include "codegen/c/c_code.h"

/// CCFCode writes the ANSI C output for the Fujitsu FCC907S compiler.
class CCFCode : public CCCode {
public:
    explicit CCFCode(const CSTTable* table);
    ~CCFCode() override;
};

#endif
