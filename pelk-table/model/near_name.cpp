#include "pelk-table/model/near_name.h"

#include <algorithm>
#include <cctype>

namespace {

std::string lower(const std::string& text) {
    std::string result = text;
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

std::string trimmed(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

// Two neighbours swapped count as one change, as a typist makes them.
std::size_t CNearName::distance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

std::string CNearName::find(const std::string& text, const std::vector<std::string>& names) {
    if (std::find(names.begin(), names.end(), text) != names.end())
        return std::string();
    for (const std::string& name : names) {
        if (lower(name) == lower(text) || (!trimmed(text).empty() && trimmed(name) == trimmed(text)))
            return name;
    }
    const std::size_t most = std::max<std::size_t>(1, text.size() / 3);
    std::string best;
    std::size_t bestDistance = most + 1;
    for (const std::string& name : names) {
        const std::size_t d = distance(lower(text), lower(name));
        if (d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

std::string CNearName::suggestion(const std::string& text, const std::vector<std::string>& names) {
    const std::string near = find(text, names);
    if (near.empty())
        return std::string();
    const bool blanks = trimmed(near) == trimmed(text) && near != text;
    return "; did you mean '" + near + "'" +
           (blanks ? std::string(near.size() > text.size() ? " (with its blanks)" : " (without the blanks)") : "") +
           "?";
}
