#include "pelk-table/cli/test_command.h"

#include <iostream>

#include "codegen/targets.h"
#include "pelk-table/check/checker.h"
#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/loaded_table.h"
#include "pelk-table/cli/output_file.h"
#include "pelk-table/cli/table_options.h"
#include "pelk-table/conformance/conformance_c_writer.h"
#include "pelk-table/conformance/conformance_json_writer.h"
#include "pelk-table/conformance/conformance_tour.h"
#include "pelk-table/conformance/scenario_loader.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"
#include "table/table_reader.h"

namespace {

// "K/N" with 1 <= K <= N.
bool parsePart(const std::string& text, int& part, int& parts) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos || slash == 0 || slash > 6 || text.size() - slash - 1 > 6)
        return false;
    const std::string k = text.substr(0, slash), n = text.substr(slash + 1);
    if (!CTableReader::isNumber(k.c_str()) || !CTableReader::isNumber(n.c_str()))
        return false;
    part = std::stoi(k);
    parts = std::stoi(n);
    return part >= 1 && part <= parts;
}

std::string placeText(const CTableModel& model, const PLACE_& place) {
    if (!place.sheet.empty())
        return model.displayName() + ":" + place.sheet + "!" + place.cell;
    return model.displayName() + ":" + std::to_string(place.line) + ":" + std::to_string(place.column);
}

int fail(const std::string& message, int status) {
    std::cerr << "pelk-table: " << message << std::endl;
    return status;
}

}  // namespace

void CTestCommand::setUp(CLI::App& app, int& status, const CDiagnosticStyle& style) {
    CLI::App* command =
        app.add_subcommand("test", "write a conformance test of the machine pelk generates from a table");
    CTableOptions::addTable(*command, m_table);
    command->add_option("-n,--name", m_name, "machine name, as pelk -n takes it")->required()->type_name("NAME");
    std::string cTargets, asmTargets;
    for (int i = 0; i < CTargets::count(); ++i) {
        const TARGET_& target = CTargets::at(i);
        std::string& list = target.isAssembler ? asmTargets : cTargets;
        list += (list.empty() ? "" : ", ") + std::string(target.name) + (target.name == m_target ? " (default)" : "");
    }
    command
        ->add_option("-a,--target", m_target,
                     "target as pelk -a takes it: " + cTargets + "; " + asmTargets + " with --format=json")
        ->check([this](const std::string& name) {
            return CTargets::byName(name) ? std::string()
                                          : "'" + name + "' is not a target (" +
                                                CTableOptions::targetNames(*CTargets::byName(m_target)) + ")";
        })
        ->type_name("TARGET");
    CTableOptions::addSheet(*command, m_sheet);
    command->add_option("-o,--output", m_output, "write the test to FILE instead of standard output")
        ->type_name("FILE");
    command->add_option("--format", m_format, "c (default): a C89 test program; json: the tour as data")
        ->check(CLI::IsMember({"c", "json"}))
        ->type_name("FORMAT");
    command
        ->add_option("--actions-header", m_actionsHeader,
                     "also write FILE, a context header that only declares the actions")
        ->type_name("FILE");
    command->add_option("--scenario", m_scenarios, "a scenario in run's format, played from init as one more test")
        ->type_name("FILE");
    command->add_option("--part", m_part, "write part K of N of the tour, each part starting from init")
        ->type_name("K/N");
    command->footer(
        "The test drives the machine through init_NAMEfsm, NAMEfsm and get_NAMEstate and tests every\n"
        "cell of every state that can be reached from state 0: after each event the state and the\n"
        "actions called. It writes TAP and ends with 'N passed, M failed'.\n"
        "Exit status: 0 test written, 1 table with errors (its findings) or test not written,\n"
        "             2 usage error, 3 internal error.\n");
    command->callback([this, &status, &style]() { status = run(style); });
}

int CTestCommand::run(const CDiagnosticStyle& style) {
    int part = 1, parts = 1;
    if (!m_part.empty() && !parsePart(m_part, part, parts))
        return fail("--part: '" + m_part + "' is not K/N with 1 <= K <= N", kExitUsage);
    const TARGET_& target = *CTargets::byName(m_target);
    if (target.isAssembler && (m_format == "c" || !m_actionsHeader.empty()))
        return fail(std::string("the C test runs a machine generated as C (-aC, -aFCC907S), not for ") + target.name +
                        ": write its tour as data with --format=json",
                    kExitUsage);

    CHECK_OPTIONS_ options;
    options.target = &target;
    options.machineName = m_name;
    options.machineNameGiven = true;
    CLoadedTable loaded(m_table, m_sheet, options);
    switch (loaded.load(std::cerr, "no test written", style.textStyle())) {
    case CLoadedTable::kReady:
        break;
    case CLoadedTable::kUnreadable:
        return loaded.badSheet() ? kExitUsage : kExitFindings;
    case CLoadedTable::kRefused:
        return kExitFindings;
    }
    const CTableModel& model = loaded.model();
    const std::vector<FINDING_>& findings = loaded.findings();
    const std::string name = model.displayName();
    if (CChecker::hasErrors(findings)) {
        CFindingWriter::writeText(std::cerr, {{name, findings, &model}}, style.textStyle());
        return fail(name + " has errors for -a" + target.name + ": no test written", kExitFindings);
    }
    const CSTTable& table = model.table();
    if (m_format == "c") {
        for (int s = 0; s < table.stateCount(); ++s) {
            for (int e = 0; e < table.eventCount(); ++e) {
                for (const std::string& action : *table.cellActions(e, s)) {
                    const std::string symbol = CConformanceCWriter::clash(action, m_name);
                    if (!table.isNopAction(action) && !symbol.empty())
                        return fail(placeText(model, model.actionPlace(s, e, action)) + ": the action '" + action +
                                        "' clashes with " + symbol + " of the conformance test: no test written",
                                    kExitFindings);
                }
            }
        }
    }

    CConformanceTour tour(table);
    for (const std::string& path : m_scenarios) {
        std::vector<int> events;
        std::string error;
        if (!CScenarioLoader::load(path, table, events, error))
            return fail(error, kExitFindings);
        tour.addScenario(path, events);
    }
    if (parts > 1)
        tour = tour.part(part, parts);

    const TEST_ORIGIN_ origin{name, m_name, target.name, part, parts};
    const std::string text =
        m_format == "json" ? CConformanceJsonWriter::write(tour, origin) : CConformanceCWriter::write(tour, origin);
    if (!COutputFile::write(m_output, text, std::cerr))
        return kExitFindings;
    if (!m_actionsHeader.empty() &&
        !COutputFile::write(m_actionsHeader, CConformanceCWriter::actionsHeader(table, origin), std::cerr))
        return kExitFindings;
    return kExitClean;
}
