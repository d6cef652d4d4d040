#ifndef PELK_TESTS_SUPPORT_GOLDEN_H
#define PELK_TESTS_SUPPORT_GOLDEN_H

#include <filesystem>
#include <string>
#include <vector>

/// True when PELK_UPDATE_GOLDEN is set (and not "0"): the golden tests write
/// their expectations instead of comparing with them.
bool updatingGolden();

/// The names of the case folders in dir, sorted.
std::vector<std::string> caseFolders(const std::filesystem::path& dir);

/// A case name as a test name: every character but letters and digits
/// becomes "_".
std::string testNameOf(const std::string& caseName);

#endif
