#include "support/streamcipher.h"

#include "support/numbers.h"

#include <utility>

namespace gleaner {

void StreamCipher::setKey(std::string_view key)
{
    if (compareText(key, m_key) == 0)
        return;
    m_key = Text(key);
    const auto* k = reinterpret_cast<const unsigned char*>(key.data());
    const std::size_t length = key.size();
    for (std::int32_t i = 0; i < 256; ++i)
        m_state[static_cast<std::size_t>(i)] = i;
    if (length == 0)
        return; // nothing to mix in; the program never keys with the empty text
    std::int32_t j = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        j = (j + m_state[i] + k[i % length]) % 256;
        std::swap(m_state[i], m_state[static_cast<std::size_t>(j)]);
    }
}

ByteBuffer StreamCipher::encryptBytes(const ByteBuffer& data, std::string_view key)
{
    ByteBuffer result = data;
    if (!key.empty())
        setKey(key);
    std::array<std::int32_t, 256> s = m_state;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t last = 0;
    const std::int32_t n = data.length();
    for (std::int32_t p = 1; p <= n; ++p) {
        x = (x + 1) % 256;
        y = (y + s[static_cast<std::size_t>(x)]) % 256;
        std::swap(s[static_cast<std::size_t>(x)], s[static_cast<std::size_t>(y)]);
        const std::int32_t k = s[static_cast<std::size_t>((s[static_cast<std::size_t>(x)] + s[static_cast<std::size_t>(y)]) % 256)];
        result[static_cast<std::size_t>(p - 1)] = static_cast<std::uint8_t>(data[static_cast<std::size_t>(p - 1)] ^ k);
        last = floorToInt(static_cast<double>(p) / static_cast<double>(n) * 100.0);
        if (m_progressHandler)
            m_progressHandler(last);
    }
    if (last != 100 && m_progressHandler)
        m_progressHandler(100);
    return result;
}

Text StreamCipher::encryptText(std::string_view text, std::string_view key)
{
    return bytesToText(encryptBytes(textToBytes(text), key));
}

Text StreamCipher::decryptText(std::string_view text, std::string_view key)
{
    return bytesToText(decryptBytes(textToBytes(text), key));
}

ByteBuffer decryptWithProgress(StreamCipher& cipher, const ByteBuffer& data, std::string_view key,
                               StreamCipher::ProgressHandler showProgress)
{
    if (showProgress)
        cipher.setProgressHandler(std::move(showProgress));
    return cipher.decryptBytes(data, key);
}

} // namespace gleaner
