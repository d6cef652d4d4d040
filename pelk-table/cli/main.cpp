// pelk-table: the companion of pelk that checks, draws, documents and runs
// state transition tables. One subcommand per job; all read a table the way
// pelk does.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/check_command.h"
#include "pelk-table/cli/dot_command.h"
#include "pelk-table/cli/export_command.h"
#include "pelk-table/cli/html_command.h"
#include "pelk-table/cli/markdown_command.h"
#include "pelk-table/cli/mermaid_command.h"
#include "pelk-table/cli/run_command.h"
#include "pelk-table/cli/tool_options.h"

int main(int argc, char* argv[]) {
    CLI::App app("pelk-table: check, draw, document and run the state transition tables of pelk", "pelk-table");
    app.set_version_flag("-V,--version", std::string("pelk-table ") + PELK_VERSION);
    app.require_subcommand(1, 1);
    app.footer("Run 'pelk-table COMMAND --help' for the options of a command.");

    int status = CToolOptions::kClean;
    CCheckCommand check;
    CRunCommand run;
    CDotCommand dot;
    CMermaidCommand mermaid;
    CMarkdownCommand markdown;
    CHtmlCommand html;
    CExportCommand exportCommand;
    // In the order "pelk-table --help" lists them.
    const auto setUp = [&app, &status](auto&... commands) { (commands.setUp(app, status), ...); };
    setUp(check, run, dot, mermaid, markdown, html, exportCommand);

    std::vector<std::string> args(argv + 1, argv + argc);
    std::string message;
    if (!check.takeWarningOptions(args, message)) {
        std::cerr << "pelk-table: " << message << "\nRun 'pelk-table check --help' for the checks." << std::endl;
        return CToolOptions::kUsage;
    }
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::Success& success) {
        return app.exit(success);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return CToolOptions::kUsage;
    } catch (const std::exception& error) {
        // Out of memory, or a fault of pelk-table itself: said, never a crash.
        std::cerr << "pelk-table: " << error.what() << std::endl;
        return CToolOptions::kFindings;
    }
    return status;
}
