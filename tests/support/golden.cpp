#include "tests/support/golden.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

bool updatingGolden() {
    const char* value = std::getenv("PELK_UPDATE_GOLDEN");
    return value && *value && std::string(value) != "0";
}

std::vector<std::string> caseFolders(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string testNameOf(const std::string& caseName) {
    std::string name = caseName;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}
