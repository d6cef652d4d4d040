#include "pelk-table/workbook/general_number.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const double kLimit = 1e15;

}  // namespace

bool CGeneralNumber::text(double value, std::string& text) {
    if (!std::isfinite(value))
        return false;
    const double magnitude = std::fabs(value);
    if (magnitude == 0) {
        text = "0";
        return true;
    }
    if (magnitude >= kLimit)
        return false;
    char buffer[64];
    if (std::floor(value) == value) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        text = buffer;
        return true;
    }
    if (magnitude < 1e-4)
        return false;
    // The shortest decimal that reads back as the value: when it needs more
    // than 15 significant digits, the spreadsheet shows it rounded.
    for (int digits = 1; digits <= 15; ++digits) {
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
        if (std::strtod(buffer, nullptr) != value)
            continue;
        if (std::strchr(buffer, 'e'))
            return false;
        text = buffer;
        // The C locale writes '.', as the spreadsheet's General does here.
        const struct lconv* locale = std::localeconv();
        if (locale && locale->decimal_point && std::strcmp(locale->decimal_point, ".") != 0)
            return false;
        return true;
    }
    return false;
}

bool CGeneralNumber::parse(const std::string& stored, double& value) {
    if (stored.empty() || stored.size() > 64)
        return false;
    for (char c : stored) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtod(stored.c_str(), &end);
    return end == stored.c_str() + stored.size() && std::isfinite(value);
}
