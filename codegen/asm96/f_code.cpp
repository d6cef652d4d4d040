#include "codegen/asm96/f_code.h"

// Placeholder: the target's lines are not written yet.
CFCode::CFCode(const CSTTable* table) : CCode(table) {}
CFCode::~CFCode() = default;
int CFCode::writeSourceHead() { return 0; }
int CFCode::writeSourceBody() { return 0; }
int CFCode::writeSourceTail() { return 0; }
int CFCode::writeIncludeFile() { return 0; }
