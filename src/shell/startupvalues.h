#pragma once

#include "support/bytebuffer.h"
#include "support/streamcipher.h"

#include <array>
#include <cstdint>

class QProgressBar;

namespace gleaner {

// The window caption is kept only enciphered; this is its key (11 printable
// ASCII bytes) and the enciphered caption (24 bytes, the caption then zeros).
extern const std::array<std::uint8_t, 11> kCaptionKey;
extern const std::array<std::uint8_t, 24> kCaptionBytes;
// The home page opened at start-up: scheme and host, 20 bytes.
extern const std::array<std::uint8_t, 20> kStartPageBytes;

template <std::size_t N>
ByteBuffer bufferOf(const std::array<std::uint8_t, N>& bytes)
{
    return ByteBuffer(bytes.data(), bytes.size());
}

// Deciphers `captionBytes` with the key text read from `keyBytes`; the caption
// is the result up to its first zero byte.
Text decipherCaption(StreamCipher& cipher, const ByteBuffer& keyBytes, const ByteBuffer& captionBytes);

// Deciphers with `cipher`; with a progress bar, the bar follows the progress.
ByteBuffer decryptWithProgress(StreamCipher& cipher, const ByteBuffer& data, std::string_view key,
                               QProgressBar* bar = nullptr);
// Moves the bar handed to decryptWithProgress to `percent`.
void showCipherProgress(std::int32_t percent);

} // namespace gleaner
