#include "pelk-table/cli/table_options.h"

namespace {

const char kTableHelp[] = "table file (TSV, .xlsx or .ods); '-' is standard input";

}  // namespace

CLI::Option* CTableOptions::addTable(CLI::App& command, std::string& table) {
    return command.add_option("TABLE", table, kTableHelp)->required()->type_name("");
}

CLI::Option* CTableOptions::addTables(CLI::App& command, std::vector<std::string>& tables) {
    return command.add_option("TABLE", tables, std::string(kTableHelp) + "; one or more")->required()->type_name("");
}

void CTableOptions::addSheet(CLI::App& command, std::string& sheet) {
    command
        .add_option("--sheet", sheet,
                    "the sheet of a workbook (.xlsx, .ods), by name (case aside) or by number from 1; without it, "
                    "the one sheet that holds START")
        ->type_name("NAME|NUMBER");
}

void CTableOptions::add(CLI::App& command) {
    command
        .add_option_function<std::string>(
            "-a,--target",
            [this](const std::string& name) {
                const TARGET_* target = CTargets::byName(name);
                if (!target)
                    throw CLI::ValidationError("--target", "'" + name + "' is not a target (" + targetNames() + ")");
                m_target = target;
            },
            "target as pelk -a takes it: " + targetNames() + "; case is ignored")
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
    addSheet(command, m_sheet);
}

const TARGET_& CTableOptions::target() const {
    return *m_target;
}

CHECK_OPTIONS_ CTableOptions::checkOptions() const {
    CHECK_OPTIONS_ options;
    options.target = m_target;
    options.machineName = m_machineName;
    options.machineNameGiven = m_nameGiven;
    return options;
}

std::string CTableOptions::targetNames(const TARGET_& byDefault) {
    std::string names;
    for (int i = 0; i < CTargets::count(); ++i) {
        const TARGET_& target = CTargets::at(i);
        names += std::string(i == 0 ? "" : ", ") + target.name;
        if (&target == &byDefault)
            names += " (default)";
    }
    return names;
}
