// pelk-table: the companion of pelk that checks, draws, documents and runs
// state transition tables. One subcommand per job; all read a table the way
// pelk does.
#include <algorithm>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "pelk-table/cli/check_command.h"
#include "pelk-table/cli/diagnostic_style.h"
#include "pelk-table/cli/diff_command.h"
#include "pelk-table/cli/dot_command.h"
#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/export_command.h"
#include "pelk-table/cli/html_command.h"
#include "pelk-table/cli/markdown_command.h"
#include "pelk-table/cli/mermaid_command.h"
#include "pelk-table/cli/run_command.h"
#include "pelk-table/cli/test_command.h"
#include "pelk-table/model/near_name.h"

namespace {

// The subcommand a command line names: its first word that is no option.
std::string subcommandOf(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg.empty() || arg[0] != '-')
            return arg;
    }
    return std::string();
}

int usageError(const std::string& message, const std::string& help) {
    std::cerr << "pelk-table: " << message << "\nRun '" << help << " --help' for more." << std::endl;
    return kExitUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
    CLI::App app("pelk-table: check, draw, document and run the state transition tables of pelk", "pelk-table");
    app.set_version_flag("-V,--version", std::string("pelk-table ") + PELK_VERSION);
    app.require_subcommand(1, 1);
    app.footer("Run 'pelk-table COMMAND --help' for the options of a command.");

    int status = kExitClean;
    CDiagnosticStyle style;
    CCheckCommand check;
    CRunCommand run;
    CDotCommand dot;
    CMermaidCommand mermaid;
    CMarkdownCommand markdown;
    CHtmlCommand html;
    CExportCommand exportCommand;
    CTestCommand test;
    // In the order "pelk-table --help" lists them.
    const auto setUp = [&app, &status, &style](auto&... commands) { (commands.setUp(app, status, style), ...); };
    setUp(check, run, test, dot, mermaid, markdown, html);
    exportCommand.setUp(app, status);
    CDiffCommand diff;
    diff.setUp(app, status, style);

    // CLI11's own messages, as every message of the program: the prefix, and
    // where the help is.
    app.failure_message([](const CLI::App* failed, const CLI::Error& error) {
        std::string help = "pelk-table";
        for (const CLI::App* command : failed->get_subcommands())
            help += " " + command->get_name();
        return "pelk-table: " + std::string(error.what()) + "\nRun '" + help + " --help' for more.\n";
    });

    std::vector<std::string> args(argv + 1, argv + argc);
    std::string message;
    if (!style.takeOptions(args, message))
        return usageError(message, "pelk-table");
    const std::string name = subcommandOf(args);
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; }))
        names.push_back(command->get_name());
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
        std::string known;
        for (const std::string& each : names)
            known += (known.empty() ? "" : ", ") + each;
        const std::string near = CNearName::find(name, names);
        return usageError(
            "'" + name + "' is not a command" + (near.empty() ? " (" + known + ")" : "; did you mean '" + near + "'?"),
            "pelk-table");
    }
    // Only check takes the -W options: the other commands show every finding
    // as check shows it by default.
    if (name == "check") {
        if (!check.takeWarningOptions(args, message))
            return usageError(message, "pelk-table check");
    } else if (!name.empty()) {
        for (const std::string& arg : args) {
            if (arg.compare(0, 2, "-W") == 0)
                return usageError(arg + ": the -W options belong to 'pelk-table check'; " + name +
                                      " shows the findings with every check on",
                                  "pelk-table " + name);
        }
    }
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::Success& success) {
        return app.exit(success);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return kExitUsage;
    } catch (const std::bad_alloc&) {
        std::cerr << "pelk-table: out of memory" << std::endl;
        return kExitInternal;
    } catch (const std::exception& error) {
        // A fault of pelk-table itself: said, never a crash, and never taken
        // for findings.
        std::cerr << "pelk-table: internal error: " << error.what() << std::endl;
        return kExitInternal;
    }
    return status;
}
