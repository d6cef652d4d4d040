#ifndef PELK_TABLE_CONFORMANCE_CONFORMANCE_C_WRITER_H
#define PELK_TABLE_CONFORMANCE_CONFORMANCE_C_WRITER_H

#include <string>
#include <vector>

#include "pelk-table/conformance/conformance_tour.h"

/// Where a test comes from, as its files say it.
struct TEST_ORIGIN_ {
    std::string table;    ///< the table file as the user named it
    std::string machine;  ///< the -n name
    std::string target;   ///< "C", "FCC907S", ...
    int part = 1;         ///< part of parts of a split tour
    int parts = 1;
};

/// CConformanceCWriter writes the conformance test of a tour as one C89
/// source file: the data of the tour, const so that a small target keeps it
/// in code memory, one stub per action that checks each call as it
/// happens, and the fixed run of CConformanceRuntime. It also writes the
/// context header that compiles the machine under test against the stubs.
class CConformanceCWriter {
public:
    /// The test file of tour.
    static std::string write(const CConformanceTour& tour, const TEST_ORIGIN_& origin);
    /// A context header that declares every action of table ("void A(void);")
    /// and nothing else.
    static std::string actionsHeader(const CSTTable& table, const TEST_ORIGIN_& origin);
    /// The test's entry point for machine: NAME_conformance.
    static std::string entryPoint(const std::string& machine);
    /// The symbol of the test that an action of that name would clash with,
    /// empty when none: main, putchar, the entry point, anything of the
    /// test's prefix (in any case).
    static std::string clash(const std::string& action, const std::string& machine);
    /// The actions of table, each once, in the order of their first call.
    static std::vector<std::string> actions(const CSTTable& table);
    /// text as a C string literal: printable ASCII as it is, every other
    /// byte (and '"', '\\', '?') escaped.
    static std::string literal(const std::string& text);
};

#endif
