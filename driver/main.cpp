#include <iostream>
#include <memory>

#include "codegen/asm96/f_code.h"
#include "codegen/c/c_code.h"
#include "codegen/c/cf_code.h"
#include "codegen/ra78k0/n_code.h"
#include "driver/pelk_cmd_line.h"
#include "table/st_table.h"

namespace {

// The generator of a target, constructed without a table: generate() hands
// it over.
std::unique_ptr<CCode> createGenerator(int targetKind) {
    switch (targetKind) {
    case kTargetFASM96:
        return std::make_unique<CFCode>(nullptr);
    case kTargetC:
        return std::make_unique<CCCode>(nullptr);
    case kTargetFCC907S:
        return std::make_unique<CCFCode>(nullptr);
    default:
        return std::make_unique<CNCode>(nullptr);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    CPelkCmdLine commandLine(argc, argv);
    switch (commandLine.parse()) {
    case CPelkCmdLine::kHelp:
        CPelkCmdLine::printHelp();
        return 1;
    case CPelkCmdLine::kUsage:
        CPelkCmdLine::printUsage();
        return 1;
    case CPelkCmdLine::kVersion:
        CPelkCmdLine::printVersion();
        return 1;
    case CPelkCmdLine::kError:
        std::cerr << commandLine.errorMessage() << std::endl;
        return 1;
    default:
        break;
    }

    // Created in the order command line, table, generator; destroyed in the
    // reverse order.
    const std::string& context = commandLine.contextFile();
    std::unique_ptr<CSTTable> table = std::make_unique<CSTTable>(
        commandLine.fsmName().c_str(), context.empty() ? nullptr : context.c_str());
    if (table->load(commandLine.tablePath().c_str()) != 0)
        return 1;

    std::unique_ptr<CCode> generator = createGenerator(commandLine.targetKind());
    const int status = generator->generate(table.get());
    generator.reset();
    table.reset();
    return status == 0 ? 0 : 1;
}
