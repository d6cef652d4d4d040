#ifndef PELK_CODEGEN_C_C_CODE_H
#define PELK_CODEGEN_C_C_CODE_H

#include "codegen/code.h"

/// CCCode writes the ANSI C output.
class CCCode : public CCode {
public:
    explicit CCCode(const CSTTable* table);
    ~CCCode() override;

    int writeSourceHead() override;
    int writeSourceBody() override;
    int writeSourceTail() override;
    int writeIncludeFile() override;
};

#endif
