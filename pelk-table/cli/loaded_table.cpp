#include "pelk-table/cli/loaded_table.h"

#include "pelk-table/report/finding_text.h"

CLoadedTable::CLoadedTable(const std::string& path, const std::string& sheet, const CHECK_OPTIONS_& options)
    : m_model(path, options.machineName),
      m_options(options) {
    m_model.setSheet(sheet);
}

CLoadedTable::Outcome CLoadedTable::load(std::ostream& err, const std::string& consequence, const TEXT_STYLE_& style,
                                         const std::string& label) {
    if (!m_model.load()) {
        err << "pelk-table: " << CFindingText::message(CChecker::unreadable(m_model).message) << std::endl;
        return kUnreadable;
    }
    m_findings = CChecker::run(m_model, m_options);
    if (!CChecker::refuses(m_findings))
        return kReady;
    const std::string name = label.empty() ? m_model.displayName() : label;
    FILE_FINDINGS_ file{name, CChecker::refusals(m_findings), label.empty() ? &m_model : nullptr};
    CFindingWriter::writeText(err, {file}, style);
    err << "pelk-table: " << refusalSentence(name, consequence) << std::endl;
    return kRefused;
}

std::string CLoadedTable::refusalSentence(const std::string& file, const std::string& consequence) {
    return file + " is not a table pelk accepts: " + consequence;
}
