#ifndef PELK_TABLE_CONFORMANCE_CONFORMANCE_JSON_WRITER_H
#define PELK_TABLE_CONFORMANCE_CONFORMANCE_JSON_WRITER_H

#include <string>

#include "pelk-table/conformance/conformance_c_writer.h"
#include "pelk-table/conformance/conformance_tour.h"

/// CConformanceJsonWriter writes a tour as data, for a rig that drives the
/// machine itself (a simulator, hardware in the loop, an assembler target):
/// the tests in order, each with the reason it starts with init (or null)
/// and its steps (event, the state the machine must be in after it, the
/// actions due), then the cells that are not tested and why.
class CConformanceJsonWriter {
public:
    /// The JSON document of tour, ended by a line end.
    static std::string write(const CConformanceTour& tour, const TEST_ORIGIN_& origin);
};

#endif
