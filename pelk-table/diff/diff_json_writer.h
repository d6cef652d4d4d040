#ifndef PELK_TABLE_DIFF_DIFF_JSON_WRITER_H
#define PELK_TABLE_DIFF_DIFF_JSON_WRITER_H

#include <ostream>

#include <nlohmann/json.hpp>

#include "pelk-table/diff/table_change.h"

/// CDiffJsonWriter writes a comparison as one JSON object, for scripts and
/// for the page: the tables, "same", the states and events that changed,
/// the cells, and the consequences.
class CDiffJsonWriter {
public:
    static void write(std::ostream& out, const TABLE_DIFF_& diff, const DIFF_FORM_& form);

    /// The object that write writes.
    static nlohmann::ordered_json toJson(const TABLE_DIFF_& diff, const DIFF_FORM_& form);
};

#endif
