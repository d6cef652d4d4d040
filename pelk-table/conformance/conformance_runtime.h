#ifndef PELK_TABLE_CONFORMANCE_CONFORMANCE_RUNTIME_H
#define PELK_TABLE_CONFORMANCE_CONFORMANCE_RUNTIME_H

#include <string>

/// CConformanceRuntime is the fixed C text of the conformance test: the
/// hooks, the run of the tests over the data that CConformanceCWriter
/// writes, the TAP lines and the entry point. It names the machine's
/// routines and nothing else of the table.
class CConformanceRuntime {
public:
    /// The hooks and the interface of the machine named machine, with the
    /// entry point entry: the head of the file, before the data.
    static std::string head(const std::string& machine, const std::string& entry);
    /// The test's state and its action recorder: between the data and the
    /// action stubs.
    static std::string recorder();
    /// The run itself, the entry point and main: after the stubs.
    static std::string run(const std::string& machine, const std::string& entry);
    /// The prefix of every symbol of the test but the entry point and main.
    static const char* prefix() { return "pelktest_"; }
};

#endif
