#include "support/bytebuffer.h"

#include <cstring>

namespace gleaner {

ByteBuffer::ByteBuffer(const void* data, std::size_t length)
    : m_bytes(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + length)
{
}

ByteBuffer textToBytes(std::string_view text) { return ByteBuffer(text.data(), text.size()); }

Text bytesToText(const ByteBuffer& buffer)
{
    const std::string_view all = buffer.view();
    return Text(all.substr(0, all.find('\0')));
}

ByteBuffer blankBytes(std::int32_t n)
{
    if (n <= 0)
        return {};
    return ByteBuffer(std::vector<std::uint8_t>(static_cast<std::size_t>(n), 0));
}

std::int32_t bytesLength(const ByteBuffer& buffer) { return buffer.length(); }

} // namespace gleaner
