#ifndef PELK_TABLE_DIFF_DIFF_TEXT_WRITER_H
#define PELK_TABLE_DIFF_DIFF_TEXT_WRITER_H

#include <ostream>

#include "pelk-table/diff/table_change.h"

/// CDiffTextWriter writes a comparison for people at a terminal: one line
/// per change, "state × event (cell C3): before  ⇒  after" per cell, then
/// what follows from the changes; in colour when asked.
class CDiffTextWriter {
public:
    static void write(std::ostream& out, const TABLE_DIFF_& diff, const DIFF_FORM_& form);
};

#endif
