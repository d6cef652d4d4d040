#ifndef PELK_CODEGEN_TARGETS_H
#define PELK_CODEGEN_TARGETS_H

#include <memory>
#include <string>

class CCode;

/// The output target, chosen with option -a.
enum TargetKind {
    kTargetNRA78K0 = 0,  ///< NEC RA78K0 assembler (the default)
    kTargetFASM96 = 1,   ///< Fujitsu ASM96 assembler
    kTargetC = 2,        ///< ANSI C
    kTargetFCC907S = 4,  ///< Fujitsu FCC907S C compiler
};

/// One target: everything the programs and the build know of it.
struct TARGET_ {
    const char* name;   ///< the value option -a takes (case ignored)
    const char* title;  ///< what the target is, for people
    TargetKind kind;
    const char* sourceExtension;   ///< ".asm" or ".c"
    const char* includeExtension;  ///< ".inc" or ".h"
    bool isAssembler;
    /// A new generator of the target, without a table.
    std::unique_ptr<CCode> (*create)();
};

/// CTargets is the one table of targets, in the order option -a tries them.
/// cmake/PelkGenerate.cmake keeps a copy of the names and extensions, which a
/// test holds equal to this table.
class CTargets {
public:
    /// Number of targets.
    static int count();
    /// Target i, 0 <= i < count().
    static const TARGET_& at(int i);
    /// The target of kind; the default target (RA78K0) for an unknown kind.
    static const TARGET_& byKind(int kind);
    /// The target whose name equals name ignoring case; null when none does.
    static const TARGET_* byName(const std::string& name);
    /// The target used without option -a.
    static const TARGET_& defaultTarget();
};

#endif
