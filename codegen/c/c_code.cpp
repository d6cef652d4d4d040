#include "codegen/c/c_code.h"

// Placeholder: the target's lines are not written yet.
CCCode::CCCode(const CSTTable* table) : CCode(table) {}
CCCode::~CCCode() = default;
int CCCode::writeSourceHead() { return 0; }
int CCCode::writeSourceBody() { return 0; }
int CCCode::writeSourceTail() { return 0; }
int CCCode::writeIncludeFile() { return 0; }
