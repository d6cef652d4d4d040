#include "codegen/ra78k0/n_code.h"

// Placeholder: the target's lines are not written yet.
CNCode::CNCode(const CSTTable* table) : CCode(table) {}
CNCode::~CNCode() = default;
int CNCode::writeSourceHead() { return 0; }
int CNCode::writeSourceBody() { return 0; }
int CNCode::writeSourceTail() { return 0; }
int CNCode::writeIncludeFile() { return 0; }
