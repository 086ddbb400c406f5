#include "support/numbers.h"

#include <cmath>
#include <limits>

namespace gleaner {

std::int32_t truncToInt(double value)
{
    const double t = std::trunc(value);
    if (!(t >= -2147483648.0 && t <= 2147483647.0))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(t);
}

std::int32_t floorToInt(double value)
{
    double whole = 0;
    const double fraction = std::modf(value, &whole);
    const double nudged = fraction > 0.999999999999 ? whole + 1.0 : value;
    return truncToInt(std::floor(nudged));
}

double realModulo(double a, double b) { return std::fmod(a, b); }

std::int32_t xorInt(std::int32_t a, std::int32_t b) { return a ^ b; }

} // namespace gleaner
