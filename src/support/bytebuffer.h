#pragma once

#include "support/text.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace gleaner {

// A length and that many bytes, zeros allowed anywhere. Carries text through
// other encodings and through the cipher.
class ByteBuffer {
public:
    ByteBuffer() = default;
    ByteBuffer(const void* data, std::size_t length);
    explicit ByteBuffer(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) { }

    const std::uint8_t* data() const { return m_bytes.data(); }
    std::uint8_t* data() { return m_bytes.data(); }
    std::int32_t length() const { return static_cast<std::int32_t>(m_bytes.size()); }
    bool empty() const { return m_bytes.empty(); }
    std::uint8_t operator[](std::size_t i) const { return m_bytes[i]; }
    std::uint8_t& operator[](std::size_t i) { return m_bytes[i]; }
    std::string_view view() const { return {reinterpret_cast<const char*>(m_bytes.data()), m_bytes.size()}; }

    friend bool operator==(const ByteBuffer&, const ByteBuffer&) = default;

private:
    std::vector<std::uint8_t> m_bytes;
};

// The text's bytes without a terminating zero.
ByteBuffer textToBytes(std::string_view text);
// The buffer's bytes up to, not including, the first zero byte.
Text bytesToText(const ByteBuffer& buffer);
// n zero bytes; empty when n is 0 or less.
ByteBuffer blankBytes(std::int32_t n);
std::int32_t bytesLength(const ByteBuffer& buffer);

} // namespace gleaner
