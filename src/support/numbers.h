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

// 32-bit two's-complement arithmetic: wraps instead of overflowing.
constexpr std::int32_t wrapAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrapSub(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr std::int32_t wrapMul(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

} // namespace gleaner
