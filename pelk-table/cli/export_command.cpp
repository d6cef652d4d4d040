#include "pelk-table/cli/export_command.h"

#include <fstream>
#include <iostream>

#include "pelk-table/cli/exit_status.h"
#include "pelk-table/cli/output_file.h"
#include "pelk-table/cli/table_options.h"
#include "pelk-table/model/table_rules.h"
#include "pelk-table/workbook/workbook_input.h"

void CExportCommand::setUp(CLI::App& app, int& status) {
    CLI::App* command = app.add_subcommand("export", "write a sheet of a workbook as the TSV text that pelk reads");
    command->add_option("BOOK", m_book, "workbook (.xlsx or .ods)")->required()->type_name("");
    CTableOptions::addSheet(*command, m_sheet);
    command->add_option("-o,--output", m_output, "write the text to FILE ('-': standard output, the default)")
        ->type_name("FILE");
    command->footer(
        "Without --sheet, the sheet that holds START (or the only sheet). Line N of the text is row N of the\n"
        "sheet. A cell of the table whose text is not certain is an error; outside the table it is written\n"
        "empty, with a warning.\n"
        "Exit status: 0 written, 1 error, 2 usage error (no such sheet), 3 internal error.\n");
    command->callback([this, &status]() { status = run(std::cerr); });
}

int CExportCommand::run(std::ostream& err) {
    if (!CWorkbookInput::isWorkbook(m_book)) {
        std::ifstream probe(m_book, std::ios::binary);
        if (!probe)
            err << "pelk-table: cannot open " << m_book << std::endl;
        else
            err << "pelk-table: " << m_book << ": the file is not a workbook (neither an .xlsx nor an .ods file)"
                << std::endl;
        return kExitFindings;
    }
    CWorkbookInput input;
    std::string error;
    if (!input.read(m_book, m_sheet, true, error)) {
        err << "pelk-table: " << m_book << ": " << error << std::endl;
        return input.sheetNotFound() ? kExitUsage : kExitFindings;
    }
    for (const SHEET_PROBLEM_& problem : input.problems())
        err << m_book << ":" << input.sheetReference() << "!" << CTableRules::cellName(problem.row, problem.column)
            << ": " << (problem.error ? "error" : "warning") << ": " << problem.message << std::endl;
    if (input.hasErrors()) {
        err << "pelk-table: " << m_book << ": the table holds cells whose text is not certain: nothing written"
            << std::endl;
        return kExitFindings;
    }
    return COutputFile::write(m_output, input.text(), err) ? kExitClean : kExitFindings;
}
