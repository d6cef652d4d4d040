#ifndef PELK_TABLE_CLI_TABLE_OPTIONS_H
#define PELK_TABLE_CLI_TABLE_OPTIONS_H

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "codegen/targets.h"
#include "pelk-table/check/checker.h"

/// CTableOptions holds how the commands take a table: the table argument,
/// the target (-a), the machine name (-n) and the sheet of a workbook
/// (--sheet), each described once for every command.
class CTableOptions {
public:
    /// Adds the one table argument TABLE to command.
    static CLI::Option* addTable(CLI::App& command, std::string& table);
    /// Adds the table arguments TABLE... to command.
    static CLI::Option* addTables(CLI::App& command, std::vector<std::string>& tables);
    /// Adds --sheet NAME|NUMBER to command, into sheet.
    static void addSheet(CLI::App& command, std::string& sheet);

    /// Adds -a/--target, -n/--name and --sheet to command.
    void add(CLI::App& command);

    /// The target chosen with -a (the default target without it).
    const TARGET_& target() const;
    const std::string& machineName() const { return m_machineName; }
    bool machineNameGiven() const { return m_nameGiven; }
    /// The sheet chosen with --sheet; empty without it.
    const std::string& sheet() const { return m_sheet; }
    /// The checks as -a and -n set them up.
    CHECK_OPTIONS_ checkOptions() const;

    /// The targets' names as the help lists them, the one that stands for
    /// no -a marked: "NRA78K0 (default), FASM96, C, FCC907S".
    static std::string targetNames(const TARGET_& byDefault = CTargets::defaultTarget());

private:
    const TARGET_* m_target = &CTargets::defaultTarget();
    std::string m_machineName;
    bool m_nameGiven = false;
    std::string m_sheet;
};

#endif
