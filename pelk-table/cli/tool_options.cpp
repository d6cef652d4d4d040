#include "pelk-table/cli/tool_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "pelk-table/check/checker.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

void CToolOptions::addTableOptions(CLI::App& command) {
    command
        .add_option_function<std::string>(
            "-a,--target",
            [this](const std::string& name) {
                if (!CTargets::byName(name))
                    throw CLI::ValidationError("--target",
                                               "'" + name + "' is not a target (NRA78K0, FASM96, C, FCC907S)");
                m_targetName = name;
            },
            "target as pelk -a takes it: NRA78K0 (default), FASM96, C, FCC907S; case is ignored")
        ->type_name("TARGET");
    command
        .add_option_function<std::string>(
            "-n,--name",
            [this](const std::string& name) {
                m_machineName = name;
                m_nameGiven = true;
            },
            "machine name, as pelk -n takes it")
        ->type_name("NAME");
    addSheetOption(command, m_sheet);
}

void CToolOptions::addSheetOption(CLI::App& command, std::string& sheet) {
    command
        .add_option("--sheet", sheet,
                    "the sheet of a workbook (.xlsx, .ods), by name (case aside) or by number from 1; without it, "
                    "the one sheet that holds START")
        ->type_name("NAME|NUMBER");
}

const TARGET_& CToolOptions::target() const {
    const TARGET_* target = CTargets::byName(m_targetName);
    return target ? *target : CTargets::defaultTarget();
}

std::vector<FINDING_> CToolOptions::check(const CTableModel& model) const {
    CHECK_OPTIONS_ options;
    options.target = &target();
    options.machineNameGiven = machineNameGiven();
    return CChecker::run(model, options);
}

bool CToolOptions::refuseUnreadable(const CTableModel& model, const std::vector<FINDING_>& findings,
                                    std::ostream& err) {
    if (!model.hasFormatErrors())
        return false;
    FILE_FINDINGS_ file{model.displayName(), {}, &model};
    for (const FINDING_& finding : findings) {
        if (finding.refusal)
            file.findings.push_back(finding);
    }
    CFindingWriter::writeText(err, {file}, textStyle());
    return true;
}

bool CToolOptions::load(CTableModel& model) {
    if (model.load())
        return true;
    std::cerr << "pelk-table: " << loadMessage(model) << std::endl;
    return false;
}

std::string CToolOptions::loadMessage(const CTableModel& model) {
    if (model.opened())
        return model.displayName() + ": " + model.loadError();
    return "cannot open '" + model.displayName() + "': " + model.loadError();
}

TEXT_STYLE_& CToolOptions::textStyle() {
    static TEXT_STYLE_ style;
    return style;
}

bool CToolOptions::takeDiagnosticOptions(std::vector<std::string>& args, std::string& message) {
    std::string colour = "auto";
    std::vector<std::string> kept;
    for (const std::string& arg : args) {
        const std::string option = "-fdiagnostics-color";
        if (arg == "-fno-diagnostics-show-caret") {
            textStyle().caret = false;
        } else if (arg == "-fdiagnostics-show-caret") {
            textStyle().caret = true;
        } else if (arg == option || arg == "-fno-diagnostics-color") {
            colour = arg == option ? "always" : "never";
        } else if (arg.compare(0, option.size() + 1, option + "=") == 0) {
            colour = arg.substr(option.size() + 1);
            if (colour != "auto" && colour != "always" && colour != "never") {
                message = "unknown colour choice '" + colour + "' in " + arg + " (auto, always or never)";
                return false;
            }
        } else {
            kept.push_back(arg);
        }
    }
    args = kept;
    textStyle().colourChoice = colour;
    if (colour == "auto") {
        const char* noColour = std::getenv("NO_COLOR");
        const char* term = std::getenv("TERM");
#ifdef _WIN32
        const bool terminal = false;
#else
        const bool terminal = ::isatty(2) != 0;
#endif
        textStyle().colour = terminal && !(noColour && *noColour) && !(term && std::string(term) == "dumb");
    } else {
        textStyle().colour = colour == "always";
    }
    return true;
}

bool CToolOptions::writeOutput(const std::string& path, const std::string& text, std::ostream& err) {
    if (path.empty() || path == "-") {
        std::cout << text << std::flush;
        if (std::cout)
            return true;
        err << "pelk-table: cannot write to standard output" << std::endl;
        return false;
    }
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const int opened = errno;
    out << text;
    out.close();
    if (out)
        return true;
    err << "pelk-table: cannot write '" << path << "'" << (opened ? std::string(": ") + std::strerror(opened) : "")
        << std::endl;
    return false;
}
