#ifndef PELK_TABLE_DIFF_DIFF_MARKDOWN_WRITER_H
#define PELK_TABLE_DIFF_DIFF_MARKDOWN_WRITER_H

#include <ostream>

#include "pelk-table/diff/table_change.h"

class CSTTable;

/// CDiffMarkdownWriter writes a comparison for a pull-request comment: the
/// changes as a table, what follows from them as a list, and a Mermaid
/// diagram of the states touched (CDiffDiagram).
class CDiffMarkdownWriter {
public:
    static void write(std::ostream& out, const TABLE_DIFF_& diff, const DIFF_FORM_& form, const CSTTable& before,
                      const CSTTable& after);
};

#endif
