#include "codegen/c/cf_code.h"

CCFCode::CCFCode(const CSTTable* table) : CCCode(table) {}
CCFCode::~CCFCode() = default;
