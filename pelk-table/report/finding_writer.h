#ifndef PELK_TABLE_REPORT_FINDING_WRITER_H
#define PELK_TABLE_REPORT_FINDING_WRITER_H

#include <ostream>
#include <string>
#include <vector>

#include "pelk-table/check/finding.h"

/// The findings of one table file.
struct FILE_FINDINGS_ {
    std::string file;
    std::vector<FINDING_> findings;
};

/// CFindingWriter writes findings in the forms that compilers, editors and
/// CI systems read. Every form is written from the same list.
class CFindingWriter {
public:
    /// FILE:LINE:COLUMN: error|warning: MESSAGE [check], then its notes.
    static void writeText(std::ostream& out, const std::vector<FILE_FINDINGS_>& files);
    /// One JSON array, one object per finding.
    static void writeJson(std::ostream& out, const std::vector<FILE_FINDINGS_>& files);
    /// A SARIF 2.1.0 log of one run, every check a rule.
    static void writeSarif(std::ostream& out, const std::vector<FILE_FINDINGS_>& files);
};

#endif
