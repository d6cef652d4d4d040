#include "tests/support/paths.h"

std::filesystem::path examplesDirectory() {
    return PELK_EXAMPLES_DIR;
}

std::filesystem::path goldenDirectory() {
    return PELK_GOLDEN_DIR;
}

std::filesystem::path goldenFile(const std::string& caseName, const std::string& fileName) {
    return goldenDirectory() / caseName / "expected" / "files" / fileName;
}
