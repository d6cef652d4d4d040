#include "codegen/targets.h"

#include "codegen/asm96/f_code.h"
#include "codegen/c/c_code.h"
#include "codegen/c/cf_code.h"
#include "codegen/ra78k0/n_code.h"
#include "table/ascii_text.h"

namespace {

template <typename Generator>
std::unique_ptr<CCode> make() {
    return std::make_unique<Generator>(nullptr);
}

// The order is the order in which option -a compares its value.
const TARGET_ kTargets[] = {
    {"NRA78K0", "NEC RA78K0 assembler", kTargetNRA78K0, ".asm", ".inc", true, &make<CNCode>},
    {"FASM96", "Fujitsu ASM96 assembler", kTargetFASM96, ".asm", ".inc", true, &make<CFCode>},
    {"C", "ANSI C", kTargetC, ".c", ".h", false, &make<CCCode>},
    {"FCC907S", "Fujitsu FCC907S C", kTargetFCC907S, ".c", ".h", false, &make<CCFCode>},
};

}  // namespace

int CTargets::count() {
    return static_cast<int>(sizeof kTargets / sizeof kTargets[0]);
}

const TARGET_& CTargets::at(int i) {
    return kTargets[i];
}

const TARGET_& CTargets::byKind(int kind) {
    for (const TARGET_& target : kTargets) {
        if (target.kind == kind)
            return target;
    }
    return defaultTarget();
}

const TARGET_* CTargets::byName(const std::string& name) {
    for (const TARGET_& target : kTargets) {
        if (CAsciiText::equalsIgnoreCase(name, target.name))
            return &target;
    }
    return nullptr;
}

const TARGET_& CTargets::defaultTarget() {
    return kTargets[0];
}
