#include "codegen/targets.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "codegen/code.h"

namespace {

// Each target makes its own generator; the C generator's files are .c and .h.
TEST(Targets, EachMakesAGeneratorAndIsFoundByItsName) {
    for (int i = 0; i < CTargets::count(); ++i) {
        const TARGET_& target = CTargets::at(i);
        EXPECT_NE(target.create(), nullptr) << target.name;
        EXPECT_EQ(CTargets::byName(target.name), &target);
        EXPECT_EQ(&CTargets::byKind(target.kind), &target);
        EXPECT_EQ(target.isAssembler, std::string(target.sourceExtension) == ".asm") << target.name;
    }
    EXPECT_EQ(CTargets::byName("fcc907s")->kind, kTargetFCC907S);
    EXPECT_EQ(CTargets::byName("CFCC907S"), nullptr);
}

// pelk_generate() keeps its own list, since CMake cannot read this table.
TEST(Targets, EqualTheListOfTheCMakeFunction) {
    std::ifstream in(PELK_SOURCE_DIR "/cmake/PelkGenerate.cmake");
    std::string line;
    std::string list;
    while (std::getline(in, line)) {
        const std::string::size_type at = line.find("set(targets ");
        if (at != std::string::npos)
            list = line.substr(at + 12);
    }
    std::ostringstream expected;
    for (int i = 0; i < CTargets::count(); ++i) {
        const TARGET_& target = CTargets::at(i);
        expected << (i ? " " : "") << '"' << target.name << ' ' << target.sourceExtension << ' '
                 << target.includeExtension << '"';
    }
    EXPECT_EQ(list, expected.str() + ")");
}

}  // namespace
