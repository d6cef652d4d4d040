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
    /// The table read, whose lines the text form shows; null for none.
    const CTableModel* model = nullptr;
};

/// How the text form looks.
struct TEXT_STYLE_ {
    bool caret = true;    ///< the source line, and a caret under the column
    bool colour = false;  ///< ANSI colours, as compilers use them
    bool count = true;    ///< the closing "2 errors and 1 warning generated."
};

/// CFindingWriter writes findings in the forms that compilers, editors and
/// CI systems read. Every form is written from the same list.
class CFindingWriter {
public:
    /// FILE:LINE:COLUMN: error|warning: MESSAGE [check], then the source
    /// line with a caret, then its notes; after all, the count.
    static void writeText(std::ostream& out, const std::vector<FILE_FINDINGS_>& files,
                          const TEXT_STYLE_& style = TEXT_STYLE_());
    /// "2 errors and 1 warning generated."; empty without findings.
    static std::string countLine(const std::vector<FILE_FINDINGS_>& files);
    /// One JSON array, one object per finding.
    static void writeJson(std::ostream& out, const std::vector<FILE_FINDINGS_>& files);
    /// A SARIF 2.1.0 log of one run, every check a rule.
    static void writeSarif(std::ostream& out, const std::vector<FILE_FINDINGS_>& files);
};

#endif
