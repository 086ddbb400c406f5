#pragma once

#include <cstdint>

namespace gleaner {

// Truncates toward zero. A value outside the 32-bit range, or NaN, gives
// INT32_MIN, as the processor's own truncating conversion does.
std::int32_t truncToInt(double value);

// Floor, after treating a fraction above 1 - 1e-12 as the next integer up, so
// that a quotient like 29.0 / 100 * 100 (just below 29) floors to 29.
std::int32_t floorToInt(double value);

// a - q * b with q = a / b truncated toward zero; takes the sign of a.
double realModulo(double a, double b);

std::int32_t xorInt(std::int32_t a, std::int32_t b);

} // namespace gleaner
