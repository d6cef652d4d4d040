#include "codegen/c/cf_code.h"

CCFCode::CCFCode(const CSTTable* table)
    : CCCode(table) {}

CCFCode::~CCFCode() = default;

// The compiler's far qualifier goes on the pointer type only; the table and
// the cell functions keep their ANSI C declarations.
int CCFCode::writeVectorTable() {
    return writeVectorTableWith("__far ");
}
