#include "shell/startupvalues.h"

#include <QPointer>
#include <QProgressBar>

namespace gleaner {

const std::array<std::uint8_t, 11> kCaptionKey = {'G', 'l', '3', 'a', 'n', 'e', 'r', '#', 'K', '7', 'y'};

// "拾穗 网址采集器 1.0" in code page 936, zero-filled to 24 bytes, enciphered.
const std::array<std::uint8_t, 24> kCaptionBytes = {0xC6, 0xFA, 0x9E, 0x10, 0x91, 0xE2, 0x3A, 0xC1,
                                                    0xFA, 0x5E, 0x8C, 0xAC, 0x89, 0x35, 0x0C, 0x1C,
                                                    0x1E, 0x2F, 0x7C, 0xA8, 0x8C, 0x30, 0x01, 0x1B};

const std::array<std::uint8_t, 20> kStartPageBytes = {'h', 't', 't', 'p', ':', '/', '/', 'w', 'w', 'w',
                                                      '.', 'b', 'a', 'i', 'd', 'u', '.', 'c', 'o', 'm'};

namespace {
QPointer<QProgressBar>& progressBar()
{
    static QPointer<QProgressBar> bar;
    return bar;
}
} // namespace

Text decipherCaption(StreamCipher& cipher, const ByteBuffer& keyBytes, const ByteBuffer& captionBytes)
{
    const Text key = bytesToText(keyBytes);
    return bytesToText(decryptWithProgress(cipher, captionBytes, key));
}

ByteBuffer decryptWithProgress(StreamCipher& cipher, const ByteBuffer& data, std::string_view key, QProgressBar* bar)
{
    if (bar == nullptr)
        return cipher.decryptBytes(data, key);
    progressBar() = bar;
    return gleaner::decryptWithProgress(cipher, data, key, showCipherProgress);
}

void showCipherProgress(std::int32_t percent)
{
    if (QProgressBar* bar = progressBar())
        bar->setValue(percent);
}

} // namespace gleaner
