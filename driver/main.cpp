#include <iostream>
#include <memory>

#include "codegen/code.h"
#include "codegen/targets.h"
#include "driver/pelk_cmd_line.h"
#include "table/st_table.h"

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
    std::unique_ptr<CSTTable> table =
        std::make_unique<CSTTable>(commandLine.fsmName().c_str(), context.empty() ? nullptr : context.c_str());
    if (table->load(commandLine.tablePath().c_str()) != 0)
        return 1;

    // The generator is constructed without a table: generate() hands it over.
    std::unique_ptr<CCode> generator = CTargets::byKind(commandLine.targetKind()).create();
    const int status = generator->generate(table.get());
    generator.reset();
    table.reset();
    return status == 0 ? 0 : 1;
}
