#include "pelk-table/cli/check_command.h"

#include <iostream>

#include "pelk-table/check/check_list.h"
#include "pelk-table/check/checker.h"
#include "pelk-table/cli/exit_status.h"
#include "pelk-table/model/near_name.h"
#include "pelk-table/model/table_model.h"
#include "pelk-table/report/finding_writer.h"

void CCheckCommand::setUp(CLI::App& app, int& status, const CDiagnosticStyle& style) {
    CLI::App* check = app.add_subcommand("check", "find the mistakes of state transition tables");
    CTableOptions::addTables(*check, m_tables);
    m_options.add(*check);
    check->add_flag("--werror", m_werror, "treat warnings as errors (also -Werror)");
    check->add_option("--format", m_format, "text (default), json or sarif")
        ->check(CLI::IsMember({"text", "json", "sarif"}))
        ->type_name("FORMAT");
    check->footer(footer());
    check->callback([this, &status, &style]() { status = run(style); });
}

std::string CCheckCommand::footer() {
    return "  -W<check>, -Wno-<check>      turn one check on or off; -Wall turns every check on\n"
           "  -Werror=<check>              make the warnings of one check errors\n"
           "  -Wno-error=<check>           keep one check's warnings warnings under --werror\n"
           "  -fdiagnostics-color=WHEN     colour the diagnostics: auto (default), always, never\n"
           "  -fno-diagnostics-show-caret  one line per finding, without the source line\n"
           "What pelk refuses stays an error whatever the -W options say.\n\n" +
           CCheckList::helpList(88) +
           "Exit status: 0 no error found, 1 errors found, 2 usage error, 3 internal error.\n";
}

bool CCheckCommand::takeWarningOptions(std::vector<std::string>& args, std::string& message) {
    std::vector<std::string> kept;
    for (const std::string& arg : args) {
        if (arg.compare(0, 2, "-W") != 0) {
            kept.push_back(arg);
            continue;
        }
        if (arg == "-Werror") {
            m_werror = true;
            continue;
        }
        if (arg == "-Wall") {
            m_disabled.clear();
            continue;
        }
        enum { kOn, kOff, kError, kNoError } what = kOn;
        std::string name = arg.substr(2);
        for (const auto& prefix :
             {std::make_pair("no-error=", kNoError), std::make_pair("error=", kError), std::make_pair("no-", kOff)}) {
            const std::string text = prefix.first;
            if (name.compare(0, text.size(), text) == 0) {
                what = prefix.second;
                name = name.substr(text.size());
                break;
            }
        }
        const CHECK_* check = CCheckList::byName(name);
        if (!check) {
            message = "unknown check '" + name + "' in " + arg + CNearName::suggestion(name, CCheckList::names());
            return false;
        }
        switch (what) {
        case kOn:
            m_disabled.erase(check->id);
            break;
        case kOff:
            m_disabled.insert(check->id);
            break;
        case kError:
            m_errors.insert(check->id);
            m_notErrors.erase(check->id);
            m_disabled.erase(check->id);
            break;
        case kNoError:
            m_notErrors.insert(check->id);
            m_errors.erase(check->id);
            break;
        }
    }
    args = kept;
    return true;
}

int CCheckCommand::run(const CDiagnosticStyle& style) {
    CHECK_OPTIONS_ options = m_options.checkOptions();
    options.warningsAreErrors = m_werror;
    options.disabled = m_disabled;
    options.errors = m_errors;
    options.notErrors = m_notErrors;

    // The models stay until the findings are written: the text form shows
    // their lines.
    std::vector<std::unique_ptr<CTableModel>> models;
    std::vector<FILE_FINDINGS_> files;
    bool errors = false;
    bool badSheet = false;
    for (const std::string& path : m_tables) {
        models.push_back(std::unique_ptr<CTableModel>(new CTableModel(path, m_options.machineName())));
        CTableModel& model = *models.back();
        model.setSheet(m_options.sheet());
        FILE_FINDINGS_ file{model.displayName(), {}, nullptr};
        if (!model.load()) {
            file.findings.push_back(CChecker::unreadable(model));
            errors = true;
            badSheet = badSheet || model.badSheet();
        } else {
            file.model = &model;
            file.findings = CChecker::run(model, options);
            errors = errors || model.hasFormatErrors();
        }
        errors = errors || CChecker::hasErrors(file.findings);
        files.push_back(std::move(file));
    }
    if (m_format == "json")
        CFindingWriter::writeJson(std::cout, files);
    else if (m_format == "sarif")
        CFindingWriter::writeSarif(std::cout, files);
    else
        CFindingWriter::writeText(std::cerr, files, style.textStyle());
    if (badSheet)
        return kExitUsage;
    return errors ? kExitFindings : kExitClean;
}
