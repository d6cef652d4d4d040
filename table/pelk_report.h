#ifndef PELK_TABLE_PELK_REPORT_H
#define PELK_TABLE_PELK_REPORT_H

#include "table/table_listener.h"

class CKerrowLibrary;

/// CPelkReport writes the table problems in pelk's own words on standard
/// error and stops the reading at the first one.
class CPelkReport : public CTableListener {
public:
    /// library gives the text of a record it failed to hand out.
    explicit CPelkReport(const CKerrowLibrary& library)
        : m_library(library) {}

    /// Writes the problem's message; false, always.
    bool report(const TABLE_PROBLEM_& problem) override;

    /// The line written when no header was found.
    static void writeKeywordMessage();

private:
    const CKerrowLibrary& m_library;
};

#endif
