#ifndef PELK_TESTS_SUPPORT_PATHS_H
#define PELK_TESTS_SUPPORT_PATHS_H

#include <filesystem>
#include <string>

/// The bundled example tables (examples/ of the source tree).
std::filesystem::path examplesDirectory();

/// The text of a bundled example table, such as "lamp.tsv".
std::string exampleTable(const std::string& name);

/// The golden cases of the end-to-end tests (tests/golden/).
std::filesystem::path goldenDirectory();

/// An expected file of a golden case.
std::filesystem::path goldenFile(const std::string& caseName, const std::string& fileName);

#endif
