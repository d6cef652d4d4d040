#include "tests/support/paths.h"

#include "tests/support/process.h"

std::filesystem::path examplesDirectory() {
    return PELK_EXAMPLES_DIR;
}

std::string exampleTable(const std::string& name) {
    return readFile(examplesDirectory() / name);
}

std::filesystem::path goldenDirectory() {
    return PELK_GOLDEN_DIR;
}

std::filesystem::path goldenFile(const std::string& caseName, const std::string& fileName) {
    return goldenDirectory() / caseName / "expected" / "files" / fileName;
}
