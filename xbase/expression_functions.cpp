#include "xbase/expression_functions.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace zentrix::xbase::expr {
namespace {

// Rounds half away from zero at `decimals`, forgiving the binary error of
// values such as 2.675 that are meant to end in 5.
double roundHalfAway(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    const double rounded = std::round(scaled + std::copysign(std::fabs(scaled) * 1e-13, scaled));
    return rounded == 0 ? 0.0 : rounded / scale;
}

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

std::string formatNumber(double value, int length, int decimals) {
    if (length < 1) length = 1;
    if (length > 255) length = 255;
    if (decimals < 0) decimals = 0;
    if (decimals > length) decimals = length;
    if (std::isfinite(value)) {
        char buffer[400];
        for (int d = decimals; d >= 0; --d) {
            const int n = std::snprintf(buffer, sizeof buffer, "%.*f", d, roundHalfAway(value, d));
            if (n > 0 && n <= length)
                return std::string(static_cast<size_t>(length - n), ' ') + buffer;
        }
    }
    return std::string(static_cast<size_t>(length), '*');
}

double parseNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    double value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        value = value * 10 + (text[i++] - '0');
    if (i < text.size() && text[i] == '.') {
        ++i;
        double scale = 0.1;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value += (text[i++] - '0') * scale;
            scale /= 10;
        }
    }
    return negative ? -value : value;
}

double julianDayFromText(std::string_view text) {
    if (text.size() < 8) return 0;
    int64_t parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    size_t at = 0;
    for (int p = 0; p < 3; ++p) {
        for (int k = 0; k < widths[p]; ++k, ++at) {
            if (text[at] < '0' || text[at] > '9') return 0;
            parts[p] = parts[p] * 10 + (text[at] - '0');
        }
    }
    const int64_t year = parts[0], month = parts[1], day = parts[2];
    if (month < 1 || month > 12 || day < 1 || day > 31) return 0;
    // Fliegel and Van Flandern's conversion of a Gregorian date; its
    // divisions truncate toward zero (a is -1 in January and February only).
    const int64_t a = (month - 14) / 12;
    return static_cast<double>(1461 * (year + 4800 + a) / 4 + 367 * (month - 2 - 12 * a) / 12 -
                               3 * ((year + 4900 + a) / 100) / 4 + day - 32075);
}

std::string textFromJulianDay(double julianDay) {
    const int64_t jd = static_cast<int64_t>(std::floor(julianDay));
    if (jd <= 0) return std::string(8, ' ');
    int64_t l = jd + 68569;
    const int64_t n = floorDiv(4 * l, 146097);
    l = l - floorDiv(146097 * n + 3, 4);
    const int64_t i = floorDiv(4000 * (l + 1), 1461001);
    l = l - floorDiv(1461 * i, 4) + 31;
    const int64_t j = floorDiv(80 * l, 2447);
    const int64_t day = l - floorDiv(2447 * j, 80);
    l = floorDiv(j, 11);
    const int64_t month = j + 2 - 12 * l;
    const int64_t year = 100 * (n - 49) + i + l;
    if (year < 0 || year > 9999) return std::string(8, ' ');
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", static_cast<int>(year),
                  static_cast<int>(month), static_cast<int>(day));
    return buffer;
}

}  // namespace zentrix::xbase::expr
